#include "input/TextLines.h"

#include "common/MsgBox.h"
#include "common/TextFile.h"
#include "common/UnitBlocks.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace {
constexpr qint64 kChunkBytes = 1 << 20;

QString FailureText(const QString &name, const QString &reason)
{
    return name + QStringLiteral(":") + reason;
}

QString TooLargeReason(qint64 bytes)
{
    return QStringLiteral("文件大小为 %1 字节，超过了 %2 字节（256 MB）的上限，不能读取。")
        .arg(bytes)
        .arg(kMaxTextFileBytes);
}

// Why a file cannot be opened for reading, in the program's words: the system's own texts
// ("No such file or directory") are English.
QString OpenFailureReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("文件不存在。");
    if (info.isDir())
        return QStringLiteral("这是一个文件夹，不是文件。");
    if (!info.isReadable())
        return QStringLiteral("没有读取该文件的权限。");
    return QStringLiteral("文件不能打开。");
}

QString ReadFailureReason() { return QStringLiteral("读取文件时出错。"); }

QString BinaryReason()
{
    return QStringLiteral("文件中含有二进制数据，不是文本文件。");
}

// How many of a file's first bytes decide whether it is binary or UTF-16 without a mark.
constexpr qsizetype kSniffBytes = 8 * 1024;

// UTF-16 without a byte-order mark: the digits, separators and line ends of a bet file have a
// zero high byte, so one side of the byte pairs is largely zero and the other hardly ever.
std::optional<QStringConverter::Encoding> SniffUtf16(const QByteArray &head)
{
    const qsizetype pairs = head.size() / 2;
    if (pairs < 2)
        return std::nullopt;
    qsizetype evenZeros = 0, oddZeros = 0;
    for (qsizetype i = 0; i + 1 < head.size(); i += 2) {
        evenZeros += head[i] == 0;
        oddZeros += head[i + 1] == 0;
    }
    const auto many = [&](qsizetype n) { return n * 10 >= pairs * 3; };
    const auto few = [&](qsizetype n) { return n * 50 <= pairs; };
    if (many(oddZeros) && few(evenZeros))
        return QStringConverter::Utf16LE;
    if (many(evenZeros) && few(oddZeros))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

// Turns the bytes of a file into text a chunk at a time. The first chunk decides the encoding:
// a byte-order mark names UTF-8 or UTF-16 (and is skipped by the decoder); anything else is
// GBK, read through its superset GB18030, except that a bet file may also be UTF-8 or UTF-16
// without a mark (see TextFileKind).
class ChunkDecoder {
public:
    explicit ChunkDecoder(TextFileKind kind) : m_kind(kind) {}

    // The text of the next chunk; false with `reason` set when the file is not text.
    bool Decode(QByteArray bytes, QString *text, QString *reason)
    {
        if (m_first) {
            m_first = false;
            if (!Start(bytes, reason))
                return false;
        }
        if (m_dropNuls && !m_wide && bytes.contains('\0')) // looked for at memchr's speed first
            bytes.removeIf([](char c) { return c == 0; });
        if (!m_decided) {
            if (IsAscii(bytes)) {
                *text = QString::fromLatin1(bytes); // the same in UTF-8 and GBK
                return true;
            }
            // The first chunk with other characters decides: valid UTF-8 is UTF-8.
            QStringDecoder utf8(QStringConverter::Utf8);
            QString decoded = utf8.decode(bytes);
            m_decided = true;
            if (!utf8.hasError()) {
                m_decoder = std::move(utf8);
                *text = std::move(decoded);
                return true;
            }
            m_decoder = QStringDecoder("GB18030");
        }
        *text = m_decoder.decode(bytes);
        if (!text->contains(QChar(0)))
            return true;
        if (!m_dropNuls) {
            *reason = BinaryReason();
            return false;
        }
        text->remove(QChar(0));
        return true;
    }

private:
    bool Start(const QByteArray &head, QString *reason)
    {
        m_decided = true;
        if (head.startsWith("\xEF\xBB\xBF")) {
            m_decoder = QStringDecoder(QStringDecoder::Utf8);
        } else if (head.startsWith("\xFF\xFE")) {
            m_decoder = QStringDecoder(QStringDecoder::Utf16LE);
            m_wide = true;
        } else if (head.startsWith("\xFE\xFF")) {
            m_decoder = QStringDecoder(QStringDecoder::Utf16BE);
            m_wide = true;
        } else if (m_kind == TextFileKind::Program) {
            m_decoder = QStringDecoder("GB18030");
        } else {
            const QByteArray sniff = head.left(kSniffBytes);
            if (const auto utf16 = SniffUtf16(sniff)) {
                m_decoder = QStringDecoder(*utf16);
                m_wide = true;
            } else if (sniff.count('\0') * 10 > sniff.size()) {
                *reason = BinaryReason();
                return false;
            } else {
                m_decided = false; // UTF-8 or GBK: told by the first non-ASCII bytes
            }
        }
        m_dropNuls = m_kind == TextFileKind::BetFile;
        return true;
    }

    TextFileKind m_kind;
    QStringDecoder m_decoder;
    bool m_first = true;
    bool m_decided = false;
    bool m_wide = false;     // UTF-16: a NUL is a whole character, dropped after decoding
    bool m_dropNuls = false; // bet files: stray NULs are dropped instead of refusing the file
};

// Cuts decoded text into lines at CR LF, LF or a lone CR, across chunk boundaries.
class LineSplitter {
public:
    explicit LineSplitter(const std::function<void(QStringView)> &onLine) : m_onLine(onLine) {}

    void Feed(const QString &chunk)
    {
        if (chunk.isEmpty())
            return;
        m_buffer.append(chunk);
        const QChar *data = m_buffer.constData();
        const qsizetype size = m_buffer.size();
        qsizetype pos = 0;
        if (m_skipLf && data[0] == u'\n')
            pos = 1;
        m_skipLf = false;
        for (qsizetype i = pos; i < size; ++i) {
            const char16_t c = data[i].unicode();
            if (c > u'\r' || (c != u'\n' && c != u'\r')) // one test for nearly every character
                continue;
            m_onLine(QStringView(data + pos, i - pos));
            if (c == u'\r') {
                if (i + 1 < size && data[i + 1] == u'\n')
                    ++i;
                else if (i + 1 == size)
                    m_skipLf = true; // its LF may open the next chunk
            }
            pos = i + 1;
        }
        m_buffer.remove(0, pos);
    }

    void Finish()
    {
        if (!m_buffer.isEmpty())
            m_onLine(m_buffer);
        m_buffer.clear();
    }

private:
    const std::function<void(QStringView)> &m_onLine;
    QString m_buffer;
    bool m_skipLf = false;
};

bool IsLineEnd(char16_t c) { return c == u'\n' || c == u'\r'; }

// Whether a block of units holds a CR or an LF.
bool HasLineEnd(UnitBlocks::Block b)
{
    return UnitBlocks::Any((b == UnitBlocks::Splat(u'\r')) | (b == UnitBlocks::Splat(u'\n')));
}

qsizetype CountLineEnds(const char16_t *p, qsizetype n)
{
    qsizetype count = 0, i = 0;
    for (; i + UnitBlocks::kUnits <= n; i += UnitBlocks::kUnits)
        if (HasLineEnd(UnitBlocks::Load(p + i)))
            count += std::count_if(p + i, p + i + UnitBlocks::kUnits, IsLineEnd);
    return count + std::count_if(p + i, p + n, IsLineEnd);
}

// The lines LineSplitter would cut, each followed by CR LF, gathered into one text: every line
// end (CR LF, LF or a lone CR) becomes CR LF and a last line without one gets one. Copies a
// chunk in one pass, without a call per line.
class CrLfText {
public:
    explicit CrLfText(QString &out) : m_out(out) {}

    void Feed(const QString &chunk)
    {
        const char16_t *in = reinterpret_cast<const char16_t *>(chunk.constData());
        const qsizetype size = chunk.size();
        if (size == 0)
            return;
        qsizetype i = 0;
        if (m_skipLf && in[0] == u'\n')
            i = 1;
        m_skipLf = false;
        // A line end becomes two characters at most: room for that, then cut to what was made.
        const qsizetype start = m_out.size();
        m_out.resize(start + (size - i) + CountLineEnds(in + i, size - i));
        char16_t *out = reinterpret_cast<char16_t *>(m_out.data()) + start;
        while (i < size) {
            if (i + UnitBlocks::kUnits <= size) {
                const UnitBlocks::Block block = UnitBlocks::Load(in + i);
                if (!HasLineEnd(block)) {
                    UnitBlocks::Store(out, block);
                    out += UnitBlocks::kUnits;
                    i += UnitBlocks::kUnits;
                    continue;
                }
            }
            const char16_t c = in[i++];
            if (!IsLineEnd(c)) {
                *out++ = c;
                continue;
            }
            *out++ = u'\r';
            *out++ = u'\n';
            if (c == u'\r') {
                if (i < size && in[i] == u'\n')
                    ++i;
                else if (i == size)
                    m_skipLf = true; // its LF may open the next chunk
            }
        }
        m_out.truncate(out - reinterpret_cast<const char16_t *>(m_out.constData()));
    }

    void Finish()
    {
        if (!m_out.isEmpty() && !m_out.endsWith(u'\n'))
            m_out.append(u"\r\n");
    }

private:
    QString &m_out;
    bool m_skipLf = false;
};

void ShowReadFailure(const QString &failure)
{
    MsgBox(failure, MsgStyle::Exclamation);
}
} // namespace

namespace {

// Decodes the file a chunk at a time into `sink` (Feed each chunk's text, then Finish).
template <class Sink>
bool ReadDecoded(QIODevice &device, const QString &name, Sink &sink, QString *failure,
                 TextFileKind kind)
{
    auto fail = [&](const QString &reason) {
        if (failure)
            *failure = FailureText(name, reason);
        return false;
    };
    if (!device.isSequential() && device.size() > kMaxTextFileBytes)
        return fail(TooLargeReason(device.size()));

    ChunkDecoder decoder(kind);
    bool first = true;
    qint64 total = 0;
    QString text;
    QString reason;
    for (;;) {
        QByteArray bytes = device.read(kChunkBytes);
        if (bytes.isEmpty()) {
            if (device.atEnd() || device.isSequential())
                break;
            return fail(ReadFailureReason());
        }
        total += bytes.size();
        if (total > kMaxTextFileBytes)
            return fail(TooLargeReason(device.isSequential() ? total : device.size()));
        if (first) {
            // A byte-order mark, or the bytes that tell binary from UTF-16, can be cut by a
            // short first read of a pipe.
            while (bytes.size() < kSniffBytes && !device.atEnd()) {
                const QByteArray more = device.read(kSniffBytes - bytes.size());
                if (more.isEmpty())
                    break;
                bytes += more;
                total += more.size();
            }
            first = false;
        }
        if (!decoder.Decode(std::move(bytes), &text, &reason))
            return fail(reason);
        sink.Feed(text);
    }
    sink.Finish();
    return true;
}

// Opens `path` for ReadDecoded; false with `failure` set when it cannot.
bool OpenForReading(QFile &file, QString *failure)
{
    if (file.fileName().isEmpty()) { // QFile would also warn on the console
        if (failure)
            *failure = FailureText(QString(), QStringLiteral("没有指定文件名。"));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (failure)
            *failure = FailureText(file.fileName(), OpenFailureReason(file.fileName()));
        return false;
    }
    return true;
}

} // namespace

bool ForEachTextLine(QIODevice &device, const QString &name,
                     const std::function<void(QStringView)> &onLine, QString *failure,
                     TextFileKind kind)
{
    LineSplitter splitter(onLine);
    return ReadDecoded(device, name, splitter, failure, kind);
}

bool ForEachTextLine(const QString &path, const std::function<void(QStringView)> &onLine,
                     QString *failure, TextFileKind kind)
{
    QFile file(path);
    return OpenForReading(file, failure) && ForEachTextLine(file, path, onLine, failure, kind);
}

bool ReadWholeText(QIODevice &device, const QString &name, QString *text, QString *failure,
                   TextFileKind kind)
{
    text->clear();
    // Room for the whole file at once (a character per byte, and for each line end the room
    // CrLfText asks before it cuts back): the text is not copied again and again as it grows.
    const qint64 size = device.isSequential() ? 0 : device.size();
    if (size > 0 && size <= kMaxTextFileBytes)
        text->reserve(qsizetype(size + size / 8 + 2));
    CrLfText sink(*text);
    if (!ReadDecoded(device, name, sink, failure, kind)) {
        text->clear();
        return false;
    }
    // Much more room than text (UTF-16, two bytes a character) is given back; a little is not
    // worth copying the whole text for.
    if (text->capacity() - text->size() > text->size() / 2)
        text->squeeze();
    return true;
}

QString ReadTextFile(const QString &path, TextFileKind kind)
{
    QString text, failure;
    QFile file(path);
    if (!OpenForReading(file, &failure) || !ReadWholeText(file, path, &text, &failure, kind)) {
        ShowReadFailure(failure);
        return QString();
    }
    return text;
}

QStringList ReadTextLines(const QString &path, TextFileKind kind)
{
    QStringList lines;
    QString failure;
    if (!ForEachTextLine(path, [&](QStringView line) { lines.append(line.toString()); },
                         &failure, kind)) {
        ShowReadFailure(failure);
        return {};
    }
    return lines;
}

bool WriteTextLines(const QStringList &lines, const QString &path)
{
    QString error;
    if (!WriteWholeTextFile(path, JoinCrLf(lines), &error)) {
        MsgBox(error, MsgStyle::Exclamation);
        return false;
    }
    return true;
}
