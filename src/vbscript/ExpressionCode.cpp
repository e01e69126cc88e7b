#include "vbscript/ExpressionCode.h"

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Interpreter.h"
#include "vbscript/LongText.h"
#include "vbscript/Operators.h"
#include "vbscript/ValueSlots.h"

#include <algorithm>

namespace vbs {

Value compileAndEvaluate(Interpreter &in, const Expr *e)
{
    e->code = ExpressionCode::compile(e);
    return e->code(in, e);
}

Value ExpressionCode::tree(Interpreter &in, const Expr *e) { return in.evalOther(e); }

Value ExpressionCode::literal(Interpreter &, const Expr *e)
{
    return static_cast<const LiteralExpr *>(e)->value;
}

Value ExpressionCode::local(Interpreter &in, const Expr *e)
{
    return *in.m_localCells[static_cast<const NameExpr *>(e)->ref.index];
}

Value ExpressionCode::global(Interpreter &in, const Expr *e)
{
    return *in.m_globalCells[static_cast<const NameExpr *>(e)->ref.index];
}

Value ExpressionCode::constant(Interpreter &, const Expr *e)
{
    return static_cast<const NameExpr *>(e)->constant;
}

Value ExpressionCode::paren(Interpreter &in, const Expr *e)
{
    const Expr *inner = static_cast<const ParenExpr *>(e)->inner.get();
    return inner->code(in, inner);
}

Value ExpressionCode::negative(Interpreter &in, const Expr *e)
{
    const Expr *operand = static_cast<const UnaryExpr *>(e)->operand.get();
    return negate(operand->code(in, operand));
}

Value ExpressionCode::logicalNotOf(Interpreter &in, const Expr *e)
{
    const Expr *operand = static_cast<const UnaryExpr *>(e)->operand.get();
    return logicalNot(operand->code(in, operand));
}

// A call's first run looks at its arguments once: when they are only evaluated, later runs skip
// the looks for references and left-out arguments.
Value ExpressionCode::procedureCall(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    const Procedure &p = in.procedureNamedBy(c->callee);
    if (Interpreter::passesValues(p, c->args))
        e->code = Interpreter::procedureCallPassingValues(p, c->args.size());
    else
        e->code = &procedureCallWithReferences;
    return e->code(in, e);
}

Value ExpressionCode::procedureCallWithReferences(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    return in.callProcedure(in.procedureNamedBy(c->callee), c->args);
}

Value ExpressionCode::builtinCall(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    return in.callBuiltin(static_cast<const NameExpr *>(c->callee.get())->ref.index, c->args);
}

// A built-in called with N arguments, none left out, a count it takes: the arguments are
// made in place, one after the other, and the count is not looked at again.
template <size_t N>
Value ExpressionCode::builtinCallOf(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    const Builtin &b = in.m_builtins[static_cast<const NameExpr *>(c->callee.get())->ref.index];
    ValueSlots<N> held;
    for (size_t i = 0; i < N; ++i) {
        const Expr *a = c->args[i].get();
        held.add([&] { return a->code(in, a); });
    }
    BuiltinArgs values(held.data(), N);
    return in.runBuiltin(b, values);
}

// Len(s) for a variable or literal holding text: its length read in place (half a character
// at the end, from ChrB or LeftB, is no character); anything else as the built-in does it.
Value ExpressionCode::lengthOfVariable(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    const Value &v = place(in, c->args[0].get());
    if (v.isString())
        return Value::longValue(int32_t(v.asString().size() - (v.oddBytes() ? 1 : 0)));
    return builtinCall(in, e);
}

// UBound(a) for a variable holding an array of one or more dimensions: the first one's bound
// read in place; anything else as the built-in does it.
Value ExpressionCode::upperBoundOfVariable(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    const Value &v = place(in, c->args[0].get());
    if (v.isArray() && v.asArray()->dims() >= 1)
        return Value::longValue(v.asArray()->upper[0]);
    return builtinCall(in, e);
}

// a(i) for an array variable and a subscript that is a variable or a literal: the element is
// read where it is; anything else (not an array, a subscript out of range or not a whole
// number, a variable now holding an object) is left to the tree walk, which raises the error.
Value ExpressionCode::element(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    const NameRef &r = static_cast<const NameExpr *>(c->callee.get())->ref;
    const Value &v = *(r.kind == NameRef::Local ? in.m_localCells : in.m_globalCells)[r.index];
    const Value &subscript = place(in, c->args[0].get());
    if (v.isArray() && subscript.isSmallInteger()) {
        const ArrayData &data = *v.asArray();
        const int32_t i = subscript.asSmallInteger();
        if (data.dims() == 1 && i >= 0 && i <= data.upper[0])
            return data.items[size_t(i)];
    }
    return in.evalOther(e);
}

// An object the program hands to the script ("obj").
Value ExpressionCode::hostObject(Interpreter &in, const Expr *e)
{
    return Value::object(in.m_hostObjects[size_t(static_cast<const NameExpr *>(e)->ref.index)]);
}

// o.Name and o.Name(args): straight to the member, as the tree walk goes there.
Value ExpressionCode::memberRead(Interpreter &in, const Expr *e)
{
    return in.evalMember(static_cast<const MemberExpr *>(e), {}, Access::Get);
}

Value ExpressionCode::memberCall(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    return in.evalMember(static_cast<const MemberExpr *>(c->callee.get()), c->args, Access::Get);
}

bool ExpressionCode::readInPlace(const Expr *e) { return operandForm(e) != Operand::Evaluated; }

[[gnu::always_inline]] inline const Value &ExpressionCode::place(Interpreter &in, const Expr *e)
{
    if (e->kind == ExprKind::Literal)
        return static_cast<const LiteralExpr *>(e)->value;
    const NameRef &r = static_cast<const NameExpr *>(e)->ref;
    return *(r.kind == NameRef::Local ? in.m_localCells : in.m_globalCells)[r.index];
}

namespace {

// Operators that commonBinaryOp may compute.
constexpr bool hasCommonCase(BinOp op)
{
    return op == BinOp::And || op == BinOp::Or || op == BinOp::Concat || isComparison(op);
}

// Operators that smallIntegerOp computes for two Integer or Long operands.
constexpr bool hasIntegerPath(BinOp op)
{
    return op == BinOp::Add || op == BinOp::Sub || op == BinOp::Mul || op == BinOp::Mod
           || op == BinOp::IntDiv || isComparison(op);
}

} // namespace

ExpressionCode::Operand ExpressionCode::operandForm(const Expr *e)
{
    if (e->kind == ExprKind::Literal)
        return Operand::Literal;
    if (e->kind == ExprKind::Name) {
        const NameRef::Kind k = static_cast<const NameExpr *>(e)->ref.kind;
        if (k == NameRef::Local)
            return Operand::Local;
        if (k == NameRef::Global)
            return Operand::Global;
    }
    return Operand::Evaluated;
}

template <ExpressionCode::Operand form>
[[gnu::always_inline]] inline const Value &ExpressionCode::at(Interpreter &in, const Expr *e)
{
    static_assert(form != Operand::Evaluated);
    if constexpr (form == Operand::Literal)
        return static_cast<const LiteralExpr *>(e)->value;
    const NameRef &r = static_cast<const NameExpr *>(e)->ref;
    return *(form == Operand::Local ? in.m_localCells : in.m_globalCells)[r.index];
}

// As Interpreter::evalBinary, with the operator and the operands' forms fixed: the left operand
// is read in place only when the right one is too (evaluating the right one could change it).
template <BinOp op, ExpressionCode::Operand left, ExpressionCode::Operand right>
Value ExpressionCode::binary(Interpreter &in, const Expr *e)
{
    const auto *b = static_cast<const BinaryExpr *>(e);
    const Expr *lhs = b->lhs.get(), *rhs = b->rhs.get();
    if constexpr (left != Operand::Evaluated && right != Operand::Evaluated) {
        const Value &l = at<left>(in, lhs), &r = at<right>(in, rhs);
        if constexpr (hasIntegerPath(op)) {
            Value out;
            if (l.isSmallInteger() && r.isSmallInteger() && smallIntegerOp(op, l, r, out))
                return out;
        }
        if constexpr (hasCommonCase(op)) {
            if (std::optional<Value> v = commonBinaryOp(op, l, r, nullptr))
                return std::move(*v);
        }
        return in.generalBinaryOp(b, l, r);
    } else {
        Value l = [&] {
            if constexpr (left == Operand::Evaluated)
                return lhs->code(in, lhs);
            else
                return at<left>(in, lhs);
        }();
        if constexpr (right != Operand::Evaluated)
            return finish<op>(in, b, l, at<right>(in, rhs));
        else
            return finish<op>(in, b, l, rhs->code(in, rhs));
    }
}

// The operator applied once both operands are known; `l` is a temporary the result may reuse.
template <BinOp op>
[[gnu::always_inline]] inline Value ExpressionCode::finish(Interpreter &in, const BinaryExpr *b, Value &l,
                                                           const Value &r)
{
    if constexpr (hasIntegerPath(op)) {
        Value out;
        if (l.isSmallInteger() && r.isSmallInteger() && smallIntegerOp(op, l, r, out))
            return out;
    }
    if constexpr (hasCommonCase(op)) {
        if (std::optional<Value> v = commonBinaryOp(op, l, r, &l))
            return std::move(*v);
    }
    return in.generalBinaryOp(b, l, r);
}

template <BinOp op, ExpressionCode::Operand left>
ExprCode ExpressionCode::binaryWithRight(Operand right)
{
    switch (right) {
    case Operand::Literal: return &binary<op, left, Operand::Literal>;
    case Operand::Local: return &binary<op, left, Operand::Local>;
    case Operand::Global: return &binary<op, left, Operand::Global>;
    default: return &binary<op, left, Operand::Evaluated>;
    }
}

bool ExpressionCode::comparesToWholeNumber(const BinaryExpr *b)
{
    return comparesAsLiteral(b->rhs.get())
           && static_cast<const LiteralExpr *>(b->rhs.get())->value.isSmallInteger();
}

// As binary<op, left, Literal> followed by compareValues, whose first case this is: text that
// reads as a number meets a number written in the script as that number.
template <BinOp op, ExpressionCode::Operand left>
Value ExpressionCode::comparedToWholeNumber(Interpreter &in, const Expr *e)
{
    const auto *b = static_cast<const BinaryExpr *>(e);
    const Value &r = static_cast<const LiteralExpr *>(b->rhs.get())->value;
    const auto compared = [&](const Value &l) {
        long long p;
        if (l.isSmallInteger())
            p = l.asSmallInteger();
        else if (!l.isString() || !parseWholeNumber(l.asString(), p))
            return in.generalBinaryOp(b, l, r);
        bool c;
        compareIntegers(op, p, r.asSmallInteger(), c);
        return Value::boolean(c);
    };
    if constexpr (left == Operand::Evaluated) {
        const Expr *lhs = b->lhs.get();
        return compared(lhs->code(in, lhs));
    } else {
        return compared(at<left>(in, b->lhs.get()));
    }
}

template <BinOp op>
ExprCode ExpressionCode::binaryFor(const BinaryExpr *b)
{
    if constexpr (isComparison(op)) {
        if (comparesToWholeNumber(b)) {
            switch (operandForm(b->lhs.get())) {
            case Operand::Literal: break; // two literals: rare, left to the general case
            case Operand::Local: return &comparedToWholeNumber<op, Operand::Local>;
            case Operand::Global: return &comparedToWholeNumber<op, Operand::Global>;
            default: return &comparedToWholeNumber<op, Operand::Evaluated>;
            }
        }
    }
    const Operand right = operandForm(b->rhs.get());
    switch (operandForm(b->lhs.get())) {
    case Operand::Literal: return binaryWithRight<op, Operand::Literal>(right);
    case Operand::Local: return binaryWithRight<op, Operand::Local>(right);
    case Operand::Global: return binaryWithRight<op, Operand::Global>(right);
    default: return binaryWithRight<op, Operand::Evaluated>(right);
    }
}

ExprCode ExpressionCode::compile(const Expr *e)
{
    switch (e->kind) {
    case ExprKind::Literal:
        return &literal;
    case ExprKind::Name:
        switch (static_cast<const NameExpr *>(e)->ref.kind) {
        case NameRef::Local:
            return &local;
        case NameRef::Global:
            return &global;
        case NameRef::Constant:
            return &constant;
        case NameRef::HostObject:
            return &hostObject;
        default:
            return &tree; // procedures, objects, and names bound later (Option Explicit)
        }
    case ExprKind::Paren:
        return &paren;
    case ExprKind::Unary:
        switch (static_cast<const UnaryExpr *>(e)->op) {
        case UnaryExpr::Neg:
            return &negative;
        case UnaryExpr::Not:
            return &logicalNotOf;
        default:
            return &tree;
        }
    case ExprKind::Member:
        return &memberRead;
    case ExprKind::Call: {
        const auto *c = static_cast<const CallExpr *>(e);
        if (c->callee->kind == ExprKind::Member)
            return &memberCall;
        if (c->callee->kind != ExprKind::Name)
            return &tree;
        switch (static_cast<const NameExpr *>(c->callee.get())->ref.kind) {
        case NameRef::Procedure:
            return &procedureCall;
        case NameRef::Builtin: {
            // Len and UBound of one variable: read where it is.
            const int index = static_cast<const NameExpr *>(c->callee.get())->ref.index;
            if (c->args.size() == 1 && c->args[0] && readInPlace(c->args[0].get())) {
                if (index == findBuiltin(QStringLiteral("len")))
                    return &lengthOfVariable;
                if (index == findBuiltin(QStringLiteral("ubound")))
                    return &upperBoundOfVariable;
            }
            const Builtin &b = builtinTable()[size_t(index)];
            const int count = int(c->args.size());
            const bool allGiven = std::all_of(c->args.begin(), c->args.end(), [](const ExprPtr &a) { return bool(a); });
            if (!allGiven || count < b.minArgs || count > b.maxArgs)
                return &builtinCall;
            switch (count) {
            case 1: return &builtinCallOf<1>;
            case 2: return &builtinCallOf<2>;
            case 3: return &builtinCallOf<3>;
            default: return &builtinCall;
            }
        }
        case NameRef::Local:
        case NameRef::Global:
            return c->args.size() == 1 && c->args[0] && readInPlace(c->args[0].get()) ? &element : &tree;
        default:
            return &tree;
        }
    }
    case ExprKind::Binary: {
        const auto *b = static_cast<const BinaryExpr *>(e);
        switch (b->op) {
        case BinOp::Add: return binaryFor<BinOp::Add>(b);
        case BinOp::Sub: return binaryFor<BinOp::Sub>(b);
        case BinOp::Mul: return binaryFor<BinOp::Mul>(b);
        case BinOp::Mod: return binaryFor<BinOp::Mod>(b);
        case BinOp::IntDiv: return binaryFor<BinOp::IntDiv>(b);
        case BinOp::Eq: return binaryFor<BinOp::Eq>(b);
        case BinOp::Ne: return binaryFor<BinOp::Ne>(b);
        case BinOp::Lt: return binaryFor<BinOp::Lt>(b);
        case BinOp::Gt: return binaryFor<BinOp::Gt>(b);
        case BinOp::Le: return binaryFor<BinOp::Le>(b);
        case BinOp::Ge: return binaryFor<BinOp::Ge>(b);
        case BinOp::Concat: return binaryFor<BinOp::Concat>(b);
        case BinOp::And: return binaryFor<BinOp::And>(b);
        case BinOp::Or: return binaryFor<BinOp::Or>(b);
        default:
            return &tree;
        }
    }
    default:
        return &tree;
    }
}

} // namespace vbs
