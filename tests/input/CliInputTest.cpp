// vornprn-cli normalize, import and script as a user runs them: output lines, messages on
// stderr, exit codes.
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {
class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt())
            GTEST_SKIP() << "vornprn-cli is not built";
    }
    static QString fixture(const QString &name) { return testDataPath("input/" + name); }
};

TEST_F(Cli, ImportPrintsIndexTabBetLine)
{
    const CliRun r = RunCli({"import", fixture("标准-第三行空.txt")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outText(), "1\t01 05 12 19 23 31 09\n2\t03 08 14 20 27 33 16\n4\t02 04 06 08 10 12 01\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(Cli, ImportWithIndexAndThroughAScript)
{
    EXPECT_EQ(RunCli({"import", fixture("标准-含注序号.txt"), "--mode", "1"}).outText(),
              "1\t03 07 12 19 25 31 09\n2\t01 02 03 04 05 06 07\n3\t01 02 03\n");
    const QString input = writeGbkFile(makeTempDir(), "in.txt", {"标题", "第1注：1 2 3 4 5 6+7"});
    const CliRun r = RunCli({"import", input, "--mode", "2", "--script", QStringLiteral("冒号标签格式")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outText(), "2\t01 02 03 04 05 06 07\n");
}

TEST_F(Cli, FailedImportShowsTheMessageAndExitsOne)
{
    const QString missing = makeTempDir() + "/none.txt";
    CliRun r = RunCli({"import", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.outText(), "");
    EXPECT_EQ(r.err, missing + QStringLiteral(":文件不存在。\n"));

    r = RunCli({"import", fixture("标准-第三行空.txt"), "--mode", "2", "--script", "no-such-script"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, QStringLiteral("没有找到转换脚本 no-such-script，请重新选择彩票软件！\n"));
}

TEST_F(Cli, UsageErrorsExitTwo)
{
    EXPECT_EQ(RunCli({"import"}).exitCode, 2);
    EXPECT_EQ(RunCli({"import", "a.txt", "--mode", "3"}).exitCode, 2);
    const CliRun r = RunCli({"import", "a.txt", "--mode", "2"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("usage: vornprn-cli import")) << r.err.toStdString();
}

TEST_F(Cli, NormalizeReadsAFileOrStandardInput)
{
    EXPECT_EQ(RunCli({"normalize", "--include-index", fixture("标准-含注序号.txt")}).outText(),
              "1\t03 07 12 19 25 31 09\n2\t01 02 03 04 05 06 07\n3\t01 02 03\n");
    const CliRun r = RunCli({"normalize", "-"}, "12345\r\n\r\n5,6,7\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outText(), "1\t1 2 3 4 5\n3\t05 06 07\n");
}

TEST_F(Cli, ScriptPrintsEveryElementAndFailsOnScriptErrors)
{
    const QString dir = makeTempDir();
    const QString script = writeGbkFile(dir, "s.cvb", {"obj.SetArrayReturn 2, obj.Source"});
    const QString input = writeGbkFile(dir, "in.txt", {"a"});
    CliRun r = RunCli({"script", script, input});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outText(), "\n\na\r\n\n");

    writeGbkFile(dir, "loop.cvb", {"Do", "Loop"});
    r = RunCli({"script", dir + "/loop.cvb", input, "--timeout-ms", "200"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("执行代码错误:"))) << r.err.toStdString();
}

TEST_F(Cli, ScriptMemoryBudgetEndsAGreedyScriptWithOutOfMemory)
{
    const QString dir = makeTempDir();
    const QString input = writeGbkFile(dir, "in.txt", {"a"});
    // Twenty strings of 8M characters (16 MB each) hold about 320 MB at once.
    writeGbkFile(dir, "greedy.cvb", {"Dim a(20), i", "For i = 0 To 19", "a(i) = String(8000000, \"x\") & i",
                                     "Next", "obj.SetArrayReturn 0, \"done\""});
    CliRun r = RunCli({"script", dir + "/greedy.cvb", input, "--memory-mb", "64"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("内存不足"))) << r.err.toStdString();

    r = RunCli({"script", dir + "/greedy.cvb", input, "--memory-mb", "1024"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText(), "done\n");

    for (const char *bad : {"0", "abc", "-5"}) {
        r = RunCli({"script", dir + "/greedy.cvb", input, "--memory-mb", bad});
        EXPECT_NE(r.exitCode, 0) << bad;
        EXPECT_NE(r.exitCode, 1) << bad; // a usage error, not a script failure
    }
}
} // namespace

namespace {
// A shop's messy bet file, saved as UTF-8 without a byte-order mark: a heading, letters, twelve
// numbers on a seven-number slip, "O2" with a letter O, full-width digits and a blue number
// the slip does not have.
QString messyBetFile()
{
    const QString text = QStringLiteral(
        "# 第2024001期 双色球投注\r\n"
        "01 02 03 04 05 06 07\r\n"
        "01 02 03 04 05 06 07 08 09 10 11 12\r\n"
        "O2 05 11 17 23 29 08\r\n"
        "０１ ０２ ０３ ０４ ０５ ０６ ０７\r\n"
        "01 02 03 04 05 06 17\r\n");
    return writeBytes(makeTempDir(), "messy.txt", text.toUtf8());
}

TEST_F(Cli, CheckListsTheStakesThatWouldNotPrintRight)
{
    const CliRun r = RunCli({"check", "--template", QStringLiteral("陕西－双色球.tzd"), "--bets", messyBetFile()});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_EQ(r.outText(),
              QStringLiteral("1\t# 第2024001期 双色球投注\t“#”不是号码；“第2024001期”不是号码；"
                             "“双色球投注”不是号码\n"
                             "3\t01 02 03 04 05 06 07 08 09 10 11 12\t号码个数 12 超过投注单的 7 个位置\n"
                             "4\tO2 05 11 17 23 29 08\t“O2”不是号码\n"
                             "6\t01 02 03 04 05 06 17\t号码 17 在第 2 填涂区没有对应的填涂块\n"));
    EXPECT_EQ(r.err, "");
}

TEST_F(Cli, CheckOfGoodBetsPrintsNothingAndExitsZero)
{
    const QString bets = writeGbkFile(makeTempDir(), "good.txt", {"01 02 03 04 05 06 07", "33,32,31,30,29,28,16", "01 02 03"});
    const CliRun r = RunCli({"check", "--template", QStringLiteral("陕西－双色球.tzd"), "--bets", bets});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outText(), "");
}

TEST_F(Cli, CheckThatCannotCheckExitsTwo)
{
    const QString bets = writeGbkFile(makeTempDir(), "good.txt", {"01 02 03 04 05 06 07"});
    CliRun r = RunCli({"check", "--template", "none.tzd", "--bets", bets});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, QStringLiteral("投注单模板文件 none.tzd 不能打开！\n"));
    r = RunCli({"check", "--template", QStringLiteral("陕西－双色球.tzd"), "--bets", makeTempDir() + "/none.txt"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.endsWith(QStringLiteral(":文件不存在。\n"))) << r.err.toStdString();
    r = RunCli({"check", "--bets", bets});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("usage: vornprn-cli check")) << r.err.toStdString();
}
} // namespace
