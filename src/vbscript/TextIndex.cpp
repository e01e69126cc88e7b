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

long long TextIndex::slotOf(QStringView text, uint32_t h) const
{
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
        const int32_t k = m_slots[i];
        if (k == kFree)
            return -1;
        if (k >= 0) {
            const Key &key = m_keys[size_t(k)];
            if (key.hash == h && QStringView(key.text) == text)
                return (long long)i;
        }
    }
}

int TextIndex::value(QStringView text) const
{
    const long long i = slotOf(text, hash(text));
    return i < 0 ? -1 : m_keys[size_t(m_slots[size_t(i)])].value;
}

bool TextIndex::insert(const QString &text, int value)
{
    const uint32_t h = hash(text);
    if (slotOf(text, h) >= 0)
        return false;
    // At most half the slots in use (texts and removed ones), so that probes stay short; a
    // rebuild leaves a quarter or less in use, so the next one is far off.
    if ((m_used + 1) * 2 > m_slots.size()) {
        size_t capacity = 16;
        while (capacity < size_t(m_count + 1) * 4)
            capacity *= 2;
        reserveMemory((long long)(capacity * sizeof(int32_t) + size_t(m_count + 1) * sizeof(Key)));
        rebuild(capacity);
    }
    beforeGrowing(m_keys);
    const size_t mask = m_slots.size() - 1;
    size_t i = h & mask;
    while (m_slots[i] >= 0)
        i = (i + 1) & mask;
    if (m_slots[i] == kFree)
        ++m_used;
    m_slots[i] = int32_t(m_keys.size());
    m_keys.push_back({text, h, value});
    ++m_count;
    return true;
}

bool TextIndex::remove(QStringView text)
{
    const long long i = slotOf(text, hash(text));
    if (i < 0)
        return false;
    Key &key = m_keys[size_t(m_slots[size_t(i)])];
    key.text = QString();
    key.value = -1;
    m_slots[size_t(i)] = kRemoved; // probes for other texts go on past it
    --m_count;
    return true;
}

void TextIndex::clear()
{
    m_slots.clear();
    m_keys.clear();
    m_count = 0;
    m_used = 0;
}

void TextIndex::rebuild(size_t capacity)
{
    std::vector<Key> kept;
    kept.reserve(size_t(m_count) + 1);
    for (Key &k : m_keys)
        if (k.value >= 0)
            kept.push_back(std::move(k));
    m_keys.swap(kept);
    m_slots.assign(capacity, kFree);
    const size_t mask = capacity - 1;
    for (size_t k = 0; k < m_keys.size(); ++k) {
        size_t i = m_keys[k].hash & mask;
        while (m_slots[i] != kFree)
            i = (i + 1) & mask;
        m_slots[i] = int32_t(k);
    }
    m_used = m_keys.size();
}

} // namespace vbs
