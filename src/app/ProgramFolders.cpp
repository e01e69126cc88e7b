#include "app/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString withSeparator(const QString &path)
{
    if (path.endsWith('/') || path.endsWith('\\'))
        return path;
    return path + QLatin1Char('/');
}

ProgramFolders &slot()
{
    static ProgramFolders folders;
    return folders;
}

} // namespace

ProgramFolders ProgramFolders::ForProgramFolder(const QString &programFolder,
                                                const QString &documentsFolder)
{
    ProgramFolders f;
    f.program = withSeparator(programFolder);
    f.templates = f.program + QStringLiteral("投注单文件/");
    f.scripts = f.program + QStringLiteral("Script/");
    f.imageBmp = f.program + QStringLiteral("Image/bmp/");
    f.imageIcon32 = f.program + QStringLiteral("Image/Icon32/");
    f.imageIcon16 = f.program + QStringLiteral("Image/Icon16/");
    f.imageIcon24 = f.program + QStringLiteral("Image/Icon24/");
    f.imageCur = f.program + QStringLiteral("Image/Cur/");
    // No documents folder (the command line shows no file dialogs): no user data folder.
    if (!documentsFolder.isEmpty())
        f.userData = withSeparator(documentsFolder) + QStringLiteral("VornPrn/");
    return f;
}

QString ProgramFolders::HelpFile() const { return program + QStringLiteral("help/index.html"); }

ImportFolders ProgramFolders::Import() const
{
    ImportFolders f;
    f.ProgramFolder = program;
    f.ScriptFolder = scripts;
    f.UserDataFolder = userData;
    return f;
}

const ProgramFolders &Folders() { return slot(); }

void SetFolders(const ProgramFolders &folders) { slot() = folders; }

bool EnsureFolder(const QString &path) { return !path.isEmpty() && QDir().mkpath(path); }

QString ProgramFolders::ResolveTemplate(const QString &given) const
{
    if (QFileInfo::exists(given) || given.contains(QLatin1Char('/')) || given.contains(QLatin1Char('\\')))
        return given;
    const QString inFolder = templates + given;
    return QFileInfo::exists(inFolder) ? inFolder : given;
}
