#include "vbscript/Sandbox.h"

#include "vbscript/ScriptError.h"

#include <QFile>
#include <cstdlib>

#if defined(__linux__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace vbs {

namespace {
thread_local RunLimits *t_limits = nullptr;
}

long long memoryInUse()
{
#if defined(__linux__)
    // Resident pages: what the system weighs when it runs short. Reading the kernel's count
    // costs a microsecond; the allocator's own statistics walk every free block.
    static thread_local int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    static const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (fd < 0)
        return 0;
    char buf[128];
    const ssize_t n = ::pread(fd, buf, sizeof buf - 1, 0);
    if (n <= 0)
        return 0;
    buf[n] = 0;
    const char *p = buf;
    while (*p && *p != ' ')
        ++p; // total program size; the resident size follows
    return std::strtoll(p, nullptr, 10) * pageSize;
#else
    return 0;
#endif
}

long long peakMemoryInUse()
{
#if defined(__linux__)
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
#endif
    return 0;
}

bool resetPeakMemory()
{
#if defined(__linux__)
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
#else
    return false;
#endif
}

RunLimits::RunLimits(QDeadlineTimer deadline, long long memoryBudget, KeepGoing keepGoing)
    : m_deadline(deadline), m_budget(memoryBudget), m_outer(t_limits), m_keepGoing(std::move(keepGoing))
{
    if (m_outer) {
        if (!m_keepGoing)
            m_keepGoing = m_outer->m_keepGoing;
        // A run inside a run (a host calling back into a script) keeps the tighter limits.
        if (m_outer->m_deadline.deadlineNSecs() < m_deadline.deadlineNSecs())
            m_deadline = m_outer->m_deadline;
        m_base = m_outer->m_base;
        if (m_outer->m_budget > 0 && (m_budget <= 0 || m_outer->m_budget < m_budget))
            m_budget = m_outer->m_budget;
    } else if (m_budget > 0) {
        m_base = memoryInUse();
    }
    t_limits = this;
}

RunLimits::~RunLimits()
{
    t_limits = m_outer;
}

bool RunLimits::overBudget() const
{
    return m_budget > 0 && memoryInUse() - m_base > m_budget;
}

// Requests from this size on read the memory in use at once; smaller ones are added up until
// they reach it.
constexpr long long kWeighAtOnce = 256 * 1024;

void RunLimits::reserve(long long bytes)
{
    if (m_budget <= 0)
        return;
    m_unseen += bytes;
    if (bytes < kWeighAtOnce && m_unseen < kWeighAtOnce)
        return;
    const long long wanted = m_unseen;
    m_unseen = 0;
    if (memoryInUse() - m_base + wanted > m_budget)
        raise(Err::OutOfMemory);
}

void RunLimits::askHostNow(qint64 nowNs)
{
    m_nextAsk = nowNs + kKeepGoingIntervalNs;
    if (!m_keepGoing())
        raiseStopped();
}

void raiseTimeout()
{
    throw ScriptError{Err::Timeout, errorText(Err::Timeout), 0, true, false, {}, {}, 0};
}

void raiseStopped()
{
    throw ScriptError{Err::Stopped, errorText(Err::Stopped), 0, true, false, {}, {}, 0};
}

void askRunHost(qint64 nowNs)
{
    if (t_limits)
        t_limits->askHost(nowNs);
}

void checkDeadline()
{
    if (!t_limits)
        return;
    const qint64 now = QDeadlineTimer::current().deadlineNSecs();
    if (now >= t_limits->deadlineNSecs())
        raiseTimeout();
    t_limits->askHost(now);
}

void reserveMemory(long long bytes)
{
    if (!t_limits)
        return;
    if (bytes >= kWeighAtOnce)
        checkDeadline();
    t_limits->reserve(bytes);
}

void checkMemory()
{
    if (t_limits && t_limits->overBudget())
        raise(Err::OutOfMemory);
}

} // namespace vbs
