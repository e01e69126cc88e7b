#pragma once
// The compiler of statements. On its first run a statement gets a function made for its kind:
// an assignment to a variable stores where the variable is, a call goes straight to its
// procedure or built-in, and If, For and Do run without looking up their kind. Other forms keep
// the tree walk (Interpreter::execTree).
#include "vbscript/Ast.h"

namespace vbs {

struct StatementCode {
    // The function that runs `s` from now on; its names are resolved.
    static StmtCode compile(const Stmt *s);

private:
    static Flow tree(Interpreter &in, const Stmt *s);
    static Flow assignObject(Interpreter &in, const AssignStmt *a, Value &v);
    static Flow assignObjectCopied(Interpreter &in, const AssignStmt *a, const Value &v);
    template <bool local>
    static Flow assignVariable(Interpreter &in, const Stmt *s);
    template <bool local, bool fromLocal>
    static Flow assignVariableFromVariable(Interpreter &in, const Stmt *s);
    static Flow appendToVariable(Interpreter &in, const Stmt *s);
    template <bool local>
    static Flow appendPiece(Interpreter &in, const Stmt *s);
    static Flow callProcedure(Interpreter &in, const Stmt *s);
    static Flow callWithReferences(Interpreter &in, const Stmt *s);
    static Flow callBuiltin(Interpreter &in, const Stmt *s);
    static Flow callMember(Interpreter &in, const Stmt *s);
    static Flow ifThen(Interpreter &in, const Stmt *s);
    template <BinOp op, bool local>
    static Flow ifVariableComparedWithNumber(Interpreter &in, const Stmt *s);
    template <bool local>
    static StmtCode ifVariableComparedWith(BinOp op);
    static StmtCode ifCode(const IfStmt *s);
    static Flow forNext(Interpreter &in, const Stmt *s);
    static Flow doLoop(Interpreter &in, const Stmt *s);
};

} // namespace vbs
