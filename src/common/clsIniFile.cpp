#include "common/clsIniFile.h"
#include "common/IniDocument.h"
#include "common/PathFile.h"
#include "common/TextFile.h"

#include <QFileInfo>

bool clsIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    if (m_FileName.isEmpty() || section.trimmed().isEmpty() || key.trimmed().isEmpty())
        return false;
    IniDocument doc;
    if (QFileInfo::exists(m_FileName)) {
        const TextReadResult r = ReadWholeTextFile(m_FileName);
        if (!r.ok)
            return false;
        doc = IniDocument(r.text);
    }
    doc.SetValue(section, key, value);
    return WriteWholeTextFile(m_FileName, doc.ToText());
}

QString clsIniFile::ReadString(const QString &section, const QString &key,
                               const QString &defaultValue, int size)
{
    QString value = defaultValue;
    if (!m_FileName.isEmpty()) {
        const TextReadResult r = ReadWholeTextFile(m_FileName);
        if (r.ok)
            value = IniDocument(r.text).Value(section, key, defaultValue);
    }
    if (size > 0 && value.size() > size - 1)
        value.truncate(size - 1);
    return StripNull(value, true);
}
