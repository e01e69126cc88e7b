#pragma once
// Interpreter: walks a resolved program. Internal to the engine; the host uses Engine.
#include "vbscript/Ast.h"
#include "vbscript/Resolver.h"
#include "vbscript/ScriptError.h"
#include "vbscript/ScriptObject.h"

#include <QDeadlineTimer>
#include <QHash>
#include <functional>
#include <memory>
#include <new>
#include <vector>

namespace vbs {

class BuiltinArgs;
struct Builtin;

// Deepest chain of procedure calls, and the C++ stack the run may use, before error 28.
constexpr int kMaxCallDepth = 2000;
constexpr long kStackBudgetBytes = 4L * 1024 * 1024;
// The locale scripts see (GetLocale): Chinese, PRC.
constexpr int32_t kChineseLocale = 2052;
// Statements between two looks at the clock and the memory in use.
constexpr int kStatementsPerCheck = 256;
// Nanoseconds between two looks at the memory in use.
constexpr qint64 kMemoryCheckIntervalNs = 5'000'000;

// What Err shows.
struct ErrState {
    int number = 0;
    QString description;
    QString source;
    QString helpFile;
    int helpContext = 0;
    void clear() { *this = ErrState(); }
};

class ClassInstance;
struct Builtin;

// The number of pieces s = s & p1 & ... appends in place (Interpreter::appendInPlace), or 0.
int appendedPieces(const AssignStmt &a);

// Kinds of names that stand for a variable's storage.
inline bool isStorage(const NameRef &r)
{
    return r.kind == NameRef::Local || r.kind == NameRef::Global || r.kind == NameRef::Field;
}

class Interpreter {
public:
    Interpreter(Program &prog, std::vector<std::shared_ptr<ScriptObject>> hostObjects,
                QDeadlineTimer deadline, QHash<QString, int> hostIndex = {});
    ~Interpreter();

    // Runs the script-level statements; raises ScriptError with the failing line.
    void run();

    ErrState &err() { return m_err; }

    // Classes (InterpreterClasses.cpp). A member of an object, with values for arguments: for
    // ClassInstance::invoke, and for assignments. For Let and Set the value is the last one.
    Value memberAccess(const std::shared_ptr<ClassInstance> &self, int member,
                       std::vector<Value> &values, Access access, const QString &shownName);
    // Runs Class_Terminate of an object whose last reference went; errors are dropped, except
    // the run's limits (timeout, 7, 28), which the next statement raises.
    void terminate(const std::shared_ptr<ClassInstance> &self);
    // Execute / ExecuteGlobal (in the script-level scope) and Eval (InterpreterDynamic.cpp).
    void execute(const QString &code, bool global);
    Value evaluate(const QString &expression);
    // The procedure a script names in GetRef, or null.
    const Procedure *procedureNamed(const QString &name) const;

    // Calls a procedure (or a method of `self`) with arguments already evaluated.
    Value callWithValues(const Procedure &p, std::vector<Value> &values,
                         std::shared_ptr<ClassInstance> self = {});
    // Rnd's generator state (24-bit, as the Windows engine's).
    uint32_t rndSeed = 0x50000;
    float rndLast = float(0x50000) / 16777216.0f; // Rnd(0) before any other call: the seed
    int32_t locale = kChineseLocale; // GetLocale/SetLocale

    // Checks the deadline and the memory budget now and then: raises the fatal timeout error
    // once the deadline passed, 7 past the budget. Built-ins that can run long check the
    // deadline themselves, so a few hundred statements between looks are safe.
    void tick()
    {
        if (--m_ticksLeft == 0) [[unlikely]] {
            m_ticksLeft = kStatementsPerCheck;
            checkDeadline();
        }
    }

private:
    struct Frame {
        std::vector<Value> own;
        std::vector<Value *> cells;
        std::vector<std::shared_ptr<ArrayData>> keep; // arrays whose elements are passed ByRef
        bool resumeNext = false;
        bool redirected = false; // some cell points at a caller's variable (ByRef)
        std::shared_ptr<ClassInstance> self; // Me, in a method of a class
        const Procedure *proc = nullptr; // null at script level; kept in the pool
        // Variables that code compiled by Execute added to this frame, and their storage.
        std::unique_ptr<QHash<QString, NameRef>> dynamicNames;
        std::vector<std::unique_ptr<Value>> extra;
        // The script-level cells as this frame's code sees them, when Execute declared
        // locals that hide script-level variables of the same names; empty otherwise.
        std::vector<Value *> shadow;
        // While the frame runs, the frame of its caller; in the pool, the next free frame.
        Frame *link = nullptr;
    };
    using Flow = vbs::Flow;
    template <bool valuesOnly>
    class FrameGuard;

    void checkDeadline();
    [[noreturn]] void raisePending();
    // Every object of the script's classes and every Dictionary is listed here, so that the
    // end of the run can break the reference cycles among them.
    void own(const std::shared_ptr<ScriptObject> &object);
    void releaseOwned();

    // Statements (Interpreter.cpp)
    Flow execBlock(const Block &b);
    // The same inline, for the blocks of If and of procedure bodies, often one statement long.
    [[gnu::always_inline]] Flow runBlock(const Block &b)
    {
        for (const auto &s : b) {
            Flow flow;
            try {
                try {
                    flow = execStmt(*s);
                    if (m_pending) [[unlikely]]
                        raisePending();
                } catch (const std::bad_alloc &) {
                    raise(Err::OutOfMemory);
                }
            } catch (ScriptError &e) {
                if (e.line == 0)
                    e.line = s->line;
                if (e.fatal || !frame().resumeNext)
                    throw;
                catchError(e);
                continue;
            }
            if (flow != Flow::Normal)
                return flow;
        }
        return Flow::Normal;
    }
    Flow execStmt(const Stmt &s)
    {
        tick();
        return s.code(*this, &s);
    }
    // A statement of any kind, for those the compiler leaves to the tree walk.
    Flow execTree(const Stmt &s);
    void initDeclarations(const std::vector<Declaration> &decls) { initDeclarations(decls, frame()); }
    void initDeclarations(const std::vector<Declaration> &decls, Frame &f);
    bool condition(const Expr *e);
    Flow execIf(const IfStmt &s);
    // Under On Error Resume Next an error in a block's header is recorded and the body runs
    // once, as the statement after the header is the body's first; otherwise it propagates.
    void resumeAfterHeader(const ScriptError &e);
    Flow runBodyOnce(const Block &body, Flow loopExit);
    Flow execFor(const ForStmt &s);
    Flow execForEach(const ForEachStmt &s);
    Flow execDo(const DoStmt &s);
    bool loopEnds(const DoStmt &s, bool before);
    Flow execSelect(const SelectStmt &s);
    void execReDim(const ReDimStmt &s);
    void execErase(const EraseStmt &s);
    void execCall(const CallStmt &s);
    void assign(const Expr *target, Value value, bool isSet);
    void assignNested(const CallExpr *target, Value value, Access access);
    static bool namesMember(const Expr *target);
    // s = s & a & b ... extends s where it is (InterpreterAppend.cpp); false if not that form.
    bool appendInPlace(const AssignStmt &a);
    void assignMember(const Value &object, const MemberExpr *m, std::vector<Value> &args,
                      Access access);
    void catchError(const ScriptError &e);
    Flow execWith(const WithStmt &s);
    void releaseGlobals();

    // Expressions and calls (InterpreterCalls.cpp)
    // Runs the node's compiled code; evalOther is the tree walk of any kind.
    Value eval(const Expr *e) { return e->code(*this, e); }
    Value evalOther(const Expr *e);
    Value evalBinary(const BinaryExpr *b);
    Value combine(const BinaryExpr *b, const Value &l, const Value &r, Value *temp);
    // combine past its common cases: the general operator, with what the operands were written as.
    Value generalBinaryOp(const BinaryExpr *b, const Value &l, const Value &r);
    // A literal's or a variable's value in place, or null when `e` must be evaluated.
    const Value *peek(const Expr *e)
    {
        if (e->kind == ExprKind::Literal)
            return &static_cast<const LiteralExpr *>(e)->value;
        if (e->kind == ExprKind::Name) {
            const NameRef &r = static_cast<const NameExpr *>(e)->ref;
            if (r.kind == NameRef::Local)
                return m_localCells[r.index];
            if (r.kind == NameRef::Global)
                return m_globalCells[r.index];
        }
        return nullptr;
    }
    Value evalName(const NameExpr *n);
    // Whether evaluating `e` cannot run script code: a literal, a variable, or an operator on
    // them, none of them an object.
    bool harmless(const Expr *e);
    Value evalCall(const CallExpr *c);
    Value evalMember(const MemberExpr *m, const std::vector<ExprPtr> &args, Access access);
    Value callName(const NameExpr *n, const std::vector<ExprPtr> &args, Access access);
    // A variable's value `v` used with arguments (an element, a default member) or alone.
    Value callValue(const NameExpr *n, Value v, const std::vector<ExprPtr> &args, Access access);
    // `self`, when given, is moved into the frame as Me.
    Value callProcedure(const Procedure &p, const std::vector<ExprPtr> &args,
                        std::shared_ptr<ClassInstance> *self = nullptr);
    // Whether a call of `p` with `args` only evaluates its arguments: one for each parameter,
    // none left out, none that a ByRef parameter could take as a reference.
    static bool passesValues(const Procedure &p, const std::vector<ExprPtr> &args);
    // The procedure a call names; `callee` is a name resolved to a procedure.
    const Procedure &procedureNamedBy(const ExprPtr &callee) const
    {
        return *m_prog.procedures[size_t(static_cast<const NameExpr *>(callee.get())->ref.index)];
    }
    // callProcedure for such a call; `argc`, when not -1, is the number of arguments, and
    // `plain` says that `p` is a function without declarations.
    template <int argc, bool plain>
    Value callPassingValues(const Procedure &p, const std::vector<ExprPtr> &args);
    void passValue(Value *slot, const Expr *a);
    // The same as the compiled code of a call of `p` in an expression (of `argc` arguments)
    // and of a call statement.
    static ExprCode procedureCallPassingValues(const Procedure &p, size_t argc);
    template <int argc, bool plain>
    static Value procedureCallPassing(Interpreter &in, const Expr *e);
    static Flow callStatementPassingValues(Interpreter &in, const Stmt *s);
    // A frame for a call of `p`, from the pool; FrameGuard puts it on the stack and back.
    Frame &newFrame(const Procedure &p, std::shared_ptr<ClassInstance> *self);
    template <bool plain, bool valuesOnly>
    Value runFrame(const Procedure &p, FrameGuard<valuesOnly> &guard);
    template <bool valuesOnly>
    void recycle(Frame &f); // empties a finished frame into the pool
    static void pointCellsAtOwnSlots(Frame &f);
    Value callBuiltin(int index, const std::vector<ExprPtr> &args);
    // A built-in called as a statement: one that only gives a value (CInt and the like)
    // raises 458 once it has run.
    void callBuiltinStatement(int index, const std::vector<ExprPtr> &args);
    Value runBuiltin(const Builtin &b, BuiltinArgs &values);
    Value invoke(const Value &object, const QString &member, const QString &shownName,
                 std::vector<Value> &args, Access access);
    // The same, naming `shown` (see displayName) only when the member is missing.
    Value invoke(const Value &object, const QString &member, const Expr *shown,
                 std::vector<Value> &args, Access access);
    Value objectOf(const Expr *e);
    Value index(const Value &array, const std::vector<ExprPtr> &args);
    Value *elementRef(Value &array, const std::vector<ExprPtr> &args);
    std::vector<Value> evalArgs(const std::vector<ExprPtr> &args);
    // Evaluated arguments in a vector kept from call to call (InterpreterCalls.cpp).
    class ArgBuffer;
    Value *variable(const NameExpr *n);       // storage of a variable, or raises
    Value *reference(const Expr *e, Frame &callee); // ByRef target, or null for a temporary
    // A procedure that ExecuteGlobal defined after `n` was resolved as a variable, or null.
    const Procedure *lateProcedure(const NameExpr *n) const;
    // Under Option Explicit: a variable ExecuteGlobal declared after `n` was resolved. Binds
    // `n` to it and returns true, or false when there is none.
    bool bindLateVariable(const NameExpr *n);
    // A name the running procedure's own code could not know: a local that an Execute in this
    // call declared (null when there is none).
    Value *executedLocal(const NameExpr *n);
    // The scope of the running frame, for code compiled now; grows the frames afterwards.
    struct DynamicScope;
    void resolveInFrame(const std::function<void(const RunningScope &)> &resolve, bool global);
    void shadowGlobals(Frame &f);
    Value createObject(const QString &progId); // CreateObject
    Value newObject(const QString &className, bool undeclaredName); // New
    static QString displayName(const Expr *e);

    // Classes (InterpreterClasses.cpp)
    Value newInstance(int classIndex);
    Value memberCall(const std::shared_ptr<ClassInstance> &self, int member,
                     const std::vector<ExprPtr> &args, Access access, const QString &shownName);
    // The member of `object` a script may use by `name` here, or -1.
    int visibleMember(const ClassInstance &object, const QString &name) const;
    static ClassInstance *instanceOf(const Value &v);
    Value indexByValues(const Value &array, const std::vector<Value> &idx, size_t count);
    Value *elementByValues(Value &array, const std::vector<Value> &idx, size_t count);

    Frame &frame() { return *m_top; }
    // The variables of the running frame and of the script level, kept at hand: every
    // change to the stack or to a running frame's cells calls this.
    void syncCells()
    {
        const Frame &running = *m_top;
        m_localCells = running.cells.data();
        m_globalCells = running.shadow.empty() ? m_scriptCells : running.shadow.data();
    }
    // The same after the script-level cells changed (the run began, ExecuteGlobal added some).
    void syncAllCells()
    {
        m_scriptCells = m_scriptFrame->cells.data();
        syncCells();
    }

    Program &m_prog;
    QHash<QString, int> m_hostIndex;
    // Objects of this run's classes reach the interpreter through this, until it is gone.
    std::shared_ptr<Interpreter *> m_token;
    std::vector<std::shared_ptr<ScriptObject>> m_hostObjects;
    std::shared_ptr<ScriptObject> m_errObject;
    QDeadlineTimer m_deadline;
    // Every frame this run made; a frame is either on the stack or in the pool.
    std::vector<std::unique_ptr<Frame>> m_frameStore;
    // The call stack, linked from the running frame to the script level's, which holds the
    // script-level variables.
    Frame *m_top = nullptr;
    Frame *m_scriptFrame = nullptr;
    Value *const *m_localCells = nullptr;
    Value *const *m_globalCells = nullptr;
    Value *const *m_scriptCells = nullptr; // the script level's own cells
    ErrState m_err;
    Frame *m_freeFrames = nullptr; // finished frames, reused by calls, linked
    // Argument vectors of the calls in progress (ArgBuffer), one per nesting level.
    std::vector<std::unique_ptr<std::vector<Value>>> m_argPool;
    size_t m_argDepth = 0;
    int m_ticksLeft = kStatementsPerCheck; // statements until the next look at the clock
    qint64 m_nextMemoryCheck = 0;
    std::unique_ptr<ScriptError> m_pending; // a limit Class_Terminate ran into
    std::vector<std::weak_ptr<ScriptObject>> m_owned;
    size_t m_ownedCompactAt = 1024;
    size_t m_procedureCount = 0; // procedures known when the script was compiled
    int m_callDepth = 0;
    const Builtin *m_builtins; // the table of built-in functions, looked up once
    uintptr_t m_stackLimit = 0; // the lowest address the run's C++ stack may reach

    friend class ErrObject;
    friend struct ExpressionCode;
    friend struct StatementCode;
    friend Value builtinCreateObject(Interpreter &, BuiltinArgs &);
};

} // namespace vbs
