#pragma once
// The text files of the import: bet files, conversion scripts, the script's test output.
// They are GBK with CR LF; LF alone, a lone CR and a missing final line end are read as well,
// and a file that starts with a UTF-8 or UTF-16 byte-order mark is read in that encoding.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

class QIODevice;

// Larger files are refused with a message that names their size, never cut short.
inline constexpr qint64 kMaxTextFileBytes = qint64(256) * 1024 * 1024;

// Bet files come from many programs and are read more leniently than the program's own files
// (scripts, test output), which stay GBK unless they carry a byte-order mark:
// - valid UTF-8 without a byte-order mark is read as UTF-8 (anything else as GBK), so Chinese
//   comments saved by a modern editor are not garbled;
// - UTF-16 without a byte-order mark is recognised by its zero bytes;
// - a few stray NUL bytes are dropped; a file whose first 8 KB are more than a tenth NULs (and
//   not UTF-16) is still refused as binary.
enum class TextFileKind { Program, BetFile };

// Streams the lines of a file (without their line ends) to `onLine`, in order, decoding a
// chunk at a time so a large file is never held twice. An empty file gives no lines; a final
// line end does not start another line. On failure returns false with `failure` set to the
// text to show: the path, ":", then what went wrong (cannot open, too large, binary data,
// read error). Lines handed out before a failure was found are to be discarded by the caller.
bool ForEachTextLine(const QString &path, const std::function<void(QStringView)> &onLine,
                     QString *failure, TextFileKind kind = TextFileKind::Program);
// The same over an open device (standard input for the command line); `name` stands for the
// path in the failure text.
bool ForEachTextLine(QIODevice &device, const QString &name,
                     const std::function<void(QStringView)> &onLine, QString *failure,
                     TextFileKind kind = TextFileKind::Program);

// The whole text of an open device, each line followed by CR LF (the last one too): the lines
// ForEachTextLine gives, joined. False with `failure` set (and `text` empty) as there.
bool ReadWholeText(QIODevice &device, const QString &name, QString *text, QString *failure,
                   TextFileKind kind = TextFileKind::Program);
// The whole file, each line followed by CR LF (the last one too). A file that cannot be read
// shows its failure (exclamation icon) and gives "".
QString ReadTextFile(const QString &path, TextFileKind kind = TextFileKind::Program);
// The lines without their line ends, the first line first; an empty file gives no elements.
// A file that cannot be read shows its failure and gives no elements.
QStringList ReadTextLines(const QString &path, TextFileKind kind = TextFileKind::Program);
// Replaces the file with every element followed by CR LF (GBK). The old file is never
// appended to; a failure shows the path and the reason and returns false.
bool WriteTextLines(const QStringList &lines, const QString &path);
