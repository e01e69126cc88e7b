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

RunLimits::RunLimits(QDeadlineTimer deadline, long long memoryBudget)
    : m_deadline(deadline), m_budget(memoryBudget), m_outer(t_limits)
{
    if (m_outer) {
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

void raiseTimeout()
{
    throw ScriptError{Err::Timeout, errorText(Err::Timeout), 0, true, false, {}, {}, 0};
}

void checkDeadline()
{
    if (t_limits && t_limits->expired())
        raiseTimeout();
}

void checkMemory()
{
    if (t_limits && t_limits->overBudget())
        raise(Err::OutOfMemory);
}

} // namespace vbs
