#pragma once
#include <QList>
#include <QPair>
#include <QString>

// Single keys of an INI file; every call reads or writes the file (nothing is cached).
// Writes change only the lines of the keys written, and replace the file in one atomic write:
// a failed write leaves the file as it was and records its reason in the last error.
class clsIniFile {
public:
    QString FileName() const { return m_FileName; }
    void setFileName(const QString &v) { m_FileName = v; }

    bool WriteString(const QString &section, const QString &key, const QString &value);
    // Several keys of one section in one write: all of them or none reach the file.
    bool WriteStrings(const QString &section, const QList<QPair<QString, QString>> &keyValues);
    // The value cut before its first NUL, trimmed of blanks, and cut to size - 1 characters;
    // the default (trimmed) when the file, section or key is missing.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue,
                       int size = 2000);

private:
    QString m_FileName;
};
