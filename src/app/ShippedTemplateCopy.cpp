#include "app/ShippedTemplateCopy.h"
#include "app/ProgramFolders.h"
#include "common/AtomicFile.h"
#include "common/PathFile.h"
#include "common/TextFile.h"
#include "model/colPLControls.h"
#include "storage/clsPLStoreINI.h"

#include <QFileInfo>
#include <cerrno>

namespace {
bool copyFile(const QString &from, const QString &to, QString *reason)
{
    QByteArray bytes;
    if (!ReadWholeFile(from, &bytes, reason))
        return false;
    const SaveOutcome saved = WriteFileAtomically(to, bytes);
    if (!saved.ok && reason)
        *reason = saved.reason;
    return saved.ok;
}
} // namespace

QString WritableTemplatePath(const ProgramFolders &folders, const QString &path, QString *reason)
{
    if (!folders.IsShipped(path))
        return path;
    const QString name = SplitPathFile(path).fileName;
    const QString target = folders.templates + name;
    if (QFileInfo::exists(target))
        return target;
    if (!EnsureFolder(folders.templates)) {
        if (reason)
            *reason = SaveFailureText(target, errno);
        return QString();
    }
    if (!copyFile(path, target, reason))
        return QString();
    // The picture named without a folder lies beside the template: bring it along.
    colPLControls layout;
    clsPLStoreINI().LoadFromINI(path, layout);
    const PathParts picture = SplitPathFile(layout.BackPicPathFileStored());
    if (picture.folder.isEmpty() && !picture.fileName.isEmpty()
        && !QFileInfo::exists(folders.templates + picture.fileName)
        && QFileInfo::exists(folders.shippedTemplates + picture.fileName))
        copyFile(folders.shippedTemplates + picture.fileName, folders.templates + picture.fileName, reason);
    return target;
}
