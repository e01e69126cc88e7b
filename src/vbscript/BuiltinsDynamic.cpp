// Execute, ExecuteGlobal, Eval and GetRef.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Interpreter.h"
#include "vbscript/ScriptError.h"

namespace vbs {

namespace {

using Args = BuiltinArgs;

// What GetRef returns: calling its default member calls the procedure.
class ProcedureRef : public ScriptObject {
public:
    ProcedureRef(Interpreter &in, const Procedure &p) : m_in(in), m_proc(p) {}
    QString typeName() const override { return QStringLiteral("Object"); }
    bool invoke(const QString &name, Access access, std::vector<Value> &args, Value &result) override
    {
        if (!name.isEmpty() || access == Access::Let || access == Access::Set)
            return false;
        result = m_in.callWithValues(m_proc, args);
        return true;
    }

private:
    Interpreter &m_in;
    const Procedure &m_proc;
};

// The code of Execute and ExecuteGlobal: text, or an object's default value (a number, Null or
// Empty is no code: 13).
QString codeOf(const Value &v)
{
    const Value code = v.isObject() ? dereference(v) : v;
    if (code.isNumeric() || code.isArray() || code.isNull() || code.isEmpty())
        raise(Err::TypeMismatch);
    return toStr(code);
}

Value execute(Interpreter &in, Args &a)
{
    in.execute(codeOf(a[0]), false);
    return Value();
}

Value executeGlobal(Interpreter &in, Args &a)
{
    in.execute(codeOf(a[0]), true);
    return Value();
}

// Eval(Null) is Null and Eval(Empty) Empty: there is nothing to evaluate.
Value eval(Interpreter &in, Args &a)
{
    if (a[0].isNull() || a[0].isEmpty())
        return a[0];
    return in.evaluate(toStr(a[0]));
}

Value getRef(Interpreter &in, Args &a)
{
    if (!a[0].isString())
        raise(Err::TypeMismatch); // a procedure is named by text only
    const Procedure *p = in.procedureNamed(a[0].asString());
    if (!p)
        raise(Err::InvalidCall);
    return Value::object(std::make_shared<ProcedureRef>(in, *p));
}

} // namespace

void addDynamicBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"Execute", 1, 1, execute});
    t.push_back({"ExecuteGlobal", 1, 1, executeGlobal});
    t.push_back({"Eval", 1, 1, eval});
    t.push_back({"GetRef", 1, 1, getRef});
}

} // namespace vbs
