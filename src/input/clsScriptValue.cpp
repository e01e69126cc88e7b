#include "input/clsScriptValue.h"

bool clsScriptValue::SetArrayReturn(qint64 Index, const QString &Value)
{
    if (Index < 0 || Index >= kMaxOutputLines)
        return false;
    if (Index >= m_Lines.size())
        m_Lines.resize(Index + 1); // QList grows its capacity geometrically
    m_Lines[Index] = Value;
    return true;
}
