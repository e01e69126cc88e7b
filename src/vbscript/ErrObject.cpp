#include "vbscript/ErrObject.h"

#include "vbscript/Coerce.h"
#include "vbscript/Interpreter.h"

namespace vbs {

QString runtimeErrorSource()
{
    return QStringLiteral("Microsoft VBScript 运行时错误");
}

bool ErrObject::invoke(const QString &name, Access access, std::vector<Value> &args, Value &result)
{
    const QString n = name.toLower();
    const bool assigning = access == Access::Let;
    if (n.isEmpty() || n == QLatin1String("number")) {
        if (assigning)
            m_state.number = toLong(args.back());
        else
            result = Value::longValue(m_state.number);
        return true;
    }
    if (n == QLatin1String("description") || n == QLatin1String("source")) {
        QString &field = n == QLatin1String("source") ? m_state.source : m_state.description;
        if (assigning)
            field = toStr(args.back());
        else
            result = Value::string(field);
        return true;
    }
    if (n == QLatin1String("helpfile")) {
        if (!assigning)
            result = Value::string(QString());
        return true;
    }
    if (n == QLatin1String("helpcontext")) {
        if (!assigning)
            result = Value::longValue(0);
        return true;
    }
    if (n == QLatin1String("clear") && !assigning) {
        m_state.clear();
        return true;
    }
    if (n == QLatin1String("raise") && !assigning) {
        if (args.empty() || args.size() > 5)
            raise(Err::WrongArgumentCount);
        ScriptError e;
        e.number = toLong(args[0]);
        if (e.number == 0)
            raise(Err::InvalidCall);
        e.description = args.size() > 2 && args[2].type() != Type::Error ? toStr(args[2])
                                                                         : errorText(e.number);
        e.named = true;
        if (args.size() > 1 && args[1].type() != Type::Error)
            e.source = toStr(args[1]);
        throw e;
    }
    return false;
}

} // namespace vbs
