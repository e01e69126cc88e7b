#pragma once
// An ordered collection of elements reachable by position and by key. Keys are compared
// without regard to letter case; any text is a valid key, the empty text included. Lookups by
// key are O(1) through a hash of the case-folded key; enumeration keeps insertion order.
//
// Positions are 1-based like every collection of the program. `Item` and `Remove` of a missing
// position or key throw KeyedCollectionError, which the callers that may hit it catch;
// `Find` returns nullptr instead.
#include <QHash>
#include <QString>
#include <stdexcept>
#include <vector>

class KeyedCollectionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <class T>
class KeyedCollection {
public:
    // Appends a copy of the element under the key. Returns the stored element, or nullptr
    // when the key is already present (nothing is added).
    T *Add(const QString &key, const T &element)
    {
        const QString folded = fold(key);
        if (m_index.contains(folded))
            return nullptr;
        m_items.push_back({key, element});
        m_index.insert(folded, int(m_items.size()) - 1);
        return &m_items.back().value;
    }

    T *Find(const QString &key)
    {
        auto it = m_index.constFind(fold(key));
        return it == m_index.constEnd() ? nullptr : &m_items[size_t(*it)].value;
    }
    const T *Find(const QString &key) const
    {
        auto it = m_index.constFind(fold(key));
        return it == m_index.constEnd() ? nullptr : &m_items[size_t(*it)].value;
    }
    bool Contains(const QString &key) const { return m_index.contains(fold(key)); }

    // 1-based position.
    T &Item(int position)
    {
        checkPosition(position);
        return m_items[size_t(position - 1)].value;
    }
    const T &Item(int position) const
    {
        checkPosition(position);
        return m_items[size_t(position - 1)].value;
    }
    T &Item(const QString &key)
    {
        T *found = Find(key);
        if (!found)
            throw KeyedCollectionError("key not found");
        return *found;
    }

    const QString &KeyAt(int position) const
    {
        checkPosition(position);
        return m_items[size_t(position - 1)].key;
    }

    int Count() const { return int(m_items.size()); }

    void Remove(int position)
    {
        checkPosition(position);
        m_items.erase(m_items.begin() + (position - 1));
        reindex();
    }
    void Remove(const QString &key)
    {
        auto it = m_index.constFind(fold(key));
        if (it == m_index.constEnd())
            throw KeyedCollectionError("key not found");
        Remove(*it + 1);
    }

    void Clear()
    {
        m_items.clear();
        m_index.clear();
    }

    void Reserve(int n)
    {
        m_items.reserve(size_t(n));
        m_index.reserve(n);
    }

    // Range-for over the elements in insertion order.
    struct Entry {
        QString key;
        T value;
    };
    class iterator {
    public:
        using base = typename std::vector<Entry>::iterator;
        explicit iterator(base b) : m_it(b) {}
        T &operator*() const { return m_it->value; }
        T *operator->() const { return &m_it->value; }
        iterator &operator++() { ++m_it; return *this; }
        bool operator!=(const iterator &o) const { return m_it != o.m_it; }
        bool operator==(const iterator &o) const { return m_it == o.m_it; }
    private:
        base m_it;
    };
    class const_iterator {
    public:
        using base = typename std::vector<Entry>::const_iterator;
        explicit const_iterator(base b) : m_it(b) {}
        const T &operator*() const { return m_it->value; }
        const T *operator->() const { return &m_it->value; }
        const_iterator &operator++() { ++m_it; return *this; }
        bool operator!=(const const_iterator &o) const { return m_it != o.m_it; }
        bool operator==(const const_iterator &o) const { return m_it == o.m_it; }
    private:
        base m_it;
    };
    iterator begin() { return iterator(m_items.begin()); }
    iterator end() { return iterator(m_items.end()); }
    const_iterator begin() const { return const_iterator(m_items.begin()); }
    const_iterator end() const { return const_iterator(m_items.end()); }

private:
    static QString fold(const QString &key) { return key.toCaseFolded(); }
    void checkPosition(int position) const
    {
        if (position < 1 || position > int(m_items.size()))
            throw KeyedCollectionError("position out of range");
    }
    void reindex()
    {
        m_index.clear();
        for (size_t i = 0; i < m_items.size(); ++i)
            m_index.insert(fold(m_items[i].key), int(i));
    }

    std::vector<Entry> m_items;
    QHash<QString, int> m_index;
};
