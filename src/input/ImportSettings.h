#pragma once
// The section "Import" of "Vorn.cfg": what the import dialog remembers between runs.
#include <QString>

// How a bet file is read; the value is what "IncludeIndex" stores.
enum class ImportMode : int {
    NotIncludeIndex = 0, // standard format without index
    IncludeIndex = 1,    // standard format, each line starting with its own index
    Special = 2          // through a conversion script
};

// 1 gives the index mode, 2 the script mode, anything else the standard mode.
ImportMode ImportModeFromValue(qint32 value);

struct ImportSettings {
    QString LastPath;      // folder of the browse dialog, with its trailing separator
    QString LastPathFile;  // the file last imported
    ImportMode Mode = ImportMode::NotIncludeIndex;
    QString SpecialScript; // script name without ".cvb"
};

// The text the script chooser shows before any script was chosen.
QString DefaultSpecialScript();

// Reads the section from the settings file `cfgPathFile`; `defaultLastPath` stands in for a
// missing "LastPath" (the program's folder under the user's documents folder).
ImportSettings ReadImportSettings(const QString &cfgPathFile, const QString &defaultLastPath);
// "LastPathFile", "IncludeIndex" and "SpecialScript", as OK and the test action write them.
bool SaveImportSettings(const QString &cfgPathFile, const QString &pathFile, ImportMode mode,
                        const QString &specialScript);
// "LastPath", written when a file was chosen in the browse dialog.
bool SaveImportLastPath(const QString &cfgPathFile, const QString &folder);
