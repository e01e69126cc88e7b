#include "detect/PictureResolution.h"

namespace {
quint32 bigEndian(const QByteArray &b, qsizetype at, int bytes)
{
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

quint32 littleEndian32(const QByteArray &b, qsizetype at)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(b[at + i]);
    return v;
}

constexpr double kMetresPerInch = 0.0254;

double pngDpi(const QByteArray &b)
{
    qsizetype at = 8;
    while (at + 8 <= b.size()) {
        const quint32 length = bigEndian(b, at, 4);
        const QByteArray type = b.mid(at + 4, 4);
        if (type == "IDAT" || type == "IEND")
            break;
        if (type == "pHYs" && length >= 9 && at + 8 + 9 <= b.size()) {
            const quint32 perUnitX = bigEndian(b, at + 8, 4);
            const quint8 unit = quint8(b[at + 16]);
            return unit == 1 ? perUnitX * kMetresPerInch : 0.0; // 1: per metre; 0: aspect only
        }
        at += 12 + qsizetype(length);
    }
    return 0;
}

double bmpDpi(const QByteArray &b)
{
    if (b.size() < 14 + 40 || littleEndian32(b, 14) < 40) // the old 12-byte header has none
        return 0;
    return qint32(littleEndian32(b, 38)) > 0 ? qint32(littleEndian32(b, 38)) * kMetresPerInch : 0;
}

double jpegDpi(const QByteArray &b)
{
    qsizetype at = 2;
    while (at + 4 <= b.size() && quint8(b[at]) == 0xFF) {
        const quint8 marker = quint8(b[at + 1]);
        const quint32 length = bigEndian(b, at + 2, 2);
        if (marker == 0xE0 && at + 4 + 10 <= b.size() && b.mid(at + 4, 5) == QByteArray("JFIF\0", 5)) {
            const quint8 unit = quint8(b[at + 11]);
            const quint32 densityX = bigEndian(b, at + 12, 2);
            if (unit == 1)
                return densityX;
            if (unit == 2)
                return densityX * 2.54; // dots per centimetre
            return 0;
        }
        if (marker == 0xDA) // start of the picture data
            break;
        at += 2 + qsizetype(length);
    }
    return 0;
}
} // namespace

double PictureResolutionDpi(const QByteArray &head)
{
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return pngDpi(head);
    if (head.startsWith("BM"))
        return bmpDpi(head);
    if (head.startsWith("\xFF\xD8"))
        return jpegDpi(head);
    return 0;
}
