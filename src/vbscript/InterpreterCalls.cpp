#include "vbscript/Builtins.h"
#include "vbscript/ClassInstance.h"
#include "vbscript/Coerce.h"
#include "vbscript/LongText.h"
#include "vbscript/Dictionary.h"
#include "vbscript/RegExp.h"
#include "vbscript/Interpreter.h"
#include "vbscript/Operators.h"
#include "vbscript/ValueSlots.h"

namespace vbs {

// Holds a procedure's frame from its making to its end: enter() pushes it once the
// arguments are in, and however the call ends it is popped and goes back to the pool. All of
// it inline: a call of a small function spends most of its time here.
// `valuesOnly`: the call passes its arguments by value and no Me, so the frame ends with no
// redirected cells and no object of its own, only what Execute may have added.
template <bool valuesOnly>
class Interpreter::FrameGuard {
public:
    [[gnu::always_inline]] FrameGuard(Interpreter &in, const Procedure &p, std::shared_ptr<ClassInstance> *self)
        : m_in(in), m_frame(in.newFrame(p, self))
    {
    }
    [[gnu::always_inline]] ~FrameGuard()
    {
        // The frame's variables go only once the stack is consistent again: releasing an
        // object may run its Class_Terminate, which pushes frames of its own.
        if (m_entered) {
            m_in.m_top = m_frame.link;
            m_in.syncCells();
            --m_in.m_callDepth;
        }
        m_in.recycle<valuesOnly>(m_frame);
    }
    FrameGuard(const FrameGuard &) = delete;
    FrameGuard &operator=(const FrameGuard &) = delete;

    Frame &frame() { return m_frame; }
    [[gnu::always_inline]] void enter()
    {
        m_frame.link = m_in.m_top;
        m_in.m_top = &m_frame;
        // A frame just made has no shadowed script-level cells: Execute adds those later.
        m_in.m_localCells = m_frame.cells.data();
        m_in.m_globalCells = m_in.m_scriptCells;
        ++m_in.m_callDepth;
        m_entered = true;
    }

private:
    Interpreter &m_in;
    Frame &m_frame;
    bool m_entered = false;
};

// The evaluated arguments of a call to a built-in or an object's member. The vector comes
// from a pool, so a call allocates nothing once the pool is warm; it is emptied afterwards.
class Interpreter::ArgBuffer {
public:
    [[gnu::always_inline]] explicit ArgBuffer(Interpreter &in) : m_in(in)
    {
        if (m_in.m_argDepth == m_in.m_argPool.size()) [[unlikely]]
            grow();
        m_values = m_in.m_argPool[m_in.m_argDepth++].get();
    }
    [[gnu::always_inline]] ~ArgBuffer()
    {
        m_values->clear(); // may run Class_Terminate, which uses the next level
        --m_in.m_argDepth;
    }
    ArgBuffer(const ArgBuffer &) = delete;
    ArgBuffer &operator=(const ArgBuffer &) = delete;

    std::vector<Value> &fill(const std::vector<ExprPtr> &args)
    {
        // The pooled vector keeps its capacity from call to call: no reserve needed.
        for (const auto &a : args)
            m_values->push_back(a ? m_in.eval(a.get()) : Value::missing());
        return *m_values;
    }

private:
    [[gnu::noinline]] void grow() { m_in.m_argPool.push_back(std::make_unique<std::vector<Value>>()); }

    Interpreter &m_in;
    std::vector<Value> *m_values;
};

QString Interpreter::displayName(const Expr *e)
{
    switch (e->kind) {
    case ExprKind::Name:
        return static_cast<const NameExpr *>(e)->name;
    case ExprKind::Member: {
        auto *m = static_cast<const MemberExpr *>(e);
        if (m->object->kind == ExprKind::Name || m->object->kind == ExprKind::Member)
            return displayName(m->object.get()) + QLatin1Char('.') + m->name;
        return m->name;
    }
    case ExprKind::Call:
        return displayName(static_cast<const CallExpr *>(e)->callee.get());
    default:
        return QString();
    }
}

Value Interpreter::evalOther(const Expr *e)
{
    switch (e->kind) {
    case ExprKind::Literal:
        return static_cast<const LiteralExpr *>(e)->value;
    case ExprKind::Name:
        return evalName(static_cast<const NameExpr *>(e));
    case ExprKind::Call: {
        auto *c = static_cast<const CallExpr *>(e);
        if (c->callee->kind == ExprKind::Name) { // the usual callees: straight there
            const NameRef &r = static_cast<const NameExpr *>(c->callee.get())->ref;
            switch (r.kind) {
            case NameRef::Procedure:
                return callProcedure(*m_prog.procedures[size_t(r.index)], c->args);
            case NameRef::Builtin:
                return callBuiltin(r.index, c->args);
            case NameRef::Local:
            case NameRef::Global: {
                // a(i): the element is read in place when the subscript cannot run code that
                // changes the array (no call, no object's default member).
                const Value &v = *(r.kind == NameRef::Local ? m_localCells : m_globalCells)[r.index];
                if (v.isArray() && c->args.size() == 1 && c->args[0] && harmless(c->args[0].get()))
                    return index(v, c->args);
                break;
            }
            default:
                break;
            }
        }
        return evalCall(c);
    }
    case ExprKind::Member:
        return evalMember(static_cast<const MemberExpr *>(e), {}, Access::Get);
    case ExprKind::Unary: {
        auto *u = static_cast<const UnaryExpr *>(e);
        Value v = eval(u->operand.get());
        if (u->op == UnaryExpr::Neg)
            return negate(v);
        if (u->op == UnaryExpr::Not)
            return logicalNot(v);
        return v;
    }
    case ExprKind::Binary:
        return evalBinary(static_cast<const BinaryExpr *>(e));
    case ExprKind::Paren:
        return eval(static_cast<const ParenExpr *>(e)->inner.get());
    case ExprKind::New:
    {
        auto *n = static_cast<const NewExpr *>(e);
        return n->classIndex >= 0 ? newInstance(n->classIndex) : newObject(n->className, n->undeclaredName);
    }
    }
    return Value();
}

bool Interpreter::harmless(const Expr *e)
{
    if (e->kind == ExprKind::Binary) {
        const auto *b = static_cast<const BinaryExpr *>(e);
        const Value *l = peek(b->lhs.get()), *r = peek(b->rhs.get());
        return l && r && !l->isObject() && !r->isObject();
    }
    const Value *v = peek(e);
    return v && !v->isObject();
}

Value Interpreter::evalBinary(const BinaryExpr *b)
{
    // Literals and variables are read where they are. The left operand only when the right
    // one is also read so: evaluating the right one could change the left one.
    const Value *l = peek(b->lhs.get());
    const Value *r = peek(b->rhs.get());
    if (l && r) [[likely]] {
        if (l->isSmallInteger() && r->isSmallInteger()) {
            Value out;
            if (smallIntegerOp(b->op, *l, *r, out))
                return out;
        }
        return combine(b, *l, *r, nullptr);
    }
    Value lTemp = l ? *l : eval(b->lhs.get());
    Value rTemp;
    r = peek(b->rhs.get()); // where it is now that the left operand ran
    if (!r) {
        rTemp = eval(b->rhs.get());
        r = &rTemp;
    }
    if (lTemp.isSmallInteger() && r->isSmallInteger()) {
        Value out;
        if (smallIntegerOp(b->op, lTemp, *r, out))
            return out;
    }
    return combine(b, lTemp, *r, &lTemp);
}

// The operator of `b` on operand values; `temp` is `l` when the left operand is a temporary
// this call may extend in place.
Value Interpreter::combine(const BinaryExpr *b, const Value &l, const Value &r, Value *temp)
{
    if (std::optional<Value> v = commonBinaryOp(b->op, l, r, temp))
        return std::move(*v);
    return generalBinaryOp(b, l, r);
}

Value Interpreter::generalBinaryOp(const BinaryExpr *b, const Value &l, const Value &r)
{
    const bool aLiteral = comparesAsLiteral(b->lhs.get());
    const bool bLiteral = comparesAsLiteral(b->rhs.get());
    if (l.isObject() || r.isObject()) {
        // A default member may run code that assigns the variables: use copies.
        const Value a = l, c = r;
        return binaryOp(b->op, a, c, aLiteral, bLiteral);
    }
    return binaryOp(b->op, l, r, aLiteral, bLiteral);
}

Value *Interpreter::variable(const NameExpr *n)
{
    switch (n->ref.kind) {
    case NameRef::Local:
    case NameRef::Global:
        if (n->ref.readOnly)
            raise(Err::IllegalAssignment);
        return (n->ref.kind == NameRef::Local ? m_localCells : m_globalCells)[n->ref.index];
    case NameRef::Field:
        return &frame().self->fields[size_t(n->ref.index)];
    case NameRef::Undeclared:
        if (Value *local = executedLocal(n))
            return local;
        if (bindLateVariable(n))
            return variable(n);
        raiseNamed(Err::UndefinedVariable, n->name);
    default:
        raise(Err::IllegalAssignment);
    }
}

Value Interpreter::evalName(const NameExpr *n)
{
    switch (n->ref.kind) {
    case NameRef::Local:
        return *m_localCells[n->ref.index];
    case NameRef::Global:
        return *m_globalCells[n->ref.index];
    case NameRef::Constant:
        return n->constant;
    case NameRef::HostObject:
        return Value::object(m_hostObjects[size_t(n->ref.index)]);
    case NameRef::ErrObject:
        return Value::object(m_errObject);
    case NameRef::Field:
        return frame().self->fields[size_t(n->ref.index)];
    case NameRef::Me:
        return Value::object(frame().self);
    default:
        return callName(n, {}, Access::Get);
    }
}

Value Interpreter::callName(const NameExpr *n, const std::vector<ExprPtr> &args, Access access)
{
    switch (n->ref.kind) {
    case NameRef::Procedure:
        return callProcedure(*m_prog.procedures[size_t(n->ref.index)], args);
    case NameRef::Builtin:
        if (access == Access::Call) {
            callBuiltinStatement(n->ref.index, args);
            return Value();
        }
        return callBuiltin(n->ref.index, args);
    case NameRef::Member:
        return memberCall(frame().self, n->ref.index, args, access, n->name);
    case NameRef::Undeclared:
        if (const Procedure *late = lateProcedure(n))
            return callProcedure(*late, args);
        if (Value *local = executedLocal(n))
            return callValue(n, *local, args, access);
        if (bindLateVariable(n))
            return callName(n, args, access);
        raiseNamed(Err::UndefinedVariable, n->name);
    case NameRef::NoWith:
        raise(Err::InvalidReference);
    case NameRef::Local:
    case NameRef::Global:
    case NameRef::Field:
    case NameRef::Me:
    case NameRef::HostObject:
    case NameRef::ErrObject:
        return callValue(n, evalName(n), args, access);
    default:
        raiseNamed(Err::TypeMismatch, n->name);
    }
}

Value Interpreter::callValue(const NameExpr *n, Value v, const std::vector<ExprPtr> &args, Access access)
{
    if (v.isArray() && access != Access::Call && !args.empty())
        return index(v, args);
    if (v.isObject() && v.asObject()) {
        ArgBuffer buffer(*this);
        return invoke(v, QString(), n->name, buffer.fill(args), access);
    }
    if (access == Access::Get && args.empty())
        return v;
    if (const Procedure *late = lateProcedure(n))
        return callProcedure(*late, args);
    raiseNamed(Err::TypeMismatch, n->name);
}

Value Interpreter::evalCall(const CallExpr *c)
{
    const Expr *callee = c->callee.get();
    if (callee->kind == ExprKind::Name)
        return callName(static_cast<const NameExpr *>(callee), c->args, Access::Get);
    if (callee->kind == ExprKind::Member)
        return evalMember(static_cast<const MemberExpr *>(callee), c->args, Access::Get);
    Value v = eval(callee);
    if (v.isArray())
        return index(v, c->args);
    if (v.isObject() && v.asObject()) {
        ArgBuffer buffer(*this);
        return invoke(v, QString(), callee, buffer.fill(c->args), Access::Get);
    }
    raise(Err::TypeMismatch);
}

Value Interpreter::objectOf(const Expr *e)
{
    Value v = eval(e);
    if (!v.isObject() || !v.asObject()) {
        QString name = displayName(e);
        if (name.isEmpty())
            raise(Err::ObjectRequired);
        raiseNamed(Err::ObjectRequired, name);
    }
    return v;
}

Value Interpreter::evalMember(const MemberExpr *m, const std::vector<ExprPtr> &args, Access access)
{
    Value object = objectOf(m->object.get());
    if (ClassInstance *instance = instanceOf(object)) {
        const int member = visibleMember(*instance, m->name);
        if (member < 0)
            raiseNamed(Err::NoSuchMember, displayName(m));
        return memberCall(instance->shared_from_this(), member, args, access, displayName(m));
    }
    ArgBuffer buffer(*this);
    return invoke(object, m->name, m, buffer.fill(args), access);
}

Value Interpreter::invoke(const Value &object, const QString &member, const Expr *shown,
                          std::vector<Value> &args, Access access)
{
    Value result;
    if (!object.asObject()->invoke(member, access, args, result)) {
        const QString shownName = displayName(shown);
        if (shownName.isEmpty())
            raise(Err::NoSuchMember);
        raiseNamed(Err::NoSuchMember, shownName);
    }
    return result;
}

Value Interpreter::invoke(const Value &object, const QString &member, const QString &shownName,
                          std::vector<Value> &args, Access access)
{
    Value result;
    if (!object.asObject()->invoke(member, access, args, result)) {
        if (shownName.isEmpty())
            raise(Err::NoSuchMember);
        raiseNamed(Err::NoSuchMember, shownName);
    }
    return result;
}

std::vector<Value> Interpreter::evalArgs(const std::vector<ExprPtr> &args)
{
    std::vector<Value> values;
    values.reserve(args.size());
    for (const auto &a : args)
        values.push_back(a ? eval(a.get()) : Value::missing());
    return values;
}

Value *Interpreter::elementRef(Value &array, const std::vector<ExprPtr> &args)
{
    std::vector<int32_t> idx;
    idx.reserve(args.size());
    for (const auto &a : args) {
        if (!a)
            raise(Err::SubscriptOutOfRange);
        idx.push_back(toLong(eval(a.get())));
    }
    ArrayData &data = array.mutableArray();
    long long pos = data.offset(idx);
    if (pos < 0)
        raise(Err::SubscriptOutOfRange);
    return &data.items[size_t(pos)];
}

Value Interpreter::index(const Value &array, const std::vector<ExprPtr> &args)
{
    if (args.size() == 1 && args[0]) { // one subscript: no index vector
        const int32_t i = toLong(eval(args[0].get()));
        const ArrayData &data = *array.asArray();
        if (data.dims() != 1 || i < 0 || i > data.upper[0])
            raise(Err::SubscriptOutOfRange);
        return data.items[size_t(i)];
    }
    std::vector<int32_t> idx;
    idx.reserve(args.size());
    for (const auto &a : args) {
        if (!a)
            raise(Err::SubscriptOutOfRange);
        idx.push_back(toLong(eval(a.get())));
    }
    long long pos = array.asArray()->offset(idx);
    if (pos < 0)
        raise(Err::SubscriptOutOfRange);
    return array.asArray()->items[size_t(pos)];
}

Value *Interpreter::reference(const Expr *e, Frame &callee)
{
    if (e->kind == ExprKind::Name) {
        auto *n = static_cast<const NameExpr *>(e);
        if (isStorage(n->ref) && !n->ref.readOnly)
            return variable(n);
        return nullptr;
    }
    if (e->kind == ExprKind::Call) {
        auto *c = static_cast<const CallExpr *>(e);
        if (c->callee->kind != ExprKind::Name)
            return nullptr;
        auto *n = static_cast<const NameExpr *>(c->callee.get());
        if (!isStorage(n->ref))
            return nullptr;
        Value *slot = variable(n);
        if (!slot->isArray())
            return nullptr;
        Value *element = elementRef(*slot, c->args);
        callee.keep.push_back(slot->asArray()); // the element stays valid if the array is replaced
        return element;
    }
    return nullptr;
}

[[gnu::always_inline]] inline Interpreter::Frame &Interpreter::newFrame(const Procedure &p, std::shared_ptr<ClassInstance> *self)
{
    char probe;
    if (m_callDepth >= kMaxCallDepth || reinterpret_cast<uintptr_t>(&probe) < m_stackLimit) [[unlikely]]
        raise(Err::OutOfStack);
    if (!m_freeFrames) [[unlikely]] {
        m_frameStore.push_back(std::make_unique<Frame>());
        m_freeFrames = m_frameStore.back().get();
    }
    Frame &f = *m_freeFrames;
    m_freeFrames = f.link;
    if (f.proc != &p) [[unlikely]] {
        // A recycled frame's slots are Empty and its cells point at them: only a frame of
        // another size needs them made anew. A frame keeps its procedure in the pool, so a
        // procedure's calls mostly find their own.
        if (f.own.size() != size_t(p.slotCount)) {
            f.own.resize(size_t(p.slotCount));
            pointCellsAtOwnSlots(f);
        }
        f.proc = &p;
    }
    if (self)
        f.self = std::move(*self);
    return f;
}

void Interpreter::pointCellsAtOwnSlots(Frame &f)
{
    f.cells.resize(f.own.size());
    for (size_t i = 0; i < f.own.size(); ++i)
        f.cells[i] = &f.own[i];
    f.redirected = false;
}

template <bool valuesOnly>
[[gnu::always_inline]] inline void Interpreter::recycle(Frame &f)
{
    // Releasing the variables may run Class_Terminate, which uses frames of its own. The
    // slots stay, emptied, for the next call.
    for (Value &v : f.own)
        v.clear();
    // What only methods, ByRef arguments and Execute leave behind. Arrays are kept only for
    // a redirected cell, and shadow cells and extra slots only with names Execute added.
    if ((!valuesOnly && (f.redirected || f.self)) || f.dynamicNames) [[unlikely]] {
        f.keep.clear();
        f.self.reset();
        f.dynamicNames.reset();
        f.shadow.clear();
        if (f.redirected || f.cells.size() != f.own.size())
            pointCellsAtOwnSlots(f);
        f.extra.clear();
    }
    f.resumeNext = false;
    f.link = m_freeFrames;
    m_freeFrames = &f;
}

// `plain`: `p` is known to be a function without declarations.
template <bool plain, bool valuesOnly>
[[gnu::always_inline]] inline Value Interpreter::runFrame(const Procedure &p, FrameGuard<valuesOnly> &guard)
{
    guard.enter();
    if (!plain && !p.decls.empty())
        initDeclarations(p.decls);
    runBlock(p.body);
    if (!plain && p.returnSlot < 0)
        return Value();
    return std::move(guard.frame().own[size_t(p.returnSlot)]); // never a ByRef cell
}

Value Interpreter::callProcedure(const Procedure &p, const std::vector<ExprPtr> &args,
                                 std::shared_ptr<ClassInstance> *self)
{
    if (args.size() != p.params.size())
        raiseNamed(Err::WrongArgumentCount, p.name);
    FrameGuard<false> guard(*this, p, self);
    Frame &f = guard.frame();
    for (size_t i = 0; i < args.size(); ++i) {
        const Expr *a = args[i].get();
        if (!a)
            continue;
        const bool mayRefer = a->kind == ExprKind::Name || a->kind == ExprKind::Call;
        Value *ref = p.params[i].byRef && mayRefer ? reference(a, f) : nullptr;
        if (ref) {
            f.cells[i] = ref;
            f.redirected = true;
        } else
            f.own[i] = eval(a);
    }
    return runFrame<false>(p, guard);
}

bool Interpreter::passesValues(const Procedure &p, const std::vector<ExprPtr> &args)
{
    if (args.size() != p.params.size())
        return false;
    for (size_t i = 0; i < args.size(); ++i) {
        const Expr *a = args[i].get();
        if (!a || (p.params[i].byRef && (a->kind == ExprKind::Name || a->kind == ExprKind::Call)))
            return false;
    }
    return true;
}

// The slot is Empty: the argument's value is made right there. Should the argument fail,
// whatever the failed evaluation left in the slot is forgotten.
[[gnu::always_inline]] inline void Interpreter::passValue(Value *slot, const Expr *a)
{
    try {
        new (slot) Value(eval(a));
    } catch (...) {
        new (slot) Value();
        throw;
    }
}

template <int argc, bool plain>
[[gnu::always_inline]] inline Value Interpreter::callPassingValues(const Procedure &p,
                                                                  const std::vector<ExprPtr> &args)
{
    FrameGuard<true> guard(*this, p, nullptr);
    Value *slot = guard.frame().own.data();
    if constexpr (argc < 0) {
        for (size_t i = 0; i < args.size(); ++i)
            passValue(slot + i, args[i].get());
    } else {
        static_assert(argc <= 2, "the calls of more arguments take the loop");
        if constexpr (argc >= 1)
            passValue(slot, args[0].get());
        if constexpr (argc >= 2)
            passValue(slot + 1, args[1].get());
    }
    return runFrame<plain>(p, guard);
}

template <int argc, bool plain>
Value Interpreter::procedureCallPassing(Interpreter &in, const Expr *e)
{
    const auto *c = static_cast<const CallExpr *>(e);
    return in.callPassingValues<argc, plain>(in.procedureNamedBy(c->callee), c->args);
}

ExprCode Interpreter::procedureCallPassingValues(const Procedure &p, size_t argc)
{
    // A call's procedure stays the one it names (ExecuteGlobal adds procedures, never
    // replaces one), so what it declares can be looked at once.
    const bool plain = p.decls.empty() && p.returnSlot >= 0;
    switch (argc) {
    case 0: return &procedureCallPassing<0, false>;
    case 1: return plain ? &procedureCallPassing<1, true> : &procedureCallPassing<1, false>;
    case 2: return plain ? &procedureCallPassing<2, true> : &procedureCallPassing<2, false>;
    default: return &procedureCallPassing<-1, false>;
    }
}

Flow Interpreter::callStatementPassingValues(Interpreter &in, const Stmt *s)
{
    const auto *c = static_cast<const CallStmt *>(s);
    in.callPassingValues<-1, false>(in.procedureNamedBy(c->callee), c->args);
    return Flow::Normal;
}

Value Interpreter::callWithValues(const Procedure &p, std::vector<Value> &values,
                                  std::shared_ptr<ClassInstance> self)
{
    if (values.size() != p.params.size())
        raiseNamed(Err::WrongArgumentCount, p.name);
    FrameGuard<false> guard(*this, p, &self);
    Frame &f = guard.frame();
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i].type() != Type::Error)
            f.own[i] = std::move(values[i]);
    return runFrame<false>(p, guard);
}

namespace {

constexpr size_t kArgsOnStack = 6;

} // namespace

// Runs the built-in on its evaluated arguments; an error it raises names it.
Value Interpreter::runBuiltin(const Builtin &b, BuiltinArgs &values)
{
    try {
        return b.fn(*this, values);
    } catch (ScriptError &e) {
        if (!e.named && !e.fatal) {
            e.description += QStringLiteral(": '") + QString::fromLatin1(b.name) + QLatin1Char('\'');
            e.named = true;
        }
        throw;
    }
}

void Interpreter::callBuiltinStatement(int index, const std::vector<ExprPtr> &args)
{
    callBuiltin(index, args);
    const Builtin &b = m_builtins[index];
    if (b.valueOnly)
        raiseNamed(Err::UnsupportedType, QString::fromLatin1(b.name));
}

Value Interpreter::callBuiltin(int index, const std::vector<ExprPtr> &args)
{
    const Builtin &b = m_builtins[index];
    // The arguments are evaluated before their count is looked at.
    const auto counted = [&](BuiltinArgs &values) {
        if (int(values.size()) < b.minArgs || int(values.size()) > b.maxArgs)
            raiseNamed(Err::WrongArgumentCount, QString::fromLatin1(b.name));
        return runBuiltin(b, values);
    };
    if (args.size() <= kArgsOnStack) {
        ValueSlots<kArgsOnStack> held; // the arguments, evaluated in order
        for (const auto &a : args)
            held.add([&] { return a ? eval(a.get()) : Value::missing(); });
        BuiltinArgs values(held.data(), args.size());
        return counted(values);
    }
    std::vector<Value> many;
    many.reserve(args.size());
    for (const auto &a : args)
        many.push_back(a ? eval(a.get()) : Value::missing());
    BuiltinArgs values(many.data(), many.size());
    return counted(values);
}

Value Interpreter::newObject(const QString &className, bool undeclaredName)
{
    if (className.compare(QLatin1String("regexp"), Qt::CaseInsensitive) == 0)
        return Value::object(std::make_shared<RegExpObject>());
    const int late = m_prog.classNames.value(className.toLower(), -1); // from ExecuteGlobal
    if (late >= 0)
        return newInstance(late);
    raiseNamed(undeclaredName ? Err::UndefinedVariable : Err::ClassNotDefined, className);
}

Value Interpreter::createObject(const QString &progId)
{
    const QString id = progId.trimmed().toLower();
    if (id == QLatin1String("scripting.dictionary")) {
        // Not make_shared: the list of owned objects keeps only the small control block.
        std::shared_ptr<ScriptObject> d(new Dictionary);
        own(d);
        return Value::object(std::move(d));
    }
    if (id == QLatin1String("vbscript.regexp"))
        return Value::object(std::make_shared<RegExpObject>());
    raise(Err::CannotCreateObject);
}

} // namespace vbs
