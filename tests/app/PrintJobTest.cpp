#include "app/PrintJob.h"
#include "input/BetList.h"
#include "print/PrintDocument.h"
#include "TestSupport.h"

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
        {30, MainSettings::RangeByStake, "2*3", "abc", 6, 5, nullptr},
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
    o.pause = "abc"; // unreadable: 200 tickets per batch
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
