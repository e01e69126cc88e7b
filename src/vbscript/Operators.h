#pragma once
// The operators of the language over Values, with the widening, Null and Empty rules.
#include "vbscript/Value.h"

namespace vbs {

enum class BinOp {
    Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat,
    Eq, Ne, Lt, Gt, Le, Ge, Is,
    And, Or, Xor, Eqv, Imp,
};

// `aLiteral`/`bLiteral` say whether an operand was written as a literal in the script: a
// comparison of a number with a literal converts the literal to the other side's kind.
Value binaryOp(BinOp op, const Value &a, const Value &b, bool aLiteral = false,
               bool bLiteral = false);
Value negate(const Value &v);

// The common case of two Integer/Long operands, without any conversions. False when the
// general binaryOp must decide (other operators, division by zero).
bool smallIntegerOp(BinOp op, const Value &a, const Value &b, Value &out);
Value logicalNot(const Value &v);

// Three-way comparison for `=` and friends: -1, 0, 1, or 2 when either side is Null.
int compareValues(const Value &a, const Value &b, bool aLiteral, bool bLiteral);

// String comparison as StrComp/InStr do it: binary (0) or text (1).
int compareText(const QString &a, const QString &b, int mode);

} // namespace vbs
