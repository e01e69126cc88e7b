#include "vbscript/ByteText.h"

#include "vbscript/Coerce.h"
#include "vbscript/ScriptError.h"

namespace vbs {

QByteArray textBytes(const QString &text, bool oddBytes)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    if (oddBytes && !bytes.isEmpty())
        bytes.chop(1);
    return bytes;
}

QByteArray textBytes(const Value &text)
{
    return textBytes(text.asString(), text.oddBytes());
}

Value textFromBytes(const QByteArray &bytes)
{
    QString text;
    text.reserve((bytes.size() + 1) / 2);
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const uchar low = uchar(bytes[i]);
        const uchar high = i + 1 < bytes.size() ? uchar(bytes[i + 1]) : 0;
        text.append(QChar(char16_t(low | (high << 8))));
    }
    return Value::byteString(std::move(text), bytes.size() % 2 != 0);
}

Value joinBytes(const Value &a, const Value &b)
{
    const QByteArray x = a.isString() ? textBytes(a) : textBytes(toConcatString(a), false);
    const QByteArray y = b.isString() ? textBytes(b) : textBytes(toConcatString(b), false);
    if (x.size() + y.size() > 2 * kMaxStringLength)
        raise(Err::OutOfMemory);
    return textFromBytes(x + y);
}

} // namespace vbs
