#pragma once
// An INI file held in memory with the reading rules of the program's settings and template
// files: section and key names match without regard to letter case, the first matching key of a
// section wins, "key=" gives "", lines without "=" are ignored, blanks (ASCII space and tab)
// around names and values are trimmed. Editing works on the file's bytes: a changed value
// replaces its line and every other byte stays as it was (bytes that are no valid GBK, LF or
// CR LF line ends, a UTF-8 byte-order mark); a missing key is added at the end of its section,
// a missing section at the end of the file, with the line end the file already uses.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

class IniDocument {
public:
    IniDocument() = default;
    // The file's bytes: GBK, or UTF-8 / UTF-16 after a byte-order mark; CR LF, LF or CR ends.
    explicit IniDocument(const QByteArray &bytes);

    // The value trimmed of blanks, or nullopt when the section or key is missing.
    std::optional<QString> Value(const QString &section, const QString &key) const;
    QString Value(const QString &section, const QString &key, const QString &defaultValue) const;
    // Everything after the "=", blanks included.
    std::optional<QString> RawValue(const QString &section, const QString &key) const;
    bool HasSection(const QString &section) const;

    void SetValue(const QString &section, const QString &key, const QString &value);
    // Removes the key's line; false when there is no such key.
    bool RemoveKey(const QString &section, const QString &key);

    QByteArray ToBytes() const;

private:
    enum class Encoding { Gbk, Utf8, Utf16LE, Utf16BE };
    struct Line {
        QByteArray raw; // the line's bytes without its end
        QByteArray end; // "\r\n", "\n", "\r" (encoded) or "" for a last line without one
        QString text;   // raw decoded
    };
    void rebuildIndex();
    std::optional<int> keyLine(const QString &section, const QString &key) const;
    Line makeLine(const QString &text) const;
    QByteArray defaultEnd() const;
    void endLine(int index);
    QString decode(const QByteArray &raw) const;
    QByteArray encode(const QString &text) const;

    Encoding m_encoding = Encoding::Gbk;
    QByteArray m_bom;
    std::vector<Line> m_lines;
    // folded section -> index of its header line; folded "section\nkey" -> line index of the
    // first matching key line; folded section -> index of its last non-blank line
    QHash<QString, int> m_sectionHeader;
    QHash<QString, int> m_keyLine;
    QHash<QString, int> m_sectionEnd;
};
