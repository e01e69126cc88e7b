#include "RecordingCanvas.h"
#include "common/DesignScale.h"
#include "dialogs/LabelDialog.h"
#include "dialogs/MarkDialogs.h"

#include <gtest/gtest.h>

namespace {
const QString kFont = QStringLiteral("宋体");

TEST(SingleMark, ChecksInFieldOrder)
{
    struct Case {
        AddMarkFields f;
        const char *field;
    } cases[] = {
        {{true, "0", "0", "0.5", "5"}, "txtWidth"},
        {{true, "0", "0", "1", "5"}, nullptr},
        {{true, "0", "0", "5", "0.99"}, "txtHeight"},
        {{true, "", "0", "5", "5"}, "txtX"},
        {{true, "0", "x", "0", "0"}, "txtY"},
        {{true, "0", "0", "abc", "5"}, "txtWidth"},
        {{true, "0", "0", "2/0", "5"}, "txtWidth"},
        {{true, "0", "0", "5", "1E20"}, "txtHeight"},
        {{true, "10001", "0", "5", "5"}, "txtX"},
        {{false, "", "", "0", "0"}, nullptr},
    };
    for (const Case &c : cases) {
        const DialogCheck check = CheckAddMark(c.f);
        if (c.field) {
            EXPECT_EQ(check.field, c.field) << c.f.txtX.toStdString() << c.f.txtWidth.toStdString();
            EXPECT_EQ(check.message, "请输入合法值！");
        } else {
            EXPECT_TRUE(check.passed()) << check.field.toStdString();
        }
    }
}

TEST(SingleMark, TypedMarkKeepsItsOwnSize)
{
    RecordingCanvas canvas;
    const DialogRun run = RunAddMark({true, "3", "4", "6", "2"}, canvas, kFont);
    ASSERT_EQ(canvas.added.size(), 1u);
    const clsPLControl &m = canvas.added[0];
    EXPECT_EQ(m.ShowType(), "LocateMark");
    EXPECT_EQ(m.ControlType(), "Label");
    EXPECT_TRUE(m.GroupID().isEmpty());
    EXPECT_TRUE(m.FieldValue().isEmpty());
    EXPECT_EQ(m.BackColor(), RGB(255, 255, 128));
    EXPECT_EQ(m.ForeColor(), RGB(0, 0, 127));
    EXPECT_TRUE(m.IsAllowResize());
    EXPECT_EQ(m.BorderStyle(), 1);
    EXPECT_EQ(m.BackStyle(), 1);
    EXPECT_EQ(m.Alignment(), 2);
    EXPECT_DOUBLE_EQ(m.FontSize(), 8);
    EXPECT_DOUBLE_EQ(m.Left(), 3);
    EXPECT_DOUBLE_EQ(m.Top(), 4);
    EXPECT_DOUBLE_EQ(m.Width(), 6);
    EXPECT_DOUBLE_EQ(m.Height(), 2);
    EXPECT_EQ(run.addedKeys.size(), 1);
}

TEST(SingleMark, MouseOptionDrawsIt)
{
    RecordingCanvas canvas;
    RunAddMark({}, canvas, kFont);
    EXPECT_TRUE(canvas.added.empty());
    ASSERT_EQ(canvas.pending.size(), 1u);
    EXPECT_EQ(canvas.pending[0].ShowType(), "LocateMark");
}

AddBatchMarkFields column()
{
    return {"3", "10", "4", "2", "0", "12.7", "20"};
}

TEST(BatchMark, ChecksInFieldOrder)
{
    struct Case {
        void (*change)(AddBatchMarkFields &);
        const char *field;
        const char *message;
    } cases[] = {
        {[](AddBatchMarkFields &f) { f.txtFirstX = ""; }, "txtFirstX", "请输入合法值！"},
        {[](AddBatchMarkFields &f) { f.txtFirstY = "-3"; }, "txtFirstY", "请输入合法值！"},
        {[](AddBatchMarkFields &f) { f.txtFirstWidth = "0.5"; }, "txtFirstWidth", "请输入合法值！"},
        {[](AddBatchMarkFields &f) { f.txtFirstHeight = ""; }, "txtFirstHeight", "请输入合法值！"},
        {[](AddBatchMarkFields &f) { f.txtStepY = "0.09"; }, "txtStepX", "X、Y的增量不能都小于 0.1 毫米！"},
        {[](AddBatchMarkFields &f) { f.txtCount = "abc"; }, "txtCount", "请输入合法值！"},
        {[](AddBatchMarkFields &f) { f.txtCount = "1E12"; }, "txtCount", "请输入合法值！"},
        {[](AddBatchMarkFields &f) { f.txtCount = "32767.5"; }, "txtCount", "请输入合法值！"},
        {[](AddBatchMarkFields &f) { f.txtStepX = "-2"; f.txtStepY = ""; }, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        AddBatchMarkFields f = column();
        c.change(f);
        RecordingCanvas canvas;
        const DialogRun run = RunAddBatchMark(f, canvas, kFont);
        if (c.field) {
            EXPECT_EQ(run.check.field, c.field);
            EXPECT_EQ(run.check.message, QString::fromUtf8(c.message));
            EXPECT_TRUE(canvas.added.empty());
        } else {
            EXPECT_TRUE(run.check.passed()) << run.check.field.toStdString();
        }
    }
}

TEST(BatchMark, ColumnOfTwentyAllSelected)
{
    RecordingCanvas canvas;
    const DialogRun run = RunAddBatchMark(column(), canvas, kFont);
    ASSERT_EQ(canvas.added.size(), 20u);
    for (int i = 0; i < 20; ++i) {
        EXPECT_DOUBLE_EQ(canvas.added[i].Left(), 3);
        EXPECT_NEAR(canvas.added[i].Top(), 10 + 12.7 * i, 1e-9);
        EXPECT_DOUBLE_EQ(canvas.added[i].Width(), 4);
        EXPECT_DOUBLE_EQ(canvas.added[i].Height(), 2);
    }
    ASSERT_EQ(canvas.selections.size(), 21u);
    EXPECT_TRUE(canvas.selections[0].key.isEmpty());
    EXPECT_EQ(canvas.selections[20].shift, 2);
    EXPECT_EQ(run.addedKeys.size(), 20);
}

TEST(BatchMark, CountRoundsHalvesToEvenAndZeroAddsNothing)
{
    const struct {
        const char *count;
        size_t marks;
    } cases[] = {{"0", 0}, {"2.5", 2}, {"3.5", 4}, {"0.4", 0}};
    for (const auto &c : cases) {
        AddBatchMarkFields f = column();
        f.txtCount = c.count;
        RecordingCanvas canvas;
        EXPECT_TRUE(RunAddBatchMark(f, canvas, kFont).check.passed());
        EXPECT_EQ(canvas.added.size(), c.marks) << c.count;
    }
}

TEST(LabelDialog, TextsOfTheOptions)
{
    EXPECT_EQ(LabelTextFor(LabelOption::optPage, "x"), "{页码}");
    EXPECT_EQ(LabelTextFor(LabelOption::optStake, "x"), "{注序号}");
    EXPECT_EQ(LabelTextFor(LabelOption::optDateTime, "x"), "{日期}");
    EXPECT_EQ(LabelTextFor(LabelOption::optUserDefine, " 第{页码}页 {x} "), " 第{页码}页 {x} ");
    EXPECT_EQ(LabelTextFor(LabelOption::optUserDefine, ""), "");
}
} // namespace
