#include "common/IniDocument.h"
#include "common/TextFile.h"

namespace {
// The section name of a header line ("[name]"), or nullopt when the line is no header.
std::optional<QString> headerName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    const int close = int(t.indexOf(']'));
    return close < 0 ? t.mid(1) : t.mid(1, close - 1);
}
} // namespace

IniDocument::IniDocument(const QString &text) : m_lines(SplitTextLines(text))
{
    rebuildIndex();
}

void IniDocument::rebuildIndex()
{
    m_sectionHeader.clear();
    m_keyLine.clear();
    m_sectionEnd.clear();
    QString current;
    bool inSection = false;
    bool firstOccurrence = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString &line = m_lines[i];
        if (auto name = headerName(line)) {
            current = fold(*name);
            inSection = true;
            firstOccurrence = !m_sectionHeader.contains(current);
            if (firstOccurrence) {
                m_sectionHeader.insert(current, i);
                m_sectionEnd.insert(current, i);
            }
            continue;
        }
        if (!inSection || !firstOccurrence)
            continue;
        if (!line.trimmed().isEmpty())
            m_sectionEnd[current] = i;
        const int eq = int(line.indexOf('='));
        if (eq < 0)
            continue;
        const QString key = current + QLatin1Char('\n') + fold(line.left(eq));
        if (!m_keyLine.contains(key))
            m_keyLine.insert(key, i);
    }
}

std::optional<QString> IniDocument::Value(const QString &section, const QString &key) const
{
    auto it = m_keyLine.constFind(fold(section) + QLatin1Char('\n') + fold(key));
    if (it == m_keyLine.constEnd())
        return std::nullopt;
    const QString &line = m_lines[*it];
    return line.mid(line.indexOf('=') + 1).trimmed();
}

QString IniDocument::Value(const QString &section, const QString &key,
                           const QString &defaultValue) const
{
    auto v = Value(section, key);
    return v ? *v : defaultValue;
}

bool IniDocument::HasSection(const QString &section) const
{
    return m_sectionHeader.contains(fold(section));
}

void IniDocument::SetValue(const QString &section, const QString &key, const QString &value)
{
    const QString newLine = key.trimmed() + QLatin1Char('=') + value;
    auto it = m_keyLine.constFind(fold(section) + QLatin1Char('\n') + fold(key));
    if (it != m_keyLine.constEnd()) {
        m_lines[*it] = newLine;
        return;
    }
    auto end = m_sectionEnd.constFind(fold(section));
    if (end != m_sectionEnd.constEnd()) {
        m_lines.insert(*end + 1, newLine);
    } else {
        m_lines << QLatin1Char('[') + section.trimmed() + QLatin1Char(']') << newLine;
    }
    rebuildIndex();
}

QString IniDocument::ToText() const { return JoinCrLf(m_lines); }
