// Where the numbers of a stake line land: tickets, stake offsets, number lookup, failures.
#include "PrintTestSupport.h"
#include "TestSupport.h"
#include "print/DocumentSurface.h"
#include "print/MarkColor.h"
#include "print/clsPLPrint.h"

#include <gtest/gtest.h>

using namespace printtest;

namespace {
constexpr float Twip = 0.01f;

struct Layout {
    PrintDocument doc;
    QStringList messages;
    bool ok;
};

Layout layOut(const colPLControls &t, const QStringList &betLines, qint32 firstSerial = 1)
{
    ScriptedMsgBox boxes;
    DocumentSurface surface;
    clsPLPrint engine;
    QStringList lines{QString()};
    lines += betLines;
    const bool ok = engine.PrintPLWithDatas(t, lines, surface, true, firstSerial);
    return {surface.TakeDocument(), boxes.texts(), ok};
}

// The template of the worked example: two areas of 6 and 1 numbers, five stakes across.
colPLControls workedExample()
{
    colPLControls t;
    t.setGroupLottNumberCountStr(QStringLiteral("6,1"));
    t.setStakeLocateOffsetStrX(QStringLiteral("0, 28.5, 57, 85.5, 114"));
    t.setStakeLocateOffsetStrY(QStringLiteral("0,0,0,0,0"));
    t.setLayoutLeft(1.5);
    for (int n = 1; n <= 33; ++n)
        t.Add(Block(QStringLiteral("r%1").arg(n), QStringLiteral("1"),
                    QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), 2 + n, 3));
    for (int n = 1; n <= 16; ++n)
        t.Add(Block(QStringLiteral("b%1").arg(n), QStringLiteral("2"),
                    QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')), 13 + n, 10));
    return t;
}

void expectRect(const Op &op, float x1, float y1, float x2, float y2)
{
    EXPECT_EQ(op.kind, OpKind::Rect);
    ExpectCorners(op, x1, y1, x2, y2);
}
} // namespace

TEST(StakePlacement, WorkedExampleThirdLineIsStakeTwoOfTicketOne)
{
    const Layout r = layOut(workedExample(), {QStringLiteral("01 02 03 04 05 06 01"),
                                              QStringLiteral("01 02 03 04 05 06 01"),
                                              QStringLiteral("03 08 12 19 25 31 07")});
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.doc.PageCount(), 1);
    const std::vector<Op> rects = OpsOfKind(r.doc, 0, OpKind::Rect);
    ASSERT_EQ(rects.size(), 21u);
    // x0 = (1.5 + 57) x 56.7 = 3316.95; number 03 sits at Left 5 mm, 07 of area 2 at Left 20 mm.
    expectRect(rects[14], 3316.95f + 283.5f, 170.1f, 3316.95f + 283.5f + 170.1f, 170.1f + 85.05f);
    expectRect(rects[20], 3316.95f + 1134.0f, 567.0f, 3316.95f + 1134.0f + 170.1f, 567.0f + 85.05f);
}

TEST(StakePlacement, NumberTextsFindTheirBlockAsWholeNumbers)
{
    struct Case {
        const char *token;
        double expectedLeftMm; // of the area-1 block found
    };
    // Block n of area 1 is at Left 2 + n mm.
    const Case cases[] = {{"07", 9}, {"7", 9}, {"7.0", 9}, {"7.6", 10}, {"6.5", 9}, {"3+4", 9}};
    for (const Case &c : cases) {
        const Layout r = layOut(workedExample(), {QString::fromUtf8(c.token)});
        const std::vector<Op> rects = OpsOfKind(r.doc, 0, OpKind::Rect);
        ASSERT_EQ(rects.size(), 1u) << c.token;
        EXPECT_NEAR(rects[0].a, (1.5 + c.expectedLeftMm) * 56.7, Twip) << c.token;
    }
}

TEST(StakePlacement, StarKeepsItsPositionAndTheNextTokenItsArea)
{
    // Position 6 belongs to area 2, so its 05 is the blue 05 (Left 18 mm), not the red one.
    const Layout r = layOut(workedExample(), {QStringLiteral("01 02 03 * 05 06 05")});
    const std::vector<Op> rects = OpsOfKind(r.doc, 0, OpKind::Rect);
    ASSERT_EQ(rects.size(), 6u);
    const double lefts[] = {3, 4, 5, 7, 8, 18};
    for (size_t i = 0; i < 6; ++i)
        EXPECT_NEAR(rects[i].a, (1.5 + lefts[i]) * 56.7, Twip) << i;
}

TEST(StakePlacement, FirstOfTwoBlocksWithTheSameKeyWins)
{
    colPLControls t = workedExample();
    t.Add(Block(QStringLiteral("dup"), QStringLiteral("1.0"), QStringLiteral("7"), 90, 90));
    t.Add(Block(QStringLiteral("first"), QStringLiteral("3"), QStringLiteral("1"), 50, 50));
    t.Add(Block(QStringLiteral("second"), QStringLiteral("3"), QStringLiteral("01"), 70, 70));
    t.setGroupLottNumberCountStr(QStringLiteral("1,0,1"));
    const Layout r = layOut(t, {QStringLiteral("7 1")});
    const std::vector<Op> rects = OpsOfKind(r.doc, 0, OpKind::Rect);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_NEAR(rects[0].a, (1.5 + 9) * 56.7, Twip);
    EXPECT_NEAR(rects[1].a, (1.5 + 50) * 56.7, Twip);
}

TEST(StakePlacement, TicketsAndTheirPageAndStakeTexts)
{
    struct Case {
        int lines;
        qint32 firstSerial;
        std::vector<int> stakesPerPage;
        std::vector<QString> pageTexts;
        std::vector<QString> stakeTexts;
    };
    const Case cases[] = {
        {12, 1, {5, 5, 2}, {"第1页", "第2页", "第3页"}, {"注：1~5", "注：6~10", "注：11~12"}},
        {5, 7, {5}, {"第2页"}, {"注：7~11"}},
        {7, 3, {5, 2}, {"第1页", "第2页"}, {"注：3~7", "注：8~9"}},
        {1, 1, {1}, {"第1页"}, {"注：1~1"}},
    };
    colPLControls t = TwoAreaSlip();
    for (const Case &c : cases) {
        QStringList lines;
        for (int i = 0; i < c.lines; ++i)
            lines << QStringLiteral("01 02 03 04 05 06 07");
        const Layout r = layOut(t, lines, c.firstSerial);
        ASSERT_EQ(r.doc.PageCount(), int(c.stakesPerPage.size())) << c.lines;
        for (int p = 0; p < r.doc.PageCount(); ++p) {
            EXPECT_EQ(OpsOfKind(r.doc, p, OpKind::Rect).size(), size_t(c.stakesPerPage[p] * 7 + 1));
            const std::vector<QString> texts = PageTexts(r.doc, p);
            ASSERT_EQ(texts.size(), 2u);
            EXPECT_EQ(texts[0], c.pageTexts[p]);
            EXPECT_EQ(texts[1], c.stakeTexts[p]);
        }
    }
}

TEST(StakePlacement, PageElementsComeBeforeTheStakes)
{
    const Layout r = layOut(TwoAreaSlip(), {QStringLiteral("01 02 03 04 05 06 07")});
    const std::vector<Op> ops = PageOps(r.doc, 0);
    ASSERT_EQ(ops.size(), 10u);
    EXPECT_EQ(ops[0].kind, OpKind::Rect); // the locate mark
    EXPECT_EQ(ops[1].kind, OpKind::Text);
    EXPECT_EQ(ops[2].kind, OpKind::Text);
    for (size_t i = 3; i < ops.size(); ++i)
        EXPECT_EQ(ops[i].kind, OpKind::Rect);
}

TEST(StakePlacement, StakeOffsetsAreMeasuredFromTheFirstEntry)
{
    struct Case {
        const char *x;
        const char *y;
        int stake;       // 0-based on the ticket
        double dxMm, dyMm; // expected offset of that stake
    };
    const Case cases[] = {
        {"0, 28.5, 57, 85.5, 114", "0,0,0,0,0", 4, 114, 0},
        {"10, 38.5", "0", 0, 0, 0},
        {"10, 38.5", "0", 1, 28.5, 0},
        {"0,1,2,3,4,5", "0,20,40,60,80", 5, 5, 0},   // beyond the Y list: 0
        {"5,abc,(1+2)*3", "", 1, -5, 0},              // unreadable counts as 0
        {"5,abc,(1+2)*3", "", 2, 4, 0},
        {"", "3,3,6", 2, 0, 3},
    };
    for (const Case &c : cases) {
        colPLControls t = workedExample();
        t.setLayoutLeft(0);
        t.setStakeLocateOffsetStrX(QString::fromUtf8(c.x));
        t.setStakeLocateOffsetStrY(QString::fromUtf8(c.y));
        QStringList lines;
        for (int k = 0; k <= c.stake; ++k)
            lines << QStringLiteral("01");
        const Layout r = layOut(t, lines);
        ASSERT_EQ(r.doc.PageCount(), 1) << c.x;
        const std::vector<Op> rects = OpsOfKind(r.doc, 0, OpKind::Rect);
        ASSERT_EQ(rects.size(), size_t(c.stake + 1)) << c.x;
        // Block 01 is at (3, 3) mm.
        EXPECT_NEAR(rects.back().a, (3 + c.dxMm) * 56.7, Twip) << c.x << " stake " << c.stake;
        EXPECT_NEAR(rects.back().b, (3 + c.dyMm) * 56.7, Twip) << c.x << " stake " << c.stake;
    }
}

TEST(StakePlacement, NumberWithoutBlockPrintsRedTextAtBlockOneOneAndSkipsTheRest)
{
    colPLControls t = workedExample();
    const Layout r = layOut(t, {QStringLiteral("01 02 99 04 05 06 07"), QStringLiteral("01")});
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.messages.isEmpty());
    const std::vector<Op> ops = PageOps(r.doc, 0);
    ASSERT_EQ(ops.size(), 4u); // 01, 02, the red text, then stake 2's 01
    EXPECT_EQ(ops[2].kind, OpKind::Text);
    EXPECT_EQ(ops[2].text, QStringLiteral("投注号码【99】没有设定对应的填涂块！\r\n号码为：01 02 99 04 05 06 07"));
    EXPECT_EQ(ops[2].state.TextColor, 255);
    EXPECT_NEAR(ops[2].a, (1.5 + 3) * 56.7, Twip);
    EXPECT_NEAR(ops[2].b, 3 * 56.7, Twip);
    EXPECT_FLOAT_EQ(ops[2].c, 1200);
    EXPECT_FLOAT_EQ(ops[2].d, 2000);
    EXPECT_NEAR(ops[3].a, (1.5 + 28.5 + 3) * 56.7, Twip);
}

TEST(StakePlacement, NumberWithoutBlockAndNoBlockOneOneIsSilent)
{
    colPLControls t = workedExample();
    t.Remove(QStringLiteral("Ar1"));
    const Layout r = layOut(t, {QStringLiteral("02 99 04")});
    EXPECT_TRUE(r.ok);
    const std::vector<Op> ops = PageOps(r.doc, 0);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, OpKind::Rect);
}

TEST(StakePlacement, TooManyTokensStopsTheLayoutKeepingWhatWasLaidOut)
{
    QStringList lines;
    for (int i = 0; i < 6; ++i)
        lines << QStringLiteral("01 02 03 04 05 06 07");
    lines << QStringLiteral("01 02 03 04 05 06 07 08") << QStringLiteral("01 02");
    const Layout r = layOut(workedExample(), lines);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.messages, QStringList{QStringLiteral("下标越界（第 7 注）")});
    ASSERT_EQ(r.doc.PageCount(), 2);
    EXPECT_EQ(OpsOfKind(r.doc, 0, OpKind::Rect).size(), 35u);
    // Stake 7 marked its seven numbers before its eighth token stopped the layout.
    EXPECT_EQ(OpsOfKind(r.doc, 1, OpKind::Rect).size(), 14u);
}

TEST(StakePlacement, TheStakeThatStopsTheLayoutIsNamedAsTheCallerNumbersIt)
{
    struct Case {
        qint32 firstSerial;
        bool listIndexes; // the caller names lines by their index in a list with gaps
        QString message;
        qint64 stoppedAt;
    };
    const std::vector<Case> cases = {
        {1, false, QStringLiteral("下标越界（第 2 注）"), 2},
        {41, false, QStringLiteral("下标越界（第 42 注）"), 2},
        {41, true, QStringLiteral("下标越界（第 20 注）"), 2},
    };
    for (const Case &c : cases) {
        ScriptedMsgBox boxes;
        DocumentSurface surface;
        clsPLPrint engine;
        if (c.listIndexes)
            engine.setStakeIndexOf([](qint64 line) { return line * 10; });
        const QStringList lines{QString(), QStringLiteral("01 02"),
                                QStringLiteral("01 02 03 04 05 06 07 08"), QStringLiteral("03")};
        EXPECT_FALSE(engine.PrintPLWithDatas(workedExample(), lines, surface, true, c.firstSerial));
        EXPECT_EQ(boxes.texts(), QStringList{c.message});
        EXPECT_EQ(engine.StoppedAtLine(), c.stoppedAt);
        EXPECT_TRUE(engine.PrintPLWithDatas(workedExample(), {QString(), "01"}, surface, true, 1));
        EXPECT_EQ(engine.StoppedAtLine(), 0);
    }
}

TEST(StakePlacement, ShortEmptyAndStarOnlyLinesMarkWhatTheyHave)
{
    struct Case {
        const char *line;
        size_t marks;
    };
    const Case cases[] = {{"01 02", 2}, {"", 0}, {"* * * * * * *", 0}, {"01 * * * * * * *", 1}};
    for (const Case &c : cases) {
        const Layout r = layOut(workedExample(), {QString::fromUtf8(c.line)});
        EXPECT_TRUE(r.ok) << c.line;
        EXPECT_EQ(PageOps(r.doc, 0).size(), c.marks) << c.line;
    }
}

TEST(StakePlacement, MarkStyleCrossDrawsTwoDiagonals)
{
    colPLControls t = workedExample();
    t.setMarkStyle(1);
    SetMarkColor(0x336699);
    const Layout r = layOut(t, {QStringLiteral("01")});
    SetMarkColor(0);
    const std::vector<Op> ops = PageOps(r.doc, 0);
    ASSERT_EQ(ops.size(), 2u);
    const float x = float((1.5 + 3) * 56.7), y = float(3 * 56.7);
    const float x2 = x + 170.1f, y2 = y + 85.05f;
    const float expected[2][4] = {{x, y, x2, y2}, {x, y2, x2, y}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ops[i].kind, OpKind::Line);
        ExpectCorners(ops[i], expected[i][0], expected[i][1], expected[i][2], expected[i][3]);
        EXPECT_EQ(ops[i].state.PenWidth, 32);
        EXPECT_EQ(ops[i].state.PenColor, 0x336699);
        EXPECT_EQ(ops[i].state.PenStyle, 0);
    }
}

TEST(StakePlacement, TestPageMarksEveryBlockOfEveryStake)
{
    colPLControls t = TwoAreaSlip();
    DocumentSurface surface;
    clsPLPrint engine;
    ASSERT_TRUE(engine.PrintPLWithTest(t, surface, true));
    const PrintDocument &doc = surface.Document();
    ASSERT_EQ(doc.PageCount(), 1);
    EXPECT_EQ(PageTexts(doc, 0), (std::vector<QString>{"套打测试页", "无"}));
    const std::vector<Op> rects = OpsOfKind(doc, 0, OpKind::Rect);
    ASSERT_EQ(rects.size(), 1u + 5u * 49u);
    // Stake 4 is 114 mm below stake 0; its last block is blue 16 at (53.5, 14) mm.
    EXPECT_NEAR(rects.back().a, (1.5 + 53.5) * 56.7, Twip);
    EXPECT_NEAR(rects.back().b, (2 + 114 + 14) * 56.7, Twip);
}
