#include "common/clsRegIni.h"
#include "common/AtomicFile.h"
#include "common/IniDocument.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString &storeFileSlot()
{
    static QString path;
    return path;
}

QString rootName(qint32 root)
{
    switch (root) {
    case clsRegIni::HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case clsRegIni::HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case clsRegIni::HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    default: return QString::number(root);
    }
}

IniDocument loadStore(bool *ok)
{
    *ok = true;
    const QString path = clsRegIni::StoreFile();
    if (!QFileInfo::exists(path))
        return IniDocument();
    QByteArray bytes;
    *ok = ReadWholeFile(path, &bytes);
    return IniDocument(bytes);
}
} // namespace

QString clsRegIni::StoreFile()
{
    if (storeFileSlot().isEmpty()) {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        storeFileSlot() = dir + QStringLiteral("/VornPrn/registry.ini");
    }
    return storeFileSlot();
}

void clsRegIni::SetStoreFile(const QString &path) { storeFileSlot() = path; }

void clsRegIni::Init(qint32 rootKey, const QString &defaultSubKey)
{
    m_rootKey = rootKey;
    m_defaultSubKey = defaultSubKey;
}

QString clsRegIni::section(const QString &subKey) const
{
    return rootName(m_rootKey) + QLatin1Char('\\') + (subKey.isEmpty() ? m_defaultSubKey : subKey);
}

bool clsRegIni::SaveReg(const QString &valueName, const QString &value, const QString &subKey)
{
    bool ok = false;
    IniDocument doc = loadStore(&ok);
    if (!ok)
        return false;
    doc.SetValue(section(subKey), valueName, value);
    QDir().mkpath(QFileInfo(StoreFile()).absolutePath());
    return WriteFileAtomically(StoreFile(), doc.ToBytes()).ok;
}

QString clsRegIni::ReadReg(const QString &valueName, const QString &defaultValue,
                           const QString &subKey, int size)
{
    bool ok = false;
    const IniDocument doc = loadStore(&ok);
    // A value is the whole text stored, blanks of any kind included.
    const auto v = doc.RawValue(section(subKey), valueName);
    if (!ok || !v || (size > 0 && v->size() >= size))
        return defaultValue;
    const int nul = int(v->indexOf(QChar(0)));
    return nul >= 0 ? v->left(nul) : *v;
}

void clsRegIni::DeleteRegValue(const QString &valueName, const QString &subKey)
{
    bool ok = false;
    IniDocument doc = loadStore(&ok);
    if (ok && doc.RemoveKey(section(subKey), valueName))
        WriteFileAtomically(StoreFile(), doc.ToBytes());
}
