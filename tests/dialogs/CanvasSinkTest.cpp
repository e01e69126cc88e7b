#include "canvas/KdPLDesinger.h"
#include "dialogs/CanvasSink.h"
#include "dialogs/DialogElements.h"
#include "dialogs/LottNumberDialogs.h"
#include "dialogs/MarkDialogs.h"
#include "model/colPLControls.h"

#include <gtest/gtest.h>

namespace {
const QString kFont = QStringLiteral("宋体");

TEST(DialogsOnTheCanvas, RunsTakeTheCanvasKeysAndEndSelected)
{
    KdPLDesinger canvas;
    clsPLControl old = NewTextLabel("x", kFont, 9);
    old.setKeyName("lbl9");
    canvas.AddOneControl(old);
    CanvasSink sink(canvas);
    colPLControls layout;
    AddBatchLottNumberFields f{"1", "1", "10", "10", false, "1", "3", "5.5", "0"};
    const DialogRun blocks = RunAddBatchLottNumber(f, layout, sink, kFont);
    EXPECT_EQ(blocks.addedKeys, QStringList({"lbl10", "lbl11", "lbl12"}));
    const DialogRun marks =
        RunAddBatchMark({"3", "10", "4", "2", "0", "12.7", "2"}, sink, kFont);
    EXPECT_EQ(marks.addedKeys, QStringList({"lbl13", "lbl14"}));
    // The marks' run started by clearing the current element: the blocks stay selected only
    // through the multi-selection they joined.
    for (const QString &key : marks.addedKeys)
        EXPECT_TRUE(canvas.IsInMultiSelection(key)) << key.toStdString();
    ASSERT_NE(canvas.GetCurrentControl(), nullptr);
    EXPECT_EQ(canvas.GetCurrentControl()->KeyName(), "lbl14");
    EXPECT_FALSE(canvas.IsInMultiSelection("lbl9"));
}

TEST(DialogsOnTheCanvas, TemplateBlockSizeWithinTheLimitsPositionsKept)
{
    KdPLDesinger canvas;
    CanvasSink sink(canvas);
    colPLControls layout;
    layout.setGroupLottNumberCountStr("6,1");
    RunAddBatchLottNumber({"2", "1", "20", "30", false, "1", "2", "5", "0"}, layout, sink, kFont);
    RunAddBatchMark({"3", "10", "4", "2", "0", "12.7", "1"}, sink, kFont);
    layout.setLottNumberWidth(0.2);
    layout.setLottNumberHeight(2.5);
    ApplyTemplateToCanvas(layout, canvas);
    colPLControls after;
    canvas.GetAllControls(after);
    ASSERT_EQ(after.Count(), 3);
    EXPECT_DOUBLE_EQ(after.Item(1).Width(), 0.5);
    EXPECT_DOUBLE_EQ(after.Item(1).Height(), 2.5);
    EXPECT_DOUBLE_EQ(after.Item(1).Left(), 20);
    EXPECT_DOUBLE_EQ(after.Item(2).Left(), 25);
    EXPECT_DOUBLE_EQ(after.Item(2).Top(), 30);
    EXPECT_DOUBLE_EQ(after.Item(3).Width(), 4); // a mark keeps its own size
}
} // namespace
