#pragma once
// The Err object: the last error caught under On Error Resume Next, and Err.Raise.
#include "vbscript/ScriptObject.h"

namespace vbs {

struct ErrState;

class ErrObject : public ScriptObject {
public:
    explicit ErrObject(ErrState &state) : m_state(state) {}
    QString typeName() const override { return QStringLiteral("ErrObject"); }
    bool invoke(const QString &name, Access access, std::vector<Value> &args,
                Value &result) override;

private:
    ErrState &m_state;
};

// Err.Source of errors the engine raises.
QString runtimeErrorSource();

} // namespace vbs
