// Objects of the script's own classes: creation, member access from inside and outside the
// class, and Class_Terminate when the last reference goes.
#include "vbscript/ClassInstance.h"
#include "vbscript/Coerce.h"
#include "vbscript/Interpreter.h"

namespace vbs {

namespace {

// Deletes an object after running its Class_Terminate. The method gets a fresh reference
// (Me); if it stores Me somewhere the object lives on, without a second Terminate.
struct TerminatingDeleter {
    void operator()(ClassInstance *p) const
    {
        Interpreter *in = p->owner();
        if (!in || p->cls.terminate < 0) {
            delete p;
            return;
        }
        std::shared_ptr<ClassInstance> again(p, [](ClassInstance *q) { delete q; });
        in->terminate(again);
    }
};

} // namespace

bool ClassInstance::invoke(const QString &name, Access access, std::vector<Value> &args, Value &result)
{
    int member = cls.defaultMember;
    if (!name.isEmpty()) {
        member = cls.memberIndex.value(name.toLower(), -1);
        if (member >= 0 && !cls.members[size_t(member)].isPublic)
            member = -1;
    }
    Interpreter *in = owner();
    if (member < 0 || !in)
        return false;
    result = in->memberAccess(shared_from_this(), member, args, access, name);
    return true;
}

ClassInstance *Interpreter::instanceOf(const Value &v)
{
    return v.isObject() && v.asObject() ? v.asObject()->asInstance() : nullptr;
}

int Interpreter::visibleMember(const ClassInstance &object, const QString &name) const
{
    const int member = object.cls.memberIndex.value(name.toLower(), -1);
    if (member < 0)
        return -1;
    if (!object.cls.members[size_t(member)].isPublic) {
        // Private members are reachable only from the class's own methods.
        const auto &self = m_top->self;
        if (!self || &self->cls != &object.cls)
            return -1;
    }
    return member;
}

Value Interpreter::newInstance(int classIndex)
{
    std::shared_ptr<const ClassDecl> cls = m_prog.classes[size_t(classIndex)];
    std::shared_ptr<ClassInstance> object(new ClassInstance(cls, m_token), TerminatingDeleter());
    own(object);
    for (const auto &d : cls->fields) {
        if (d.kind == Declaration::FixedArray) {
            auto a = makeArray(d.upper);
            a->fixedSize = true;
            object->fields[size_t(d.slot)] = Value::array(std::move(a));
        } else if (d.kind == Declaration::DynamicArray) {
            object->fields[size_t(d.slot)] = Value::array(std::make_shared<ArrayData>());
        }
    }
    if (cls->initialize >= 0) {
        std::vector<Value> none;
        callWithValues(*cls->methods[size_t(cls->initialize)], none, object);
    }
    return Value::object(std::move(object));
}

void Interpreter::terminate(const std::shared_ptr<ClassInstance> &self)
{
    if (m_pending)
        return; // the run is ending: no more script code
    try {
        std::vector<Value> none;
        callWithValues(*self->cls.methods[size_t(self->cls.terminate)], none, self);
    } catch (const ScriptError &e) {
        // A failing Class_Terminate cannot stop the release that started it, but the limits
        // of the run (time, memory, stack) reach the script at its next statement.
        if ((e.fatal || e.number == Err::OutOfMemory || e.number == Err::OutOfStack) && !m_pending)
            m_pending = std::make_unique<ScriptError>(e);
    } catch (...) {
    }
}

void Interpreter::raisePending()
{
    std::unique_ptr<ScriptError> e = std::move(m_pending);
    throw *e;
}

void Interpreter::own(const std::shared_ptr<ScriptObject> &object)
{
    if (m_owned.size() >= m_ownedCompactAt) {
        std::erase_if(m_owned, [](const std::weak_ptr<ScriptObject> &w) { return w.expired(); });
        m_ownedCompactAt = std::max<size_t>(1024, m_owned.size() * 2);
    }
    m_owned.push_back(object);
}

void Interpreter::releaseOwned()
{
    for (const auto &w : m_owned) {
        if (std::shared_ptr<ScriptObject> o = w.lock())
            o->dropReferences();
    }
    m_owned.clear();
}

Value Interpreter::indexByValues(const Value &array, const std::vector<Value> &idx, size_t count)
{
    std::vector<int32_t> pos;
    for (size_t i = 0; i < count; ++i)
        pos.push_back(toLong(idx[i]));
    const long long at = array.asArray()->offset(pos);
    if (at < 0)
        raise(Err::SubscriptOutOfRange);
    return array.asArray()->items[size_t(at)];
}

Value *Interpreter::elementByValues(Value &array, const std::vector<Value> &idx, size_t count)
{
    std::vector<int32_t> pos;
    for (size_t i = 0; i < count; ++i)
        pos.push_back(toLong(idx[i]));
    ArrayData &data = array.mutableArray();
    const long long at = data.offset(pos);
    if (at < 0)
        raise(Err::SubscriptOutOfRange);
    return &data.items[size_t(at)];
}

Value Interpreter::memberAccess(const std::shared_ptr<ClassInstance> &self, int member,
                                std::vector<Value> &values, Access access, const QString &shownName)
{
    const ClassDecl::Member &m = self->cls.members[size_t(member)];
    const bool assigning = access == Access::Let || access == Access::Set;
    // A Property Let receives an object as it is; anything else stores its default value.
    if (access == Access::Let && m.let < 0 && !values.empty() && values.back().isObject())
        values.back() = dereference(values.back());
    if (m.field >= 0) {
        Value &field = self->fields[size_t(m.field)];
        if (assigning) {
            if (values.size() == 1) {
                if (access == Access::Set && !values[0].isObject())
                    raise(Err::ObjectRequired);
                field = std::move(values[0]);
                return Value();
            }
            if (field.isArray()) {
                Value v = std::move(values.back());
                *elementByValues(field, values, values.size() - 1) = std::move(v);
                return Value();
            }
        } else {
            if (values.empty())
                return field;
            if (field.isArray())
                return indexByValues(field, values, values.size());
        }
        if (field.isObject() && field.asObject())
            return invoke(field, QString(), shownName, values, access);
        // Through the object, a field that holds neither an array nor an object takes no
        // arguments: the member with arguments is not there.
        raiseNamed(Err::NoSuchMember, shownName);
    }
    const int method = access == Access::Let ? m.let : access == Access::Set ? m.set : m.get;
    if (method < 0)
        raiseNamed(Err::NoSuchMember, shownName);
    return callWithValues(*self->cls.methods[size_t(method)], values, self);
}

Value Interpreter::memberCall(const std::shared_ptr<ClassInstance> &self, int member,
                              const std::vector<ExprPtr> &args, Access access, const QString &shownName)
{
    const ClassDecl::Member &m = self->cls.members[size_t(member)];
    if (m.field < 0 && m.get >= 0 && (access == Access::Get || access == Access::Call)) {
        std::shared_ptr<ClassInstance> me = self;
        return callProcedure(*self->cls.methods[size_t(m.get)], args, &me); // ByRef arguments
    }
    std::vector<Value> values = evalArgs(args);
    return memberAccess(self, member, values, access, shownName);
}

} // namespace vbs
