#include "DiskSupport.h"
#include "TestSupport.h"
#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

DiskFullAfter::DiskFullAfter(qint64 bytes, int filesFirst) { SetWriteSpaceLimit(bytes, filesFirst); }
DiskFullAfter::~DiskFullAfter() { SetWriteSpaceLimit(-1); }

SmallDisk::SmallDisk(int kilobytes) : m_path(makeTempDir() + QStringLiteral("/disk"))
{
    QDir().mkpath(m_path);
    if (geteuid() != 0) {
        m_skipReason = QStringLiteral("mounting a small tmpfs needs the superuser");
        return;
    }
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                          QStringLiteral("-o"),
                                          QStringLiteral("size=%1k").arg(kilobytes),
                                          QStringLiteral("tmpfs"), m_path});
    if (!mount.waitForFinished(30000) || mount.exitStatus() != QProcess::NormalExit
        || mount.exitCode() != 0) {
        m_skipReason = QStringLiteral("this system does not allow mounting a tmpfs: ")
                       + QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
        return;
    }
    m_mounted = true;
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_path});
}

void SmallDisk::fill() const
{
    QFile filler(m_path + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::Append | QIODevice::Unbuffered))
        return;
    const QByteArray block(512, 'f');
    while (filler.write(block) == block.size()) {
    }
    // The last partial block: byte by byte until the disk refuses.
    while (filler.write("f", 1) == 1) {
    }
}

bool SmallDisk::makeReadOnly() const
{
    return m_mounted
           && QProcess::execute(QStringLiteral("mount"),
                                {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_path})
                  == 0;
}

QStringList FolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void PutFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    // A test whose starting file could not be written would check nothing.
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString() << ": " << f.errorString().toStdString();
}
