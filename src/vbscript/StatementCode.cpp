#include "vbscript/StatementCode.h"

#include "vbscript/ExpressionCode.h"
#include "vbscript/Interpreter.h"
#include "vbscript/LongText.h"
#include "vbscript/Operators.h"

namespace vbs {

Flow compileAndExecute(Interpreter &in, const Stmt *s)
{
    s->code = StatementCode::compile(s);
    return s->code(in, s);
}

Flow StatementCode::tree(Interpreter &in, const Stmt *s) { return in.execTree(*s); }

// x = value for a variable of the procedure (`local`) or the script: a value that is no object
// goes straight into the variable; an object is dereferenced by the general assignment.
template <bool local>
Flow StatementCode::assignVariable(Interpreter &in, const Stmt *s)
{
    const auto *a = static_cast<const AssignStmt *>(s);
    // The value is made in storage of its own and moved on either way. A value moved from
    // holds nothing to release (it is Empty, or a number), so no destructor runs after the
    // move, nor its look at the value's type.
    alignas(Value) unsigned char storage[sizeof(Value)];
    Value &v = *new (storage) Value(a->value->code(in, a->value.get()));
    if (!v.isObject()) [[likely]] {
        const int index = static_cast<const NameExpr *>(a->target.get())->ref.index;
        *(local ? in.m_localCells : in.m_globalCells)[index] = std::move(v);
        return Flow::Normal;
    }
    return assignObject(in, a, v);
}

// An object assigned to a variable: the general assignment dereferences it (and leaves `v`
// moved from). Out of line, so that the usual assignment needs fewer registers.
[[gnu::noinline]] Flow StatementCode::assignObject(Interpreter &in, const AssignStmt *a, Value &v)
{
    in.assign(a->target.get(), std::move(v), false);
    return Flow::Normal;
}

// The same for an object another variable holds, which keeps it.
[[gnu::noinline]] Flow StatementCode::assignObjectCopied(Interpreter &in, const AssignStmt *a, const Value &v)
{
    Value copy = v;
    return assignObject(in, a, copy);
}

// x = y for two variables of the procedure or the script: a value that is no object is copied
// from one to the other where they are, with no temporary in between.
template <bool local, bool fromLocal>
Flow StatementCode::assignVariableFromVariable(Interpreter &in, const Stmt *s)
{
    const auto *a = static_cast<const AssignStmt *>(s);
    const int from = static_cast<const NameExpr *>(a->value.get())->ref.index;
    const Value &v = *(fromLocal ? in.m_localCells : in.m_globalCells)[from];
    if (!v.isObject()) [[likely]] {
        const int index = static_cast<const NameExpr *>(a->target.get())->ref.index;
        *(local ? in.m_localCells : in.m_globalCells)[index] = v;
        return Flow::Normal;
    }
    return assignObjectCopied(in, a, v);
}

// s = s & a & b: extended where it is; when the variable holds no text after all, the
// general assignment.
Flow StatementCode::appendToVariable(Interpreter &in, const Stmt *s)
{
    if (in.appendInPlace(*static_cast<const AssignStmt *>(s)))
        return Flow::Normal;
    return in.execTree(*s);
}

// s = s & x where x is a literal or a variable: a short text goes into the room after the
// variable's text at once; anything else as appendToVariable.
template <bool local>
Flow StatementCode::appendPiece(Interpreter &in, const Stmt *s)
{
    const auto *a = static_cast<const AssignStmt *>(s);
    const int index = static_cast<const NameExpr *>(a->target.get())->ref.index;
    QString *text = (local ? in.m_localCells : in.m_globalCells)[index]->stringForAppend();
    const Value *piece = in.peek(static_cast<const BinaryExpr *>(a->value.get())->rhs.get());
    if (text && piece->isString() && !piece->oddBytes() && appendIntoRoom(*text, piece->asString()))
        return Flow::Normal;
    return appendToVariable(in, s);
}

// As a procedure called in an expression: the first run looks whether the arguments are only
// evaluated.
Flow StatementCode::callProcedure(Interpreter &in, const Stmt *s)
{
    const auto *c = static_cast<const CallStmt *>(s);
    if (Interpreter::passesValues(in.procedureNamedBy(c->callee), c->args))
        s->code = &Interpreter::callStatementPassingValues;
    else
        s->code = &callWithReferences;
    return s->code(in, s);
}

Flow StatementCode::callWithReferences(Interpreter &in, const Stmt *s)
{
    const auto *c = static_cast<const CallStmt *>(s);
    in.callProcedure(in.procedureNamedBy(c->callee), c->args);
    return Flow::Normal;
}

Flow StatementCode::callBuiltin(Interpreter &in, const Stmt *s)
{
    const auto *c = static_cast<const CallStmt *>(s);
    in.callBuiltinStatement(static_cast<const NameExpr *>(c->callee.get())->ref.index, c->args);
    return Flow::Normal;
}

Flow StatementCode::callMember(Interpreter &in, const Stmt *s)
{
    const auto *c = static_cast<const CallStmt *>(s);
    in.evalMember(static_cast<const MemberExpr *>(c->callee.get()), c->args, Access::Call);
    return Flow::Normal;
}

Flow StatementCode::ifThen(Interpreter &in, const Stmt *s)
{
    return in.execIf(*static_cast<const IfStmt *>(s));
}

// If n < 2 Then ... [Else ...] End If, the condition comparing a variable of the procedure
// (`local`) or of the script with a whole-number literal: while the variable holds an Integer
// or a Long the numbers are compared where they are, with no Boolean made in between. Any other
// value takes the general If, which converts it or raises the error.
template <BinOp op, bool local>
Flow StatementCode::ifVariableComparedWithNumber(Interpreter &in, const Stmt *s)
{
    const auto *i = static_cast<const IfStmt *>(s);
    const IfStmt::Branch &branch = i->branches.front();
    const auto *b = static_cast<const BinaryExpr *>(branch.cond.get());
    const int index = static_cast<const NameExpr *>(b->lhs.get())->ref.index;
    const Value &v = *(local ? in.m_localCells : in.m_globalCells)[index];
    if (!v.isSmallInteger()) [[unlikely]]
        return in.execIf(*i);
    bool taken = false;
    compareIntegers(op, v.asSmallInteger(),
                    static_cast<const LiteralExpr *>(b->rhs.get())->value.asSmallInteger(), taken);
    // Two calls of runBlock, not one of a chosen block: each branch's statements are called
    // from a place of their own, which the processor learns to predict.
    if (taken)
        return in.runBlock(branch.body);
    return in.runBlock(i->elseBody);
}

template <bool local>
StmtCode StatementCode::ifVariableComparedWith(BinOp op)
{
    switch (op) {
    case BinOp::Eq: return &ifVariableComparedWithNumber<BinOp::Eq, local>;
    case BinOp::Ne: return &ifVariableComparedWithNumber<BinOp::Ne, local>;
    case BinOp::Lt: return &ifVariableComparedWithNumber<BinOp::Lt, local>;
    case BinOp::Gt: return &ifVariableComparedWithNumber<BinOp::Gt, local>;
    case BinOp::Le: return &ifVariableComparedWithNumber<BinOp::Le, local>;
    default: return &ifVariableComparedWithNumber<BinOp::Ge, local>;
    }
}

// The code of an If: one condition that compares a variable with a whole number gets its own.
StmtCode StatementCode::ifCode(const IfStmt *s)
{
    if (s->branches.size() != 1 || s->branches.front().cond->kind != ExprKind::Binary)
        return &ifThen;
    const auto *b = static_cast<const BinaryExpr *>(s->branches.front().cond.get());
    if (!isComparison(b->op) || b->lhs->kind != ExprKind::Name || b->rhs->kind != ExprKind::Literal
        || !static_cast<const LiteralExpr *>(b->rhs.get())->value.isSmallInteger())
        return &ifThen;
    const NameRef &r = static_cast<const NameExpr *>(b->lhs.get())->ref;
    if (r.kind == NameRef::Local)
        return ifVariableComparedWith<true>(b->op);
    if (r.kind == NameRef::Global)
        return ifVariableComparedWith<false>(b->op);
    return &ifThen;
}

Flow StatementCode::forNext(Interpreter &in, const Stmt *s)
{
    return in.execFor(*static_cast<const ForStmt *>(s));
}

Flow StatementCode::doLoop(Interpreter &in, const Stmt *s)
{
    return in.execDo(*static_cast<const DoStmt *>(s));
}

StmtCode StatementCode::compile(const Stmt *s)
{
    switch (s->kind) {
    case StmtKind::Assign: {
        const auto *a = static_cast<const AssignStmt *>(s);
        if (a->isSet || a->target->kind != ExprKind::Name)
            return &tree;
        const NameRef &r = static_cast<const NameExpr *>(a->target.get())->ref;
        if (const int pieces = appendedPieces(*a); pieces > 0) {
            const bool inPlace = pieces == 1 && !r.readOnly
                                 && (r.kind == NameRef::Local || r.kind == NameRef::Global)
                                 && ExpressionCode::readInPlace(static_cast<const BinaryExpr *>(a->value.get())->rhs.get());
            if (!inPlace)
                return &appendToVariable;
            return r.kind == NameRef::Local ? &appendPiece<true> : &appendPiece<false>;
        }
        if ((r.kind != NameRef::Local && r.kind != NameRef::Global) || r.readOnly)
            return &tree;
        const bool local = r.kind == NameRef::Local;
        if (a->value->kind == ExprKind::Name) {
            const NameRef::Kind from = static_cast<const NameExpr *>(a->value.get())->ref.kind;
            if (from == NameRef::Local)
                return local ? &assignVariableFromVariable<true, true> : &assignVariableFromVariable<false, true>;
            if (from == NameRef::Global)
                return local ? &assignVariableFromVariable<true, false> : &assignVariableFromVariable<false, false>;
        }
        return local ? &assignVariable<true> : &assignVariable<false>;
    }
    case StmtKind::Call: {
        const auto *c = static_cast<const CallStmt *>(s);
        if (c->callee->kind == ExprKind::Member)
            return &callMember;
        if (c->callee->kind != ExprKind::Name)
            return &tree;
        switch (static_cast<const NameExpr *>(c->callee.get())->ref.kind) {
        case NameRef::Procedure:
            return &callProcedure;
        case NameRef::Builtin:
            return &callBuiltin;
        default:
            return &tree;
        }
    }
    case StmtKind::If:
        return ifCode(static_cast<const IfStmt *>(s));
    case StmtKind::For:
        return &forNext;
    case StmtKind::Do:
        return &doLoop;
    default:
        return &tree;
    }
}

} // namespace vbs
