#pragma once
// TextIndex: texts mapped to numbers, for the Dictionary's keys. A small array of slots
// (open addressing) points into a dense list of the texts with their hashes: a look-up reads
// one slot, one list entry and, only when the hashes agree, the text itself. A Dictionary of
// a few hundred thousand keys spends its time here, so the hash is a fast one (scripts are
// the user's own code, not an adversary's).
#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace vbs {

class TextIndex {
public:
    // The number stored for `text`, or -1.
    int value(QStringView text) const;
    // Stores `value` for `text`; false (and nothing changed) when the text is there already.
    bool insert(const QString &text, int value);
    // Removes `text`; false when it was not there.
    bool remove(QStringView text);
    void clear();
    int size() const { return m_count; }

    static uint32_t hash(QStringView text);

private:
    struct Key {
        QString text;
        uint32_t hash = 0;
        int32_t value = -1; // -1: removed
    };
    static constexpr int32_t kFree = -1;
    static constexpr int32_t kRemoved = -2;

    // The slot pointing at `text`'s key, or -1.
    long long slotOf(QStringView text, uint32_t h) const;
    // Makes the slots anew for the keys still there, dropping removed keys.
    void rebuild(size_t capacity);

    std::vector<int32_t> m_slots; // index into m_keys, kFree or kRemoved; a power of two long
    std::vector<Key> m_keys;      // in insertion order
    int m_count = 0;              // texts stored
    size_t m_used = 0;            // slots not free: texts and removed ones
};

} // namespace vbs
