#pragma once
#include <QString>

// Single keys of an INI file; every call reads or writes the file (nothing is cached).
// Writes go through QSaveFile: a failed write leaves the file as it was.
class clsIniFile {
public:
    QString FileName() const { return m_FileName; }
    void setFileName(const QString &v) { m_FileName = v; }

    bool WriteString(const QString &section, const QString &key, const QString &value);
    // The value cut before its first NUL, trimmed, and cut to size - 1 characters; the default
    // (trimmed) when the file, section or key is missing.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue,
                       int size = 2000);

private:
    QString m_FileName;
};
