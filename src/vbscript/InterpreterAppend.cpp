// s = s & x: the string is extended where it is, as CPython does, so a loop that builds a
// text piece by piece takes linear time instead of copying the text on every round.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/LongText.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Sandbox.h"

namespace vbs {

namespace {

bool sameVariable(const NameExpr *a, const Expr *b)
{
    if (b->kind != ExprKind::Name)
        return false;
    const NameRef &r = static_cast<const NameExpr *>(b)->ref;
    return isStorage(a->ref) && r.kind == a->ref.kind && r.index == a->ref.index;
}

// Evaluating `e` cannot change script variables: no procedure, method or dynamic code runs.
bool withoutSideEffects(const Expr *e)
{
    if (!e)
        return true;
    switch (e->kind) {
    case ExprKind::Literal:
        return true;
    case ExprKind::Name: {
        const NameRef::Kind k = static_cast<const NameExpr *>(e)->ref.kind;
        return k == NameRef::Local || k == NameRef::Global || k == NameRef::Field
               || k == NameRef::Constant;
    }
    case ExprKind::Unary:
        return withoutSideEffects(static_cast<const UnaryExpr *>(e)->operand.get());
    case ExprKind::Binary:
        return withoutSideEffects(static_cast<const BinaryExpr *>(e)->lhs.get())
               && withoutSideEffects(static_cast<const BinaryExpr *>(e)->rhs.get());
    case ExprKind::Paren:
        return withoutSideEffects(static_cast<const ParenExpr *>(e)->inner.get());
    case ExprKind::Call: {
        auto *c = static_cast<const CallExpr *>(e);
        if (c->callee->kind != ExprKind::Name)
            return false;
        const NameRef &r = static_cast<const NameExpr *>(c->callee.get())->ref;
        if (r.kind == NameRef::Builtin) {
            const QLatin1String name(builtinTable()[size_t(r.index)].name);
            if (name.startsWith(QLatin1String("Execute")) || name == QLatin1String("Eval"))
                return false;
        } else if (!isStorage(r)) {
            return false;
        }
        for (const auto &a : c->args)
            if (!withoutSideEffects(a.get()))
                return false;
        return true;
    }
    default:
        return false;
    }
}

constexpr int kMaxAppendedPieces = 16;

} // namespace

int appendedPieces(const AssignStmt &a)
{
    if (a.target->kind != ExprKind::Name || a.value->kind != ExprKind::Binary)
        return 0;
    int count = 0;
    const Expr *e = a.value.get();
    while (e->kind == ExprKind::Binary && static_cast<const BinaryExpr *>(e)->op == BinOp::Concat) {
        auto *b = static_cast<const BinaryExpr *>(e);
        if (count == kMaxAppendedPieces || !withoutSideEffects(b->rhs.get()))
            return 0;
        ++count;
        e = b->lhs.get();
    }
    return sameVariable(static_cast<const NameExpr *>(a.target.get()), e) ? count : 0;
}

bool Interpreter::appendInPlace(const AssignStmt &a)
{
    if (a.appends < 0)
        a.appends = static_cast<signed char>(appendedPieces(a));
    if (a.appends == 0)
        return false;
    auto *target = static_cast<const NameExpr *>(a.target.get());
    // The pieces appended, from the right: s & p1 & p2 is (s & p1) & p2.
    const Expr *pieces[kMaxAppendedPieces];
    const int count = a.appends;
    const Expr *e = a.value.get();
    for (int i = 0; i < count; ++i) {
        pieces[i] = static_cast<const BinaryExpr *>(e)->rhs.get();
        e = static_cast<const BinaryExpr *>(e)->lhs.get();
    }
    Value *slot = variable(target);
    QString *text = slot->stringForAppend();
    if (!text)
        return false;
    for (int i = count - 1; i >= 0; --i) {
        // A literal or a variable is read where it is (nothing runs that could change it).
        Value temp;
        const Value *v = peek(pieces[i]);
        if (!v) {
            temp = eval(pieces[i]);
            v = &temp;
        }
        if (v->oddBytes()) { // half a character: joined byte by byte
            *slot = binaryOp(BinOp::Concat, *slot, *v);
            continue;
        }
        QString converted;
        if (!v->isString())
            converted = toConcatString(*v);
        const QString &piece = v->isString() ? v->asString() : converted;
        text = slot->stringForAppend(); // a default member read may have replaced it
        if (!text) {
            *slot = binaryOp(BinOp::Concat, *slot, Value::string(piece));
            text = slot->stringForAppend();
            continue;
        }
        growText(*text, piece);
    }
    return true;
}

} // namespace vbs
