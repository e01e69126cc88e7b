// vornprn-cli layout as a user runs it: the document it writes, its messages, its exit codes.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
CliRun runLayout(const QStringList &args) { return RunCli(QStringList{"layout"} + args); }

// A bet file of plain ASCII lines (the same bytes in GBK).
QString writeBets(const QByteArray &lines)
{
    const QString path = makeTempDir() + "/bets.txt";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(lines);
    return path;
}

class CliLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt())
            GTEST_SKIP() << "vornprn-cli is not built";
    }
};
} // namespace

TEST_F(CliLayout, TestPageOfASampleTemplateFoundInTheProgramFolder)
{
    const CliRun r = runLayout({"--template", "陕西－双色球.tzd", "--test", "--json", "-"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(doc["docName"].toString(), "VornPrn-陕西－双色球");
    EXPECT_EQ(doc["page"].toObject()["paperWidth"].toDouble(), 11906);
    const QJsonArray pages = doc["pages"].toArray();
    ASSERT_EQ(pages.size(), 1);
    int rects = 0;
    for (const QJsonValue &op : pages[0].toObject()["ops"].toArray())
        rects += op.toObject()["op"].toString() == "rect";
    EXPECT_EQ(rects, 11 + 5 * 49); // locate marks, then every block of the five stakes
}

TEST_F(CliLayout, BetsWithSwitchesAndALayoutError)
{
    const QString bets = writeBets("01 02 03 04 05 06 07\r\n01,02,03,04,05,06,07,08\r\n01 02 03 04 05 06 09\r\n");
    const CliRun r = runLayout({"--template", "陕西－双色球.tzd", "--bets", bets, "--first-serial", "6",
                                "--marks", "off", "--text", "off", "--gray", "60", "--json", "-"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "下标越界（第 2 注）\n"); // named as the list shows it, not by serial
    const QJsonObject doc = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(doc["messages"].toArray(), QJsonArray{"下标越界（第 2 注）"});
    const QJsonArray ops = doc["pages"].toArray()[0].toObject()["ops"].toArray();
    ASSERT_EQ(ops.size(), 14); // the first stake, and the second up to its eighth number
    EXPECT_EQ(ops[0].toObject()["brushColor"].toInt(), 0x666666);
}

TEST_F(CliLayout, PdfAndPngFiles)
{
    const QString dir = makeTempDir();
    EXPECT_EQ(runLayout({"--template", "福彩3D.tzd", "--test", "--backpic", "on", "--pdf", dir + "/t.pdf"}).exitCode, 0);
    QFile pdf(dir + "/t.pdf");
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_EQ(runLayout({"--template", "福彩3D.tzd", "--test", "--png", dir + "/png"}).exitCode, 0);
    EXPECT_EQ(QDir(dir + "/png").entryList(QDir::Files), QStringList{"page-0001.png"});
}

TEST_F(CliLayout, UsageErrorsAndMissingTemplate)
{
    const QStringList usage[] = {
        {"--template", "福彩3D.tzd", "--json", "-"},
        {"--template", "福彩3D.tzd", "--test", "--bets", "x.txt", "--json", "-"},
        {"--template", "福彩3D.tzd", "--test"},
        {"--template", "福彩3D.tzd", "--test", "--json", "-", "--pdf", "x.pdf"},
        {"--template", "福彩3D.tzd", "--test", "--gray", "101", "--json", "-"},
        {"--template", "福彩3D.tzd", "--test", "--marks", "yes", "--json", "-"},
        {"--template", "福彩3D.tzd", "--bets", "x.txt", "--mode", "2", "--json", "-"},
    };
    for (const QStringList &args : usage)
        EXPECT_EQ(runLayout(args).exitCode, 2) << args.join(' ').toStdString();
    EXPECT_EQ(runLayout({"--template", "没有这个模板.tzd", "--test", "--json", "-"}).exitCode, 1);
}
