#include "common/TextFile.h"
#include "common/AtomicFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

QString DecodeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringConverter::Utf16LE);
        return d.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringConverter::Utf16BE);
        return d.decode(bytes.mid(2));
    }
    return DecodeGbk(bytes);
}

bool IsAscii(const QByteArray &bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

QString DecodeGbk(const QByteArray &bytes)
{
    QStringDecoder d("GB18030");
    return d.decode(bytes);
}

QByteArray EncodeGbk(const QString &text)
{
    QStringEncoder e("GB18030");
    return e.encode(text);
}

bool ReadWholeFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        *bytes = f.readAll();
        if (f.error() == QFileDevice::NoError)
            return true;
    }
    if (error)
        *error = f.errorString();
    bytes->clear();
    return false;
}

TextReadResult ReadWholeTextFile(const QString &path)
{
    TextReadResult r;
    QByteArray bytes;
    if (!ReadWholeFile(path, &bytes, &r.error))
        return r;
    r.ok = true;
    r.text = DecodeText(bytes);
    return r;
}

bool WriteWholeTextFile(const QString &path, const QString &text, QString *error)
{
    const SaveOutcome outcome = WriteFileAtomically(path, EncodeGbk(text));
    if (!outcome.ok && error)
        *error = outcome.reason;
    return outcome.ok;
}

QString JoinCrLf(const QStringList &lines)
{
    QString out;
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    out.reserve(total);
    for (const QString &l : lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}
