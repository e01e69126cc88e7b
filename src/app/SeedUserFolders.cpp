#include "app/SeedUserFolders.h"
#include "app/ProgramFolders.h"
#include "common/AtomicFile.h"
#include "common/PathFile.h"
#include "common/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <cerrno>

namespace {
// Shipped file (relative to the shipped folder's parent) -> digest of the content last brought.
using SeedRecord = QMap<QString, QByteArray>;

QString recordFile(const ProgramFolders &f) { return f.userOwn + QStringLiteral("shipped.txt"); }

// One line per file: digest, tab, relative path (UTF-8).
SeedRecord readRecord(const QString &path)
{
    SeedRecord record;
    QByteArray bytes;
    if (!QFileInfo::exists(path) || !ReadWholeFile(path, &bytes))
        return record;
    for (const QByteArray &line : bytes.split('\n')) {
        const int tab = line.indexOf('\t');
        if (tab > 0)
            record.insert(QString::fromUtf8(line.mid(tab + 1)), line.left(tab));
    }
    return record;
}

QByteArray recordBytes(const SeedRecord &record)
{
    QByteArray bytes;
    for (auto it = record.cbegin(); it != record.cend(); ++it)
        bytes += it.value() + '\t' + it.key().toUtf8() + '\n';
    return bytes;
}

QByteArray digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool sameContent(const QString &path, const QByteArray &bytes)
{
    QByteArray existing;
    return ReadWholeFile(path, &existing) && existing == bytes;
}

// A copy of a shipped file into the user's folder; false (reason noted) when it cannot be written.
bool copyInto(const QString &target, const QByteArray &bytes, SeedOutcome &out)
{
    const SaveOutcome saved = WriteFileAtomically(target, bytes);
    if (!saved.ok)
        out.failed << saved.reason;
    return saved.ok;
}

void seedFolder(const QString &shipped, const QString &user, const QString &recordPrefix,
                const QString &version, SeedRecord &record, SeedOutcome &out)
{
    if (!EnsureFolder(user)) {
        out.failed << SaveFailureText(user, errno);
        return;
    }
    for (const QString &name : QDir(shipped).entryList(QDir::Files, QDir::Name)) {
        QByteArray bytes;
        if (!ReadWholeFile(shipped + name, &bytes))
            continue;
        const QByteArray sum = digest(bytes);
        const QString key = recordPrefix + name;
        if (record.value(key) == sum)
            continue; // brought before: a user's change or deletion stands
        const QString target = user + name;
        bool done = true;
        if (!QFileInfo::exists(target)) {
            done = copyInto(target, bytes, out);
            if (done)
                out.copied << target;
        } else if (!sameContent(target, bytes)) {
            const QString beside = user + OfferedName(name, version);
            if (!QFileInfo::exists(beside)) {
                done = copyInto(beside, bytes, out);
                if (done)
                    out.offered << beside;
            }
        }
        if (done)
            record.insert(key, sum);
    }
}
} // namespace

QString OfferedName(const QString &fileName, const QString &version)
{
    const PathParts parts = SplitPathFile(fileName);
    const QString mark = version.isEmpty() ? QStringLiteral("（新版）")
                                           : QStringLiteral("（新版 %1）").arg(version);
    return parts.baseName + mark + (parts.extension.isEmpty() ? QString() : QLatin1Char('.') + parts.extension);
}

SeedOutcome SeedUserFolders(const ProgramFolders &folders, const QString &version)
{
    SeedOutcome out;
    if (!folders.installed)
        return out;
    EnsureFolder(folders.settings);
    SeedRecord record = readRecord(recordFile(folders));
    const SeedRecord before = record;
    seedFolder(folders.shippedTemplates, folders.templates, QStringLiteral("投注单文件/"), version, record, out);
    seedFolder(folders.shippedScripts, folders.scripts, QStringLiteral("Script/"), version, record, out);
    if (record != before) {
        const SaveOutcome saved = WriteFileAtomically(recordFile(folders), recordBytes(record));
        if (!saved.ok)
            out.failed << saved.reason;
    }
    return out;
}
