#pragma once
// The operators of the language over Values, with the widening, Null and Empty rules.
#include "vbscript/LongText.h"
#include "vbscript/Value.h"

#include <cstdint>
#include <optional>

namespace vbs {

enum class BinOp {
    Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat,
    Eq, Ne, Lt, Gt, Le, Ge, Is,
    And, Or, Xor, Eqv, Imp,
};

// =, <>, <, >, <= and >=.
constexpr bool isComparison(BinOp op) { return op >= BinOp::Eq && op <= BinOp::Ge; }

// `aLiteral`/`bLiteral` say whether an operand was written as a literal in the script: a
// comparison of a number with a literal converts the literal to the other side's kind.
Value binaryOp(BinOp op, const Value &a, const Value &b, bool aLiteral = false,
               bool bLiteral = false);
Value negate(const Value &v);

// A comparison of two integers: false when `op` compares nothing.
[[gnu::always_inline]] inline bool compareIntegers(BinOp op, long long p, long long q, bool &out)
{
    switch (op) {
    case BinOp::Eq: out = p == q; return true;
    case BinOp::Ne: out = p != q; return true;
    case BinOp::Lt: out = p < q; return true;
    case BinOp::Gt: out = p > q; return true;
    case BinOp::Le: out = p <= q; return true;
    case BinOp::Ge: out = p >= q; return true;
    default: return false;
    }
}

// The result of arithmetic on two Integer or Long values: Integer when both operands are
// (`bothInteger`) and it fits, else Long, else Double.
[[gnu::always_inline]] inline Value integerResult(bool bothInteger, long long r)
{
    if (bothInteger && r >= INT16_MIN && r <= INT16_MAX)
        return Value::integer(int16_t(r));
    if (r >= INT32_MIN && r <= INT32_MAX)
        return Value::longValue(int32_t(r));
    return Value::dbl(double(r));
}

// The common case of two Integer/Long operands (the caller checks), without any conversions.
// False when the general binaryOp must decide (other operators, division by zero). Inline: loops and
// recursive calls spend much of their time here.
[[gnu::always_inline]] inline bool smallIntegerOp(BinOp op, const Value &a, const Value &b, Value &out)
{
    const long long p = a.asSmallInteger(), q = b.asSmallInteger();
    long long r;
    switch (op) {
    case BinOp::Add: r = p + q; break;
    case BinOp::Sub: r = p - q; break;
    case BinOp::Mul: r = p * q; break;
    case BinOp::Mod:
        if (q == 0)
            return false;
        r = p % q;
        break;
    case BinOp::IntDiv:
        if (q == 0)
            return false;
        r = p / q;
        break;
    default: {
        bool c;
        if (!compareIntegers(op, p, q, c))
            return false;
        out = Value::boolean(c);
        return true;
    }
    }
    out = integerResult(a.type() == Type::Integer && b.type() == Type::Integer, r);
    return true;
}
Value logicalNot(const Value &v);

// Three-way comparison for `=` and friends: -1, 0, 1, or 2 when either side is Null.
int compareValues(const Value &a, const Value &b, bool aLiteral, bool bLiteral);

// String comparison as StrComp/InStr do it: binary (0) or text (1).
int compareText(const QString &a, const QString &b, int mode);

// The common cases of two operand values that the compiled operators and
// Interpreter::combine take before the general binaryOp: And/Or of two Booleans (a < 1 Or
// a > 33), two texts compared (binary, as binaryOp compares them) or joined. `temp` is `l` when
// the left operand is a temporary of our own, which a join extends where it is; text that a
// literal or a variable still holds is joined in one allocation of the final size. Nothing when
// binaryOp must decide.
[[gnu::always_inline]] inline std::optional<Value> commonBinaryOp(BinOp op, const Value &l, const Value &r,
                                                                  Value *temp)
{
    if (op == BinOp::And || op == BinOp::Or) {
        if (l.type() != Type::Boolean || r.type() != Type::Boolean)
            return std::nullopt;
        return Value::boolean(op == BinOp::And ? l.asBool() && r.asBool() : l.asBool() || r.asBool());
    }
    if (!l.isString() || !r.isString())
        return std::nullopt;
    if (op == BinOp::Concat) {
        if (l.oddBytes() || r.oddBytes())
            return std::nullopt;
        QString *own = temp ? temp->stringForAppend() : nullptr;
        if (!own || !own->isDetached())
            return Value::string(joinedText(l.asString(), r.asString()));
        if (!appendIntoRoom(*own, r.asString()))
            appendText(*own, r.asString());
        return std::move(*temp);
    }
    if (op == BinOp::Eq || op == BinOp::Ne) // equal texts without ordering their characters
        return Value::boolean((l.asString() == r.asString()) == (op == BinOp::Eq));
    bool holds;
    if (!compareIntegers(op, compareText(l.asString(), r.asString(), 0), 0, holds))
        return std::nullopt;
    return Value::boolean(holds);
}

} // namespace vbs
