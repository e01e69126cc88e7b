// The sample templates shipped in resources/投注单文件/: each loads, holds the blocks of its
// game, and every block of every stake sits on a box of its slip picture.
#include "storage/clsPLStoreINI.h"

#include "TestSupport.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

namespace {
struct Sample {
    QString file;
    QString groups;
    // group id -> the block values of that fill area
    QMap<QString, QStringList> values;
};

QStringList numbers(int from, int to, int width)
{
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << QString("%1").arg(n, width, 10, QLatin1Char('0'));
    return out;
}

QList<Sample> samples()
{
    return {
        {"陕西－双色球.tzd", "6,1", {{"1", numbers(1, 33, 2)}, {"2", numbers(1, 16, 2)}}},
        {"体彩－超级大乐透.tzd", "5,2", {{"1", numbers(1, 35, 2)}, {"2", numbers(1, 12, 2)}}},
        {"七乐彩.tzd", "7", {{"1", numbers(1, 30, 2)}}},
        {"福彩3D.tzd", "1,1,1",
         {{"1", numbers(0, 9, 1)}, {"2", numbers(0, 9, 1)}, {"3", numbers(0, 9, 1)}}},
    };
}

QString samplePath(const QString &file) { return sourceDir() + "/resources/投注单文件/" + file; }

QList<double> offsets(const QString &list)
{
    QList<double> out;
    for (const QString &piece : list.split(','))
        out << piece.trimmed().toDouble();
    const double first = out.first();
    for (double &v : out)
        v -= first;
    return out;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(SampleTemplates, EachLoadsWithTheBlocksOfItsGame)
{
    for (const Sample &s : samples()) {
        SCOPED_TRACE(s.file.toStdString());
        colPLControls t;
        ASSERT_TRUE(clsPLStoreINI().LoadFromINI(samplePath(s.file), t));
        EXPECT_EQ(t.GroupLottNumberCountStr(), s.groups);
        EXPECT_EQ(t.StakeCountPerTicket(), 5);
        QMap<QString, QStringList> found;
        QSet<QString> labels;
        int marks = 0;
        for (const clsPLControl &c : t) {
            if (c.ControlType() == "Label" && c.ShowType() == "LottNumber")
                found[c.GroupID()] << c.FieldValue();
            else if (c.ShowType() == "LocateMark")
                ++marks;
            else if (c.ShowType() == "NormalLable")
                labels << c.FieldValue();
        }
        EXPECT_EQ(found, s.values);
        EXPECT_GE(marks, 6);
        EXPECT_TRUE(labels.contains("{页码}") && labels.contains("{注序号}"));
    }
}

TEST(SampleTemplates, EveryBlockOfEveryStakeLiesOnABoxOfThePicture)
{
    for (const Sample &s : samples()) {
        SCOPED_TRACE(s.file.toStdString());
        colPLControls t;
        ASSERT_TRUE(clsPLStoreINI().LoadFromINI(samplePath(s.file), t));
        const QImage picture(t.BackPicPathFile());
        ASSERT_FALSE(picture.isNull()) << t.BackPicPathFile().toStdString();
        const double scaleX = picture.width() / t.BackPicWidth();
        const double scaleY = picture.height() / t.BackPicHeight();
        EXPECT_NEAR(scaleX, scaleY, 0.05);
        const QRgb paper = picture.pixel(picture.width() / 2, picture.height() - 10);

        const QList<double> dx = offsets(t.StakeLocateOffsetStrX());
        const QList<double> dy = offsets(t.StakeLocateOffsetStrY());
        for (int k = 0; k < t.StakeCountPerTicket(); ++k) {
            for (const clsPLControl &c : t) {
                if (c.ShowType() != "LottNumber")
                    continue;
                const double left = c.Left() + dx.value(k) - t.BackPicLeft();
                const double top = c.Top() + dy.value(k) - t.BackPicTop();
                const int x0 = int(left * scaleX + 0.5), y0 = int(top * scaleY + 0.5);
                const int x1 = int((left + c.Width()) * scaleX + 0.5) - 1;
                const int y1 = int((top + c.Height()) * scaleY + 0.5) - 1;
                ASSERT_TRUE(picture.rect().contains(x0 - 2, y0) && picture.rect().contains(x1, y1))
                    << "stake " << k << " block " << c.KeyName().toStdString();
                EXPECT_NE(picture.pixel(x0, y0), paper) << "stake " << k << " " << c.KeyName().toStdString();
                EXPECT_NE(picture.pixel(x1, y1), paper) << "stake " << k << " " << c.KeyName().toStdString();
                EXPECT_EQ(picture.pixel(x0 - 2, y0), paper)
                    << "stake " << k << " " << c.KeyName().toStdString() << " box starts late";
            }
        }
    }
}

TEST(SampleTemplates, SavingASampleGivesItsBytesBack)
{
    for (const Sample &s : samples()) {
        SCOPED_TRACE(s.file.toStdString());
        colPLControls t;
        ASSERT_TRUE(clsPLStoreINI().LoadFromINI(samplePath(s.file), t));
        // The picture is stored by name, so it is looked for beside the new file too.
        const QString copy = makeTempDir() + "/" + s.file;
        ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(copy, t));
        EXPECT_EQ(bytesOf(copy), bytesOf(samplePath(s.file)));
    }
}
