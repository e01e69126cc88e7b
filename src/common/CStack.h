#pragma once
#include "common/VornEvalError.h"
#include <QVariant>
#include <vector>

// A stack of values, growing by 10 slots when full.
class CStack {
public:
    int StackSize() const { return m_size; }
    void Push(const QVariant &value);
    QVariant pop();                 // throws VornEvalError 1011 when empty
    QVariant GetPopValue() const;   // throws VornEvalError 1012 when empty

private:
    std::vector<QVariant> m_slots;
    int m_size = 0;
};
