// What "识别填涂块" writes into a template: numbers from the first number of each area, areas
// left out, and nothing added twice.
#include "canvas/KdPLDesinger.h"
#include "dialogs/CanvasSink.h"
#include "dialogs/SlipFromPicture.h"
#include "model/colPLControls.h"

#include <gtest/gtest.h>

namespace {
TEST(SlipFromPicture, NumbersFollowTheFirstNumbersDigits)
{
    struct Row {
        const char *first;
        int index;
        const char *text;
    } rows[] = {{"01", 1, "01"}, {"01", 9, "09"}, {"01", 10, "10"}, {"01", 100, "100"}, {"1", 9, "9"},
                {"1", 10, "10"}, {"0", 1, "0"}, {"0", 10, "9"}, {"001", 12, "012"}, {" 05 ", 2, "06"}};
    for (const Row &r : rows)
        EXPECT_EQ(BlockNumberText(QString::fromUtf8(r.first), r.index), QString::fromUtf8(r.text))
            << r.first << " " << r.index;
    for (const char *bad : {"", "a", "1.5", "-1", "1,2", "０１"})
        EXPECT_FALSE(FirstNumberValid(QString::fromUtf8(bad))) << bad;
    for (const char *good : {"0", "01", " 7 "})
        EXPECT_TRUE(FirstNumberValid(QString::fromUtf8(good))) << good;
}

// Two stakes side by side, each with an area of 2 blocks over an area of 1 block, and a mark.
SlipDetection twoStakes()
{
    SlipDetection d;
    d.size = QSizeF(80, 40);
    d.block = QSizeF(3.504, 1.797);
    d.stakeOffsets = {QPointF(0, 0), QPointF(30.004, 0)};
    const struct { double x, y; int stake, area, index; } b[] = {
        {10, 10, 1, 1, 1}, {15, 10, 1, 1, 2}, {10, 20, 1, 2, 1},
        {40, 10, 2, 1, 1}, {45, 10, 2, 1, 2}, {40, 20, 2, 2, 1}};
    for (const auto &x : b) {
        DetectedBlock blk;
        blk.rect = QRectF(x.x, x.y, d.block.width(), d.block.height());
        blk.stake = x.stake;
        blk.area = x.area;
        blk.index = x.index;
        d.blocks.append(blk);
    }
    d.marks = {QRectF(2, 10, 5, 1.8)};
    return d;
}

QList<clsPLControl> elementsOf(const KdPLDesinger &canvas)
{
    colPLControls all;
    canvas.GetAllControls(all);
    QList<clsPLControl> list;
    for (const clsPLControl &c : all)
        list.append(c);
    return list;
}

TEST(SlipFromPicture, WritesTheTemplateAndAddsTheFirstStakeOnce)
{
    const SlipDetection d = twoStakes();
    colPLControls layout;
    KdPLDesinger canvas;
    CanvasSink sink(canvas);
    SlipFromPicture from;
    from.detection = &d;
    from.areas = {SlipAreaChoice{QStringLiteral("01"), false}};
    from.backPicture = QStringLiteral("/tmp/slip.png");
    const QStringList keys = ApplySlipFromPicture(layout, sink, {}, from);
    EXPECT_EQ(keys.size(), 4); // three blocks of the first stake and the mark
    EXPECT_EQ(layout.LottNumberWidth(), 3.5);
    EXPECT_EQ(layout.LottNumberHeight(), 1.8);
    EXPECT_EQ(layout.StakeLocateOffsetStrX(), QStringLiteral("0,30"));
    EXPECT_EQ(layout.StakeLocateOffsetStrY(), QStringLiteral("0,0"));
    EXPECT_EQ(layout.GroupLottNumberCountStr(), QStringLiteral("2,1")); // the new template's "7", at most 2 blocks
    EXPECT_EQ(layout.BackPicWidth(), 80);
    const QList<clsPLControl> made = elementsOf(canvas);
    QStringList seen;
    for (const clsPLControl &c : made)
        seen << c.ShowType() + ":" + c.GroupID() + "|" + c.FieldValue() + "@" + QString::number(c.Left());
    EXPECT_EQ(seen, (QStringList{"LottNumber:1|01@10", "LottNumber:1|02@15", "LottNumber:2|1@10",
                                 "LocateMark:|@2"}));

    // Run again over what is there: nothing is added twice.
    EXPECT_TRUE(ApplySlipFromPicture(layout, sink, made, from).isEmpty());
}

TEST(SlipFromPicture, AnAreaLeftOutIsNotATemplateArea)
{
    const SlipDetection d = twoStakes();
    colPLControls layout;
    KdPLDesinger canvas;
    CanvasSink sink(canvas);
    SlipFromPicture from;
    from.detection = &d;
    from.areas = {SlipAreaChoice{QStringLiteral("1"), true}, SlipAreaChoice{QStringLiteral("0"), false}};
    EXPECT_EQ(ApplySlipFromPicture(layout, sink, {}, from).size(), 2);
    EXPECT_EQ(layout.GroupLottNumberCountStr(), QStringLiteral("1"));
    const QList<clsPLControl> made = elementsOf(canvas);
    ASSERT_EQ(made.size(), 2);
    EXPECT_EQ(made[0].GroupID(), QStringLiteral("1"));
    EXPECT_EQ(made[0].FieldValue(), QStringLiteral("0"));
    EXPECT_EQ(made[0].Top(), 20);
}

// How many numbers a stake chooses in an area: typed, else the template's own, else 1, and never
// more than the area has blocks.
TEST(SlipFromPicture, PicksComeFromTheUserOrTheTemplateAndFitTheArea)
{
    struct Row {
        const char *templateCounts;
        int area, blocks, chosen, picks;
    } rows[] = {
        {"6,1", 1, 33, 0, 6}, {"6,1", 2, 16, 0, 1}, {"6,1", 3, 10, 0, 1},  // an area the list lacks
        {"5,2", 2, 12, 0, 2}, {"7", 1, 5, 0, 5},     {"1,1,1", 3, 10, 0, 1}, // at most the blocks
        {"6,1", 1, 33, 3, 3}, {"6,1", 2, 16, 40, 16}, {"", 1, 30, 0, 1},
        {"0,x", 1, 9, 0, 1},  {"0,x", 2, 9, 0, 1},   {"6,1", 1, 0, 0, 1},
    };
    for (const Row &r : rows)
        EXPECT_EQ(PicksForArea(QString::fromLatin1(r.templateCounts), r.area, r.blocks, r.chosen), r.picks)
            << r.templateCounts << " area " << r.area << " chosen " << r.chosen;

    // Applied: what the user typed for each kept area, the template's own for the others.
    const SlipDetection d = twoStakes();
    colPLControls layout;
    layout.setGroupLottNumberCountStr(QStringLiteral("1,1"));
    KdPLDesinger canvas;
    CanvasSink sink(canvas);
    SlipFromPicture from;
    from.detection = &d;
    SlipAreaChoice typed;
    typed.picks = 2;
    from.areas = {typed};
    ApplySlipFromPicture(layout, sink, {}, from);
    EXPECT_EQ(layout.GroupLottNumberCountStr(), QStringLiteral("2,1"));
}
} // namespace
