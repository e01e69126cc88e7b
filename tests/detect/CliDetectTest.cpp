// vornprn-cli template detect and template new --from-picture, as a user runs them.
#include "SlipGenerator.h"
#include "TestSupport.h"
#include "model/colPLControls.h"
#include "storage/clsPLStoreINI.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
class CliDetect : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt())
            GTEST_SKIP() << "vornprn-cli is not built";
        dir = makeTempDir();
    }
    static QString shipped(const char *name)
    {
        return sourceDir() + "/resources/投注单文件/" + QString::fromUtf8(name);
    }
    QString dir;
};

TEST_F(CliDetect, PrintsOneJsonObjectOfTheContract)
{
    const CliRun r = RunCli({"template", "detect", shipped("七乐彩.bmp")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o["picture"].toString(), QStringLiteral("七乐彩.bmp"));
    EXPECT_DOUBLE_EQ(o["dpi"].toDouble(), 152.4);
    EXPECT_EQ(o["angle"].toDouble(), 0);
    EXPECT_NEAR(o["size"]["width"].toDouble(), 155, 0.1);
    EXPECT_NEAR(o["size"]["height"].toDouble(), 75, 0.1);
    EXPECT_NEAR(o["block"]["width"].toDouble(), 3.5, 0.1);
    const QJsonArray blocks = o["blocks"].toArray();
    ASSERT_EQ(blocks.size(), 150);
    // Sorted by stake, area, index; the second block of the first stake is 02 at 21.8, 14.
    EXPECT_EQ(blocks[1]["stake"].toInt(), 1);
    EXPECT_EQ(blocks[1]["index"].toInt(), 2);
    EXPECT_NEAR(blocks[1]["x"].toDouble(), 21.8, 0.1);
    EXPECT_NEAR(blocks[1]["y"].toDouble(), 14, 0.1);
    EXPECT_EQ(blocks[149]["stake"].toInt(), 5);
    EXPECT_EQ(blocks[149]["index"].toInt(), 30);
    EXPECT_EQ(o["marks"].toArray().size(), 6);
    EXPECT_EQ(o["stakes"]["count"].toInt(), 5);
    EXPECT_NEAR(o["stakes"]["offsetsX"][4].toDouble(), 108, 0.1);
    EXPECT_EQ(o["stakes"]["offsetsY"][4].toDouble(), 0);
}

TEST_F(CliDetect, AreasByColumnsAndJsonToAFile)
{
    const QString json = dir + "/found.json";
    const CliRun r = RunCli({"template", "detect", shipped("福彩3D.bmp"), "--areas-by", "columns", "--json", json});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.isEmpty());
    QFile f(json);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonArray blocks = QJsonDocument::fromJson(f.readAll()).object()["blocks"].toArray();
    // Area 2 of the first stake is the middle column, indexed top to bottom.
    EXPECT_EQ(blocks[10]["area"].toInt(), 2);
    EXPECT_EQ(blocks[10]["index"].toInt(), 1);
    EXPECT_NEAR(blocks[11]["x"].toDouble(), 23.5, 0.1);
    EXPECT_NEAR(blocks[11]["y"].toDouble(), 16, 0.1);
}

TEST_F(CliDetect, ExitCodesAndMessages)
{
    QFile text(dir + "/a.png");
    text.open(QIODevice::WriteOnly);
    text.write("not a picture");
    text.close();
    QImage blank(600, 400, QImage::Format_RGB32);
    blank.fill(Qt::white);
    blank.setDotsPerMeterX(11811);
    blank.setDotsPerMeterY(11811);
    blank.save(dir + "/blank.png");
    struct Row {
        QStringList args;
        int exit;
        QString err;
    } rows[] = {
        {{dir + "/a.png"}, 2, QStringLiteral("图片 %1 不能打开！").arg(dir + "/a.png")},
        {{dir + "/blank.png"}, 1, QStringLiteral("没有在图片中找到填涂块")},
        {{shipped("七乐彩.bmp"), "--areas-by", "diagonal"}, 2, QString()},
        {{shipped("七乐彩.bmp"), "--dpi", "-3"}, 2, QString()},
    };
    for (const Row &row : rows) {
        const CliRun r = RunCli(QStringList{"template", "detect"} + row.args);
        EXPECT_EQ(r.exitCode, row.exit) << qPrintable(row.args.join(' '));
        if (!row.err.isEmpty())
            EXPECT_EQ(r.err.trimmed(), row.err);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST_F(CliDetect, NewFromPictureGivesBackTheShippedTemplate)
{
    const QString file = dir + "/双色球.tzd";
    const CliRun r = RunCli({"template", "new", file, "--from-picture", shipped("陕西－双色球.bmp"),
                             "--first-number", "01,01", "--picks", "6,1"});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(QFileInfo::exists(dir + "/双色球.png"));
    colPLControls made, shippedOne;
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(file, made));
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(shipped("陕西－双色球.tzd"), shippedOne));
    EXPECT_EQ(made.GroupLottNumberCountStr(), shippedOne.GroupLottNumberCountStr());
    EXPECT_EQ(made.StakeCountPerTicket(), 5);
    EXPECT_EQ(made.BackPicPathFile(), dir + "/双色球.png");
    EXPECT_NEAR(made.BackPicWidth(), 160, 0.1);
    EXPECT_NEAR(made.LottNumberWidth(), shippedOne.LottNumberWidth(), 0.1);
    int blocks = 0, marks = 0;
    for (const clsPLControl &c : shippedOne) {
        if (c.ShowType() == "LocateMark")
            ++marks;
        if (c.ShowType() != "LottNumber")
            continue;
        ++blocks;
        bool seen = false;
        for (const clsPLControl &m : made)
            if (m.ShowType() == "LottNumber" && m.GroupID() == c.GroupID() && m.FieldValue() == c.FieldValue()) {
                seen = true;
                EXPECT_NEAR(m.Left(), c.Left(), 0.1) << qPrintable(c.FieldValue());
                EXPECT_NEAR(m.Top(), c.Top(), 0.1) << qPrintable(c.FieldValue());
            }
        EXPECT_TRUE(seen) << qPrintable(c.GroupID() + "|" + c.FieldValue());
    }
    int madeBlocks = 0, madeMarks = 0;
    for (const clsPLControl &m : made) {
        madeBlocks += m.ShowType() == "LottNumber";
        madeMarks += m.ShowType() == "LocateMark";
    }
    EXPECT_EQ(madeBlocks, blocks);
    EXPECT_EQ(madeMarks, marks);
}

TEST_F(CliDetect, NewFromATurnedScanSavesItStraightened)
{
    slipgen::SlipRecipe recipe;
    recipe.rotationDeg = 2;
    const slipgen::Slip slip = slipgen::Generate(recipe);
    ASSERT_TRUE(slip.picture.save(dir + "/scan.png"));
    const QString file = dir + "/t.tzd";
    const CliRun r = RunCli({"template", "new", file, "--from-picture", dir + "/scan.png", "--name", "turned"});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QImage straight(dir + "/turned.png");
    ASSERT_FALSE(straight.isNull());
    EXPECT_EQ(straight.size(), slip.picture.size());
    // Detecting on the straightened copy finds no rotation left.
    const CliRun again = RunCli({"template", "detect", dir + "/turned.png"});
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_NEAR(QJsonDocument::fromJson(again.out).object()["angle"].toDouble(), 0, 0.05);
    colPLControls made;
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(file, made));
    EXPECT_EQ(made.LayoutName(), QStringLiteral("turned"));
    EXPECT_EQ(made.GroupLottNumberCountStr(), QStringLiteral("1,1")); // no --picks: one number each
}

TEST_F(CliDetect, BadFirstNumberOrPicksChangesNothing)
{
    const struct {
        const char *option, *value, *field;
    } rows[] = {{"--first-number", "a1", "first-number"},
                {"--picks", "0", "picks"},
                {"--picks", "x", "picks"},
                {"--picks", "6,-1", "picks"},
                {"--picks", "1.5", "picks"}};
    for (const auto &row : rows) {
        const QString file = dir + "/x.tzd";
        const CliRun r = RunCli({"template", "new", file, "--from-picture", shipped("七乐彩.bmp"),
                                 QString::fromLatin1(row.option), QString::fromLatin1(row.value)});
        EXPECT_EQ(r.exitCode, 1) << row.value;
        EXPECT_EQ(r.err, QStringLiteral("message: 请输入合法值！\nfield: %1\n").arg(QLatin1String(row.field)));
        EXPECT_FALSE(QFileInfo::exists(file));
        EXPECT_FALSE(QFileInfo::exists(dir + "/x.png"));
    }
}
} // namespace
