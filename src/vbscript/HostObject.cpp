#include "vbscript/HostObject.h"

#include "vbscript/ScriptError.h"

namespace vbs {

void HostObject::addProperty(const QString &name, Getter get, Setter let)
{
    Member &m = m_members[name.toLower()];
    m.get = std::move(get);
    m.let = std::move(let);
}

void HostObject::addMethod(const QString &name, int minArgs, int maxArgs, Method fn)
{
    Member &m = m_members[name.toLower()];
    m.method = std::move(fn);
    m.minArgs = minArgs;
    m.maxArgs = maxArgs;
}

bool HostObject::invoke(const QString &name, Access access, std::vector<Value> &args, Value &result)
{
    auto it = m_members.find(name.toLower());
    if (it == m_members.end())
        return false;
    const Member &m = *it;
    if (m.method) {
        if (access == Access::Let || access == Access::Set)
            return false;
        if (int(args.size()) < m.minArgs || int(args.size()) > m.maxArgs)
            raise(Err::WrongArgumentCount);
        result = m.method(args);
        return true;
    }
    if (access == Access::Let || access == Access::Set) {
        if (!m.let || args.size() != 1)
            return false;
        m.let(args.back());
        return true;
    }
    if (!m.get || !args.empty())
        return false;
    result = m.get();
    return true;
}

} // namespace vbs
