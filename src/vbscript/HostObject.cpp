#include "vbscript/HostObject.h"

#include "vbscript/ScriptError.h"

namespace vbs {

void HostObject::addProperty(const QString &name, Getter get, Setter let)
{
    m_last = nullptr;
    Member &m = m_members[name.toLower()];
    m.get = std::move(get);
    m.let = std::move(let);
}

void HostObject::addMethod(const QString &name, int minArgs, int maxArgs, Method fn)
{
    m_last = nullptr;
    Member &m = m_members[name.toLower()];
    m.method = std::move(fn);
    m.minArgs = minArgs;
    m.maxArgs = maxArgs;
}

const HostObject::Member *HostObject::find(const QString &name)
{
    if (m_last && name == m_lastName)
        return m_last;
    auto it = m_members.constFind(name.toLower());
    if (it == m_members.constEnd())
        return nullptr;
    m_lastName = name;
    m_last = &*it;
    return m_last;
}

bool HostObject::invoke(const QString &name, Access access, std::vector<Value> &args, Value &result)
{
    const Member *found = find(name);
    if (!found)
        return false;
    const Member &m = *found;
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
