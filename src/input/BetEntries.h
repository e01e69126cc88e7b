#pragma once
// The stakes of a bet list without the model around them: every bet line lives in one shared
// text buffer and each entry holds its stake index and the place of its line, so a million
// entries cost about 16 bytes each plus their characters.
#include <QString>
#include <QStringView>
#include <vector>

class BetEntries {
public:
    qsizetype size() const { return qsizetype(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    void clear();
    // Room for `entries` entries of `characters` characters in all.
    void reserve(qsizetype entries, qsizetype characters);

    // Adds an entry at the end; an empty bet line is never stored (returns false).
    bool Append(qint32 stakeIndex, QStringView betLine);
    // Normalises a source line and adds the result as stake `stakeIndex` when it gives a bet
    // line. Returns whether an entry was added.
    bool AppendSourceLine(qint32 stakeIndex, QStringView sourceLine, bool includeIndex);
    // Moves every entry of `other` to the end of this one.
    void AppendAll(BetEntries &&other);

    qint32 StakeIndex(qsizetype i) const { return m_entries[size_t(i)].stakeIndex; }
    QStringView BetLine(qsizetype i) const
    {
        const Entry &e = m_entries[size_t(i)];
        return QStringView(m_text).mid(e.offset, e.length);
    }

    // Removes the entries whose flag is set (flags has one per entry), keeping the order of
    // the rest.
    void RemoveFlagged(const std::vector<bool> &flags);
    // Removes entries first .. first + count - 1.
    void RemoveRange(qsizetype first, qsizetype count);

private:
    struct Entry {
        qsizetype offset;
        qint32 length;
        qint32 stakeIndex;
    };
    void DropUnusedText();

    std::vector<Entry> m_entries;
    QString m_text;          // the bet lines, back to back
    qsizetype m_usedText = 0; // characters still referenced by an entry
};
