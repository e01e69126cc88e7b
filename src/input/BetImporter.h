#pragma once
// The import of a bet file into the bet list, below the import dialog: the dialog, the
// program's start-up import, the command line and the tests all go through this class. The
// dialog's choices (path, mode, script) are set on it; the folders are handed in.
#include "input/ImportSettings.h"

#include <QString>
#include <QStringList>
#include <functional>

class BetEntries;
class BetList;

struct ImportFolders {
    QString ProgramFolder;  // "Vorn.cfg" and "debugout.txt"; with a trailing separator
    QString ScriptFolder;   // the "*.cvb" conversion scripts; with a trailing separator
    QString UserDataFolder; // where the browse dialog starts the first time
    // Where "debugout.txt" goes instead of the program folder, when set: an installed program
    // keeps its settings in the configuration folder and the user's files in the data folder.
    QString DebugOutFolder;
    QString SettingsPathFile() const { return ProgramFolder + QStringLiteral("Vorn.cfg"); }
    QString DebugOutPathFile() const
    {
        return (DebugOutFolder.isEmpty() ? ProgramFolder : DebugOutFolder) + QStringLiteral("debugout.txt");
    }
};

// The names of the "*.cvb" files of the folder without their extension, sorted by plain
// code-unit comparison. None found: shows "未在 [{1}] 目录找到任何的转换脚本文件!" and returns
// false (the chooser keeps what it had).
bool ListScriptFiles(const QString &scriptFolder, QStringList *names);

class BetImporter {
public:
    BetImporter(BetList &list, const ImportFolders &folders);

    // The dialog's state.
    QString PathFile() const { return m_PathFile; }
    void setPathFile(const QString &v) { m_PathFile = v; }
    ImportMode Mode() const { return m_Mode; }
    void setMode(ImportMode v) { m_Mode = v; }
    // The chooser's text: a script name without ".cvb".
    QString ScriptName() const { return m_ScriptName; }
    void setScriptName(const QString &v) { m_ScriptName = v; }
    // The script file run in the special mode: script folder + name + ".cvb", unless a full
    // path was set (the command line names scripts by path too).
    QString ScriptPathFile() const;
    void setScriptPathFile(const QString &pathFile) { m_ScriptPathFile = pathFile; }
    // The time limit of a script run (the command line may change it).
    void setScriptTimeLimitMs(qint64 ms) { m_ScriptTimeLimitMs = ms; }

    // Dialog load: the path, the mode and the script name from "Vorn.cfg", then the script
    // list. `scripts` receives the listed names (left untouched when there are none).
    void Load(QStringList *scripts = nullptr);
    // "LastPath" for the browse dialog.
    QString LastPath() const;
    // A file chosen in the browse dialog: becomes the path; its folder becomes "LastPath".
    void BrowseChosen(const QString &pathFile);
    // "LastPathFile", "IncludeIndex" and "SpecialScript" from the current state.
    void SaveImportSettings() const;

    // OK: an empty path shows "请选择文件！" and runs `browse`; otherwise saves the settings and
    // imports. True when the import succeeded (the dialog then closes).
    bool Ok(const std::function<void()> &browse);

    // Replaces the list by the stakes of the file in the current mode. False, with the message
    // already shown, when nothing could be imported (a file that cannot be read, an empty file,
    // a script that fails or gives nothing); the list is then left as it was.
    bool ImportLottNumbers();

    // The test action: saves the settings, runs the chosen script over the file, writes its
    // output lines to "debugout.txt", tells where, and opens it. Never touches the list.
    bool Test();

private:
    bool ReadEntries(BetEntries &built);
    // Runs the chosen script over the file: its output lines; false when it failed (already
    // shown).
    bool ReadScriptLines(QStringList *lines);
    QString ScriptDisplayName() const;

    BetList &m_list;
    ImportFolders m_folders;
    QString m_PathFile;
    ImportMode m_Mode = ImportMode::NotIncludeIndex;
    QString m_ScriptName;
    QString m_ScriptPathFile;
    qint64 m_ScriptTimeLimitMs;
};

// The start-up import of a file named on the command line: loads the dialog's state without
// showing it, imports the file with the remembered mode and script, writes no settings.
// Returns true whatever the import's outcome.
bool ShowMe_Background(BetList &list, const QString &pathFile, const ImportFolders &folders);
