#pragma once
// Values made one by one in room on the stack, for the few a call usually needs: no heap, no
// assignment into a default-made value. Released in reverse when the slots go (also when
// making one fails part-way).
#include "vbscript/Value.h"

#include <cstddef>
#include <new>

namespace vbs {

template <size_t N>
class ValueSlots {
public:
    ValueSlots() = default;
    ValueSlots(const ValueSlots &) = delete;
    ValueSlots &operator=(const ValueSlots &) = delete;
    ~ValueSlots()
    {
        while (m_made > 0)
            data()[--m_made].~Value();
    }

    Value *data() { return std::launder(reinterpret_cast<Value *>(m_raw)); }
    size_t size() const { return m_made; }
    bool full() const { return m_made == N; }
    // Makes the next value from what `make()` returns, in place.
    template <class Make>
    void add(Make &&make)
    {
        new (data() + m_made) Value(make());
        ++m_made;
    }

private:
    alignas(Value) unsigned char m_raw[N * sizeof(Value)];
    size_t m_made = 0;
};

} // namespace vbs
