#pragma once
// The folders the program works with, decided once at start-up from where the program file
// lies. Every path ends in the platform's folder separator, and every path the program builds
// from its own folder comes from here.
//
// Two ways to run, told apart by the layout around the executable (never by write access: root
// can write anywhere):
// - portable (the build folder, a folder on a USB stick): templates, scripts and settings sit
//   next to the executable, and the user's own are saved there;
// - installed (`share/vornprn/` beside the executable's folder and no `投注单文件/` next to the
//   executable): what ships is read from `share/vornprn/`, the user's own templates and scripts
//   live in the user's data folder, and the settings in the user's configuration folder.
#include "input/BetImporter.h"

#include <QString>
#include <QStringList>

struct ProgramFolders {
    bool installed = false;
    QString program;  // the folder of the program file
    QString shared;   // what ships with the program: help, pictures; share/vornprn/ when installed
    QString templates;  // 投注单文件/ : the user's slip templates, saved here and listed first
    QString scripts;    // Script/ : the user's conversion scripts
    QString shippedTemplates; // the templates that ship (the same folder as `templates` when portable)
    QString shippedScripts;   // the scripts that ship (the same folder as `scripts` when portable)
    QString userOwn;  // the user's own files: the folder holding `templates` and `scripts`, and debug output
    QString settings; // the folder of "Vorn.cfg"
    QString imageBmp, imageIcon32, imageIcon16, imageIcon24, imageCur;
    QString userData; // default folder of the file dialogs

    // Portable: everything under the given program folder; the user data folder is the
    // documents folder plus the product folder.
    static ProgramFolders ForProgramFolder(const QString &programFolder,
                                           const QString &documentsFolder);
    // Installed: what ships under `sharedFolder`; the user's own under `dataFolder` (the
    // product's folder in the user's data folder) and the settings in `configFolder`.
    static ProgramFolders ForInstalled(const QString &programFolder, const QString &sharedFolder,
                                       const QString &dataFolder, const QString &configFolder,
                                       const QString &documentsFolder);
    // The `share/vornprn/` folder of an installed program in `programFolder`, or "" when the
    // program runs portable there.
    static QString InstalledSharedFolder(const QString &programFolder);
    // The folders of a program in `programFolder`, installed or portable by its layout; the
    // user's data and configuration folders are the platform's (QStandardPaths).
    static ProgramFolders ForExecutableFolder(const QString &programFolder,
                                              const QString &documentsFolder);

    // The settings file "Vorn.cfg".
    QString SettingsFile() const { return settings + QStringLiteral("Vorn.cfg"); }
    QString HelpFile() const;
    // The folders the import of bet files works with.
    ImportFolders Import() const;

    // The names of the "*.tzd" files of the user's template folder and of the shipped one, each
    // once, sorted by code unit (upper case before lower case).
    QStringList TemplateNames() const;
    // The file behind a listed name: the user's copy when there is one, else the shipped one.
    QString TemplatePath(const QString &name) const;
    // A template named by a user: a path as given, a bare file name found in the user's
    // template folder, then in the shipped one (kept as given when it is in neither).
    QString ResolveTemplate(const QString &given) const;
    // The folder that holds the script of that name (without ".cvb"): the user's when it is
    // there or nowhere else, else the shipped one.
    QString ScriptFolderOf(const QString &name) const;
    // True for a file in a shipped folder of an installed program (it cannot be written).
    bool IsShipped(const QString &path) const;
};

// The folders of this run (set once at start-up; the command line and tests set their own).
const ProgramFolders &Folders();
void SetFolders(const ProgramFolders &folders);

// Creates every missing folder along the path; false when that fails.
bool EnsureFolder(const QString &path);
