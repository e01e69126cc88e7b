#pragma once
// Full disks for the tests of every writer: the writer's seam (a disk that fills up after N
// bytes of a file) and a real small tmpfs where the tests may mount one.
#include <QByteArray>
#include <QString>
#include <QStringList>

// While it lives, every file written (after the first `filesFirst`) fails with "no space left
// on device" once `bytes` of it have been written.
class DiskFullAfter {
public:
    explicit DiskFullAfter(qint64 bytes, int filesFirst = 0);
    ~DiskFullAfter();
    DiskFullAfter(const DiskFullAfter &) = delete;
    DiskFullAfter &operator=(const DiskFullAfter &) = delete;
};

// A tmpfs of the given size mounted on a fresh folder while the object lives. Mounting needs
// the superuser and a system that allows it; skipReason() says why there is no disk otherwise.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString skipReason() const { return m_skipReason; }
    QString path() const { return m_path; }
    // Takes every free byte left with a filler file.
    void fill() const;
    // Mounts the disk again read-only: even the superuser can write nothing on it then.
    bool makeReadOnly() const;

private:
    QString m_path;
    QString m_skipReason;
    bool m_mounted = false;
};

// The names in a folder, to check that a failed write left nothing beside its target.
QStringList FolderEntries(const QString &folder);
// A file's bytes ("<unreadable>" when it cannot be read), and bytes written as they are (a
// failure to write them fails the test).
QByteArray FileBytes(const QString &path);
void PutFileBytes(const QString &path, const QByteArray &bytes);
