#pragma once
// TextIndex: finds a number (a position in the caller's own list) by its text, without keeping
// the texts itself: the caller says what text a number stands for. Each slot of a small array
// (open addressing) holds a text's hash next to its number, so that a look-up for a text that
// is not there reads one slot and nothing else, and one for a text that is there compares the
// text once. A Dictionary of a few hundred thousand keys spends its time here, so the hash is a
// fast one (scripts are the user's own code, not an adversary's) and a slot is 8 bytes.
#include <QStringView>
#include <cstdint>
#include <vector>

namespace vbs {

class TextIndex {
public:
    static uint32_t hash(QStringView text);

    // The number stored for `text` (of hash `h`), or -1. `textOf(number)` gives the text a
    // stored number stands for.
    template <class TextOf>
    int find(QStringView text, uint32_t h, const TextOf &textOf) const
    {
        if (m_slots.empty())
            return -1;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = h & mask;; i = (i + 1) & mask) {
            const Slot &s = m_slots[i];
            if (s.number == kFree)
                return -1;
            if (s.hash == h && s.number >= 0 && QStringView(textOf(s.number)) == text)
                return s.number;
        }
    }
    // Stores `number` (0 or more) for a text of hash `h` that find() did not find. May
    // allocate (and so throw) before anything changes.
    void insert(uint32_t h, int number);
    // Removes `number`, stored under hash `h`; false when it is not there. (A number stored
    // twice for a moment, under its old and new hash, loses only the one asked for.)
    bool remove(uint32_t h, int number);
    void clear();
    // Empties the index and makes room for `count` numbers at once: inserting up to that many
    // then allocates nothing (and so cannot fail).
    void reserve(size_t count);
    int size() const { return m_count; }

private:
    struct Slot {
        uint32_t hash = 0;
        int32_t number = kFree;
    };
    static constexpr int32_t kFree = -1;
    static constexpr int32_t kRemoved = -2;

    // The slots for `count` numbers: at most a third in use.
    static size_t capacityFor(size_t count);
    // Makes the slots anew, `capacity` long, for the numbers still stored.
    void rebuild(size_t capacity);

    std::vector<Slot> m_slots; // a power of two long, or empty
    int m_count = 0;           // numbers stored
    size_t m_used = 0;         // slots not free: numbers and removed ones
};

} // namespace vbs
