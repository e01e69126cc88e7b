#include "vbscript/Interpreter.h"

#include "vbscript/Builtins.h"
#include "vbscript/ClassInstance.h"
#include "vbscript/Coerce.h"
#include "vbscript/ErrObject.h"
#include "vbscript/Operators.h"
#include "vbscript/Sandbox.h"

#include <algorithm>
#include <new>

namespace vbs {

Interpreter::Interpreter(Program &prog, std::vector<std::shared_ptr<ScriptObject>> hostObjects,
                         QDeadlineTimer deadline, QHash<QString, int> hostIndex)
    : m_prog(prog), m_hostIndex(std::move(hostIndex)),
      m_token(std::make_shared<Interpreter *>(this)), m_hostObjects(std::move(hostObjects)),
      m_deadline(deadline), m_builtins(builtinTable().data())
{
    m_errObject = std::make_shared<ErrObject>(m_err);
    m_procedureCount = m_prog.procedures.size();
}

Interpreter::~Interpreter()
{
    // Objects that outlive the run are deleted without Class_Terminate; those that only hold
    // each other are freed now.
    *m_token = nullptr;
    releaseOwned();
}

// At the end of a run the script's objects are released in the order of their variables,
// each running its Class_Terminate.
void Interpreter::releaseGlobals()
{
    Frame &globals = *m_scriptFrame;
    for (Value *cell : globals.cells) {
        Value dying = std::move(*cell);
        try {
            dying = Value();
        } catch (...) {
        }
    }
}

void Interpreter::checkDeadline()
{
    const qint64 now = QDeadlineTimer::current().deadlineNSecs();
    if (now >= m_deadline.deadlineNSecs())
        raiseTimeout();
    askRunHost(now);
    // Reading the memory in use asks the kernel, which costs as much as a few hundred
    // statements: it is looked at every few milliseconds. Large strings and arrays look at
    // the budget themselves when they are made, so what grows in between is small.
    if (now >= m_nextMemoryCheck) {
        m_nextMemoryCheck = now + kMemoryCheckIntervalNs;
        checkMemory();
    }
}

void Interpreter::run()
{
    char base;
    m_stackLimit = reinterpret_cast<uintptr_t>(&base) - uintptr_t(kStackBudgetBytes);
    m_frameStore.push_back(std::make_unique<Frame>());
    Frame &globals = *m_frameStore.back();
    globals.own.resize(size_t(m_prog.globalCount));
    pointCellsAtOwnSlots(globals);
    m_top = m_scriptFrame = &globals;
    syncAllCells();
    try {
        initDeclarations(m_prog.decls);
    } catch (ScriptError &e) {
        if (e.line == 0)
            e.line = 1;
        throw;
    }
    execBlock(m_prog.body);
    releaseGlobals();
    if (m_pending)
        raisePending();
}

void Interpreter::initDeclarations(const std::vector<Declaration> &decls, Frame &f)
{
    for (const auto &d : decls) {
        try {
            switch (d.kind) {
            case Declaration::FixedArray: {
                // A second Dim of an array that already has its bounds (twice in one scope,
                // or again through Execute) finds the array fixed.
                const Value &now = *f.cells[d.slot];
                if (now.isArray() && now.asArray()->fixedSize)
                    raise(Err::ArrayFixed);
                auto a = makeArray(d.upper);
                a->fixedSize = true;
                *f.cells[d.slot] = Value::array(std::move(a));
                break;
            }
            case Declaration::DynamicArray:
                *f.cells[d.slot] = Value::array(std::make_shared<ArrayData>());
                break;
            case Declaration::Const:
                *f.cells[d.slot] = eval(d.value.get());
                break;
            case Declaration::Variable:
                break;
            }
        } catch (ScriptError &e) {
            if (e.line == 0)
                e.line = d.line;
            throw;
        }
    }
}

void Interpreter::catchError(const ScriptError &e)
{
    m_err.number = e.number;
    m_err.description = e.description;
    m_err.source = e.source.isEmpty() ? runtimeErrorSource() : e.source;
    m_err.helpFile = e.helpFile;
    m_err.helpContext = e.helpContext;
}

Interpreter::Flow Interpreter::execBlock(const Block &b) { return runBlock(b); }

Interpreter::Flow Interpreter::execTree(const Stmt &s)
{
    switch (s.kind) {
    case StmtKind::Assign: {
        const auto &a = static_cast<const AssignStmt &>(s);
        if (a.isSet) {
            assign(a.target.get(), eval(a.value.get()), true);
            return Flow::Normal;
        }
        if (a.appends != 0 && appendInPlace(a))
            return Flow::Normal;
        Value v = eval(a.value.get());
        if (a.target->kind == ExprKind::Name && !v.isObject()) { // the usual x = value
            const NameRef &r = static_cast<const NameExpr *>(a.target.get())->ref;
            if ((r.kind == NameRef::Local || r.kind == NameRef::Global) && !r.readOnly) {
                *(r.kind == NameRef::Local ? m_localCells : m_globalCells)[r.index] = std::move(v);
                return Flow::Normal;
            }
        }
        assign(a.target.get(), std::move(v), false);
        return Flow::Normal;
    }
    case StmtKind::Call:
        execCall(static_cast<const CallStmt &>(s));
        return Flow::Normal;
    case StmtKind::If:
        return execIf(static_cast<const IfStmt &>(s));
    case StmtKind::For:
        return execFor(static_cast<const ForStmt &>(s));
    case StmtKind::ForEach:
        return execForEach(static_cast<const ForEachStmt &>(s));
    case StmtKind::Do:
        return execDo(static_cast<const DoStmt &>(s));
    case StmtKind::Select:
        return execSelect(static_cast<const SelectStmt &>(s));
    case StmtKind::ReDim:
        execReDim(static_cast<const ReDimStmt &>(s));
        return Flow::Normal;
    case StmtKind::Erase:
        execErase(static_cast<const EraseStmt &>(s));
        return Flow::Normal;
    case StmtKind::Exit:
        switch (static_cast<const ExitStmt &>(s).what) {
        case ExitStmt::Do:
            return Flow::ExitDo;
        case ExitStmt::For:
            return Flow::ExitFor;
        default:
            return Flow::ExitProcedure;
        }
    case StmtKind::OnError:
        frame().resumeNext = static_cast<const OnErrorStmt &>(s).resumeNext;
        m_err.clear();
        return Flow::Normal;
    case StmtKind::With:
        return execWith(static_cast<const WithStmt &>(s));
    case StmtKind::Nop:
        return Flow::Normal;
    }
    return Flow::Normal;
}

// A comparison such as n < 2 runs its compiled code, which compares two Integer or Long values
// where they are: faster than looking at the operands' kinds here first.
[[gnu::always_inline]] inline bool Interpreter::condition(const Expr *e)
{
    Value v = eval(e);
    if (v.type() == Type::Boolean) // a comparison
        return v.asBool();
    if (v.isNull())
        return false;
    return toBool(v);
}

Interpreter::Flow Interpreter::execIf(const IfStmt &s)
{
    for (const auto &br : s.branches) {
        bool taken;
        try {
            taken = condition(br.cond.get());
        } catch (ScriptError &e) {
            // Under On Error Resume Next a failing condition falls through into its branch.
            if (e.fatal || !frame().resumeNext)
                throw;
            catchError(e);
            taken = true;
        }
        if (taken)
            return runBlock(br.body);
    }
    return runBlock(s.elseBody);
}

void Interpreter::resumeAfterHeader(const ScriptError &e)
{
    if (e.fatal || !frame().resumeNext)
        throw;
    catchError(e);
}

Interpreter::Flow Interpreter::runBodyOnce(const Block &body, Flow loopExit)
{
    const Flow f = execBlock(body);
    return f == loopExit ? Flow::Normal : f;
}

Interpreter::Flow Interpreter::execFor(const ForStmt &s)
{
    Value *counter;
    Value from, to, step;
    try {
        counter = variable(s.var.get());
        from = toNumeric(eval(s.from.get()));
        to = toNumeric(eval(s.to.get()));
        step = s.step ? toNumeric(eval(s.step.get())) : Value::integer(1);
        if (from.isNull() || to.isNull() || step.isNull())
            raise(Err::InvalidNull);
    } catch (const ScriptError &e) {
        // Resumed, the body runs once and its Next finds a loop that never started.
        resumeAfterHeader(e);
        const Flow f = runBodyOnce(s.body, Flow::ExitFor);
        if (f == Flow::Normal)
            catchError(ScriptError{Err::ForNotInitialized, errorText(Err::ForNotInitialized), s.line,
                                   false, false, {}, {}, 0});
        return f;
    }
    const bool up = step.asDouble() >= 0;
    *counter = from;
    const bool emptyBody = s.body.empty();
    for (;;) {
        // The body's statements look at the clock; an empty loop must itself.
        if (emptyBody)
            tick();
        if (counter->isSmallInteger() && to.isSmallInteger()) {
            if (up ? counter->asSmallInteger() > to.asSmallInteger() : counter->asSmallInteger() < to.asSmallInteger())
                break;
        } else {
            const int c = compareValues(*counter, to, false, false);
            if (c == 2 || (up ? c > 0 : c < 0))
                break;
        }
        Flow f = runBlock(s.body);
        if (f == Flow::ExitFor)
            break;
        if (f != Flow::Normal)
            return f;
        // The step added as the operator + adds it, in place when both are Integer or Long.
        if (counter->isSmallInteger() && step.isSmallInteger())
            *counter = integerResult(counter->type() == Type::Integer && step.type() == Type::Integer,
                                     (long long)counter->asSmallInteger() + step.asSmallInteger());
        else
            *counter = binaryOp(BinOp::Add, *counter, step);
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execForEach(const ForEachStmt &s)
{
    Value *var;
    std::vector<Value> objectItems;
    std::shared_ptr<ArrayData> array;
    try {
        var = variable(s.var.get());
        Value coll = eval(s.collection.get());
        if (coll.isArray()) {
            array = coll.asArray(); // shared: writes in the body copy the array, not this
        } else if (coll.isObject() && coll.asObject()) {
            if (!coll.asObject()->enumerate(objectItems))
                raise(Err::NotACollection);
        } else {
            raise(coll.isObject() ? Err::ObjectRequired : Err::NotACollection);
        }
    } catch (const ScriptError &e) {
        resumeAfterHeader(e);
        const Flow f = runBodyOnce(s.body, Flow::ExitFor);
        // A collection that failed to evaluate is none: Next leaves 451, as For leaves 92.
        if (f == Flow::Normal && e.number != Err::NotACollection)
            catchError(ScriptError{Err::NotACollection, errorText(Err::NotACollection), s.line,
                                   false, false, {}, {}, 0});
        return f;
    }
    const size_t count = array ? array->items.size() : objectItems.size();
    for (size_t i = 0; i < count; ++i) {
        tick();
        *var = array ? array->items[i] : objectItems[i];
        Flow f = runBlock(s.body);
        if (f == Flow::ExitFor)
            break;
        if (f != Flow::Normal)
            return f;
    }
    return Flow::Normal;
}

// Whether a Do loop ends at its test before the body (`before`) or after it.
bool Interpreter::loopEnds(const DoStmt &s, bool before)
{
    if (s.test == (before ? DoStmt::PreWhile : DoStmt::PostWhile))
        return !condition(s.cond.get());
    if (s.test == (before ? DoStmt::PreUntil : DoStmt::PostUntil))
        return condition(s.cond.get());
    return false;
}

Interpreter::Flow Interpreter::execDo(const DoStmt &s)
{
    for (;;) {
        tick();
        bool ends;
        try {
            ends = loopEnds(s, true);
        } catch (const ScriptError &e) {
            resumeAfterHeader(e);
            return runBodyOnce(s.body, Flow::ExitDo);
        }
        if (ends)
            break;
        Flow f = runBlock(s.body);
        if (f == Flow::ExitDo)
            break;
        if (f != Flow::Normal)
            return f;
        try {
            ends = loopEnds(s, false);
        } catch (const ScriptError &e) {
            resumeAfterHeader(e); // resumed, the loop is left
            break;
        }
        if (ends)
            break;
    }
    return Flow::Normal;
}

Interpreter::Flow Interpreter::execSelect(const SelectStmt &s)
{
    Value test;
    try {
        test = eval(s.test.get());
    } catch (const ScriptError &e) {
        resumeAfterHeader(e); // resumed, no Case runs
        return Flow::Normal;
    }
    // The tested value is held for the comparisons: it no longer counts as a literal, only a
    // Case's own value can (Select Case 3 meets Case "test" as text, without an error).
    for (const auto &c : s.cases) {
        for (const auto &v : c.values) {
            Value value;
            try {
                value = eval(v.get());
            } catch (const ScriptError &e) {
                resumeAfterHeader(e); // resumed, the failing Case's body runs
                return execBlock(c.body);
            }
            Value r = binaryOp(BinOp::Eq, test, value, false, comparesAsLiteral(v.get()));
            if (r.type() == Type::Boolean && r.asBool())
                return execBlock(c.body);
        }
    }
    return execBlock(s.elseBody);
}

Interpreter::Flow Interpreter::execWith(const WithStmt &s)
{
    Value *slot = variable(s.var.get());
    try {
        Value object = eval(s.object.get());
        if (!object.isObject())
            raise(Err::ObjectRequired);
        *slot = std::move(object); // Nothing fails only when a member is used
    } catch (const ScriptError &e) {
        resumeAfterHeader(e);
    }
    struct Release {
        Value *slot;
        ~Release() { *slot = Value(); }
    } release{slot};
    return execBlock(s.body);
}

void Interpreter::execReDim(const ReDimStmt &s)
{
    for (const auto &item : s.items) {
        Value *slot = variable(item.name.get());
        // ReDim finds a fixed array before it reads the bounds, ReDim Preserve after them
        // (a bound that is no number raises 13 there).
        const bool fixed = slot->isArray() && slot->asArray()->fixedSize;
        if (fixed && !s.preserve)
            raise(Err::ArrayFixed);
        std::vector<int32_t> upper;
        for (const auto &b : item.bounds)
            upper.push_back(toLong(eval(b.get())));
        if (fixed)
            raise(Err::ArrayFixed);
        const ArrayData *keep = nullptr;
        if (s.preserve && slot->isArray() && slot->asArray()->dims() > 0) {
            const ArrayData &old = *slot->asArray();
            if (old.dims() != int(upper.size()))
                raise(Err::SubscriptOutOfRange);
            for (int d = 0; d + 1 < old.dims(); ++d)
                if (old.upper[d] != upper[d])
                    raise(Err::SubscriptOutOfRange);
            // Only the last dimension changes, and it varies slowest: the kept elements are
            // a prefix of both arrays.
            keep = &old;
        }
        *slot = Value::array(makeArray(upper, keep));
    }
}

void Interpreter::execErase(const EraseStmt &s)
{
    for (const auto &n : s.names) {
        Value *slot = variable(n.get());
        if (!slot->isArray())
            raise(Err::TypeMismatch);
        if (slot->asArray()->fixedSize) {
            auto a = makeArray(slot->asArray()->upper);
            a->fixedSize = true;
            *slot = Value::array(std::move(a));
        } else {
            *slot = Value::array(std::make_shared<ArrayData>());
        }
    }
}

void Interpreter::execCall(const CallStmt &s)
{
    const Expr *callee = s.callee.get();
    if (callee->kind == ExprKind::Name)
        callName(static_cast<const NameExpr *>(callee), s.args, Access::Call);
    else if (callee->kind == ExprKind::Member)
        evalMember(static_cast<const MemberExpr *>(callee), s.args, Access::Call);
    else
        eval(callee);
}

void Interpreter::assignMember(const Value &object, const MemberExpr *m, std::vector<Value> &args,
                               Access access)
{
    if (ClassInstance *instance = instanceOf(object)) {
        const int member = visibleMember(*instance, m->name);
        if (member < 0)
            raiseNamed(Err::NoSuchMember, displayName(m));
        memberAccess(instance->shared_from_this(), member, args, access, displayName(m));
        return;
    }
    if (access == Access::Let && args.back().isObject())
        args.back() = dereference(args.back());
    invoke(object, m->name, m, args, access);
}

void Interpreter::assign(const Expr *target, Value value, bool isSet)
{
    if (isSet) {
        if (!value.isObject())
            raise(Err::ObjectRequired);
    } else if (value.isObject() && !namesMember(target)) {
        value = dereference(value); // members decide for themselves (Property Let takes objects)
    }
    const Access access = isSet ? Access::Set : Access::Let;
    switch (target->kind) {
    case ExprKind::Name: {
        auto *n = static_cast<const NameExpr *>(target);
        if (n->ref.kind == NameRef::Member) { // a property of Me
            std::vector<Value> args{std::move(value)};
            memberAccess(frame().self, n->ref.index, args, access, n->name);
            return;
        }
        *variable(n) = std::move(value);
        return;
    }
    case ExprKind::Member: {
        auto *m = static_cast<const MemberExpr *>(target);
        std::vector<Value> args{std::move(value)};
        assignMember(objectOf(m->object.get()), m, args, access);
        return;
    }
    case ExprKind::Call: {
        auto *c = static_cast<const CallExpr *>(target);
        if (c->callee->kind == ExprKind::Call) {
            assignNested(c, std::move(value), access);
            return;
        }
        if (c->callee->kind == ExprKind::Member) {
            auto *m = static_cast<const MemberExpr *>(c->callee.get());
            Value object = objectOf(m->object.get());
            std::vector<Value> args = evalArgs(c->args);
            args.push_back(std::move(value));
            assignMember(object, m, args, access);
            return;
        }
        if (c->callee->kind == ExprKind::Name) {
            auto *n = static_cast<const NameExpr *>(c->callee.get());
            if (n->ref.kind == NameRef::Member) {
                std::vector<Value> args = evalArgs(c->args);
                args.push_back(std::move(value));
                memberAccess(frame().self, n->ref.index, args, access, n->name);
                return;
            }
            if (isStorage(n->ref)) {
                Value *slot = variable(n);
                if (slot->isArray()) {
                    *elementRef(*slot, c->args) = std::move(value);
                    return;
                }
                if (slot->isObject()) {
                    std::vector<Value> args = evalArgs(c->args);
                    args.push_back(std::move(value));
                    invoke(*slot, QString(), n->name, args, isSet ? Access::Set : Access::Let);
                    return;
                }
                raiseNamed(Err::TypeMismatch, n->name);
            }
            if (n->ref.kind == NameRef::Undeclared)
                raiseNamed(Err::UndefinedVariable, n->name);
        }
        raise(Err::IllegalAssignment);
    }
    default:
        raise(Err::IllegalAssignment);
    }
}

// Whether an assignment to `target` goes to a member of an object (or of Me).
bool Interpreter::namesMember(const Expr *target)
{
    if (target->kind == ExprKind::Call)
        target = static_cast<const CallExpr *>(target)->callee.get();
    if (target->kind == ExprKind::Member)
        return true;
    return target->kind == ExprKind::Name
           && static_cast<const NameExpr *>(target)->ref.kind == NameRef::Member;
}

// x(0)(1) = v: every index is evaluated first, then each level's element is reached in place
// (an object on the way is asked for its default member).
void Interpreter::assignNested(const CallExpr *target, Value value, Access access)
{
    std::vector<const CallExpr *> chain;
    const Expr *e = target;
    while (e->kind == ExprKind::Call) {
        chain.push_back(static_cast<const CallExpr *>(e));
        e = chain.back()->callee.get();
    }
    if (e->kind != ExprKind::Name || !isStorage(static_cast<const NameExpr *>(e)->ref))
        raise(Err::IllegalAssignment);
    const auto *n = static_cast<const NameExpr *>(e);
    std::reverse(chain.begin(), chain.end());
    std::vector<std::vector<Value>> indexes;
    for (const CallExpr *c : chain)
        indexes.push_back(evalArgs(c->args));
    Value *slot = variable(n);
    Value holder; // an object reached on the way
    for (size_t level = 0; level < chain.size(); ++level) {
        std::vector<Value> &idx = indexes[level];
        const bool last = level + 1 == chain.size();
        if (slot->isArray()) {
            Value *element = elementByValues(*slot, idx, idx.size());
            if (last)
                *element = std::move(value);
            slot = element;
        } else if (slot->isObject() && slot->asObject()) {
            if (last) {
                idx.push_back(std::move(value));
                invoke(*slot, QString(), n->name, idx, access);
                return;
            }
            Value next = invoke(*slot, QString(), n->name, idx, Access::Get);
            holder = std::move(next);
            slot = &holder;
        } else {
            raiseNamed(Err::TypeMismatch, n->name);
        }
    }
}

} // namespace vbs
