#include "app/PrintJob.h"
#include "input/BetList.h"
#include "print/PrintDocument.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
// A template of five stakes per ticket.
QString fiveStakeTemplate() { return testDataPath("templates/four_kinds.tzd"); }

void fill(BetList &list, int n)
{
    for (int i = 1; i <= n; ++i)
        list.Append(i, QStringLiteral("%1 02 03 04 05 06+07").arg(i % 33 + 1, 2, 10, QChar('0')));
}

struct JobRun {
    QStringList events; // captions and messages in order
    QList<int> batchPages;
    QList<MsgStyle> styles; // of the messages, in order
    PrintJobOutcome outcome;
};

JobRun run(const BetList &list, PrintJobOptions o, bool printEach = true,
        MsgAnswer answer = MsgAnswer::Ok)
{
    JobRun r;
    o.templatePath = o.templatePath.isEmpty() ? fiveStakeTemplate() : o.templatePath;
    PrintJobCallbacks cb;
    cb.showBatch = [&](PrintDocument &doc, const QString &caption) {
        r.events << caption;
        r.batchPages << doc.PageCount();
        return printEach;
    };
    cb.message = [&](const QString &text, MsgStyle style) {
        r.events << text;
        r.styles << style;
        return answer;
    };
    r.outcome = PrintLottNumbers(list, o, cb);
    return r;
}
} // namespace

TEST(PrintJob, BatchesCaptionsAndTheFinalMessage)
{
    BetList list;
    fill(list, 23);
    PrintJobOptions o;
    o.pause = "2";
    const JobRun r = run(list, o);
    EXPECT_EQ(r.events, (QStringList{
                            "每次打印2页[第 1 ～ 10 注]",
                            "第 1 ～ 10 注打印完毕, 要继续打印请按[确定]按钮。",
                            "每次打印2页[第 11 ～ 20 注]",
                            "第 11 ～ 20 注打印完毕, 要继续打印请按[确定]按钮。",
                            "每次打印2页[第 21 ～ 23 注]",
                            "所有投注单打印完毕， 注数从 1 ～ 23 共 23 注。",
                        }));
    EXPECT_EQ(r.batchPages, (QList<int>{2, 2, 1}));
    // Go on? is a question; the closing notice informs.
    EXPECT_EQ(r.styles, (QList<MsgStyle>{MsgStyle::OkCancel, MsgStyle::OkCancel,
                                         MsgStyle::InformationOkCancel}));
    EXPECT_TRUE(r.outcome.completed);
}

TEST(PrintJob, RangesClampAndEmptyRangesSayNothing)
{
    struct Case {
        int entries;
        MainSettings::Range range;
        const char *a, *b;
        qint64 first, last;
        const char *caption; // nullptr: nothing shown
    };
    const Case cases[] = {
        {12, MainSettings::RangeByPage, "2", "3", 6, 12, "每次打印200页[第 6 ～ 12 注]"},
        {23, MainSettings::RangeByStake, "10", "4", 10, 9, nullptr},
        {30, MainSettings::RangeByStake, "0", "999", 1, 30, "每次打印200页[第 1 ～ 30 注]"},
        {30, MainSettings::RangeByStake, "2.5", "3.5", 2, 4, "每次打印200页[第 2 ～ 4 注]"},
        {30, MainSettings::RangeByStake, "2*3", "5", 6, 5, nullptr},
        {8, MainSettings::RangeAll, "", "", 1, 8, "每次打印200页[第 1 ～ 8 注]"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption ? c.caption : "empty");
        BetList list;
        fill(list, c.entries);
        PrintJobOptions o;
        o.range = c.range;
        o.paperStart = o.lottNumberStart = c.a;
        o.paperEnd = o.lottNumberEnd = c.b;
        const JobRun r = run(list, o);
        EXPECT_EQ(r.outcome.firstStake, c.first);
        EXPECT_EQ(r.outcome.lastStake, c.last);
        if (c.caption) {
            ASSERT_EQ(r.events.size(), 2);
            EXPECT_EQ(r.events[0], c.caption);
        } else {
            EXPECT_TRUE(r.events.isEmpty());
        }
    }
}

TEST(PrintJob, PauseTextAndRefusals)
{
    BetList empty;
    EXPECT_EQ(run(empty, {}).events, QStringList{"没有投注数据，请先导入投注数据！"});
    EXPECT_FALSE(run(empty, {}).outcome.started);

    BetList list;
    fill(list, 3);
    PrintJobOptions o;
    o.pause = "2*100";
    EXPECT_EQ(run(list, o).events.value(0), "每次打印200页[第 1 ～ 3 注]");
    for (const char *bad : {"0", "-3"}) {
        o.pause = bad;
        const JobRun r = run(list, o);
        EXPECT_FALSE(r.outcome.started);
        ASSERT_EQ(r.events.size(), 1);
        EXPECT_TRUE(r.events[0].startsWith("每多少页暂停的值必须是大于 0 的整数！"));
    }
    o.pause = "1000000000"; // times 5 stakes does not fit in 32 bits
    const JobRun over = run(list, o);
    EXPECT_EQ(over.events, QStringList{"溢出"});
    EXPECT_TRUE(over.outcome.refused) << "nothing was laid out";
    EXPECT_EQ(over.outcome.batches, 0);

    o.pause = "2";
    o.range = MainSettings::RangeByStake;
    o.lottNumberStart = "1";
    o.lottNumberEnd = "2147483648"; // one beyond 32 bits
    const JobRun range = run(list, o);
    EXPECT_EQ(range.events, QStringList{"溢出"});
    EXPECT_FALSE(range.outcome.started);
}

// A box the job would use that does not read as a number is refused with the window's own
// message; the boxes of a range that is not chosen do not matter.
TEST(PrintJob, ValuesThatAreNotNumbersAreRefusedNotReplaced)
{
    struct Case {
        const char *name;
        void (*set)(PrintJobOptions &);
        bool refused;
    };
    const Case cases[] = {
        {"pause", [](PrintJobOptions &o) { o.pause = "abc"; }, true},
        {"empty pause", [](PrintJobOptions &o) { o.pause = " "; }, true},
        {"left", [](PrintJobOptions &o) { o.layoutLeft = "1,5"; }, true},
        {"top", [](PrintJobOptions &o) { o.layoutTop = "abc"; }, true},
        {"left of the template's layout",
         [](PrintJobOptions &o) { o.layoutLeft = "abc"; o.useTemplateLayout = true; }, false},
        {"page start", [](PrintJobOptions &o) { o.range = MainSettings::RangeByPage; o.paperStart = "x"; }, true},
        {"stake end", [](PrintJobOptions &o) { o.range = MainSettings::RangeByStake; o.lottNumberEnd = "1+"; }, true},
        {"unused page box", [](PrintJobOptions &o) { o.range = MainSettings::RangeByStake; o.paperEnd = "x"; }, false},
    };
    BetList list;
    fill(list, 3);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PrintJobOptions o;
        c.set(o);
        const JobRun r = run(list, o);
        EXPECT_EQ(r.outcome.started, !c.refused);
        if (c.refused)
            EXPECT_EQ(r.events, QStringList{"请输入合法值！"});
        EXPECT_EQ(PrintJobInputProblem(o).isEmpty(), !c.refused);
    }
}

// The sample double-colour-ball slip: 33 red numbers and 16 blue ones, five stakes a ticket.
QString sampleTemplate() { return sourceDir() + QStringLiteral("/resources/投注单文件/陕西－双色球.tzd"); }

TEST(PrintJob, AsksBeforePrintingStakesThatWouldNotPrintRight)
{
    struct Case {
        QStringList lines;
        bool yes;
        QStringList events;
    };
    const QString good = "01 02 03 04 05 06 07";
    const Case cases[] = {
        {{good, good}, false, {"每次打印200页[第 1 ～ 2 注]", "所有投注单打印完毕， 注数从 1 ～ 2 共 2 注。"}},
        {{good, "01 02 03 04 05 06 17", good, "ab"}, false,
         {"有 2 注号码不能正确打印（第 12、14 注等），是否继续打印？"}},
        {{"01 02 03 04 05 06 17", good}, true,
         {"有 1 注号码不能正确打印（第 11 注等），是否继续打印？", "每次打印200页[第 1 ～ 2 注]",
          "所有投注单打印完毕， 注数从 1 ～ 2 共 2 注。"}},
    };
    for (const Case &c : cases) {
        BetList list;
        for (int i = 0; i < c.lines.size(); ++i)
            list.Append(11 + i, c.lines[i]);
        PrintJobOptions o;
        o.templatePath = sampleTemplate();
        QStringList events;
        PrintJobCallbacks cb;
        cb.showBatch = [&](PrintDocument &, const QString &caption) { events << caption; return true; };
        cb.message = [&](const QString &text, MsgStyle) { events << text; return MsgAnswer::Ok; };
        cb.confirmFaultyStakes = [&](const QString &q) { events << q; return c.yes; };
        const PrintJobOutcome out = PrintLottNumbers(list, o, cb);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(out.started, c.events.size() > 1);
    }
}

TEST(PrintJob, AsksBeforePrintingOnATemplateThatWouldPrintWrong)
{
    // The sample slip with its fourth stake's offset left out, and the same slip whole.
    const QString dir = makeTempDir();
    QFile in(sampleTemplate());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QByteArray text = in.readAll();
    const QByteArray whole = text;
    ASSERT_TRUE(text.contains("StakeLocateOffsetStrX=0, 28.5, 57, 85.5, 114"));
    text.replace("StakeLocateOffsetStrX=0, 28.5, 57, 85.5, 114", "StakeLocateOffsetStrX=0, 28.5, 57, 85.5");
    struct Case {
        QByteArray file;
        bool yes;
        int questions;
        int batches;
    };
    const Case cases[] = {{text, false, 1, 0}, {text, true, 1, 1}, {whole, false, 0, 1}};
    for (const Case &c : cases) {
        QFile out(dir + "/slip.tzd");
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.file);
        out.close();
        BetList list;
        list.Append(1, "01 02 03 04 05 06 07");
        PrintJobOptions o;
        o.templatePath = out.fileName();
        QStringList questions;
        int batches = 0, faultyAsked = 0;
        PrintJobCallbacks cb;
        cb.showBatch = [&](PrintDocument &, const QString &) { return ++batches > 0; };
        cb.message = [&](const QString &, MsgStyle) { return MsgAnswer::Ok; };
        cb.confirmFaultyStakes = [&](const QString &) { return ++faultyAsked > 0; };
        cb.confirmTemplateFindings = [&](const QString &q) { questions << q; return c.yes; };
        PrintLottNumbers(list, o, cb);
        EXPECT_EQ(questions.size(), c.questions);
        EXPECT_EQ(batches, c.batches);
        EXPECT_EQ(faultyAsked, 0); // every stake of the job itself is fine
        if (c.questions)
            EXPECT_EQ(questions[0], "模板有 2 处问题（各注横向偏移量有 4 项，与每张投注单的 5 注不符），是否继续打印？");
    }
}

TEST(PrintJob, FaultyStakesQuestionNamesTheFirstFive)
{
    EXPECT_EQ(FaultyStakesQuestion(7, {3, 9, 12, 40, 41}),
              QStringLiteral("有 7 注号码不能正确打印（第 3、9、12、40、41 注等），是否继续打印？"));
}

// The stakes after the one that stopped the layout were never laid out: the job says where it
// stopped instead of reporting them printed, and prints no further batch.
TEST(PrintJob, ALayoutThatStopsAtAStakeEndsTheJobNamingIt)
{
    BetList list;
    const QString good = "01 02 03 04 05 06 07";
    for (int i = 1; i <= 12; ++i)
        list.Append(100 + i, i == 7 ? good + " 08" : good);
    PrintJobOptions o;
    o.templatePath = sampleTemplate();
    o.pause = "1";
    QStringList events, boxes;
    QList<int> pages;
    PrintJobCallbacks cb;
    cb.showBatch = [&](PrintDocument &doc, const QString &caption) {
        events << caption;
        pages << doc.PageCount();
        return true;
    };
    cb.message = [&](const QString &text, MsgStyle) { events << text; return MsgAnswer::Ok; };
    ScriptedMsgBox engineBoxes;
    const PrintJobOutcome out = PrintLottNumbers(list, o, cb);
    EXPECT_EQ(events, (QStringList{"每次打印1页[第 1 ～ 5 注]", "第 1 ～ 5 注打印完毕, 要继续打印请按[确定]按钮。",
                                   "每次打印1页[第 6 ～ 10 注]",
                                   "打印在第 107 注停止：号码个数 8 超过投注单的 7 个位置"}));
    EXPECT_EQ(engineBoxes.texts(), QStringList{"下标越界（第 107 注）"});
    EXPECT_EQ(pages, (QList<int>{1, 1}));
    EXPECT_EQ(out.stoppedAtStake, 107);
    EXPECT_FALSE(out.completed);
}

TEST(PrintJob, StopsWhenABatchIsNotPrintedOrTheQuestionIsCancelled)
{
    BetList list;
    fill(list, 23);
    PrintJobOptions o;
    o.pause = "1";
    const JobRun closed = run(list, o, false);
    EXPECT_EQ(closed.events, QStringList{"每次打印1页[第 1 ～ 5 注]"});
    EXPECT_FALSE(closed.outcome.completed);
    const JobRun cancelled = run(list, o, true, MsgAnswer::Cancel);
    EXPECT_EQ(cancelled.events.size(), 2);
    EXPECT_EQ(cancelled.outcome.batches, 1);
}

TEST(PrintJob, LayoutOfTheWindowOrOfTheTemplate)
{
    BetList list;
    fill(list, 1);
    PrintJobOptions o;
    o.layoutLeft = "1+1.5";
    o.layoutTop = "-1";
    o.landscape = false;
    PrintJobOutcome out = run(list, o).outcome;
    EXPECT_DOUBLE_EQ(out.layoutLeft, 2.5);
    EXPECT_DOUBLE_EQ(out.layoutTop, -1);
    EXPECT_EQ(out.orientation, 0);
    o.useTemplateLayout = true; // the template's own 1.5, -2.25, landscape
    out = run(list, o).outcome;
    EXPECT_DOUBLE_EQ(out.layoutLeft, 1.5);
    EXPECT_DOUBLE_EQ(out.layoutTop, -2.25);
    EXPECT_EQ(out.orientation, 1);
}

// A template that cannot be read whole prints nothing: a missing file, a count that promises
// more elements than the file has, a value that does not convert. The message names the file.
TEST(PrintJob, ATemplateThatIsNotReadWholeIsRefused)
{
    const QString dir = makeTempDir();
    QFile in(fiveStakeTemplate());
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray whole = in.readAll();
    ASSERT_TRUE(whole.contains("LayoutLeft=1.5"));
    const int count = whole.count("[Controls");
    ASSERT_GT(count, 1);
    QByteArray moreThanThere = whole;
    moreThanThere.replace(QByteArray("ControlCount=") + QByteArray::number(count),
                          QByteArray("ControlCount=") + QByteArray::number(count + 1));
    ASSERT_NE(moreThanThere, whole);
    QByteArray badValue = whole;
    badValue.replace("LayoutLeft=1.5", "LayoutLeft=abc");
    struct Case {
        const char *name;
        QByteArray file; // empty: no file at all
        bool refused;
    };
    const Case cases[] = {{"missing.tzd", {}, true},
                          {"short.tzd", moreThanThere, true},
                          {"badvalue.tzd", badValue, true},
                          {"whole.tzd", whole, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir + "/" + c.name;
        if (!c.file.isEmpty()) {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(c.file);
        }
        BetList list;
        fill(list, 3);
        PrintJobOptions o;
        o.templatePath = path;
        const JobRun r = run(list, o);
        EXPECT_EQ(r.outcome.refused, c.refused);
        EXPECT_EQ(r.batchPages.isEmpty(), c.refused);
        if (c.refused) {
            ASSERT_FALSE(r.events.isEmpty());
            EXPECT_TRUE(r.events[0].startsWith("投注单模板文件 " + path + " 不能打开！")) << r.events[0].toStdString();
            EXPECT_EQ(r.events.size(), 1);
        }
    }
}
