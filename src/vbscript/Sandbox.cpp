#include "vbscript/Sandbox.h"

#include "vbscript/ScriptError.h"

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

void checkMemory()
{
    if (t_limits && t_limits->overBudget())
        raise(Err::OutOfMemory);
}

} // namespace vbs
