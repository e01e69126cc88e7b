#include "input/TextLines.h"

#include "common/MsgBox.h"
#include "common/TextFile.h"

#include <QFile>
#include <QStringDecoder>

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

QString BinaryReason()
{
    return QStringLiteral("文件中含有二进制数据，不是文本文件。");
}

// The decoder a file's first bytes ask for: a byte-order mark names UTF-8 or UTF-16 (and is
// skipped by the decoder), anything else is GBK, read through its superset GB18030.
QStringDecoder DecoderFor(const QByteArray &head)
{
    if (head.startsWith("\xEF\xBB\xBF"))
        return QStringDecoder(QStringDecoder::Utf8);
    if (head.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE);
    if (head.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE);
    return QStringDecoder("GB18030");
}

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
            if (c != u'\n' && c != u'\r')
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

void ShowReadFailure(const QString &failure)
{
    MsgBox(failure, MsgStyle::Exclamation);
}
} // namespace

bool ForEachTextLine(QIODevice &device, const QString &name,
                     const std::function<void(QStringView)> &onLine, QString *failure)
{
    auto fail = [&](const QString &reason) {
        if (failure)
            *failure = FailureText(name, reason);
        return false;
    };
    if (!device.isSequential() && device.size() > kMaxTextFileBytes)
        return fail(TooLargeReason(device.size()));

    LineSplitter splitter(onLine);
    QStringDecoder decoder;
    bool first = true;
    qint64 total = 0;
    for (;;) {
        QByteArray bytes = device.read(kChunkBytes);
        if (bytes.isEmpty()) {
            if (device.atEnd() || device.isSequential())
                break;
            return fail(device.errorString());
        }
        total += bytes.size();
        if (total > kMaxTextFileBytes)
            return fail(TooLargeReason(device.isSequential() ? total : device.size()));
        if (first) {
            // A byte-order mark can be cut by a short first read of a pipe.
            while (bytes.size() < 3 && !device.atEnd()) {
                const QByteArray more = device.read(3 - bytes.size());
                if (more.isEmpty())
                    break;
                bytes += more;
                total += more.size();
            }
            decoder = DecoderFor(bytes);
            first = false;
        }
        const QString text = decoder.decode(bytes);
        if (text.contains(QChar(0)))
            return fail(BinaryReason());
        splitter.Feed(text);
    }
    splitter.Finish();
    return true;
}

bool ForEachTextLine(const QString &path, const std::function<void(QStringView)> &onLine,
                     QString *failure)
{
    if (path.isEmpty()) { // QFile would also warn on the console
        if (failure)
            *failure = FailureText(path, QStringLiteral("No file name specified"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (failure)
            *failure = FailureText(path, file.errorString());
        return false;
    }
    return ForEachTextLine(file, path, onLine, failure);
}

QString ReadTextFile(const QString &path)
{
    QString text;
    QString failure;
    if (!ForEachTextLine(
            path, [&](QStringView line) { text.append(line).append(u"\r\n"); }, &failure)) {
        ShowReadFailure(failure);
        return QString();
    }
    return text;
}

QStringList ReadTextLines(const QString &path)
{
    QStringList lines;
    QString failure;
    if (!ForEachTextLine(path, [&](QStringView line) { lines.append(line.toString()); },
                         &failure)) {
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
