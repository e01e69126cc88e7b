#include "common/clsIniFile.h"
#include "common/AtomicFile.h"
#include "common/Blanks.h"
#include "common/IniDocument.h"
#include "common/PathFile.h"
#include "common/TextFile.h"

#include <QFileInfo>

bool clsIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    return WriteStrings(section, {{key, value}});
}

bool clsIniFile::WriteStrings(const QString &section,
                              const QList<QPair<QString, QString>> &keyValues)
{
    if (m_FileName.isEmpty() || TrimBlanks(section).isEmpty())
        return false;
    for (const auto &kv : keyValues)
        if (TrimBlanks(kv.first).isEmpty())
            return false;
    QByteArray bytes;
    if (QFileInfo::exists(m_FileName) && !ReadWholeFile(m_FileName, &bytes))
        return false;
    IniDocument doc(bytes);
    for (const auto &kv : keyValues)
        doc.SetValue(section, kv.first, kv.second);
    return WriteFileAtomically(m_FileName, doc.ToBytes()).ok;
}

QString clsIniFile::ReadString(const QString &section, const QString &key,
                               const QString &defaultValue, int size)
{
    QString value = defaultValue;
    QByteArray bytes;
    if (!m_FileName.isEmpty() && ReadWholeFile(m_FileName, &bytes))
        value = IniDocument(bytes).Value(section, key, defaultValue);
    if (size > 0 && value.size() > size - 1)
        value.truncate(size - 1);
    return StripNull(value, true);
}
