#include "vbscript/Dictionary.h"

#include "vbscript/Coerce.h"
#include "vbscript/Sandbox.h"
#include "vbscript/ScriptError.h"

namespace vbs {

// A string key is its own hash key (no copy in binary mode); keys of other kinds, and the
// rare string that starts like them, carry a mark no ordinary text starts with.
namespace {
const QChar mark(char16_t(0xFFFF));
}

QString Dictionary::hashKey(const Value &key) const
{
    switch (key.type()) {
    case Type::Empty:
        return QString(mark) + QLatin1Char('e');
    case Type::Null:
        return QString(mark) + QLatin1Char('z');
    case Type::String: {
        const QString text = m_compareMode ? key.asString().toLower() : key.asString();
        return text.startsWith(mark) ? QString(mark) + QLatin1Char('s') + text : text;
    }
    case Type::Object:
        return QString(mark) + QLatin1Char('o') + QString::number(quintptr(key.asObject().get()), 16);
    case Type::Array:
    case Type::Error:
        raise(Err::TypeMismatch);
    default:
        return QString(mark) + QLatin1Char('n') + QString::number(key.asDouble(), 'g', 17);
    }
}

bool Dictionary::plainKey(const Value &key) const
{
    return key.isString() && !m_compareMode && !key.asString().startsWith(mark);
}

Dictionary::IndexedKey Dictionary::indexed(const Value &key) const
{
    IndexedKey k;
    if (plainKey(key))
        k.own = &key.asString(); // its own index text: no copy
    else
        k.derived = hashKey(key);
    k.hash = TextIndex::hash(k.text());
    return k;
}

int Dictionary::find(const Value &key) const
{
    const IndexedKey k = indexed(key);
    return findText(k.text(), k.hash);
}

int Dictionary::insert(const Value &key, Value item)
{
    const IndexedKey k = indexed(key);
    if (findText(k.text(), k.hash) >= 0)
        raise(Err::DuplicateKey);
    const int pos = int(m_entries.size());
    reserveMemory(sizeof(Entry) + (m_textsKept || !k.own ? sizeof(QString) : 0));
    if (!k.own && !m_textsKept)
        keepIndexTexts();
    // Nothing changes unless everything could be allocated.
    m_entries.push_back({key, std::move(item)});
    try {
        if (m_textsKept)
            m_indexTexts.push_back(k.derived);
        try {
            m_index.insert(k.hash, pos);
        } catch (...) {
            if (m_textsKept)
                m_indexTexts.pop_back();
            throw;
        }
    } catch (...) {
        m_entries.pop_back();
        throw;
    }
    ++m_live;
    return pos;
}

void Dictionary::remove(const Value &key)
{
    const int pos = find(key);
    if (pos < 0)
        raise(Err::ElementNotFound);
    m_index.remove(TextIndex::hash(indexText(pos)), pos);
    Entry &e = m_entries[size_t(pos)];
    // Key and item go last, once the table is whole again: releasing an object may run script
    // code (its Class_Terminate) that looks at this dictionary.
    const Value releasedKey = std::move(e.key);
    const Value released = std::move(e.item);
    e.key = Value::missing();
    e.item = Value();
    if (m_textsKept)
        m_indexTexts[size_t(pos)] = QString();
    --m_live;
    if (m_entries.size() > 32 && size_t(m_live) < m_entries.size() / 2)
        compact();
}

void Dictionary::removeAll()
{
    // Items may be objects whose release runs script code: empty the table first.
    std::deque<Entry> old;
    old.swap(m_entries);
    m_indexTexts.clear();
    m_textsKept = false;
    m_index.clear();
    m_live = 0;
}

void Dictionary::compact()
{
    // The new index first: the one allocation, which may fail (the memory budget) with
    // nothing changed. Then the live entries move forward in place, which allocates nothing.
    TextIndex index;
    index.reserve(size_t(m_live));
    size_t kept = 0;
    for (size_t pos = 0; pos < m_entries.size(); ++pos) {
        if (!m_entries[pos].live())
            continue;
        index.insert(TextIndex::hash(indexText(int(pos))), int(kept));
        if (kept != pos) {
            m_entries[kept] = std::move(m_entries[pos]);
            if (m_textsKept)
                m_indexTexts[kept] = std::move(m_indexTexts[pos]);
        }
        ++kept;
    }
    m_entries.resize(kept); // what is left behind holds nothing
    if (m_textsKept)
        m_indexTexts.resize(kept);
    m_index = std::move(index);
}

bool Dictionary::enumerate(std::vector<Value> &items)
{
    reserveMemory((long long)m_live * (long long)sizeof(Value));
    items.reserve(size_t(m_live));
    for (const auto &e : m_entries)
        if (e.live())
            items.push_back(e.key);
    return true;
}

namespace {

// A member name as the script wrote it, compared without regard to case and without making a
// lower-case copy on every call.
struct MemberName {
    const QString &text;
    // `known` is lower-case ASCII; other characters of the name are left to Qt's case folding.
    bool operator==(QLatin1String known) const
    {
        if (text.size() != known.size())
            return false;
        const QChar *t = text.constData();
        for (qsizetype i = 0; i < known.size(); ++i) {
            char16_t c = t[i].unicode();
            if (c >= 0x80)
                return text.compare(known, Qt::CaseInsensitive) == 0;
            if (c >= 'A' && c <= 'Z')
                c += 'a' - 'A';
            if (c != char16_t(known[i].unicode()))
                return false;
        }
        return true;
    }
    bool isEmpty() const { return text.isEmpty(); }
};

} // namespace

bool Dictionary::invoke(const QString &name, Access access, std::vector<Value> &args, Value &result)
{
    const MemberName n{name};
    const bool assigning = access == Access::Let || access == Access::Set;
    auto wantArgs = [&](size_t count) {
        if (args.size() != count)
            raise(Err::WrongArgumentCount);
    };
    if (n.isEmpty() || n == QLatin1String("item")) {
        if (assigning) {
            wantArgs(2);
            int pos = find(args[0]);
            if (pos < 0)
                insert(args[0], std::move(args[1]));
            else
                m_entries[size_t(pos)].item = std::move(args[1]);
            return true;
        }
        wantArgs(1);
        int pos = find(args[0]);
        if (pos < 0)
            pos = insert(args[0], Value()); // reading a missing key adds it
        result = m_entries[size_t(pos)].item;
        return true;
    }
    if (n == QLatin1String("add") && !assigning) {
        wantArgs(2);
        insert(args[0], std::move(args[1]));
        return true;
    }
    if (n == QLatin1String("exists") && !assigning) {
        wantArgs(1);
        result = Value::boolean(find(args[0]) >= 0);
        return true;
    }
    if (n == QLatin1String("count") && !assigning) {
        wantArgs(0);
        result = Value::longValue(m_live);
        return true;
    }
    if ((n == QLatin1String("keys") || n == QLatin1String("items")) && !assigning) {
        wantArgs(0);
        const bool keys = n == QLatin1String("keys");
        std::vector<Value> out;
        reserveMemory((long long)m_live * (long long)sizeof(Value));
        out.reserve(size_t(m_live));
        for (const auto &e : m_entries)
            if (e.live())
                out.push_back(keys ? e.key : e.item);
        result = Value::array(std::move(out));
        return true;
    }
    if (n == QLatin1String("key")) {
        if (!assigning)
            return false; // Key can only be assigned
        wantArgs(2);
        const int pos = find(args[0]);
        if (pos < 0)
            raise(Err::ElementNotFound);
        const IndexedKey k = indexed(args[1]);
        if (findText(k.text(), k.hash) >= 0)
            raise(Err::DuplicateKey);
        if (!k.own && !m_textsKept)
            keepIndexTexts();
        // The new text goes in before the old comes out, so that a failed allocation changes
        // nothing.
        const uint32_t old = TextIndex::hash(indexText(pos));
        m_index.insert(k.hash, pos);
        const Value released = std::move(m_entries[size_t(pos)].key);
        m_entries[size_t(pos)].key = args[1];
        if (m_textsKept)
            m_indexTexts[size_t(pos)] = k.derived;
        m_index.remove(old, pos);
        return true;
    }
    if (n == QLatin1String("remove") && !assigning) {
        wantArgs(1);
        remove(args[0]);
        return true;
    }
    if (n == QLatin1String("removeall") && !assigning) {
        wantArgs(0);
        removeAll();
        return true;
    }
    if (n == QLatin1String("comparemode")) {
        if (!assigning) {
            wantArgs(0);
            result = Value::longValue(m_compareMode);
            return true;
        }
        wantArgs(1);
        const int32_t mode = toLong(args[0]);
        if (mode < 0 || m_live > 0)
            raise(Err::InvalidCall);
        m_compareMode = mode == 0 ? 0 : 1;
        compact();
        return true;
    }
    return false;
}

} // namespace vbs
