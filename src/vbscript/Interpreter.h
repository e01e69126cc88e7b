#pragma once
// Interpreter: walks a resolved program. Internal to the engine; the host uses Engine.
#include "vbscript/Ast.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptObject.h"

#include <QDeadlineTimer>
#include <memory>
#include <vector>

namespace vbs {

// Deepest chain of procedure calls, and the C++ stack the run may use, before error 28.
constexpr int kMaxCallDepth = 2000;
constexpr long kStackBudgetBytes = 4L * 1024 * 1024;

// What Err shows.
struct ErrState {
    int number = 0;
    QString description;
    QString source;
    void clear() { *this = ErrState(); }
};

class Interpreter {
public:
    Interpreter(const Program &prog, std::vector<std::shared_ptr<ScriptObject>> hostObjects,
                QDeadlineTimer deadline);
    ~Interpreter();

    // Runs the script-level statements; raises ScriptError with the failing line.
    void run();

    ErrState &err() { return m_err; }
    // Rnd's generator state (24-bit, as the Windows engine's).
    uint32_t rndSeed = 0x50000;
    float rndLast = 0;

    // Checks the deadline now and then; raises the fatal timeout error once it passed.
    void tick()
    {
        if (++m_ticks >= 32) {
            m_ticks = 0;
            checkDeadline();
        }
    }

private:
    struct Frame {
        std::vector<Value> own;
        std::vector<Value *> cells;
        std::vector<std::shared_ptr<ArrayData>> keep; // arrays whose elements are passed ByRef
        bool resumeNext = false;
    };
    enum class Flow { Normal, ExitDo, ExitFor, ExitProcedure };
    class FrameGuard;

    void checkDeadline();

    // Statements (Interpreter.cpp)
    Flow execBlock(const Block &b);
    Flow execStmt(const Stmt &s);
    void initDeclarations(const std::vector<Declaration> &decls);
    bool condition(const Expr *e);
    Flow execIf(const IfStmt &s);
    Flow execFor(const ForStmt &s);
    Flow execForEach(const ForEachStmt &s);
    Flow execDo(const DoStmt &s);
    Flow execSelect(const SelectStmt &s);
    void execReDim(const ReDimStmt &s);
    void execErase(const EraseStmt &s);
    void execCall(const CallStmt &s);
    void assign(const Expr *target, Value value, bool isSet);
    void catchError(const ScriptError &e);

    // Expressions and calls (InterpreterCalls.cpp)
    Value eval(const Expr *e);
    Value evalName(const NameExpr *n);
    Value evalCall(const CallExpr *c);
    Value evalMember(const MemberExpr *m, const std::vector<ExprPtr> &args, Access access);
    Value callName(const NameExpr *n, const std::vector<ExprPtr> &args, Access access);
    Value callProcedure(const Procedure &p, const std::vector<ExprPtr> &args);
    Value callBuiltin(int index, const std::vector<ExprPtr> &args);
    Value invoke(const Value &object, const QString &member, const QString &shownName,
                 std::vector<Value> &args, Access access);
    Value objectOf(const Expr *e);
    Value index(const Value &array, const std::vector<ExprPtr> &args);
    Value *elementRef(Value &array, const std::vector<ExprPtr> &args);
    std::vector<Value> evalArgs(const std::vector<ExprPtr> &args);
    Value *variable(const NameExpr *n);       // storage of a variable, or raises
    Value *reference(const Expr *e, Frame &callee); // ByRef target, or null for a temporary
    Value createObject(const QString &progId); // CreateObject
    Value newObject(const QString &className); // New
    static QString displayName(const Expr *e);

    Frame &frame() { return *m_frames.back(); }

    const Program &m_prog;
    std::vector<std::shared_ptr<ScriptObject>> m_hostObjects;
    std::shared_ptr<ScriptObject> m_errObject;
    QDeadlineTimer m_deadline;
    std::vector<std::unique_ptr<Frame>> m_frames; // [0] holds the script-level variables
    ErrState m_err;
    int m_ticks = 0;
    int m_callDepth = 0;
    const char *m_stackBase = nullptr;

    friend class ErrObject;
    friend Value builtinCreateObject(Interpreter &, std::vector<Value> &);
};

} // namespace vbs
