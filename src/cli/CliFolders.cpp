#include "cli/CliFolders.h"

#include <QCoreApplication>
#include <QDir>

const ProgramFolders &CliFolders()
{
    static const ProgramFolders folders = ProgramFolders::ForExecutableFolder(
        QDir(QCoreApplication::applicationDirPath()).absolutePath(), QString());
    return folders;
}

QString CliProgramFolder() { return CliFolders().program; }

bool CliScriptIsPath(const QString &script)
{
    return script.endsWith(QStringLiteral(".cvb"), Qt::CaseInsensitive) || script.contains('/')
           || script.contains('\\');
}
