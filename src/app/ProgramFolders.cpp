#include "app/ProgramFolders.h"
#include "common/PathFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {
const QString kTemplateFolder = QStringLiteral("投注单文件/");
const QString kScriptFolder = QStringLiteral("Script/");
const QString kProductFolder = QStringLiteral("VornPrn/");

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

// The pictures, icons and cursors that ship with the program.
void setPictureFolders(ProgramFolders &f)
{
    f.imageBmp = f.shared + QStringLiteral("Image/bmp/");
    f.imageIcon32 = f.shared + QStringLiteral("Image/Icon32/");
    f.imageIcon16 = f.shared + QStringLiteral("Image/Icon16/");
    f.imageIcon24 = f.shared + QStringLiteral("Image/Icon24/");
    f.imageCur = f.shared + QStringLiteral("Image/Cur/");
}

QString documentsProductFolder(const QString &documentsFolder)
{
    // No documents folder (the command line shows no file dialogs): no user data folder.
    return documentsFolder.isEmpty() ? QString() : withSeparator(documentsFolder) + kProductFolder;
}

QStringList templateFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.tzd")}, QDir::Files);
}

bool isFileIn(const QString &folder, const QString &name)
{
    return QFileInfo(folder + name).isFile();
}
} // namespace

ProgramFolders ProgramFolders::ForProgramFolder(const QString &programFolder,
                                                const QString &documentsFolder)
{
    ProgramFolders f;
    f.program = withSeparator(programFolder);
    f.shared = f.program;
    f.userOwn = f.program;
    f.settings = f.program;
    f.templates = f.shippedTemplates = f.program + kTemplateFolder;
    f.scripts = f.shippedScripts = f.program + kScriptFolder;
    setPictureFolders(f);
    f.userData = documentsProductFolder(documentsFolder);
    return f;
}

ProgramFolders ProgramFolders::ForInstalled(const QString &programFolder, const QString &sharedFolder,
                                            const QString &dataFolder, const QString &configFolder,
                                            const QString &documentsFolder)
{
    ProgramFolders f;
    f.installed = true;
    f.program = withSeparator(programFolder);
    f.shared = withSeparator(sharedFolder);
    f.userOwn = withSeparator(dataFolder);
    f.settings = withSeparator(configFolder);
    f.templates = f.userOwn + kTemplateFolder;
    f.scripts = f.userOwn + kScriptFolder;
    f.shippedTemplates = f.shared + kTemplateFolder;
    f.shippedScripts = f.shared + kScriptFolder;
    setPictureFolders(f);
    f.userData = documentsProductFolder(documentsFolder);
    return f;
}

QString ProgramFolders::InstalledSharedFolder(const QString &programFolder)
{
    const QDir program(programFolder);
    if (program.exists(kTemplateFolder))
        return QString();
    const QString shared = QDir::cleanPath(program.absoluteFilePath(QStringLiteral("../share/vornprn")));
    return QFileInfo(shared).isDir() ? withSeparator(shared) : QString();
}

ProgramFolders ProgramFolders::ForExecutableFolder(const QString &programFolder,
                                                   const QString &documentsFolder)
{
    const QString shared = InstalledSharedFolder(programFolder);
    if (shared.isEmpty())
        return ForProgramFolder(programFolder, documentsFolder);
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return ForInstalled(programFolder, shared, withSeparator(data) + kProductFolder,
                        withSeparator(config) + kProductFolder, documentsFolder);
}

QString ProgramFolders::HelpFile() const { return shared + QStringLiteral("help/index.html"); }

ImportFolders ProgramFolders::Import() const
{
    ImportFolders f;
    f.ProgramFolder = settings;
    f.ScriptFolder = scripts;
    f.UserDataFolder = userData;
    f.DebugOutFolder = userOwn;
    return f;
}

QStringList ProgramFolders::TemplateNames() const
{
    QStringList names = templateFilesIn(templates);
    if (shippedTemplates != templates)
        names += templateFilesIn(shippedTemplates);
    std::sort(names.begin(), names.end()); // code-unit order: upper case before lower case
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

QString ProgramFolders::TemplatePath(const QString &name) const
{
    if (!isFileIn(templates, name) && isFileIn(shippedTemplates, name))
        return shippedTemplates + name;
    return templates + name;
}

QString ProgramFolders::ResolveTemplate(const QString &given) const
{
    if (QFileInfo::exists(given) || given.contains(QLatin1Char('/')) || given.contains(QLatin1Char('\\')))
        return given;
    if (isFileIn(templates, given) || isFileIn(shippedTemplates, given))
        return TemplatePath(given);
    return given;
}

QString ProgramFolders::ScriptFolderOf(const QString &name) const
{
    const QString file = name + QStringLiteral(".cvb");
    if (!isFileIn(scripts, file) && isFileIn(shippedScripts, file))
        return shippedScripts;
    return scripts;
}

bool ProgramFolders::IsShipped(const QString &path) const
{
    if (!installed)
        return false;
    const QString folder = SplitPathFile(path).folder;
    return SameFolder(folder, shippedTemplates) || SameFolder(folder, shippedScripts);
}

const ProgramFolders &Folders() { return slot(); }

void SetFolders(const ProgramFolders &folders) { slot() = folders; }

bool EnsureFolder(const QString &path) { return !path.isEmpty() && QDir().mkpath(path); }
