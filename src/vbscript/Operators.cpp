#include "vbscript/Operators.h"

#include "vbscript/ByteText.h"
#include "vbscript/Coerce.h"
#include "vbscript/LongText.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptObject.h"

#include <cmath>

namespace vbs {

namespace {

// Widening order of the numeric subtypes in arithmetic.
enum Rank { RByte, RInteger, RLong, RSingle, RDouble, RCurrency, RDate };

Rank rankOf(const Value &v)
{
    switch (v.type()) {
    case Type::Byte:
        return RByte;
    case Type::Long:
        return RLong;
    case Type::Single:
        return RSingle;
    case Type::Double:
        return RDouble;
    case Type::Currency:
        return RCurrency;
    case Type::Date:
        return RDate;
    default:
        return RInteger; // Integer, Boolean, Empty
    }
}

// The integer result in the smallest type at or above `rank` that holds it.
Value integerResult(long long x, Rank rank)
{
    if (rank <= RByte && x >= 0 && x <= 255)
        return Value::byte(uint8_t(x));
    if (rank <= RInteger && x >= -32768 && x <= 32767)
        return Value::integer(int16_t(x));
    if (x >= INT32_MIN && x <= INT32_MAX)
        return Value::longValue(int32_t(x));
    return Value::dbl(double(x));
}

Value floatResult(double x, Rank rank)
{
    if (!std::isfinite(x))
        raise(Err::Overflow);
    switch (rank) {
    case RSingle:
        if (std::fabs(x) <= 3.402823466e38)
            return Value::single(float(x));
        return Value::dbl(x);
    case RCurrency:
        return Value::currency(x);
    case RDate:
        return Value::date(x);
    default:
        return Value::dbl(x);
    }
}

Value arithmetic(BinOp op, const Value &a, const Value &b)
{
    Value x = toNumeric(a), y = toNumeric(b);
    if (x.isNull() || y.isNull())
        return Value::null();
    Rank rank = std::max(rankOf(x), rankOf(y));
    if (rank <= RLong) {
        long long p = x.asInt(), q = y.asInt();
        long long r = op == BinOp::Add ? p + q : op == BinOp::Sub ? p - q : p * q;
        return integerResult(r, rank);
    }
    double p = x.asDouble(), q = y.asDouble();
    double r = op == BinOp::Add ? p + q : op == BinOp::Sub ? p - q : p * q;
    if (rank == RDate && op != BinOp::Add && op != BinOp::Sub)
        rank = RDouble;
    if (rank == RDate && op == BinOp::Sub && x.type() == Type::Date && y.type() == Type::Date)
        rank = RDouble;
    return floatResult(r, rank);
}

Value add(const Value &a0, const Value &b0)
{
    Value a = a0.isObject() ? dereference(a0) : a0;
    Value b = b0.isObject() ? dereference(b0) : b0;
    if (a.isNull() || b.isNull())
        return Value::null();
    if ((a.oddBytes() || b.oddBytes()) && (a.isString() || a.isEmpty()) && (b.isString() || b.isEmpty()))
        return joinBytes(a, b);
    if (a.isString() && (b.isString() || b.isEmpty()))
        return Value::string(a.asString() + (b.isString() ? b.asString() : QString()));
    if (b.isString() && a.isEmpty())
        return b;
    return arithmetic(BinOp::Add, a, b);
}

Value divide(const Value &a, const Value &b)
{
    Value x = toNumeric(a), y = toNumeric(b);
    if (x.isNull() || y.isNull())
        return Value::null();
    double q = y.asDouble();
    if (q == 0)
        raise(x.asDouble() == 0 ? Err::Overflow : Err::DivisionByZero);
    Rank rank = std::max(rankOf(x), rankOf(y));
    return floatResult(x.asDouble() / q, rank == RSingle ? RSingle : RDouble);
}

Value integerDivide(BinOp op, const Value &a, const Value &b)
{
    Value x = toNumeric(a), y = toNumeric(b);
    if (x.isNull() || y.isNull())
        return Value::null();
    long long p = toLong(x), q = toLong(y);
    if (q == 0)
        raise(Err::DivisionByZero);
    long long r = op == BinOp::IntDiv ? p / q : p % q;
    Rank rank = std::max(rankOf(x), rankOf(y)) <= RInteger ? std::max(rankOf(x), rankOf(y)) : RLong;
    Value v = integerResult(r, rank);
    if (v.type() == Type::Double)
        raise(Err::Overflow);
    return v;
}

Value power(const Value &a, const Value &b)
{
    Value x = toNumeric(a), y = toNumeric(b);
    if (x.isNull() || y.isNull())
        return Value::null();
    double p = x.asDouble(), q = y.asDouble();
    if ((p < 0 && q != std::trunc(q)) || (p == 0 && q < 0))
        raise(Err::InvalidCall);
    double r = std::pow(p, q);
    if (!std::isfinite(r))
        raise(Err::Overflow);
    return Value::dbl(r);
}

Value concat(const Value &a, const Value &b)
{
    if (a.isNull() && b.isNull())
        return Value::null();
    if (a.oddBytes() || b.oddBytes())
        return joinBytes(a, b);
    const QString x = toConcatString(a), y = toConcatString(b);
    return Value::string(joinedText(x, y));
}

// Integer operand of a bitwise operator: Booleans count as -1/0.
long long bits(const Value &v)
{
    return toLong(v);
}

// The subtype of a bitwise result: Boolean when both operands are, Byte when both are (a Null
// operand takes the other's subtype), Integer among Byte, Integer and Boolean, Long otherwise.
// Empty counts as a Long here.
Type bitwiseType(const Value &a, const Value &b)
{
    const Type x = a.isNull() ? b.type() : a.type();
    const Type y = b.isNull() ? a.type() : b.type();
    if (x == y && (x == Type::Boolean || x == Type::Byte))
        return x;
    auto small = [](Type t) { return t == Type::Boolean || t == Type::Byte || t == Type::Integer; };
    return small(x) && small(y) ? Type::Integer : Type::Long;
}

Value bitwiseResult(long long r, Type t)
{
    switch (t) {
    case Type::Boolean: return Value::boolean(r != 0);
    case Type::Byte: return Value::byte(uint8_t(r));
    case Type::Integer: return Value::integer(int16_t(r));
    default: return Value::longValue(int32_t(r));
    }
}

Value bitwise(BinOp op, const Value &a0, const Value &b0)
{
    Value a = a0.isObject() ? dereference(a0) : a0;
    Value b = b0.isObject() ? dereference(b0) : b0;
    if (a.isString() || b.isString()) {
        // "True"/"False" and numeric strings take part as Booleans or numbers.
        auto fix = [](const Value &v) {
            if (!v.isString())
                return v;
            double d;
            if (parseNumber(v.asString(), d))
                return Value::dbl(d);
            return Value::boolean(toBool(v));
        };
        return bitwise(op, fix(a), fix(b));
    }
    const Type type = bitwiseType(a, b);
    bool an = a.isNull(), bn = b.isNull();
    if (an || bn) {
        if (an && bn)
            return Value::null();
        // The bits the other operand fixes decide the result; otherwise it is unknown (Null).
        const Value &other = an ? b : a;
        const long long allOnes = type == Type::Byte ? 0xFF : -1;
        const long long o = bits(other) & (type == Type::Byte ? 0xFF : -1);
        switch (op) {
        case BinOp::And:
            return o == 0 ? bitwiseResult(0, type) : Value::null();
        case BinOp::Or:
            return o == allOnes ? bitwiseResult(o, type) : Value::null();
        case BinOp::Imp:
            if (an)
                return o == allOnes ? bitwiseResult(o, type) : Value::null();
            // A Byte implying Null stays a Byte: the complement of its bits (170 gives 85).
            if (type == Type::Byte)
                return bitwiseResult(~o & 0xFF, type);
            return o == 0 ? bitwiseResult(allOnes, type) : Value::null();
        default:
            return Value::null();
        }
    }
    long long p = bits(a), q = bits(b);
    long long r = 0;
    switch (op) {
    case BinOp::And: r = p & q; break;
    case BinOp::Or: r = p | q; break;
    case BinOp::Xor: r = p ^ q; break;
    case BinOp::Eqv: r = ~(p ^ q); break;
    default: r = (~p) | q; break; // Imp
    }
    return bitwiseResult(r, type);
}

bool isStringLike(const Value &v) { return v.isString(); }

} // namespace

int compareText(const QString &a, const QString &b, int mode)
{
    int c = mode == 1 ? a.compare(b, Qt::CaseInsensitive) : a.compare(b, Qt::CaseSensitive);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int compareValues(const Value &a0, const Value &b0, bool aLiteral, bool bLiteral)
{
    // Text against a whole number written in the script (If v < 1), the common case, read
    // where the values are.
    if (a0.isString() != b0.isString()) {
        const bool stringIsA = a0.isString();
        const Value &str = stringIsA ? a0 : b0, &num = stringIsA ? b0 : a0;
        if ((stringIsA ? bLiteral : aLiteral) && num.isSmallInteger()) {
            double d;
            if (!parseNumber(str.asString(), d))
                raise(Err::TypeMismatch);
            const double n = num.asSmallInteger();
            const double p = stringIsA ? d : n, q = stringIsA ? n : d;
            return p < q ? -1 : p > q ? 1 : 0;
        }
    }
    Value a = a0.isObject() ? dereference(a0) : a0;
    Value b = b0.isObject() ? dereference(b0) : b0;
    if (a.isNull() || b.isNull())
        return 2;
    if (a.isArray() || b.isArray())
        raise(Err::TypeMismatch);
    if (a.isEmpty() && b.isEmpty())
        return 0;
    if (a.isEmpty())
        a = b.isString() ? Value::string(QString()) : Value::integer(0);
    if (b.isEmpty())
        b = a.isString() ? Value::string(QString()) : Value::integer(0);
    if (isStringLike(a) && isStringLike(b))
        return compareText(a.asString(), b.asString(), 0);
    if (isStringLike(a) != isStringLike(b)) {
        const bool stringIsA = isStringLike(a);
        Value &str = stringIsA ? a : b;
        Value &num = stringIsA ? b : a;
        if (stringIsA ? bLiteral : aLiteral) {
            // A number written in the script: the string must read as a number.
            double d;
            if (!parseNumber(str.asString(), d))
                raise(Err::TypeMismatch);
            str = Value::dbl(d);
        } else if (stringIsA ? aLiteral : bLiteral) {
            // A string written in the script: the number compares as its text.
            num = Value::string(toStr(num));
            return compareText(a.asString(), b.asString(), 0);
        } else {
            return stringIsA ? 1 : -1; // a number sorts below any string
        }
    }
    double p = a.asDouble(), q = b.asDouble();
    if (a.type() == Type::Single || b.type() == Type::Single) {
        // A Single meets the other side at its own precision: CSng(0.1) = 0.1.
        p = float(p);
        q = float(q);
    }
    return p < q ? -1 : p > q ? 1 : 0;
}

Value binaryOp(BinOp op, const Value &a, const Value &b, bool aLiteral, bool bLiteral)
{
    switch (op) {
    case BinOp::Add:
        return add(a, b);
    case BinOp::Sub:
    case BinOp::Mul:
        return arithmetic(op, a.isObject() ? dereference(a) : a, b.isObject() ? dereference(b) : b);
    case BinOp::Div:
        return divide(a, b);
    case BinOp::IntDiv:
    case BinOp::Mod:
        return integerDivide(op, a, b);
    case BinOp::Pow:
        return power(a, b);
    case BinOp::Concat:
        return concat(a, b);
    case BinOp::Is:
        if (!a.isObject() || !b.isObject())
            raise(Err::ObjectRequired);
        return Value::boolean(a.asObject() == b.asObject());
    case BinOp::Eq:
    case BinOp::Ne:
    case BinOp::Lt:
    case BinOp::Gt:
    case BinOp::Le:
    case BinOp::Ge: {
        int c = compareValues(a, b, aLiteral, bLiteral);
        if (c == 2)
            return Value::null();
        bool r = op == BinOp::Eq   ? c == 0
                 : op == BinOp::Ne ? c != 0
                 : op == BinOp::Lt ? c < 0
                 : op == BinOp::Gt ? c > 0
                 : op == BinOp::Le ? c <= 0
                                   : c >= 0;
        return Value::boolean(r);
    }
    default:
        return bitwise(op, a, b);
    }
}

Value negate(const Value &v0)
{
    Value v = toNumeric(v0);
    switch (v.type()) {
    case Type::Null:
        return v;
    case Type::Byte:
    case Type::Integer:
    case Type::Boolean:
        return integerResult(-(long long)v.asInt(), RInteger);
    case Type::Long:
        return integerResult(-(long long)v.asInt(), RLong);
    case Type::Single:
        return Value::single(-float(v.asDouble()));
    case Type::Currency:
        return Value::currency(-v.asDouble());
    case Type::Date:
        return Value::date(-v.asDouble());
    default:
        return Value::dbl(-v.asDouble());
    }
}

Value logicalNot(const Value &v0)
{
    Value v = v0.isObject() ? dereference(v0) : v0;
    switch (v.type()) {
    case Type::Null:
        return v;
    case Type::Boolean:
        return Value::boolean(!v.asBool());
    case Type::Empty: // a Long, as in the binary operators
        return Value::longValue(-1);
    case Type::Byte:
        return Value::byte(uint8_t(~v.asInt()));
    case Type::Integer:
        return Value::integer(int16_t(~v.asInt()));
    case Type::String: {
        double d;
        if (!parseNumber(v.asString(), d))
            return Value::boolean(!toBool(v));
        return Value::longValue(~toLong(Value::dbl(d)));
    }
    default:
        return Value::longValue(~toLong(v));
    }
}

} // namespace vbs
