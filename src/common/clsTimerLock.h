#pragma once
#include <QtGlobal>
#include <functional>

// A flag that releases itself MaxTimeToClose milliseconds after it was last assigned.
class clsTimerLock {
public:
    using TickSource = std::function<quint32()>;
    // The default tick source is a monotonic millisecond clock.
    explicit clsTimerLock(TickSource ticks = {});

    bool Value();
    void setValue(bool v);
    qint32 MaxTimeToClose() const { return m_MaxTimeToClose; }
    void setMaxTimeToClose(qint32 v) { m_MaxTimeToClose = v; }

private:
    TickSource m_ticks;
    bool m_Value = false;
    qint32 m_MaxTimeToClose = 100;
    quint32 m_stamp = 0;
};
