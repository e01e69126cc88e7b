#pragma once
// Scripting.Dictionary: keys in insertion order, each mapped to an item. Keys compare by kind
// first: the number 1 and the string "1" are different keys; numbers of any subtype with the
// same value are one key; strings compare binary or, in text mode, without case.
#include "vbscript/ScriptObject.h"
#include "vbscript/TextIndex.h"

#include <deque>
#include <vector>

namespace vbs {

class Dictionary : public ScriptObject {
public:
    QString typeName() const override { return QStringLiteral("Dictionary"); }
    bool invoke(const QString &name, Access access, std::vector<Value> &args,
                Value &result) override;
    bool enumerate(std::vector<Value> &items) override;
    void dropReferences() override { removeAll(); }

    int count() const { return m_live; }

private:
    // A removed entry's key is the missing value, which no live key can be (keys of that kind
    // are refused); it stays in place until compact().
    struct Entry {
        Value key;
        Value item;
        bool live() const { return key.type() != Type::Error; }
    };

    QString hashKey(const Value &key) const;
    // Whether a key is known to the index by its own text (a string in binary mode): the
    // common case, which keeps no second text.
    bool plainKey(const Value &key) const;
    // A key as the index knows it: its own text (a plain key's, `own`) or its index text
    // (`derived`), and the hash of that.
    struct IndexedKey {
        const QString *own = nullptr;
        QString derived;
        uint32_t hash = 0;
        QStringView text() const { return own ? QStringView(*own) : QStringView(derived); }
    };
    IndexedKey indexed(const Value &key) const;
    // The text the index knows entry `pos` by.
    QStringView indexText(int pos) const
    {
        if (m_textsKept && !m_indexTexts[size_t(pos)].isNull())
            return m_indexTexts[size_t(pos)];
        return m_entries[size_t(pos)].key.asString();
    }
    int findText(QStringView text, uint32_t h) const
    {
        return m_index.find(text, h, [this](int pos) { return indexText(pos); });
    }
    int find(const Value &key) const; // position in m_entries, or -1
    int insert(const Value &key, Value item);
    void remove(const Value &key);
    void removeAll();
    void compact();

    // In insertion order; removed ones stay until compact(). A deque, so that a dictionary of
    // hundreds of thousands of keys grows without moving (and for a while holding twice) what
    // it has.
    std::deque<Entry> m_entries;
    // Once a key that is not plain comes (m_textsKept), the index text of each entry whose key
    // is not plain, a null text for a plain one; nothing before.
    void keepIndexTexts()
    {
        m_indexTexts.resize(m_entries.size());
        m_textsKept = true;
    }
    std::vector<QString> m_indexTexts;
    bool m_textsKept = false;
    TextIndex m_index; // index text -> position in m_entries
    int m_live = 0;
    int m_compareMode = 0; // 0 binary, 1 text
};

} // namespace vbs
