#pragma once
// HostObject: a ScriptObject put together from callbacks, for the objects the program hands to
// a script (the conversion scripts' "obj"). Callbacks may raise errors with vbs::raise().
#include "vbscript/ScriptObject.h"

#include <QHash>
#include <functional>

namespace vbs {

class HostObject : public ScriptObject {
public:
    using Getter = std::function<Value()>;
    using Setter = std::function<void(const Value &)>;
    using Method = std::function<Value(const std::vector<Value> &args)>;

    explicit HostObject(QString typeName) : m_typeName(std::move(typeName)) {}

    // A property; without a setter, assigning it raises 438.
    void addProperty(const QString &name, Getter get, Setter let = {});
    // A method taking from minArgs to maxArgs arguments (otherwise 450).
    void addMethod(const QString &name, int minArgs, int maxArgs, Method fn);

    QString typeName() const override { return m_typeName; }
    bool invoke(const QString &name, Access access, std::vector<Value> &args,
                Value &result) override;

private:
    struct Member {
        Getter get;
        Setter let;
        Method method;
        int minArgs = 0;
        int maxArgs = 0;
    };
    const Member *find(const QString &name);

    QString m_typeName;
    QHash<QString, Member> m_members; // by lower-case name
    // The member found last and the name as the script wrote it: a loop calls the same
    // member again and again. Cleared when members are added (the hash may move them).
    QString m_lastName;
    const Member *m_last = nullptr;
};

} // namespace vbs
