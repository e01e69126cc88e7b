#include "app/clsFlyChar.h"
#include "common/VbFormat.h"

void clsFlyChar::Init(const QString &text, qint16 mode, qint16 width)
{
    Q_UNUSED(mode);
    m_text = text;
    int w = width;
    if (w < text.size())
        w = int(text.size()) + 1;
    m_width = QString::number(w);
    const int pad = int(RoundHalfEven((w - text.size()) / 2.0 + 0.5));
    m_frame = QString(pad, ' ') + text + QString(pad, ' ');
}

QString clsFlyChar::FlyString(qint16 n)
{
    const int len = int(m_frame.size());
    if (len == 0)
        return m_frame;
    int k = n;
    if (k >= len)
        k = len - 1;
    if (k == 0)
        k = 1;
    if (k < 0)
        k = ((k % len) + len) % len;
    m_frame = m_frame.mid(k) + m_frame.left(k);
    return m_frame;
}
