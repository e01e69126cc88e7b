#pragma once
// Every file the program writes goes through AtomicFile: the bytes go to a new file beside the
// target, are flushed to the disk and checked, and only then replace the target by a rename.
// A failure at any step (a full disk, no permission, a missing folder) removes the new file,
// leaves the old one byte for byte, and records why in the last error.
#include <QByteArray>
#include <QIODevice>
#include <QString>

// The message for a failed save of `path`, by the system's error number (errno):
// "保存文件 {1} 失败：磁盘空间不足", "...：没有写入权限", "...：文件夹不存在", otherwise
// "保存文件 {1} 失败：{2}" with the system's own description.
QString SaveFailureText(const QString &path, int systemError);

struct SaveOutcome {
    bool ok = true;
    int systemError = 0;
    QString reason; // SaveFailureText of the failure; "" on success
};

// A write-only device for producers that stream into a file themselves (the PDF and PNG
// writers). Nothing reaches the target until commit() succeeds.
class AtomicFile : public QIODevice {
public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile() override;

    // Creates the new file beside the target; false (with the outcome set) when it cannot.
    bool open(OpenMode mode = WriteOnly) override;
    // Flushes the bytes to the disk and renames the new file over the target. On any failure
    // since open() the new file is removed and the target stays as it was.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancel();
    const SaveOutcome &outcome() const { return m_outcome; }
    QString fileName() const { return m_path; }
    bool isSequential() const override { return true; }
    void close() override;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    void fail(int systemError);
    void removeTemporary();

    QString m_path;
    QString m_target;    // m_path with a symbolic link followed
    QString m_temporary; // the new file while it is being written
    int m_fd = -1;
    qint64 m_written = 0;
    qint64 m_spaceLimit = -1; // the test seam's limit for this file
    SaveOutcome m_outcome;
};

// The whole file in one go.
SaveOutcome WriteFileAtomically(const QString &path, const QByteArray &bytes);

// Removes the new files of writes that never finished (the process was killed between open and
// commit) from `folder`: files named like ours ("NAME.vorn-" and eight hex digits) and last
// changed more than `olderThanSecs` ago, so that a write still running elsewhere keeps its own.
// Returns how many were removed.
int RemoveStaleTemporaries(const QString &folder, qint64 olderThanSecs = 24 * 60 * 60);

// The reason of the last failed save (the last error's message), for the window or command that
// asked for the save and shows it once.
QString LastSaveFailureText();

// Test seam: when `bytes` >= 0, every file written afterwards (after the first `filesFirst`,
// which are written in full) fails with "no space left on device" once that many bytes of it
// have been written: a disk that fills up in the middle of a write. -1 turns it off.
void SetWriteSpaceLimit(qint64 bytes, int filesFirst = 0);
