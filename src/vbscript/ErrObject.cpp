#include "vbscript/ErrObject.h"

#include "vbscript/Coerce.h"
#include "vbscript/Interpreter.h"

namespace vbs {

QString runtimeErrorSource()
{
    return QStringLiteral("Microsoft VBScript 运行时错误");
}

namespace {

// The number Err.Raise reports for what a script passes. Above 65535 nothing is an error number
// (5); a failure code of the engine's own family (0x800A....) is its low word, and the common
// system failure codes are the engine's errors they stand for. Anything else, negative numbers
// of vbObjectError's family included, is kept as it is.
int32_t raisedNumber(int32_t n)
{
    if (n == 0 || n > 0xFFFF)
        raise(Err::InvalidCall);
    const uint32_t code = uint32_t(n);
    if ((code & 0xFFFF0000u) == 0x800A0000u)
        return int32_t(code & 0xFFFFu);
    static const std::pair<uint32_t, int> systemCodes[] = {
        {0x80004001u, 445}, {0x80004002u, 430}, {0x80020001u, 438}, {0x80020003u, 438},
        {0x80020004u, 448}, {0x80020005u, 13},  {0x80020006u, 438}, {0x80020007u, 446},
        {0x80020008u, 458}, {0x8002000Au, 6},   {0x8002000Bu, 9},   {0x8002000Cu, 447},
        {0x8002000Du, 10},  {0x8002000Eu, 450}, {0x8002000Fu, 449}, {0x80020011u, 451},
        {0x80070005u, 70},  {0x8007000Eu, 7},   {0x80070057u, 5},
    };
    for (const auto &[system, number] : systemCodes)
        if (code == system)
            return number;
    return n;
}

} // namespace

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
        e.number = raisedNumber(toLong(args[0]));
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
