#include "common/AtomicFile.h"
#include "common/FormatMsg.h"
#include "common/LastError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct SpaceLimit {
    qint64 bytes = -1;
    int filesFirst = 0;
};
SpaceLimit &spaceLimit()
{
    static SpaceLimit limit;
    return limit;
}

// The byte limit for the file being opened now.
qint64 limitForNextFile()
{
    SpaceLimit &s = spaceLimit();
    if (s.bytes < 0)
        return -1;
    if (s.filesFirst > 0) {
        --s.filesFirst;
        return -1;
    }
    return s.bytes;
}

QString systemText(int systemError)
{
    return QString::fromLocal8Bit(std::strerror(systemError));
}

// The target itself when the path is a symbolic link, so the link stays a link.
QString followLink(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

QByteArray encoded(const QString &path) { return QFile::encodeName(path); }
} // namespace

QString SaveFailureText(const QString &path, int systemError)
{
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FormatMsg("1", QStringLiteral("保存文件 {1} 失败：磁盘空间不足"), {path});
    case EACCES:
    case EPERM:
    case EROFS:
        return FormatMsg("1", QStringLiteral("保存文件 {1} 失败：没有写入权限"), {path});
    case ENOENT:
    case ENOTDIR:
        return FormatMsg("1", QStringLiteral("保存文件 {1} 失败：文件夹不存在"), {path});
    default:
        return FormatMsg("1", QStringLiteral("保存文件 {1} 失败：{2}"),
                         {path, systemText(systemError)});
    }
}

QString LastSaveFailureText()
{
    const clsError *e = LastErrorRecord();
    return e ? e->strMsg() : QString();
}

void SetWriteSpaceLimit(qint64 bytes, int filesFirst) { spaceLimit() = {bytes, filesFirst}; }

AtomicFile::AtomicFile(const QString &path) : m_path(path), m_target(followLink(path)) {}

AtomicFile::~AtomicFile() { cancel(); }

void AtomicFile::fail(int systemError)
{
    if (!m_outcome.ok)
        return; // the first failure is the reason
    m_outcome.ok = false;
    m_outcome.systemError = systemError;
    m_outcome.reason = SaveFailureText(m_path, systemError);
    setErrorString(m_outcome.reason);
    RecordError(systemText(systemError), QString::number(systemError), m_path);
    RecordErrorContext(QStringLiteral("AtomicFile"), QStringLiteral("Save"), m_outcome.reason,
                       QString(), false);
}

bool AtomicFile::open(OpenMode mode)
{
    if (m_fd >= 0 || !(mode & WriteOnly) || (mode & ReadOnly))
        return false;
    m_outcome = SaveOutcome();
    m_written = 0;
    const QByteArray target = encoded(m_target);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        fail(EISDIR);
        return false;
    }
    // A file the user may not write is not replaced behind their back.
    if (exists && ::access(target.constData(), W_OK) != 0) {
        fail(errno);
        return false;
    }
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        m_temporary = m_target + QStringLiteral(".vorn-%1")
                                     .arg(QRandomGenerator::global()->generate(), 8, 16,
                                          QLatin1Char('0'));
        m_fd = ::open(encoded(m_temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                      0666);
        if (m_fd < 0 && errno != EEXIST) {
            fail(errno);
            m_temporary.clear();
            return false;
        }
    }
    if (m_fd < 0) {
        fail(EEXIST);
        m_temporary.clear();
        return false;
    }
    if (exists)
        (void)::fchmod(m_fd, old.st_mode & 07777);
    m_spaceLimit = limitForNextFile();
    return QIODevice::open(mode | Unbuffered);
}

qint64 AtomicFile::writeData(const char *data, qint64 size)
{
    if (m_fd < 0 || !m_outcome.ok)
        return -1;
    qint64 done = 0;
    while (done < size) {
        qint64 chunk = size - done;
        if (m_spaceLimit >= 0)
            chunk = std::min(chunk, m_spaceLimit - m_written);
        if (chunk <= 0) {
            fail(ENOSPC);
            return -1;
        }
        const ssize_t n = ::write(m_fd, data + done, size_t(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
            return -1;
        }
        done += n;
        m_written += n;
    }
    return size;
}

bool AtomicFile::commit()
{
    if (m_fd < 0) {
        if (m_outcome.ok)
            fail(EBADF);
        return false;
    }
    if (m_outcome.ok && ::fsync(m_fd) != 0)
        fail(errno);
    if (::close(m_fd) != 0)
        fail(errno);
    m_fd = -1;
    QIODevice::close();
    if (m_outcome.ok
        && ::rename(encoded(m_temporary).constData(), encoded(m_target).constData()) != 0)
        fail(errno);
    if (!m_outcome.ok) {
        removeTemporary();
        return false;
    }
    m_temporary.clear();
    return true;
}

void AtomicFile::cancel()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    removeTemporary();
    if (isOpen())
        QIODevice::close();
}

void AtomicFile::close()
{
    // Closing without commit() keeps the old file: a half-written file never replaces it.
    cancel();
}

void AtomicFile::removeTemporary()
{
    if (!m_temporary.isEmpty())
        ::unlink(encoded(m_temporary).constData());
    m_temporary.clear();
}

SaveOutcome WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
    else
        file.cancel();
    return file.outcome();
}

int RemoveStaleTemporaries(const QString &folder, qint64 olderThanSecs)
{
    static const QRegularExpression ours(QStringLiteral("\\.vorn-[0-9a-f]{8}$"));
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-olderThanSecs);
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral("*.vorn-*")},
                                                             QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &entry : entries) {
        if (!ours.match(entry.fileName()).hasMatch() || entry.lastModified().toUTC() >= before)
            continue;
        if (::unlink(encoded(entry.filePath()).constData()) == 0)
            ++removed;
    }
    return removed;
}
