#pragma once
// A read-only view of an INI text for the template reader. It answers every key by the same
// reading rules as IniDocument (names match without regard to letter case, the first section of
// a name and the first key of a section win, blanks around names and values are trimmed, lines
// without "=" are ignored), but it indexes the text in one pass without copying a line, so a
// template of thousands of elements is read in a few milliseconds.
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

class IniSections {
public:
    explicit IniSections(const QString &text);

    // The position of the first section of that name, or -1.
    int FindSection(const QString &name) const;
    // The trimmed value of the first matching key of the section; nullopt when it is missing.
    std::optional<QStringView> Value(int section, QStringView key) const;
    std::optional<QStringView> Value(int section, QLatin1String key) const;
    // The names of the sections (case-folded), in no particular order.
    QStringList SectionNames() const { return m_sections.keys(); }
    // True when the text holds nothing but blanks and line ends.
    bool IsBlank() const;

private:
    // The key lines of a section lie side by side, in file order, so a lookup scans a short
    // run of entries and compares a hash before the names.
    struct Entry {
        QStringView key;
        QStringView value;
        quint32 hash;
    };
    struct Range {
        int begin;
        int end;
    };
    template <class View>
    static quint32 keyHash(View key);
    template <class View>
    std::optional<QStringView> find(int section, View key) const;
    void addLine(QStringView line, bool &indexing);

    QString m_text; // the views point into this copy
    QHash<QString, int> m_sections;
    std::vector<Range> m_ranges;
    std::vector<Entry> m_entries;
};
