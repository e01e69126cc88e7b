#pragma once
// The folders the program works with, computed once at start-up from the folder of the program
// file. Every path ends in the platform's folder separator.
#include "input/BetImporter.h"

#include <QString>

struct ProgramFolders {
    QString program;    // settings file, help, debug output of scripts
    QString templates;  // 投注单文件/ : slip templates
    QString scripts;    // Script/ : conversion scripts
    QString imageBmp, imageIcon32, imageIcon16, imageIcon24, imageCur;
    QString userData;   // default folder of the file dialogs

    // Folders under the given program folder; the user data folder is the documents folder
    // plus the product folder.
    static ProgramFolders ForProgramFolder(const QString &programFolder,
                                           const QString &documentsFolder);
    // The settings file "Vorn.cfg" in the program folder.
    QString SettingsFile() const { return program + QStringLiteral("Vorn.cfg"); }
    QString HelpFile() const;
    // The folders the import of bet files works with.
    ImportFolders Import() const;
    // A template named by a user: a path as given, a bare file name found in the template
    // folder (kept as given when it is not there either).
    QString ResolveTemplate(const QString &given) const;
};

// The folders of this run (set once at start-up; the command line and tests set their own).
const ProgramFolders &Folders();
void SetFolders(const ProgramFolders &folders);

// Creates every missing folder along the path; false when that fails.
bool EnsureFolder(const QString &path);
