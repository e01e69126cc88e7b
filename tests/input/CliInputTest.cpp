// vornprn-cli normalize, import and script as a user runs them: output lines, messages on
// stderr, exit codes.
#include "InputTestSupport.h"
#include "TestSupport.h"

#include <QFile>
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
    EXPECT_TRUE(r.err.startsWith(missing + ":")) << r.err.toStdString();

    r = RunCli({"import", fixture("标准-第三行空.txt"), "--mode", "2", "--script", "no-such-script"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.endsWith(QStringLiteral("运行转换脚本没有得到输出结果!\n"))) << r.err.toStdString();
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
} // namespace
