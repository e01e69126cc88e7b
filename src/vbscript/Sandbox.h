#pragma once
// The limits a script runs under on this thread: its deadline and its memory budget. The
// interpreter installs them for a run; built-ins that can take long or allocate much check
// them, so that a script ends soon after its deadline and before it eats the machine,
// whatever it calls.
#include <QDeadlineTimer>
#include <cstdint>
#include <algorithm>
#include <functional>
#include <vector>

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
    // See reserveMemory.
    void reserve(long long bytes);
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
    long long m_unseen = 0; // small reservations since the memory in use was last read
};

// Raises the fatal timeout error once this thread's run has passed its deadline, and the
// fatal stop error once its host asked to stop.
void checkDeadline();
// Asks the host of this thread's run whether to go on (see RunLimits::askHost).
void askRunHost(qint64 nowNs);
// Raises 7 (out of memory) once this thread's run uses more memory than its budget.
void checkMemory();
// Asks this thread's run for `bytes` more memory before they are allocated: raises 7, with
// nothing allocated, when the memory in use and `bytes` together would pass the run's budget.
// Large requests look at the deadline too, since what allocates much works long. Small ones
// are added up and weighed together, so asking for every piece costs next to nothing.
void reserveMemory(long long bytes);
// Asks the budget before `v` grows its storage by one more element (a push_back that would
// reallocate holds the old and the new storage at once).
template <class T>
void beforeGrowing(const std::vector<T> &v)
{
    if (v.size() == v.capacity())
        reserveMemory((long long)std::max<size_t>(v.capacity() * 2, 1) * (long long)sizeof(T));
}
[[noreturn]] void raiseTimeout();
[[noreturn]] void raiseStopped();

// Characters or elements a built-in handles between two looks at the deadline: well under a
// millisecond of work.
constexpr long long kWorkPerPoll = 1 << 18;

// For loops inside built-ins: checks the deadline once the steps together have handled
// kWorkPerPoll characters or elements (a step that says nothing counts as 64).
class DeadlinePoll {
public:
    void operator()(long long work = 64)
    {
        m_work += work;
        if (m_work >= kWorkPerPoll) {
            m_work = 0;
            checkDeadline();
        }
    }

private:
    long long m_work = 0;
};

// Bytes of memory the process holds (its resident size); 0 where we cannot tell.
long long memoryInUse();
// The most the process has held since it started or since resetPeakMemory (0 where we cannot
// tell), and the reset: false where the system keeps no such mark.
long long peakMemoryInUse();
bool resetPeakMemory();

} // namespace vbs
