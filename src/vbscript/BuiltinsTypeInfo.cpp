// Inspection functions: TypeName, VarType and the Is* family.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptObject.h"

namespace vbs {

namespace {

using Args = BuiltinArgs;

Value typeName(Interpreter &, Args &a)
{
    const Value &v = a[0];
    switch (v.type()) {
    case Type::Empty: return Value::string(QStringLiteral("Empty"));
    case Type::Null: return Value::string(QStringLiteral("Null"));
    case Type::Integer: return Value::string(QStringLiteral("Integer"));
    case Type::Long: return Value::string(QStringLiteral("Long"));
    case Type::Single: return Value::string(QStringLiteral("Single"));
    case Type::Double: return Value::string(QStringLiteral("Double"));
    case Type::Currency: return Value::string(QStringLiteral("Currency"));
    case Type::Date: return Value::string(QStringLiteral("Date"));
    case Type::String: return Value::string(QStringLiteral("String"));
    case Type::Boolean: return Value::string(QStringLiteral("Boolean"));
    case Type::Byte: return Value::string(QStringLiteral("Byte"));
    case Type::Error: return Value::string(QStringLiteral("Error"));
    case Type::Array: return Value::string(QStringLiteral("Variant()"));
    case Type::Object:
        return Value::string(v.asObject() ? v.asObject()->typeName() : QStringLiteral("Nothing"));
    }
    return Value::string(QString());
}

Value varType(Interpreter &, Args &a) { return Value::integer(int16_t(a[0].type())); }

bool numeric(const Value &v)
{
    switch (v.type()) {
    case Type::Empty:
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Boolean:
        return true;
    case Type::String: {
        double d;
        return parseNumber(v.asString(), d);
    }
    case Type::Object:
        // An object is as numeric as its default member's value; Nothing and an object without
        // a default member are not numeric (no error).
        if (!v.asObject())
            return false;
        try {
            return numeric(dereference(v));
        } catch (const ScriptError &e) {
            if (e.number != Err::NoSuchMember)
                throw;
            return false;
        }
    default:
        return false;
    }
}

Value isNumeric(Interpreter &, Args &a) { return Value::boolean(numeric(a[0])); }

Value isEmpty(Interpreter &, Args &a) { return Value::boolean(a[0].isEmpty()); }
Value isNull(Interpreter &, Args &a) { return Value::boolean(a[0].isNull()); }
Value isObject(Interpreter &, Args &a) { return Value::boolean(a[0].isObject()); }
Value isArray(Interpreter &, Args &a) { return Value::boolean(a[0].isArray()); }

Value isDate(Interpreter &, Args &a)
{
    if (a[0].type() == Type::Date)
        return Value::boolean(true);
    double serial;
    return Value::boolean(a[0].isString() && parseDateText(a[0].asString(), serial));
}

} // namespace

void addInspectionBuiltins(std::vector<Builtin> &t)
{
    t.push_back({"TypeName", 1, 1, typeName});
    t.push_back({"VarType", 1, 1, varType});
    t.push_back({"IsNumeric", 1, 1, isNumeric});
    t.push_back({"IsEmpty", 1, 1, isEmpty});
    t.push_back({"IsNull", 1, 1, isNull});
    t.push_back({"IsObject", 1, 1, isObject});
    t.push_back({"IsArray", 1, 1, isArray});
    t.push_back({"IsDate", 1, 1, isDate});
}

} // namespace vbs
