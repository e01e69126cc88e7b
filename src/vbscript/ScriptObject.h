#pragma once
// ScriptObject: anything a script holds with Set — the host's objects, Err, and later the
// Dictionary and RegExp. Members are found by name, case-insensitively.
#include "vbscript/Value.h"

#include <QString>
#include <vector>

namespace vbs {

enum class Access {
    Get,  // read a property or call a function for its result: x = o.Name(args)
    Call, // call as a statement, result ignored: o.Name args
    Let,  // assign: o.Name(args) = value
    Set,  // assign an object: Set o.Name(args) = value
};

class ClassInstance;

class ScriptObject {
public:
    virtual ~ScriptObject() = default;

    // What TypeName returns for this object.
    virtual QString typeName() const = 0;

    // Reads, calls or assigns the member `name` (an empty name means the default member). For
    // Let and Set the value to assign is the last element of `args`. Returns false when the
    // object has no such member (the engine then raises 438); raises ScriptError for anything
    // else that goes wrong.
    virtual bool invoke(const QString &name, Access access, std::vector<Value> &args,
                        Value &result) = 0;

    // The elements For Each walks through; false when the object is not a collection (451).
    virtual bool enumerate(std::vector<Value> &items) { (void)items; return false; }

    // Lets go of every value the object holds: at the end of a run, so that objects that
    // hold each other (a reference cycle) are freed.
    virtual void dropReferences() {}

    // The instance of a script's class this object is, or null.
    virtual ClassInstance *asInstance() { return nullptr; }
};

} // namespace vbs
