#include "common/clsStringValueWithKey.h"

QString clsStringValueWithKey::GetByIndex(qint16 i) const
{
    return i >= 1 && i <= 7 ? m_v[i - 1] : QString();
}

void clsStringValueWithKey::SetByIndex(qint16 i, const QString &s)
{
    if (i >= 1 && i <= 7)
        m_v[i - 1] = s;
}
