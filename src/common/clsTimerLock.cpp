#include "common/clsTimerLock.h"

#include <QElapsedTimer>

namespace {
quint32 monotonicTicks()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return quint32(timer.elapsed());
}
} // namespace

clsTimerLock::clsTimerLock(TickSource ticks) : m_ticks(ticks ? std::move(ticks) : monotonicTicks) {}

bool clsTimerLock::Value()
{
    // Unsigned subtraction keeps the elapsed time right across a wrap of the tick count.
    if (m_Value && qint64(quint32(m_ticks() - m_stamp)) > qint64(m_MaxTimeToClose))
        m_Value = false;
    return m_Value;
}

void clsTimerLock::setValue(bool v)
{
    m_Value = v;
    m_stamp = m_ticks();
}
