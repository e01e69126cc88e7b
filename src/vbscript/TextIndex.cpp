#include "vbscript/TextIndex.h"

#include "vbscript/Sandbox.h"

#include <cstring>

namespace vbs {

uint32_t TextIndex::hash(QStringView text)
{
    // Four UTF-16 units at a time, each step a multiply and a shift; the end mixes all bits.
    const char *p = reinterpret_cast<const char *>(text.utf16());
    size_t bytes = size_t(text.size()) * 2;
    uint64_t h = 0x9E3779B97F4A7C15ull ^ bytes;
    while (bytes >= 8) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
        p += 8;
        bytes -= 8;
    }
    if (bytes) {
        uint64_t w = 0;
        std::memcpy(&w, p, bytes);
        h = (h ^ w) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return uint32_t(h);
}

size_t TextIndex::capacityFor(size_t count)
{
    size_t capacity = 16;
    while (capacity < count * 3)
        capacity *= 2;
    return capacity;
}

void TextIndex::reserve(size_t count)
{
    const size_t capacity = capacityFor(count + 1);
    reserveMemory((long long)(capacity * sizeof(Slot)));
    m_slots.assign(capacity, Slot{});
    m_count = 0;
    m_used = 0;
}

void TextIndex::insert(uint32_t h, int number)
{
    // At most half the slots in use (numbers and removed ones), so that probes stay short. A
    // rebuild leaves at most a third in use (a quarter when the table doubles), so that a
    // script adding and removing keys at one size does not rebuild every few steps.
    if ((m_used + 1) * 2 > m_slots.size()) {
        const size_t capacity = capacityFor(size_t(m_count) + 1);
        reserveMemory((long long)(capacity * sizeof(Slot)));
        rebuild(capacity);
    }
    const size_t mask = m_slots.size() - 1;
    size_t i = h & mask;
    while (m_slots[i].number >= 0)
        i = (i + 1) & mask;
    if (m_slots[i].number == kFree)
        ++m_used;
    m_slots[i] = {h, int32_t(number)};
    ++m_count;
}

bool TextIndex::remove(uint32_t h, int number)
{
    if (m_slots.empty())
        return false;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
        Slot &s = m_slots[i];
        if (s.number == kFree)
            return false;
        if (s.number == number && s.hash == h) {
            s.number = kRemoved; // probes for other texts go on past it
            --m_count;
            return true;
        }
    }
}

void TextIndex::clear()
{
    m_slots.clear();
    m_count = 0;
    m_used = 0;
}

void TextIndex::rebuild(size_t capacity)
{
    std::vector<Slot> old(capacity);
    old.swap(m_slots);
    const size_t mask = capacity - 1;
    for (const Slot &s : old) {
        if (s.number < 0)
            continue;
        size_t i = s.hash & mask;
        while (m_slots[i].number != kFree)
            i = (i + 1) & mask;
        m_slots[i] = s;
    }
    m_used = size_t(m_count);
}

} // namespace vbs
