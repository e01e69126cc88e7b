#include "common/CStack.h"

void CStack::Push(const QVariant &value)
{
    if (m_size == int(m_slots.size()))
        m_slots.resize(m_slots.size() + 10);
    m_slots[size_t(m_size++)] = value;
}

QVariant CStack::pop()
{
    if (m_size == 0)
        throw VornEvalError(1011, QStringLiteral("Pop method invoked on empty stack"));
    QVariant v = std::move(m_slots[size_t(--m_size)]);
    m_slots[size_t(m_size)] = QVariant();
    return v;
}

QVariant CStack::GetPopValue() const
{
    if (m_size == 0)
        throw VornEvalError(1012, QStringLiteral("GetPopValue method invoked on empty stack"));
    return m_slots[size_t(m_size - 1)];
}
