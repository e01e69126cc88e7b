#include "input/clsScriptValue.h"

bool clsScriptValue::SetArrayReturn(qint64 Index, const QString &Value)
{
    if (Index < 0 || Index >= kMaxOutputLines)
        return false;
    if (Index >= m_Lines.size()) {
        m_Lines.reserve(std::max<qsizetype>(Index + 1, m_Lines.size() * 2));
        while (m_Lines.size() <= Index)
            m_Lines.append(QString());
    }
    m_Lines[Index] = Value;
    return true;
}
