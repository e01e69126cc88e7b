#pragma once
// ClassInstance: an object of a class the script defines. It holds the fields; its methods
// run in the interpreter that created it. Class_Terminate runs when the last reference goes
// (the interpreter's deleter takes care of that), as long as that interpreter is running.
#include "vbscript/Ast.h"
#include "vbscript/ScriptObject.h"

#include <memory>

namespace vbs {

class Interpreter;

class ClassInstance : public ScriptObject, public std::enable_shared_from_this<ClassInstance> {
public:
    ClassInstance(std::shared_ptr<const ClassDecl> c, std::weak_ptr<Interpreter *> owner)
        : m_cls(std::move(c)), cls(*m_cls), fields(cls.fields.size()), m_owner(std::move(owner))
    {
    }

    QString typeName() const override { return cls.name; }
    ClassInstance *asInstance() override { return this; }
    void dropReferences() override
    {
        for (Value &f : fields) {
            Value dying = std::move(f);
        }
    }
    // From outside the class (the host, or default-member reads): public members only.
    bool invoke(const QString &name, Access access, std::vector<Value> &args,
                Value &result) override;

    // The interpreter, or null once it has finished.
    Interpreter *owner() const
    {
        auto p = m_owner.lock();
        return p ? *p : nullptr;
    }

private:
    std::shared_ptr<const ClassDecl> m_cls;

public:
    const ClassDecl &cls;
    std::vector<Value> fields;

private:
    std::weak_ptr<Interpreter *> m_owner;
};

} // namespace vbs
