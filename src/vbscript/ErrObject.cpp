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
        if (assigning)
            m_state.helpFile = toStr(args.back());
        else
            result = Value::string(m_state.helpFile);
        return true;
    }
    if (n == QLatin1String("helpcontext")) {
        if (assigning)
            m_state.helpContext = toLong(args.back());
        else
            result = Value::longValue(m_state.helpContext);
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
        // What the call leaves out stays as Err holds it (the standard text after Clear).
        auto given = [&](size_t i) { return args.size() > i && args[i].type() != Type::Error; };
        const bool holds = m_state.number != 0;
        e.description = given(2) ? toStr(args[2])
                        : holds && !m_state.description.isEmpty() ? m_state.description
                                                                  : errorText(e.number);
        e.named = true;
        e.source = given(1) ? toStr(args[1]) : holds ? m_state.source : QString();
        e.helpFile = given(3) ? toStr(args[3]) : m_state.helpFile;
        e.helpContext = given(4) ? toLong(args[4]) : m_state.helpContext;
        throw e;
    }
    return false;
}

} // namespace vbs
