#include "storage/IniSections.h"
#include "common/Blanks.h"
#include "common/LineEnds.h"

namespace {
QStringView trimKey(QStringView key) { return TrimBlanks(key); }
// The reader's own key names: plain ASCII without blanks.
QLatin1String trimKey(QLatin1String key) { return key; }
} // namespace

// Names equal under case-insensitive comparison give equal hashes: ASCII letters are folded,
// other characters count by their number only (simple folding keeps it).
template <class View>
quint32 IniSections::keyHash(View key)
{
    quint32 h = 2166136261u ^ quint32(key.size());
    for (qsizetype i = 0; i < key.size(); ++i) {
        char16_t c = QChar(key[i]).unicode();
        if (c >= 0x80)
            continue;
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c + 32);
        h = (h ^ c) * 16777619u;
    }
    return h;
}

IniSections::IniSections(const QString &text) : m_text(text)
{
    m_entries.reserve(size_t(text.size() / 16));
    bool indexing = false; // false before the first section and inside a repeated one
    ForEachLine(QStringView(m_text), [&](QStringView line, QStringView) { addLine(line, indexing); });
}

void IniSections::addLine(QStringView line, bool &indexing)
{
    const QStringView t = TrimBlanks(line);
    if (t.startsWith(u'[')) {
        const qsizetype close = t.indexOf(u']');
        const QString name =
            TrimBlanks(close < 0 ? t.mid(1) : t.mid(1, close - 1)).toString().toCaseFolded();
        indexing = !m_sections.contains(name);
        if (indexing) {
            m_sections.insert(name, int(m_ranges.size()));
            const int here = int(m_entries.size());
            m_ranges.push_back({here, here});
        }
        return;
    }
    if (!indexing)
        return;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return;
    const QStringView key = TrimBlanks(line.left(eq));
    m_entries.push_back({key, TrimBlanks(line.mid(eq + 1)), keyHash(key)});
    m_ranges.back().end = int(m_entries.size());
}

bool IniSections::IsBlank() const
{
    for (QChar c : m_text)
        if (!c.isSpace())
            return false;
    return true;
}

int IniSections::FindSection(const QString &name) const
{
    return m_sections.value(TrimBlanks(name).toCaseFolded(), -1);
}

template <class View>
std::optional<QStringView> IniSections::find(int section, View key) const
{
    if (section < 0 || size_t(section) >= m_ranges.size())
        return std::nullopt;
    const View k = trimKey(key);
    const quint32 h = keyHash(k);
    const Range r = m_ranges[size_t(section)];
    for (int i = r.begin; i < r.end; ++i) {
        const Entry &e = m_entries[size_t(i)];
        if (e.hash == h && e.key.compare(k, Qt::CaseInsensitive) == 0)
            return e.value; // the first key of a name wins
    }
    return std::nullopt;
}

std::optional<QStringView> IniSections::Value(int section, QStringView key) const
{
    return find(section, key);
}

std::optional<QStringView> IniSections::Value(int section, QLatin1String key) const
{
    return find(section, key);
}
