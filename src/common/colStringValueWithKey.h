#pragma once
#include "common/KeyedCollection.h"
#include "common/clsStringValueWithKey.h"

// Ordered records with lookup by key (case-insensitive) and by the first value.
//
// A record returned by Add, GetByKey, GetByValue1 or Item stays at its address until it is
// removed (Remove, RemoveAll) or the list is destroyed; adding or removing other records
// does not move it.
class colStringValueWithKey {
public:
    // nullptr when the key is already present.
    clsStringValueWithKey *Add(const QString &key, const QString &v1 = {}, const QString &v2 = {},
                               const QString &v3 = {}, const QString &v4 = {},
                               const QString &v5 = {}, const QString &v6 = {},
                               const QString &v7 = {});
    clsStringValueWithKey *GetByKey(const QString &key);
    clsStringValueWithKey *GetByValue1(const QString &value);
    // 1-based position, or the key as stored ("A" + key). Throws KeyedCollectionError.
    clsStringValueWithKey &Item(int index);
    clsStringValueWithKey &Item(const QString &storedKey);
    int Count() const { return m_items.Count(); }
    void Remove(int index);
    void Remove(const QString &storedKey);
    void RemoveAll();

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }

private:
    KeyedCollection<clsStringValueWithKey> m_items;
};
