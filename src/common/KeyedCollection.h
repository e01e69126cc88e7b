#pragma once
// An ordered collection of elements reachable by position and by key. Keys are compared
// without regard to letter case; any text is a valid key, the empty text included. Lookups by
// key are O(1) through a hash of the case-folded key; enumeration keeps insertion order.
//
// What a caller may hold: every element lives at its own address from Add until it is
// removed (Remove, Clear) or the collection is destroyed. A pointer or reference that Add,
// Find or Item hands out therefore stays valid while other elements are added or removed.
// Copying a collection copies its elements; the copy's elements are new objects.
//
// Removing is cheap: Remove(key) takes the element out at once and leaves a gap in the order,
// which the next access by position closes in one pass. Removing 1,000 of 30,000 elements by
// key and then walking the list is O(1,000 + 30,000), not O(1,000 x 30,000).
//
// Positions are 1-based like every collection of the program. `Item` and `Remove` of a missing
// position or key throw KeyedCollectionError, which the callers that may hit it catch;
// `Find` returns nullptr instead.
#include <QHash>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

class KeyedCollectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class T>
class KeyedCollection {
    struct Entry {
        QString key;
        T value;
        size_t slot; // where the entry sits in m_slots
    };
    using Slots = std::vector<std::unique_ptr<Entry>>;

public:
    KeyedCollection() = default;
    KeyedCollection(const KeyedCollection &other) { copyFrom(other); }
    KeyedCollection &operator=(const KeyedCollection &other)
    {
        if (this != &other) {
            Clear();
            copyFrom(other);
        }
        return *this;
    }
    KeyedCollection(KeyedCollection &&) noexcept = default;
    KeyedCollection &operator=(KeyedCollection &&) noexcept = default;

    // Appends a copy of the element under the key. Returns the stored element, or nullptr
    // when the key is already present (nothing is added).
    T *Add(const QString &key, const T &element)
    {
        const QString folded = fold(key);
        if (m_index.contains(folded))
            return nullptr;
        m_slots.push_back(std::make_unique<Entry>(Entry{key, element, m_slots.size()}));
        Entry *entry = m_slots.back().get();
        m_index.insert(folded, entry);
        return &entry->value;
    }

    T *Find(const QString &key)
    {
        Entry *entry = m_index.value(fold(key), nullptr);
        return entry ? &entry->value : nullptr;
    }
    const T *Find(const QString &key) const
    {
        const Entry *entry = m_index.value(fold(key), nullptr);
        return entry ? &entry->value : nullptr;
    }
    bool Contains(const QString &key) const { return m_index.contains(fold(key)); }

    // 1-based position.
    T &Item(int position) { return entryAt(position).value; }
    const T &Item(int position) const { return entryAt(position).value; }
    T &Item(const QString &key)
    {
        T *found = Find(key);
        if (!found)
            throw KeyedCollectionError("key not found");
        return *found;
    }

    const QString &KeyAt(int position) const { return entryAt(position).key; }

    int Count() const { return int(m_index.size()); }

    void Remove(int position) { erase(entryAt(position)); }
    void Remove(const QString &key)
    {
        Entry *entry = m_index.value(fold(key), nullptr);
        if (!entry)
            throw KeyedCollectionError("key not found");
        erase(*entry);
    }

    void Clear()
    {
        m_slots.clear();
        m_index.clear();
        m_gaps = 0;
    }

    void Reserve(int n)
    {
        m_slots.reserve(size_t(n));
        m_index.reserve(n);
    }

    // Range-for over the elements in insertion order; gaps left by removals are skipped.
    template <class Value, class Base>
    class basic_iterator {
    public:
        basic_iterator(Base it, Base end) : m_it(it), m_end(end) { skipGaps(); }
        Value &operator*() const { return (*m_it)->value; }
        Value *operator->() const { return &(*m_it)->value; }
        basic_iterator &operator++()
        {
            ++m_it;
            skipGaps();
            return *this;
        }
        bool operator==(const basic_iterator &o) const { return m_it == o.m_it; }
        bool operator!=(const basic_iterator &o) const { return m_it != o.m_it; }

    private:
        void skipGaps()
        {
            while (m_it != m_end && !*m_it)
                ++m_it;
        }
        Base m_it, m_end;
    };
    using iterator = basic_iterator<T, typename Slots::iterator>;
    using const_iterator = basic_iterator<const T, typename Slots::const_iterator>;
    iterator begin() { return iterator(m_slots.begin(), m_slots.end()); }
    iterator end() { return iterator(m_slots.end(), m_slots.end()); }
    const_iterator begin() const { return const_iterator(m_slots.begin(), m_slots.end()); }
    const_iterator end() const { return const_iterator(m_slots.end(), m_slots.end()); }

private:
    static QString fold(const QString &key) { return key.toCaseFolded(); }

    Entry &entryAt(int position) const
    {
        if (position < 1 || position > Count())
            throw KeyedCollectionError("position out of range");
        closeGaps();
        return *m_slots[size_t(position - 1)];
    }

    void erase(Entry &entry)
    {
        m_index.remove(fold(entry.key));
        const size_t slot = entry.slot;
        m_slots[slot].reset();
        // The last element leaves no gap behind it.
        if (slot + 1 == m_slots.size())
            m_slots.pop_back();
        else
            ++m_gaps;
    }

    // Moves the elements together, in order, after removals; their addresses do not change.
    void closeGaps() const
    {
        if (m_gaps == 0)
            return;
        size_t to = 0;
        for (size_t from = 0; from < m_slots.size(); ++from) {
            if (!m_slots[from])
                continue;
            m_slots[from]->slot = to;
            if (to != from)
                m_slots[to] = std::move(m_slots[from]);
            ++to;
        }
        m_slots.resize(to);
        m_gaps = 0;
    }

    void copyFrom(const KeyedCollection &other)
    {
        Reserve(other.Count());
        for (const auto &entry : other.m_slots) {
            if (entry)
                Add(entry->key, entry->value);
        }
    }

    // Closing the gaps changes no element and no order, so it may happen on a const access.
    mutable Slots m_slots;
    mutable size_t m_gaps = 0;
    QHash<QString, Entry *> m_index;
};
