#pragma once
// The compiler of expressions. On its first run a node gets a function made for its kind, its
// operator and the form of its operands: a literal or a variable is read where it is, and an
// operator of two Integer or Long values computes without the general operator's conversions.
// Kinds without a function of their own keep the tree walk (Interpreter::evalOther).
#include "vbscript/Ast.h"

namespace vbs {

struct ExpressionCode {
    // The function that runs `e` from now on; its names are resolved.
    static ExprCode compile(const Expr *e);
    // A literal, or a variable of the running procedure or the script: read in place.
    static bool readInPlace(const Expr *e);

private:
    static Value tree(Interpreter &in, const Expr *e);
    static Value literal(Interpreter &in, const Expr *e);
    static Value local(Interpreter &in, const Expr *e);
    static Value global(Interpreter &in, const Expr *e);
    static Value constant(Interpreter &in, const Expr *e);
    static Value paren(Interpreter &in, const Expr *e);
    static Value negative(Interpreter &in, const Expr *e);
    static Value logicalNotOf(Interpreter &in, const Expr *e);
    static Value procedureCall(Interpreter &in, const Expr *e);
    static Value procedureCallWithReferences(Interpreter &in, const Expr *e);
    static Value builtinCall(Interpreter &in, const Expr *e);
    template <size_t N>
    static Value builtinCallOf(Interpreter &in, const Expr *e);
    static Value lengthOfVariable(Interpreter &in, const Expr *e);
    static Value upperBoundOfVariable(Interpreter &in, const Expr *e);
    static Value element(Interpreter &in, const Expr *e);
    static Value hostObject(Interpreter &in, const Expr *e);
    static Value memberRead(Interpreter &in, const Expr *e);
    static Value memberCall(Interpreter &in, const Expr *e);

    static const Value &place(Interpreter &in, const Expr *e);
    // Where an operand of an operator is: evaluated, or read in place from a literal or a
    // variable of the running procedure or of the script.
    enum class Operand : uint8_t { Evaluated, Literal, Local, Global };
    static Operand operandForm(const Expr *e);
    template <Operand form>
    static const Value &at(Interpreter &in, const Expr *e);
    template <BinOp op>
    static ExprCode binaryFor(const BinaryExpr *b);
    template <BinOp op, Operand left>
    static ExprCode binaryWithRight(Operand right);
    template <BinOp op, Operand left, Operand right>
    static Value binary(Interpreter &in, const Expr *e);
    // A comparison with a whole number written in the script (v < 1): text of plain digits or an
    // Integer or Long on the left is compared without the general operator.
    static bool comparesToWholeNumber(const BinaryExpr *b);
    template <BinOp op, Operand left>
    static Value comparedToWholeNumber(Interpreter &in, const Expr *e);
    template <BinOp op>
    static Value finish(Interpreter &in, const BinaryExpr *b, Value &l, const Value &r);
};

} // namespace vbs
