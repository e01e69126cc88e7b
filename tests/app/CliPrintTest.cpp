// vornprn-cli print as a user runs it: captions and messages on stdout in order, the stakes of
// every batch in the JSON, exit codes.
#include "DiskSupport.h"
#include "TestSupport.h"
#include "common/TextFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {
QString betFile(int stakes)
{
    const QString path = makeTempDir() + "/bets.txt";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int i = 1; i <= stakes; ++i)
        f.write(QByteArray::number(i % 33 + 1) + " 02 03 04 05 06+07\r\n");
    return path;
}

// The first number block drawn on every page (the red number of each ticket's stakes).
int pagesOf(const QJsonObject &batch) { return batch["document"].toObject()["pages"].toArray().size(); }

class CliPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!CliBuilt())
            GTEST_SKIP() << "vornprn-cli is not built";
    }
};
} // namespace

TEST_F(CliPrint, BatchesCaptionsMessagesAndJson)
{
    const QString json = makeTempDir() + "/job.json";
    const CliRun r = RunCli({"print", "--template", "陕西－双色球.tzd", "--bets", betFile(23),
                             "--pause", "2", "--json", json});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText(), "每次打印2页[第 1 ～ 10 注]\n"
                           "第 1 ～ 10 注打印完毕, 要继续打印请按[确定]按钮。\n"
                           "每次打印2页[第 11 ～ 20 注]\n"
                           "第 11 ～ 20 注打印完毕, 要继续打印请按[确定]按钮。\n"
                           "每次打印2页[第 21 ～ 23 注]\n"
                           "所有投注单打印完毕， 注数从 1 ～ 23 共 23 注。\n");
    QFile f(json);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonObject doc = QJsonDocument::fromJson(f.readAll()).object();
    const QJsonArray batches = doc["batches"].toArray();
    ASSERT_EQ(batches.size(), 3);
    EXPECT_EQ(batches[2].toObject()["caption"].toString(), "每次打印2页[第 21 ～ 23 注]");
    EXPECT_EQ(pagesOf(batches[0].toObject()), 2);
    EXPECT_EQ(pagesOf(batches[2].toObject()), 1);
    EXPECT_EQ(doc["messages"].toArray().size(), 3);
    // the page set-up of the template travels with every batch
    EXPECT_EQ(batches[1].toObject()["document"].toObject()["page"].toObject()["paperWidth"].toDouble(), 11906);
}

TEST_F(CliPrint, RangesAndRefusals)
{
    struct Case {
        QStringList args;
        int exitCode;
        QString out;
    };
    const QString bets = betFile(12);
    const Case cases[] = {
        {{"--pages", "2", "3"}, 0, "每次打印200页[第 6 ～ 12 注]\n所有投注单打印完毕， 注数从 6 ～ 12 共 7 注。\n"},
        {{"--stakes", "10", "4"}, 0, ""},
        {{"--stakes", "0", "999"}, 0, "每次打印200页[第 1 ～ 12 注]\n所有投注单打印完毕， 注数从 1 ～ 12 共 12 注。\n"},
        // A value that is not a number is refused as the window refuses it, never read as a default.
        {{"--pause", "abc"}, 1, "请输入合法值！\n"},
        {{"--pause", "2*100"}, 0, "每次打印200页[第 1 ～ 12 注]\n所有投注单打印完毕， 注数从 1 ～ 12 共 12 注。\n"},
        {{"--stakes", "1", "x"}, 1, "请输入合法值！\n"},
        {{"--pages", "", "2"}, 1, "请输入合法值！\n"},
        {{"--left", "abc", "--top", "0", "--orientation", "0"}, 1, "请输入合法值！\n"},
        {{"--pause", "0"}, 1, "每多少页暂停的值必须是大于 0 的整数！当前值为：0\n"},
        // beyond 32 bits: reported, nothing laid out, a failure
        {{"--pause", "1000000000"}, 1, "溢出\n"},
        {{"--stakes", "1", "99999999999"}, 1, "溢出\n"},
        {{"--pages", "-3000000000", "2"}, 1, "溢出\n"},
        {{"--stakes", "1", "2147483647"}, 0, "每次打印200页[第 1 ～ 12 注]\n所有投注单打印完毕， 注数从 1 ～ 12 共 12 注。\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = RunCli(QStringList{"print", "--template", "陕西－双色球.tzd", "--bets", bets,
                                            "--json", makeTempDir() + "/j.json"} + c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_EQ(r.outText(), c.out);
    }
    const QString empty = makeTempDir() + "/empty.txt";
    QFile(empty).open(QIODevice::WriteOnly);
    const CliRun none = RunCli({"print", "--template", "陕西－双色球.tzd", "--bets", empty, "--json",
                                makeTempDir() + "/j.json"});
    EXPECT_EQ(none.outText(), "");
    EXPECT_TRUE(none.err.contains(QStringLiteral("是空的，没有可导入的投注号码！"))) << none.err.toStdString();
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(RunCli({"print", "--bets", empty}).exitCode, 2); // usage
}

TEST_F(CliPrint, NothingMisleadingWhenThereIsNothingToPrint)
{
    const QString dir = makeTempDir();
    const QString bets = betFile(12);
    struct Case {
        QStringList args;
        int exitCode;
        QString err;
    };
    const Case cases[] = {
        {{"print", "--template", "没有这个.tzd", "--bets", bets, "--pdf", dir + "/a.pdf"}, 1,
         "投注单模板文件 没有这个.tzd 不能打开！\n"},
        {{"layout", "--template", "没有这个.tzd", "--test", "--pdf", dir + "/a.pdf"}, 1,
         "投注单模板文件 没有这个.tzd 不能打开！\n"},
        {{"print", "--template", "陕西－双色球.tzd", "--bets", bets, "--stakes", "10", "4", "--pdf",
          dir + "/a.pdf"},
         0, "vornprn-cli print: nothing was printed; no file was written\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliRun r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.outText(), "");
        EXPECT_FALSE(QFile::exists(dir + "/a.pdf"));
    }
}

TEST_F(CliPrint, PdfOfAllBatchesInOrder)
{
    const QString pdf = makeTempDir() + "/out.pdf";
    const CliRun r = RunCli({"print", "--template", "陕西－双色球.tzd", "--bets", betFile(23), "--pause",
                             "2", "--pdf", pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("wrote 5 pages to"));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 5);
}

TEST_F(CliPrint, OutputsOnAFullDiskKeepTheOldFilesAndSayWhy)
{
    SmallDisk disk(256);
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString bets = betFile(12);
    const QByteArray old(5000, 'o');
    for (const char *kind : {"json", "pdf"}) {
        const QString out = disk.path() + "/job." + kind;
        PutFileBytes(out, old);
    }
    disk.fill();
    for (const char *kind : {"json", "pdf"}) {
        SCOPED_TRACE(kind);
        const QString out = disk.path() + "/job." + kind;
        const CliRun r = RunCli({"print", "--template", "陕西－双色球.tzd", "--bets", bets,
                                 QStringLiteral("--") + kind, out});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("保存文件 %1 失败：磁盘空间不足").arg(out))) << r.err.toStdString();
        EXPECT_EQ(FileBytes(out), old);
    }
    EXPECT_EQ(FolderEntries(disk.path()), (QStringList{"filler", "job.json", "job.pdf"}));
}

namespace {
// The shipped template (five stakes to a ticket) with some of its text replaced.
QString editedTemplate(const QList<std::pair<QString, QString>> &replacements)
{
    QFile shipped(sourceDir() + "/resources/投注单文件/陕西－双色球.tzd");
    EXPECT_TRUE(shipped.open(QIODevice::ReadOnly));
    QString text = DecodeText(shipped.readAll());
    for (const auto &[from, to] : replacements) {
        EXPECT_TRUE(text.contains(from)) << from.toStdString();
        text.replace(from, to);
    }
    const QString path = makeTempDir() + "/edited.tzd";
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(EncodeGbk(text));
    return path;
}

QJsonObject printJson(const QString &templatePath, const QString &bets, const QStringList &args, CliRun *run)
{
    const QString json = makeTempDir() + "/job.json";
    *run = RunCli(QStringList{"print", "--template", templatePath, "--bets", bets, "--json", json} + args);
    QFile f(json);
    return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
}
} // namespace

// Where batches, pages and tickets meet: a job that is a whole number of batches ends without an
// empty batch or a question too many, and one stake more makes one batch more.
TEST_F(CliPrint, BatchesAtTheirEdges)
{
    struct Case {
        int stakes;
        QStringList args;
        QStringList captions;
        QList<int> pages; // of each batch
        QString last;     // the job's last message
    };
    const Case cases[] = {
        {20, {"--pause", "2"}, {"每次打印2页[第 1 ～ 10 注]", "每次打印2页[第 11 ～ 20 注]"}, {2, 2},
         "所有投注单打印完毕， 注数从 1 ～ 20 共 20 注。"},
        {21, {"--pause", "2"}, {"每次打印2页[第 1 ～ 10 注]", "每次打印2页[第 11 ～ 20 注]", "每次打印2页[第 21 ～ 21 注]"},
         {2, 2, 1}, "所有投注单打印完毕， 注数从 1 ～ 21 共 21 注。"},
        {10, {"--pause", "2"}, {"每次打印2页[第 1 ～ 10 注]"}, {2}, "所有投注单打印完毕， 注数从 1 ～ 10 共 10 注。"},
        {5, {"--pause", "1"}, {"每次打印1页[第 1 ～ 5 注]"}, {1}, "所有投注单打印完毕， 注数从 1 ～ 5 共 5 注。"},
        // ranges that start on a page boundary: page 3 starts at stake 11
        {20, {"--pages", "3", "4", "--pause", "1"}, {"每次打印1页[第 11 ～ 15 注]", "每次打印1页[第 16 ～ 20 注]"},
         {1, 1}, "所有投注单打印完毕， 注数从 11 ～ 20 共 10 注。"},
        {21, {"--stakes", "11", "21", "--pause", "2"}, {"每次打印2页[第 11 ～ 20 注]", "每次打印2页[第 21 ～ 21 注]"},
         {2, 1}, "所有投注单打印完毕， 注数从 11 ～ 21 共 11 注。"},
        {21, {"--stakes", "10", "11", "--pause", "1"}, {"每次打印1页[第 10 ～ 11 注]"}, {1},
         "所有投注单打印完毕， 注数从 10 ～ 11 共 2 注。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString("%1 stakes, %2").arg(c.stakes).arg(c.args.join(' ')).toStdString());
        CliRun r;
        const QJsonObject doc = printJson("陕西－双色球.tzd", betFile(c.stakes), c.args, &r);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonArray batches = doc["batches"].toArray();
        QStringList captions;
        QList<int> pages;
        for (const QJsonValue &b : batches) {
            captions << b.toObject()["caption"].toString();
            pages << pagesOf(b.toObject());
        }
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(pages, c.pages);
        const QJsonArray messages = doc["messages"].toArray();
        ASSERT_EQ(messages.size(), c.captions.size()) << "one question between batches, then the end";
        EXPECT_EQ(messages.last().toString(), c.last);
    }
}

// A slip of one stake per ticket: every stake is a page of its own, the batches count pages.
TEST_F(CliPrint, OneStakePerTicket)
{
    const QString slip = editedTemplate({{"StakeLocateOffsetStrX=0, 28.5, 57, 85.5, 114", "StakeLocateOffsetStrX=0"},
                                         {"StakeLocateOffsetStrY=0,0,0,0,0", "StakeLocateOffsetStrY=0"}});
    CliRun r;
    const QJsonObject doc = printJson(slip, betFile(4), {"--pause", "2"}, &r);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outText(), "每次打印2页[第 1 ～ 2 注]\n第 1 ～ 2 注打印完毕, 要继续打印请按[确定]按钮。\n"
                           "每次打印2页[第 3 ～ 4 注]\n所有投注单打印完毕， 注数从 1 ～ 4 共 4 注。\n");
    const QJsonArray batches = doc["batches"].toArray();
    ASSERT_EQ(batches.size(), 2);
    EXPECT_EQ(pagesOf(batches[0].toObject()), 2);
    EXPECT_EQ(pagesOf(batches[1].toObject()), 2);
    printJson(slip, betFile(4), {"--pages", "3", "3"}, &r);
    EXPECT_EQ(r.outText(), "每次打印200页[第 3 ～ 3 注]\n所有投注单打印完毕， 注数从 3 ～ 3 共 1 注。\n");
}

// The page set-up the job lays out with is the template's (orientation, paper, margins), with
// the orientation given on the command line in its place.
TEST_F(CliPrint, PageSetupIsTheTemplates)
{
    struct Case {
        QList<std::pair<QString, QString>> edits;
        QStringList args;
        QJsonObject page;
    };
    const auto page = [](int orientation, int size, double width, double height, double left, double top,
                         double right, double bottom) {
        return QJsonObject{{"orientation", orientation}, {"paperSize", size},   {"paperWidth", width},
                           {"paperHeight", height},      {"marginLeft", left},  {"marginTop", top},
                           {"marginRight", right},       {"marginBottom", bottom}};
    };
    const QList<std::pair<QString, QString>> margins = {
        {"PaperMarginLeft=0", "PaperMarginLeft=567"}, {"PaperMarginTop=0", "PaperMarginTop=283.5"},
        {"PaperMarginRight=0", "PaperMarginRight=850"}, {"PaperMarginBottom=0", "PaperMarginBottom=1134"}};
    const QList<std::pair<QString, QString>> custom = {
        {"PaperSize=0", "PaperSize=256"}, {"PaperWidth=11906", "PaperWidth=10000"},
        {"PaperHeight=16838", "PaperHeight=20000"}, {"PaperOrientation=0", "PaperOrientation=1"}};
    const Case cases[] = {
        {margins + QList<std::pair<QString, QString>>{{"PaperSize=0", "PaperSize=9"}}, {},
         page(0, 9, 11906, 16838, 567, 283.5, 850, 1134)},
        {margins + QList<std::pair<QString, QString>>{{"PaperSize=0", "PaperSize=9"}},
         {"--left", "0", "--top", "0", "--orientation", "1"}, page(1, 9, 11906, 16838, 567, 283.5, 850, 1134)},
        {custom, {}, page(1, 256, 10000, 20000, 0, 0, 0, 0)},
        {custom, {"--left", "0", "--top", "0", "--orientation", "0"}, page(0, 256, 10000, 20000, 0, 0, 0, 0)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        CliRun r;
        const QJsonObject doc = printJson(editedTemplate(c.edits), betFile(6), c.args, &r);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        for (const QJsonValue &b : doc["batches"].toArray())
            EXPECT_EQ(b.toObject()["document"].toObject()["page"].toObject(), c.page);
    }
}
