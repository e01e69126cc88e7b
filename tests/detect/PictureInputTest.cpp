// Pictures the detector cannot use: each gets its own answer, and nothing is invented.
#include "TestSupport.h"
#include "detect/PictureResolution.h"
#include "detect/SlipDetector.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
quint32 crc32(const QByteArray &data)
{
    quint32 c = 0xFFFFFFFFu;
    for (char ch : data) {
        c ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

QByteArray chunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray out(4, 0);
    qToBigEndian(quint32(data.size()), out.data());
    QByteArray body = type + data;
    QByteArray crc(4, 0);
    qToBigEndian(crc32(body), crc.data());
    return out + body + crc;
}

QByteArray be32(quint32 v)
{
    QByteArray b(4, 0);
    qToBigEndian(v, b.data());
    return b;
}

// A PNG whose header declares width x height; its pixels are never there.
QByteArray pngHeaderOnly(quint32 width, quint32 height)
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8)
           + chunk("IHDR", be32(width) + be32(height) + QByteArray("\x08\x02\x00\x00\x00", 5))
           + chunk("IDAT", QByteArray()) + chunk("IEND", QByteArray());
}

QByteArray encoded(const QImage &img, const char *format)
{
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    img.save(&b, format);
    return bytes;
}

// The same PNG with its pHYs chunk taken out.
QByteArray withoutResolution(QByteArray png)
{
    const qsizetype at = png.indexOf("pHYs");
    if (at >= 4)
        png.remove(at - 4, 4 + 4 + 9 + 4);
    return png;
}

QString written(const QString &name, const QByteArray &bytes)
{
    const QString path = makeTempDir() + "/" + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QImage picture(int w, int h, double dpi)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    img.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    return img;
}

// Something that is not a slip: circles, lines and a gradient.
QImage somethingElse()
{
    QImage img = picture(1200, 900, 300);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 1200, 900);
    g.setColorAt(0, QColor(90, 140, 200));
    g.setColorAt(1, QColor(230, 210, 160));
    p.fillRect(img.rect(), g);
    quint32 s = 7;
    auto next = [&](int n) { s = s * 1664525u + 1013904223u; return int((s >> 8) % quint32(n)); };
    for (int i = 0; i < 60; ++i) {
        p.setPen(QPen(QColor(next(255), next(255), next(255)), 1 + next(6)));
        p.drawEllipse(QPoint(next(1200), next(900)), 5 + next(120), 5 + next(80));
        p.drawLine(next(1200), next(900), next(1200), next(900));
    }
    return img;
}

TEST(PictureResolution, ReadFromEachFormatsOwnField)
{
    struct Row {
        QByteArray head;
        double dpi;
    };
    QByteArray bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian(quint32(40), bmp.data() + 14);
    qToLittleEndian(quint32(6000), bmp.data() + 38);
    QByteArray oldBmp = bmp;
    qToLittleEndian(quint32(12), oldBmp.data() + 14);
    auto jfif = [](quint8 unit, quint16 density) {
        QByteArray j("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x02", 13);
        j.append(char(unit));
        j.append(char(density >> 8)).append(char(density & 0xFF));
        j.append(char(density >> 8)).append(char(density & 0xFF));
        return j + QByteArray("\x00\x00", 2);
    };
    auto phys = [](quint32 perUnit, char unit) {
        return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", QByteArray(13, 1))
               + chunk("pHYs", be32(perUnit) + be32(perUnit * 2) + QByteArray(1, unit));
    };
    const Row rows[] = {
        {bmp, 152.4},
        {oldBmp, 0},
        {jfif(1, 300), 300},
        {jfif(2, 118), 299.72},
        {jfif(0, 1), 0},
        {phys(11811, 1), 11811 * 0.0254},
        {phys(11811, 0), 0},
        {pngHeaderOnly(10, 10), 0},
        {QByteArray("GIF89a"), 0},
    };
    for (const Row &r : rows)
        EXPECT_NEAR(PictureResolutionDpi(r.head), r.dpi, 1e-9) << r.head.left(16).toHex().constData();
}

TEST(SlipPictureInput, ProblemsAreToldApartAndNothingIsFound)
{
    struct Row {
        const char *what;
        QString path;
        double dpi;
        PictureProblem problem;
    };
    const QImage blank = picture(1000, 700, 300);
    const Row rows[] = {
        {"text file", written("notes.png", "这不是图片\r\n"), 0, PictureProblem::CannotOpen},
        {"missing file", makeTempDir() + "/none.png", 0, PictureProblem::CannotOpen},
        {"over 100 megapixels", written("huge.png", pngHeaderOnly(20000, 5001)), 300, PictureProblem::TooLarge},
        {"no resolution", written("plain.png", withoutResolution(encoded(blank, "PNG"))), 0,
         PictureProblem::NoResolution},
        {"no resolution, --dpi", written("plain2.png", withoutResolution(encoded(blank, "PNG"))), 300,
         PictureProblem::None},
        {"blank", written("blank.png", encoded(blank, "PNG")), 0, PictureProblem::None},
        {"1 x 1", written("dot.png", encoded(picture(1, 1, 300), "PNG")), 0, PictureProblem::None},
        {"something else", written("photo.jpg", encoded(somethingElse(), "JPG")), 0, PictureProblem::None},
    };
    for (const Row &r : rows) {
        const SlipFileDetection d = DetectSlipFile(r.path, r.dpi);
        EXPECT_EQ(d.problem, r.problem) << r.what;
        EXPECT_FALSE(d.detection.found()) << r.what;
        EXPECT_TRUE(d.detection.marks.isEmpty()) << r.what;
    }
}

TEST(SlipPictureInput, JustUnderTheLimitIsReadAndOverIsRefusedBeforeDecoding)
{
    // 10000 x 10000 is exactly 100 megapixels: allowed to be opened (its pixels are missing,
    // so reading them fails afterwards); one row more is refused by its header alone.
    EXPECT_EQ(ReadSlipPicture(written("limit.png", pngHeaderOnly(10000, 10000)), 300).problem,
              PictureProblem::CannotOpen);
    EXPECT_EQ(ReadSlipPicture(written("over.png", pngHeaderOnly(10000, 10001)), 300).problem,
              PictureProblem::TooLarge);
}
} // namespace
