#pragma once
// The limits a script runs under on this thread: its deadline and its memory budget. The
// interpreter installs them for a run; built-ins that can take long or allocate much check
// them, so that a script ends soon after its deadline and before it eats the machine,
// whatever it calls.
#include <QDeadlineTimer>
#include <cstdint>

namespace vbs {

// Memory a script may have in use when nothing else is said: 1 GB.
constexpr long long kDefaultMemoryBudget = 1024LL * 1024 * 1024;

class RunLimits {
public:
    // Installs the limits for this thread until destroyed. The budget counts memory in use
    // beyond what was in use when the limits were installed; 0 means no budget.
    RunLimits(QDeadlineTimer deadline, long long memoryBudget);
    ~RunLimits();
    RunLimits(const RunLimits &) = delete;
    RunLimits &operator=(const RunLimits &) = delete;

    bool expired() const { return m_deadline.hasExpired(); }
    bool overBudget() const;

private:
    QDeadlineTimer m_deadline;
    long long m_budget;
    long long m_base = 0;
    RunLimits *m_outer;
};

// Raises the fatal timeout error once this thread's run has passed its deadline.
void checkDeadline();
// Raises 7 (out of memory) once this thread's run uses more memory than its budget.
void checkMemory();
[[noreturn]] void raiseTimeout();

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
