#pragma once
#include <QString>

// String values under a root key. On this platform the store is a small INI file in the user's
// configuration folder: section = root + "\" + sub-key path, key = value name.
class clsRegIni {
public:
    static constexpr qint32 HKEY_CLASSES_ROOT = qint32(0x80000000);
    static constexpr qint32 HKEY_CURRENT_USER = qint32(0x80000001);
    static constexpr qint32 HKEY_LOCAL_MACHINE = qint32(0x80000002);

    void Init(qint32 rootKey, const QString &defaultSubKey);
    bool SaveReg(const QString &valueName, const QString &value, const QString &subKey = QString());
    QString ReadReg(const QString &valueName, const QString &defaultValue,
                    const QString &subKey = QString(), int size = 2000);
    void DeleteRegValue(const QString &valueName, const QString &subKey = QString());

    // The file that holds the values; tests point it elsewhere.
    static QString StoreFile();
    static void SetStoreFile(const QString &path);

private:
    QString section(const QString &subKey) const;
    qint32 m_rootKey = HKEY_LOCAL_MACHINE;
    QString m_defaultSubKey;
};
