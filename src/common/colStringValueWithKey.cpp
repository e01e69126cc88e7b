#include "common/colStringValueWithKey.h"

// Keys are stored with "A" in front, so that any text (also "" or digits only) is a key.
clsStringValueWithKey *colStringValueWithKey::Add(const QString &key, const QString &v1,
                                                  const QString &v2, const QString &v3,
                                                  const QString &v4, const QString &v5,
                                                  const QString &v6, const QString &v7)
{
    clsStringValueWithKey r;
    r.setKey(key);
    r.setValue1(v1);
    r.setValue2(v2);
    r.setValue3(v3);
    r.setValue4(v4);
    r.setValue5(v5);
    r.setValue6(v6);
    r.setValue7(v7);
    return m_items.Add(QLatin1Char('A') + key, r);
}

clsStringValueWithKey *colStringValueWithKey::GetByKey(const QString &key)
{
    return m_items.Find(QLatin1Char('A') + key);
}

clsStringValueWithKey *colStringValueWithKey::GetByValue1(const QString &value)
{
    for (clsStringValueWithKey &r : m_items)
        if (r.Value1() == value)
            return &r;
    return nullptr;
}

clsStringValueWithKey &colStringValueWithKey::Item(int index) { return m_items.Item(index); }

clsStringValueWithKey &colStringValueWithKey::Item(const QString &storedKey)
{
    return m_items.Item(storedKey);
}

void colStringValueWithKey::Remove(int index) { m_items.Remove(index); }

void colStringValueWithKey::Remove(const QString &storedKey) { m_items.Remove(storedKey); }

void colStringValueWithKey::RemoveAll() { m_items.Clear(); }
