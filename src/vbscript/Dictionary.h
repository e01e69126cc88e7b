#pragma once
// Scripting.Dictionary: keys in insertion order, each mapped to an item. Keys compare by kind
// first: the number 1 and the string "1" are different keys; numbers of any subtype with the
// same value are one key; strings compare binary or, in text mode, without case.
#include "vbscript/ScriptObject.h"
#include "vbscript/TextIndex.h"

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
    struct Entry {
        Value key;
        Value item;
        bool live = true;
    };

    QString hashKey(const Value &key) const;
    int find(const Value &key) const; // position in m_entries, or -1
    int insert(const Value &key, Value item);
    void remove(const Value &key);
    void removeAll();
    void compact();

    std::vector<Entry> m_entries; // in insertion order; removed ones stay until compact()
    TextIndex m_index;            // hashKey -> position in m_entries
    int m_live = 0;
    int m_compareMode = 0; // 0 binary, 1 text
};

} // namespace vbs
