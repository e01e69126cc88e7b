#include "input/ImportSettings.h"

#include "common/Conversions.h"
#include "common/clsIniFile.h"

namespace {
const QString kSection = QStringLiteral("Import");

clsIniFile IniAt(const QString &cfgPathFile)
{
    clsIniFile ini;
    ini.setFileName(cfgPathFile);
    return ini;
}
} // namespace

ImportMode ImportModeFromValue(qint32 value)
{
    switch (value) {
    case 1: return ImportMode::IncludeIndex;
    case 2: return ImportMode::Special;
    default: return ImportMode::NotIncludeIndex;
    }
}

QString DefaultSpecialScript()
{
    return QStringLiteral("请选择彩票软件...");
}

ImportSettings ReadImportSettings(const QString &cfgPathFile, const QString &defaultLastPath)
{
    clsIniFile ini = IniAt(cfgPathFile);
    ImportSettings s;
    s.LastPath = ini.ReadString(kSection, QStringLiteral("LastPath"), defaultLastPath, 500);
    s.LastPathFile = ini.ReadString(kSection, QStringLiteral("LastPathFile"), QString(), 500);
    s.Mode = ImportModeFromValue(
        ToLong(ini.ReadString(kSection, QStringLiteral("IncludeIndex"), QStringLiteral("0"), 2000),
               0));
    s.SpecialScript = ini.ReadString(kSection, QStringLiteral("SpecialScript"),
                                     DefaultSpecialScript(), 2000);
    return s;
}

bool SaveImportSettings(const QString &cfgPathFile, const QString &pathFile, ImportMode mode,
                        const QString &specialScript)
{
    // One write: a failed save leaves the whole file as it was.
    return IniAt(cfgPathFile)
        .WriteStrings(kSection, {{QStringLiteral("LastPathFile"), pathFile},
                                 {QStringLiteral("IncludeIndex"), QString::number(int(mode))},
                                 {QStringLiteral("SpecialScript"), specialScript}});
}

bool SaveImportLastPath(const QString &cfgPathFile, const QString &folder)
{
    return IniAt(cfgPathFile).WriteString(kSection, QStringLiteral("LastPath"), folder);
}
