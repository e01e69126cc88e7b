#include "vbscript/StatementCode.h"

#include "vbscript/ExpressionCode.h"
#include "vbscript/Interpreter.h"
#include "vbscript/LongText.h"

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
    Value v = a->value->code(in, a->value.get());
    if (!v.isObject()) [[likely]] {
        const int index = static_cast<const NameExpr *>(a->target.get())->ref.index;
        *(local ? in.m_localCells : in.m_globalCells)[index] = std::move(v);
        return Flow::Normal;
    }
    in.assign(a->target.get(), std::move(v), false);
    return Flow::Normal;
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
    in.callBuiltin(static_cast<const NameExpr *>(c->callee.get())->ref.index, c->args);
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
        if ((r.kind == NameRef::Local || r.kind == NameRef::Global) && !r.readOnly)
            return r.kind == NameRef::Local ? &assignVariable<true> : &assignVariable<false>;
        return &tree;
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
        return &ifThen;
    case StmtKind::For:
        return &forNext;
    case StmtKind::Do:
        return &doLoop;
    default:
        return &tree;
    }
}

} // namespace vbs
