#pragma once
// An INI text held in memory with the reading rules of the program's settings and template
// files: section and key names match without regard to letter case, the first matching key of a
// section wins, "key=" gives "", lines without "=" are ignored, blanks around names and values are
// trimmed. Editing replaces a value in place and keeps every other line as it was; a missing key
// is added at the end of its section, a missing section at the end of the text.
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

class IniDocument {
public:
    IniDocument() = default;
    // Parses decoded text (CR LF, LF or CR line ends).
    explicit IniDocument(const QString &text);

    // The trimmed value, or nullopt when the section or key is missing.
    std::optional<QString> Value(const QString &section, const QString &key) const;
    QString Value(const QString &section, const QString &key, const QString &defaultValue) const;
    bool HasSection(const QString &section) const;

    void SetValue(const QString &section, const QString &key, const QString &value);

    // The text with CR LF line ends (every line, the last one too, ends in CR LF).
    QString ToText() const;

private:
    struct Line {
        QString raw;
        QString section; // folded name of the section the line belongs to ("" before any)
    };
    void rebuildIndex();
    static QString fold(const QString &s) { return s.trimmed().toCaseFolded(); }

    QStringList m_lines;
    // folded section -> index of its header line; folded "section\nkey" -> line index of the
    // first matching key line; folded section -> index of its last non-blank line
    QHash<QString, int> m_sectionHeader;
    QHash<QString, int> m_keyLine;
    QHash<QString, int> m_sectionEnd;
    bool m_hasLeadingSection = false;
};
