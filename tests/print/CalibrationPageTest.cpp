// The calibration page: which blocks it fills, and that it fills those and nothing else.
#include "ElementBuilders.h"
#include "TestSupport.h"
#include "model/colPLControls.h"
#include "print/CalibrationBlocks.h"
#include "print/DocumentSurface.h"
#include "print/StakeGeometry.h"
#include "print/clsPLPrint.h"

#include <gtest/gtest.h>

namespace {
// A grid of `columns` x `rows` blocks "b1".. row by row, 4 x 2 mm at a pitch of 5 x 3 mm from
// (10, 20); one more block "x" to the right of the first row when `extra`.
colPLControls grid(int columns, int rows, const QString &offsetsX, const QString &offsetsY, bool extra)
{
    colPLControls t;
    t.setStakeLocateOffsetStrX(offsetsX);
    t.setStakeLocateOffsetStrY(offsetsY);
    int n = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            ++n;
            t.Add(elements::Block(QStringLiteral("b%1").arg(n), "1", QString::number(n), 10 + 5 * c, 20 + 3 * r, 4, 2));
        }
    if (extra)
        t.Add(elements::Block("x", "2", "1", 10 + 5 * columns + 3, 20, 4, 2));
    return t;
}

struct Choice {
    const char *name;
    colPLControls layout;
    QStringList chosen; // "key/stake" with stakes from 1, in order
};

QStringList chosenOf(const colPLControls &t)
{
    QStringList out;
    for (const StakeBlock &b : CalibrationBlocks(t))
        out << QStringLiteral("%1/%2").arg(b.block->KeyName()).arg(b.stake + 1);
    return out;
}

TEST(CalibrationBlocks, TheFirstAndLastStakesCornersAndTheMiddle)
{
    const Choice cases[] = {
        // Stake 1 spans x 10..34, y 20..28; all three span x 10..124, so the middle (67, 24)
        // is the centre of stake 2's fourth column, second row.
        {"three stakes across, 5 x 3", grid(5, 3, "0,40,90", "0,0,0", false),
         {"b1/1", "b5/1", "b15/1", "b11/1", "b1/3", "b5/3", "b15/3", "b11/3", "b9/2"}},
        // Stakes one under the other, the last one further down: the middle (17, 35) is 2 mm
        // from stake 3's first row and 3 mm from stake 2's second.
        {"four stakes down, 3 x 2", grid(3, 2, "0,0,0,0", "0,8,16,25", false),
         {"b1/1", "b3/1", "b6/1", "b4/1", "b1/4", "b3/4", "b6/4", "b4/4", "b2/3"}},
        // One stake: its four corners and its middle, each once.
        {"one stake, 7 x 5", grid(7, 5, "0", "0", false), {"b1/1", "b7/1", "b35/1", "b29/1", "b18/1"}},
        // One column: the top and bottom blocks stand for two corners each; the middle falls
        // between b3 and b4, and the first of the two in the template wins.
        {"one stake, one column", grid(1, 6, "0", "0", false), {"b1/1", "b6/1", "b3/1"}},
    };
    for (const Choice &c : cases) {
        EXPECT_EQ(chosenOf(c.layout), c.chosen) << c.name;
        // The same template always gives the same blocks.
        EXPECT_EQ(chosenOf(colPLControls(c.layout)), c.chosen) << c.name;
    }
    EXPECT_TRUE(CalibrationBlocks(colPLControls()).empty());
}

TEST(CalibrationBlocks, RectsCarryTheStakeOffset)
{
    const colPLControls t = grid(3, 2, "0,30.5", "0,-1.25", false);
    const std::vector<StakeBlock> all = EveryStakeBlock(t);
    ASSERT_EQ(all.size(), 12u);
    EXPECT_EQ(all[6].block->KeyName(), "b1");
    EXPECT_EQ(all[6].stake, 1);
    EXPECT_DOUBLE_EQ(all[6].rect.left(), 40.5);
    EXPECT_DOUBLE_EQ(all[6].rect.top(), 18.75);
    EXPECT_DOUBLE_EQ(all[6].rect.width(), 4);
    EXPECT_DOUBLE_EQ(all[6].rect.height(), 2);
}

TEST(CalibrationPage, FillsTheChosenBlocksAndNothingElse)
{
    colPLControls t = grid(5, 3, "0,40,80", "0,0,0", true);
    // A cross as the mark style, a label, a mark that is always printed: the page still has
    // solid blocks only.
    t.setMarkStyle(1);
    t.Add(elements::Label("title", "第{页}页", 10, 5, 30, 4));
    t.Add(elements::Mark("m1", 2, 20, 5, 2, true));
    t.setLayoutLeft(1.5);
    t.setLayoutTop(-0.75);
    DocumentSurface surface;
    clsPLPrint engine;
    ASSERT_TRUE(engine.PrintPLWithCalibration(t, surface, true));
    const PrintDocument &doc = surface.Document();
    ASSERT_EQ(doc.PageCount(), 1);
    const std::vector<StakeBlock> chosen = CalibrationBlocks(t);
    ASSERT_EQ(doc.PageEnd(0) - doc.PageBegin(0), qsizetype(chosen.size()));
    for (size_t i = 0; i < chosen.size(); ++i) {
        const DrawOp &op = doc.PageBegin(0)[i];
        ASSERT_EQ(op.Kind, OpKind::Rect) << i;
        const QRectF r = chosen[i].rect.translated(1.5, -0.75);
        EXPECT_NEAR(op.A, r.left() * PrintScale, 0.01) << i;
        EXPECT_NEAR(op.B, r.top() * PrintScale, 0.01) << i;
        EXPECT_NEAR(op.C, r.right() * PrintScale, 0.01) << i;
        EXPECT_NEAR(op.D, r.bottom() * PrintScale, 0.01) << i;
        EXPECT_EQ(doc.State(op.State).BrushColor, doc.State(op.State).PenColor) << i;
    }
}
} // namespace
