// vornprn-cli template new|properties|add-*: a slip template made from nothing, the dialogs'
// refusals on the command line, and files that stay as they were.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
struct Refusal {
    const char *action;
    QStringList args;
    const char *message;
    const char *field;
};

class CliDesign : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt())
            GTEST_SKIP() << "vornprn-cli is not built";
        dir = makeTempDir();
        file = dir + "/slip.tzd";
    }
    CliRun run(const QStringList &args) { return RunCli(QStringList{"template"} + args); }
    CliRun design(const QString &action, const QStringList &args)
    {
        return run(QStringList{action, file} + args);
    }
    QJsonObject show()
    {
        return QJsonDocument::fromJson(run({"show", file}).out).object();
    }
    QByteArray bytes() const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The action prints the dialog's message and field, exits 1 and leaves the file as it was.
    void expectRefused(const Refusal &c, const QByteArray &before)
    {
        const CliRun r = design(c.action, c.args);
        EXPECT_EQ(r.exitCode, 1) << c.action << " " << c.field;
        EXPECT_EQ(r.err, QStringLiteral("message: %1\nfield: %2\n").arg(QString::fromUtf8(c.message), c.field));
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(bytes(), before) << c.action << " " << c.field;
    }
    void rewrite(const QByteArray &text)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    void makeTwoAreaSlip()
    {
        const CliRun r = design("new", {"--name", "双色球", "--offsets-x", "0,0,0,0,0", "--offsets-y",
                                        "0, 28.5, 57, 85.5, 114", "--stakes", "5", "--areas", "2",
                                        "--area-counts", "6，1", "--block-width", "7/2"});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    QString dir, file;
};

QStringList lines(const CliRun &r) { return r.outText().split('\n', Qt::SkipEmptyParts); }

TEST_F(CliDesign, AWholeSlipFromNothingPrintsItsTestPage)
{
    makeTwoAreaSlip();
    EXPECT_TRUE(run({"new", file}).err.contains("txtLayoutName")); // the name is needed
    CliRun r = design("add-blocks", {"--area", "1", "--number", "1", "--x", "10", "--y", "10",
                                     "--dx", "5.5", "--dy", "0", "--step", "1", "--count", "33"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(lines(r).size(), 33);
    EXPECT_EQ(lines(r).first(), "lbl1");
    r = design("add-blocks", {"--area", "2", "--number", "1", "--x", "10", "--y", "16",
                              "--dx", "5.5", "--dy", "0", "--step", "1", "--count", "16"});
    EXPECT_EQ(lines(r).last(), "lbl49");
    r = design("add-marks", {"--x", "3", "--y", "10", "--width", "4", "--height", "2", "--dx", "0",
                             "--dy", "12.7", "--count", "10"});
    EXPECT_EQ(lines(r), QStringList({"lbl50", "lbl51", "lbl52", "lbl53", "lbl54", "lbl55", "lbl56",
                                     "lbl57", "lbl58", "lbl59"}));
    r = design("add-label", {"--page", "--x", "150", "--y", "3", "--width", "30", "--height", "5"});
    EXPECT_EQ(lines(r), QStringList{"lbl60"});
    r = design("add-label", {"--text", "-第{注序号}注-", "--x", "150", "--y", "9", "--width", "30",
                             "--height", "5"});
    EXPECT_EQ(lines(r), QStringList{"lbl61"});
    r = design("add-line", {"--x1", "5", "--y1", "5", "--x2", "190", "--y2", "5"});
    // Label keys count too: lbl19 read after four characters gives 9.
    EXPECT_EQ(lines(r), QStringList{"Line10"});
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"slip.tzd"});

    const QJsonObject t = show();
    ASSERT_TRUE(t["loaded"].toBool());
    EXPECT_EQ(t["base"]["LottNumberWidth"].toDouble(), 3.5);
    EXPECT_EQ(t["base"]["GroupLottNumberCountStr"].toString(), "6,1");
    const QJsonArray controls = t["controls"].toArray();
    ASSERT_EQ(controls.size(), 62);
    const QJsonObject label = controls[59].toObject();
    EXPECT_EQ(label["FieldValue"].toString(), "{页码}");
    EXPECT_EQ(label["FontName"].toString(), "宋体");
    EXPECT_EQ(label["FontSize"].toDouble(), 9);
    EXPECT_EQ(controls[60].toObject()["FieldValue"].toString(), "-第{注序号}注-");
    EXPECT_EQ(controls[61].toObject()["Width"].toDouble(), 185);

    const CliRun page = RunCli({"layout", "--template", file, "--test", "--json", "-"});
    ASSERT_EQ(page.exitCode, 0) << page.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(page.out).object();
    EXPECT_TRUE(doc["messages"].toArray().isEmpty());
    const QJsonArray ops = doc["pages"].toArray()[0].toObject()["ops"].toArray();
    int rects = 0;
    bool firstBlockOfLastStake = false;
    for (const QJsonValue &v : ops) {
        const QJsonObject op = v.toObject();
        if (op["op"] != "rect")
            continue;
        ++rects;
        // Block 1 of area 1 in the fifth stake: 10 mm, 10 + 114 mm at 56.7 twips per mm.
        firstBlockOfLastStake |= std::abs(op["x1"].toDouble() - 567) < 0.01
                                 && std::abs(op["y1"].toDouble() - 124 * 56.7) < 0.01
                                 && std::abs(op["x2"].toDouble() - 13.5 * 56.7) < 0.01;
    }
    EXPECT_EQ(rects, 5 * 49 + 10);
    EXPECT_TRUE(firstBlockOfLastStake);
}

TEST_F(CliDesign, RefusalsPrintTheDialogsMessageAndFieldAndWriteNothing)
{
    makeTwoAreaSlip();
    ASSERT_EQ(design("add-blocks", {"--area", "1", "--number", "1", "--x", "1", "--y", "1", "--dx",
                                    "1", "--step", "1", "--count", "2"}).exitCode, 0);
    const QByteArray before = bytes();
    const char *invalid = "请输入合法值！";
    const Refusal cases[] = {
        {"add-blocks", {"--number", "1", "--x", "1", "--y", "1", "--dx", "1", "--step", "1", "--count", "3"}, invalid, "txtFirstGroupID"},
        {"add-blocks", {"--area", "1", "--number", "1", "--x", "1", "--y", "1", "--dx", "0.05", "--dy", "0", "--step", "1", "--count", "3"}, "X、Y的增量不能都小于 0.1 毫米！", "txtStepX"},
        {"add-blocks", {"--area", "1", "--number", "1", "--x", "1", "--y", "1", "--dx", "1", "--step", "0.5", "--count", "3"}, invalid, "txtStep"},
        {"add-blocks", {"--area", "1", "--number", "1", "--x", "1", "--y", "1", "--dx", "1", "--step", "abc", "--count", "3"}, invalid, "txtStep"},
        {"add-blocks", {"--area", "1", "--number", "30000", "--x", "1", "--y", "1", "--dx", "1", "--step", "1", "--count", "5000"}, invalid, "txtCount"},
        {"add-blocks", {"--area", "1", "--number", "1", "--x", "1/0", "--y", "1", "--dx", "1", "--step", "1", "--count", "3"}, invalid, "txtFirstX"},
        {"add-block", {"--area", "1", "--number", "1", "--x", "1"}, invalid, "txtY"},
        {"add-mark", {"--x", "0", "--y", "0", "--width", "0.5"}, invalid, "txtWidth"},
        {"add-mark", {"--x", "99999999999999999999", "--y", "0"}, invalid, "txtX"},
        {"properties", {"--backpic-width", "1E300*1E300"}, invalid, "txtBackPictureWidth"},
        {"add-marks", {"--x", "1", "--y", "1", "--width", "4", "--height", "2", "--dy", "12.7", "--count", "99999"}, invalid, "txtCount"},
        {"add-marks", {"--x", "1", "--y", "1", "--width", "4", "--height", "2", "--dy", "12.7"}, invalid, "txtCount"},
        {"properties", {"--stakes", "4"}, "请正确的输入每张投注单注数，和各注的填涂位置偏移量！", "txtStakeCount"},
        {"properties", {"--block-width", "0"}, "请输入号码填涂块的宽度（毫米）！", "txtLottNumberWidth"},
        {"properties", {"--area-counts", "7"}, "请正确的输入每注多少个填涂区，和各填涂区选择号码个数！", "txtGroupCount"},
        {"properties", {"--name", " "}, "请输入彩票的名称！", "txtLayoutName"},
    };
    for (const Refusal &c : cases)
        expectRefused(c, before);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"slip.tzd"});
}

TEST_F(CliDesign, ATemplateThatDoesNotLoadIsNeverWrittenBack)
{
    makeTwoAreaSlip();
    QByteArray broken = bytes();
    broken.replace("PaperSize=0", "PaperSize=abc");
    rewrite(broken);
    const std::pair<QString, QStringList> actions[] = {
        {"properties", {"--name", "x"}},
        {"add-mark", {"--x", "1", "--y", "1"}},
        {"add-label", {"--page", "--x", "1", "--y", "1", "--width", "9", "--height", "3"}},
        {"add-line", {"--x1", "1", "--y1", "1", "--x2", "5", "--y2", "1"}},
    };
    for (const auto &[action, args] : actions) {
        const CliRun r = design(action, args);
        EXPECT_EQ(r.exitCode, 1) << action.toStdString();
        EXPECT_EQ(r.err, QStringLiteral("投注单模板文件 %1 不能打开！\n").arg(file));
        EXPECT_EQ(bytes(), broken);
    }
    const CliRun missing = run({"add-mark", "没有.tzd", "--x", "1", "--y", "1"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "投注单模板文件 没有.tzd 不能打开！\n");
}

TEST_F(CliDesign, PropertiesChangeOnlyWhatTheyAreAskedAndResizeTheBlocks)
{
    makeTwoAreaSlip();
    QByteArray exact = bytes();
    exact.replace("LayoutLeft=0", "LayoutLeft=-1.04").replace("PaperWidth=0", "PaperWidth=1234");
    rewrite(exact);
    ASSERT_EQ(design("add-blocks", {"--area", "2", "--number", "1", "--x", "1", "--y", "1", "--dx",
                                    "6", "--step", "1", "--count", "2"}).exitCode, 0);
    const QString out = dir + "/copy.tzd";
    const QByteArray before = bytes();
    const CliRun r = design("properties", {"--block-width", "4.2", "--mark-style", "cross",
                                           "--orientation", "landscape", "--out", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(bytes(), before);
    const QJsonObject t = QJsonDocument::fromJson(RunCli({"template", "show", out}).out).object();
    EXPECT_EQ(t["base"]["LayoutLeft"].toDouble(), -1.04);
    EXPECT_EQ(t["base"]["PaperWidth"].toDouble(), 1234);
    EXPECT_EQ(t["base"]["PaperSize"].toInt(), 0);
    EXPECT_EQ(t["base"]["MarkStyle"].toInt(), 1);
    EXPECT_EQ(t["base"]["PaperOrientation"].toInt(), 1);
    EXPECT_EQ(t["base"]["LayoutName"].toString(), "双色球");
    for (const QJsonValue &c : t["controls"].toArray()) {
        EXPECT_EQ(c["Width"].toDouble(), 4.2);
        EXPECT_EQ(c["BackColor"].toInt(), 128); // fill area 2: 128, 0, 0
    }
}

TEST_F(CliDesign, NegativeIncrementsAndFillAreaRuns)
{
    makeTwoAreaSlip();
    CliRun r = design("add-blocks", {"--area", "1", "--number", "10", "--x", "1", "--y", "1",
                                     "--dx", "5", "--dy", "0", "--step", "-1", "--count", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = design("properties", {"--areas", "13", "--area-counts", "1,1,1,1,1,1,1,1,1,1,1,1,1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = design("add-blocks", {"--area", "1", "--number", "0", "--x", "1", "--y", "20", "--dx=5",
                              "--dy", "0", "--step", "1", "--count", "13", "--by-area"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray controls = show()["controls"].toArray();
    ASSERT_EQ(controls.size(), 23);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(controls[i]["FieldValue"].toString(), QString::number(10 - i));
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(controls[10 + i]["GroupID"].toString(), QString::number(i + 1));
        EXPECT_EQ(controls[10 + i]["FieldValue"].toString(), "0");
    }
}

TEST_F(CliDesign, EmptyFreeTextAddsNothing)
{
    makeTwoAreaSlip();
    const QByteArray before = bytes();
    const CliRun r = design("add-label", {"--text", "", "--x", "1", "--y", "1", "--width", "9", "--height", "3"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(design("add-label", {"--page", "--date", "--x", "1", "--y", "1", "--width", "9", "--height", "3"}).exitCode, 2);
    EXPECT_EQ(design("add-line", {"--x1", "1", "--y1", "abc", "--x2", "1", "--y2", "3"}).exitCode, 2);
}
} // namespace

TEST_F(CliDesign, AWriteThatFailsSaysWhy)
{
    const QString missing = dir + "/no/such/folder/slip.tzd";
    const CliRun r = run({"new", missing, "--name", "双色球"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("保存文件 %1 失败：文件夹不存在\n").arg(missing));
    EXPECT_EQ(r.outText(), "");
}

TEST_F(CliDesign, RunsThatCannotPrintRightAreRefusedOrNeedToBeAllowed)
{
    makeTwoAreaSlip();
    ASSERT_EQ(design("add-blocks", {"--area", "1", "--number", "1", "--x", "10", "--y", "10", "--dx",
                                    "5.5", "--step", "1", "--count", "10"}).exitCode, 0);
    const QByteArray before = bytes();
    const Refusal cases[] = {
        {"properties", {"--offsets-y", "0,28.5,57,85.5"}, "请正确的输入每张投注单注数，和各注的填涂位置偏移量！", "txtStakeOffsetStrY"},
        {"properties", {"--offsets-x", "0,24,48,72"}, "请正确的输入每张投注单注数，和各注的填涂位置偏移量！", "txtStakeOffsetStrX"},
        {"add-block", {"--area", "3", "--number", "1", "--x", "1", "--y", "1"}, "填涂区 3 超出了投注单的 2 个填涂区！", "txtFirstGroupID"},
        {"add-blocks", {"--area", "1", "--number", "1", "--x", "1", "--y", "30", "--dx", "1", "--step", "1", "--count", "3", "--by-area"}, "填涂区 3 超出了投注单的 2 个填涂区！", "txtFirstGroupID"},
        {"add-blocks", {"--area", "1", "--number", "8", "--x", "10", "--y", "40", "--dx", "5.5", "--step", "1", "--count", "5"}, "有 3 个填涂块与已有的填涂块重复，是否继续？", "txtFirstLottNumber"},
        {"add-block", {"--area", "1", "--number", "07", "--x", "1", "--y", "1"}, "有 1 个填涂块与已有的填涂块重复，是否继续？", "txtFirstLottNumber"},
    };
    for (const Refusal &c : cases)
        expectRefused(c, before);
    EXPECT_EQ(run({"check", file}).exitCode, 0);

    const CliRun allowed = design("add-block", {"--area", "1", "--number", "07", "--x", "1", "--y", "1", "--allow-duplicates"});
    EXPECT_EQ(allowed.exitCode, 0) << allowed.err.toStdString();
    EXPECT_EQ(lines(allowed), QStringList{"lbl11"});
    // The check now names both blocks of red 07, in the template's order.
    const CliRun check = run({"check", file});
    EXPECT_EQ(check.exitCode, 1);
    const QStringList found = lines(check);
    ASSERT_EQ(found.size(), 2) << check.outText().toStdString();
    EXPECT_TRUE(found[0].startsWith("lbl7\t填涂区 1 号码 7 重复，与 lbl11 相同")) << found[0].toStdString();
    EXPECT_TRUE(found[1].startsWith("lbl11\t填涂区 1 号码 07 重复，与 lbl7 相同")) << found[1].toStdString();
}

TEST_F(CliDesign, CheckOfATemplateWithAShortOffsetListAndOfOneThatCannotBeRead)
{
    makeTwoAreaSlip();
    QByteArray text = bytes();
    text.replace("StakeLocateOffsetStrX=0,0,0,0,0", "StakeLocateOffsetStrX=0,0,0,0");
    rewrite(text);
    const CliRun r = run({"check", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lines(r), QStringList{"-\t各注横向偏移量有 4 项，与每张投注单的 5 注不符"});
    const CliRun none = run({"check", dir + "/none.tzd"});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains("不能打开！"));
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(RunCli({"template", "check", "陕西－双色球.tzd"}).exitCode, 0);
}

namespace {
// Replaces the template file's bytes.
void putBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

// The reader's count is 16 bits: runs that would pass it are refused before anything is
// written, and the file stays readable.
TEST_F(CliDesign, NoAddCommandTakesTheTemplatePastTheCountItCanReadBack)
{
    makeTwoAreaSlip();
    // No two blocks share an area and a number.
    const auto blocks = [&](int area, int first, int count) {
        return design("add-blocks", {"--area", QString::number(area), "--number", QString::number(first),
                                     "--x", "1", "--y", "1", "--dx", "0.5", "--step", "1", "--count",
                                     QString::number(count)});
    };
    ASSERT_EQ(blocks(1, 1, 10000).exitCode, 0);
    ASSERT_EQ(blocks(1, 10001, 20000).exitCode, 0);
    const QByteArray at30000 = bytes();
    const QString refusal = "message: 元素个数不能超过 32767 个！\nfield: txtCount\n";
    CliRun r = blocks(2, 1, 20000);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, refusal);
    EXPECT_EQ(bytes(), at30000);
    r = blocks(2, 1, 2768);
    EXPECT_EQ(r.err, refusal);
    EXPECT_EQ(bytes(), at30000);
    ASSERT_EQ(blocks(2, 1, 2767).exitCode, 0) << "exactly 32,767 elements";
    const QByteArray full = bytes();
    const std::pair<QString, QStringList> ones[] = {
        {"add-block", {"--area", "2", "--number", "3000", "--x", "1", "--y", "1"}},
        {"add-mark", {"--x", "1", "--y", "1"}},
        {"add-marks", {"--x", "1", "--y", "1", "--width", "4", "--height", "2", "--dy", "1", "--count", "1"}},
        {"add-label", {"--page", "--x", "1", "--y", "1", "--width", "9", "--height", "3"}},
        {"add-line", {"--x1", "1", "--y1", "1", "--x2", "5", "--y2", "1"}},
    };
    for (const auto &[action, args] : ones) {
        r = design(action, args);
        EXPECT_EQ(r.exitCode, 1) << action.toStdString();
        EXPECT_EQ(r.err, refusal) << action.toStdString();
    }
    EXPECT_EQ(bytes(), full);
    const QJsonObject t = show();
    EXPECT_TRUE(t["loaded"].toBool());
    EXPECT_EQ(t["controls"].toArray().size(), 32767);
}

// A damaged file is shown as not loaded, with what is wrong; printing and laying it out refuse
// it as a template that cannot be opened.
TEST_F(CliDesign, ADamagedTemplateSaysWhyAndIsNeitherLaidOutNorPrinted)
{
    makeTwoAreaSlip();
    ASSERT_EQ(design("add-blocks", {"--area", "1", "--number", "1", "--x", "1", "--y", "1", "--dx", "5",
                                    "--step", "1", "--count", "3"}).exitCode, 0);
    const QByteArray whole = bytes();
    const QString bets = dir + "/bets.txt";
    putBytes(bets, "01 02 03 04 05 06+07\r\n");
    struct Case {
        const char *name;
        QByteArray file;
        const char *reason;
        int controls;
    };
    const Case cases[] = {
        {"missing section", QByteArray(whole).replace("[Controls2]", "[Elsewhere]"), "缺少元素节 [Controls2]（元素个数为 3）", 2},
        {"count past the limit", QByteArray(whole).replace("ControlCount=3", "ControlCount=32768"), "元素个数不能超过 32767 个！", 0},
        {"cut short", whole.left(whole.lastIndexOf("Height=")), "元素节 [Controls3] 缺少 Height", 2},
    };
    for (const Case &c : cases) {
        putBytes(file, c.file);
        const QJsonObject t = show();
        EXPECT_FALSE(t["loaded"].toBool()) << c.name;
        EXPECT_EQ(t["reason"].toString(), QString::fromUtf8(c.reason)) << c.name;
        EXPECT_EQ(t["controls"].toArray().size(), c.controls) << c.name;
        const QString unopened = QStringLiteral("投注单模板文件 %1 不能打开！").arg(file);
        const CliRun page = RunCli({"layout", "--template", file, "--test", "--json", "-"});
        EXPECT_EQ(page.exitCode, 1) << c.name;
        EXPECT_TRUE(page.err.contains(unopened)) << page.err.toStdString();
        const CliRun printed = RunCli({"print", "--template", file, "--bets", bets, "--json", dir + "/job.json"});
        EXPECT_EQ(printed.exitCode, 1) << c.name;
        EXPECT_TRUE(printed.err.contains(unopened)) << printed.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir + "/job.json")) << c.name;
        EXPECT_EQ(bytes(), c.file) << c.name;
    }
    putBytes(file, whole);
    const QJsonObject t = show();
    EXPECT_TRUE(t["loaded"].toBool());
    EXPECT_FALSE(t.contains("reason"));
}
