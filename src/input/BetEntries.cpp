#include "input/BetEntries.h"

#include "input/NormalizeLottNumberLine.h"

#include <algorithm>

void BetEntries::clear()
{
    m_entries = {};
    m_text = QString();
    m_usedText = 0;
}

void BetEntries::reserve(qsizetype entries, qsizetype characters)
{
    m_entries.reserve(size_t(entries));
    m_text.reserve(characters);
}

bool BetEntries::Append(qint32 stakeIndex, QStringView betLine)
{
    if (betLine.isEmpty())
        return false;
    m_entries.push_back({m_text.size(), qint32(betLine.size()), stakeIndex});
    m_text.append(betLine);
    m_usedText += betLine.size();
    return true;
}

bool BetEntries::AppendSourceLine(qint32 stakeIndex, QStringView sourceLine, bool includeIndex)
{
    const qsizetype offset = m_text.size();
    const qsizetype length = AppendNormalizedLottNumberLine(sourceLine, includeIndex, m_text);
    if (length == 0)
        return false;
    m_entries.push_back({offset, qint32(length), stakeIndex});
    m_usedText += length;
    return true;
}

void BetEntries::AppendAll(BetEntries &&other)
{
    if (m_entries.empty()) {
        *this = std::move(other);
        other.clear();
        return;
    }
    m_entries.reserve(m_entries.size() + other.m_entries.size());
    for (qsizetype i = 0; i < other.size(); ++i)
        Append(other.StakeIndex(i), other.BetLine(i));
    other.clear();
}

void BetEntries::RemoveFlagged(const std::vector<bool> &flags)
{
    size_t kept = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (i < flags.size() && flags[i])
            m_usedText -= m_entries[i].length;
        else
            m_entries[kept++] = m_entries[i];
    }
    m_entries.resize(kept);
    DropUnusedText();
}

void BetEntries::RemoveRange(qsizetype first, qsizetype count)
{
    const auto begin = m_entries.begin() + first;
    for (auto it = begin; it != begin + count; ++it)
        m_usedText -= it->length;
    m_entries.erase(begin, begin + count);
    DropUnusedText();
}

// Deleted lines stay in the buffer until more than half of it is dead text; then the buffer
// is rebuilt from the live entries.
void BetEntries::DropUnusedText()
{
    if (m_entries.empty()) {
        m_text = QString();
        m_usedText = 0;
        return;
    }
    if (m_usedText * 2 >= m_text.size())
        return;
    QString text;
    text.reserve(m_usedText);
    for (Entry &e : m_entries) {
        const QStringView line = QStringView(m_text).mid(e.offset, e.length);
        e.offset = text.size();
        text.append(line);
    }
    m_text = std::move(text);
}
