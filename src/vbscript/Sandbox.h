#pragma once
// The limits a script runs under on this thread: its deadline and its memory budget. The
// interpreter installs them for a run; built-ins that can take long or allocate much check
// them, so that a script ends soon after its deadline and before it eats the machine,
// whatever it calls.
#include <QDeadlineTimer>
#include <cstdint>
#include <functional>

namespace vbs {

// Memory a script may have in use when nothing else is said: 1 GB.
constexpr long long kDefaultMemoryBudget = 1024LL * 1024 * 1024;
// Nanoseconds between two questions to the host whether a run may go on.
constexpr qint64 kKeepGoingIntervalNs = 50'000'000;

// The host's answer to "may the run go on?": false stops it (a window's stop button).
using KeepGoing = std::function<bool()>;

class RunLimits {
public:
    // Installs the limits for this thread until destroyed. The budget counts memory in use
    // beyond what was in use when the limits were installed; 0 means no budget. `keepGoing`,
    // when given, is asked now and then (see askHost) whether the run may go on.
    RunLimits(QDeadlineTimer deadline, long long memoryBudget, KeepGoing keepGoing = {});
    ~RunLimits();
    RunLimits(const RunLimits &) = delete;
    RunLimits &operator=(const RunLimits &) = delete;

    bool expired() const { return m_deadline.hasExpired(); }
    qint64 deadlineNSecs() const { return m_deadline.deadlineNSecs(); }
    bool overBudget() const;
    // Asks the host whether to go on, at most every 50 ms (`nowNs`: the clock's reading);
    // raises the fatal stop error when it says no.
    void askHost(qint64 nowNs)
    {
        if (m_keepGoing && nowNs >= m_nextAsk)
            askHostNow(nowNs);
    }

private:
    void askHostNow(qint64 nowNs);

    QDeadlineTimer m_deadline;
    long long m_budget;
    long long m_base = 0;
    RunLimits *m_outer;
    KeepGoing m_keepGoing;
    qint64 m_nextAsk = 0;
};

// Raises the fatal timeout error once this thread's run has passed its deadline, and the
// fatal stop error once its host asked to stop.
void checkDeadline();
// Asks the host of this thread's run whether to go on (see RunLimits::askHost).
void askRunHost(qint64 nowNs);
// Raises 7 (out of memory) once this thread's run uses more memory than its budget.
void checkMemory();
[[noreturn]] void raiseTimeout();
[[noreturn]] void raiseStopped();

// For loops inside built-ins: checks the deadline every few thousand steps.
class DeadlinePoll {
public:
    void operator()()
    {
        if (++m_steps >= 4096) {
            m_steps = 0;
            checkDeadline();
        }
    }

private:
    unsigned m_steps = 0;
};

// Bytes of memory the process holds (its resident size); 0 where we cannot tell.
long long memoryInUse();

} // namespace vbs
