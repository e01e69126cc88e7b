// Every dialog that adds elements stops at the count a template file can hold (32,767): a run
// that would pass it is refused whole on txtCount, nothing added; a run that reaches it exactly
// goes through.
#include "RecordingCanvas.h"
#include "dialogs/LottNumberDialogs.h"
#include "dialogs/MarkDialogs.h"
#include "model/colPLControls.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
const QString kFont = QStringLiteral("宋体");

AddBatchLottNumberFields blocks(int count)
{
    AddBatchLottNumberFields f;
    f.txtFirstGroupID = "1";
    f.txtFirstLottNumber = "1";
    f.txtFirstX = "10";
    f.txtFirstY = "20";
    f.txtStep = "1";
    f.txtCount = QString::number(count);
    f.txtStepX = "0.5";
    f.txtStepY = "0";
    return f;
}

AddBatchMarkFields marks(int count)
{
    AddBatchMarkFields f;
    f.txtFirstX = "1";
    f.txtFirstY = "1";
    f.txtFirstWidth = "4";
    f.txtFirstHeight = "2";
    f.txtStepX = "0";
    f.txtStepY = "0.5";
    f.txtCount = QString::number(count);
    return f;
}

struct LimitCase {
    const char *name;
    int adds; // how many elements the run adds
    std::function<DialogRun(RecordingCanvas &)> run;
};

class ElementLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ElementLimit, ARunPastTheLimitIsRefusedWholeAndOneThatReachesItGoesThrough)
{
    const LimitCase &c = GetParam();
    for (const int existing : {32767 - c.adds + 1, 32767, 40000}) {
        RecordingCanvas canvas;
        canvas.existing = existing;
        const DialogRun run = c.run(canvas);
        EXPECT_EQ(run.check.message, "元素个数不能超过 32767 个！") << existing;
        EXPECT_EQ(run.check.field, "txtCount") << existing;
        EXPECT_TRUE(canvas.added.empty()) << existing;
        EXPECT_TRUE(canvas.pending.empty()) << existing;
    }
    RecordingCanvas canvas;
    canvas.existing = 32767 - c.adds;
    const DialogRun run = c.run(canvas);
    EXPECT_TRUE(run.check.passed()) << run.check.message.toStdString();
    EXPECT_EQ(int(canvas.added.size() + canvas.pending.size()), c.adds);
}

const colPLControls &layout()
{
    static const colPLControls t;
    return t;
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ElementLimit,
    ::testing::Values(
        LimitCase{"BatchBlocks", 300, [](RecordingCanvas &c) { return RunAddBatchLottNumber(blocks(300), layout(), c, kFont); }},
        LimitCase{"BatchBlocksOfOne", 1, [](RecordingCanvas &c) { return RunAddBatchLottNumber(blocks(1), layout(), c, kFont); }},
        LimitCase{"BatchMarks", 250, [](RecordingCanvas &c) { return RunAddBatchMark(marks(250), c, kFont); }},
        LimitCase{"TypedBlock", 1, [](RecordingCanvas &c) {
            return RunAddLottNumber({"1", "7", true, "3", "4"}, layout(), c, kFont);
        }},
        LimitCase{"BlockByMouse", 1, [](RecordingCanvas &c) {
            return RunAddLottNumber({"1", "7", false, "", ""}, layout(), c, kFont);
        }},
        LimitCase{"TypedMark", 1, [](RecordingCanvas &c) { return RunAddMark({true, "3", "4", "6", "2"}, c, kFont); }},
        LimitCase{"MarkByMouse", 1, [](RecordingCanvas &c) { return RunAddMark({}, c, kFont); }}),
    [](const auto &info) { return std::string(info.param.name); });
} // namespace
