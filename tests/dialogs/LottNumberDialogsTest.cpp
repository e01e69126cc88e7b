#include "RecordingCanvas.h"
#include "common/DesignScale.h"
#include "dialogs/LottNumberDialogs.h"
#include "model/colPLControls.h"

#include <gtest/gtest.h>

#include <QSet>
#include <functional>

namespace {
const QString kFont = QStringLiteral("宋体");

AddBatchLottNumberFields goodRun()
{
    AddBatchLottNumberFields f;
    f.txtFirstGroupID = "1";
    f.txtFirstLottNumber = "1";
    f.txtFirstX = "10";
    f.txtFirstY = "20";
    f.txtStep = "1";
    f.txtCount = "33";
    f.txtStepX = "5.5";
    f.txtStepY = "0";
    return f;
}

struct CheckCase {
    const char *name;
    std::function<void(AddBatchLottNumberFields &)> change;
    const char *field; // nullptr: passes
    const char *message;
};

const char *kInvalid = "请输入合法值！";
const char *kSteps = "X、Y的增量不能都小于 0.1 毫米！";

class BatchLottNumberChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(BatchLottNumberChecks, RefuseInFieldOrderWithMessageAndFocus)
{
    AddBatchLottNumberFields f = goodRun();
    GetParam().change(f);
    colPLControls layout;
    RecordingCanvas canvas;
    const DialogRun run = RunAddBatchLottNumber(f, layout, canvas, kFont);
    if (!GetParam().field) {
        EXPECT_TRUE(run.check.passed()) << run.check.field.toStdString();
        return;
    }
    EXPECT_EQ(run.check.field, QString::fromUtf8(GetParam().field));
    EXPECT_EQ(run.check.message, QString::fromUtf8(GetParam().message));
    EXPECT_TRUE(canvas.added.empty());
    EXPECT_TRUE(canvas.selections.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BatchLottNumberChecks,
    ::testing::Values(
        CheckCase{"EmptyArea", [](auto &f) { f.txtFirstGroupID = "  "; }, "txtFirstGroupID", kInvalid},
        CheckCase{"EmptyNumber", [](auto &f) { f.txtFirstLottNumber = ""; }, "txtFirstLottNumber", kInvalid},
        CheckCase{"AreaBeforeNumber", [](auto &f) { f.txtFirstGroupID = ""; f.txtFirstLottNumber = ""; }, "txtFirstGroupID", kInvalid},
        CheckCase{"NegativeX", [](auto &f) { f.txtFirstX = "-1"; }, "txtFirstX", kInvalid},
        CheckCase{"LettersX", [](auto &f) { f.txtFirstX = "abc"; }, "txtFirstX", kInvalid},
        CheckCase{"DivideByZeroY", [](auto &f) { f.txtFirstY = "1/0"; }, "txtFirstY", kInvalid},
        CheckCase{"HugeX", [](auto &f) { f.txtFirstX = "1E20"; }, "txtFirstX", kInvalid},
        CheckCase{"HugeStepY", [](auto &f) { f.txtStepY = "99999999999"; }, "txtStepY", kInvalid},
        CheckCase{"HugeStepXBeforeY", [](auto &f) { f.txtStepX = "-1E5"; f.txtStepY = "1E5"; }, "txtStepX", kInvalid},
        CheckCase{"ExpressionX", [](auto &f) { f.txtFirstX = "28.5*3"; }, nullptr, nullptr},
        CheckCase{"StepsTooSmall", [](auto &f) { f.txtStepX = "0.05"; f.txtStepY = "0"; }, "txtStepX", kSteps},
        CheckCase{"StepsEmpty", [](auto &f) { f.txtStepX = ""; f.txtStepY = " "; }, "txtStepX", kSteps},
        CheckCase{"OnlyYStep", [](auto &f) { f.txtStepX = "0"; f.txtStepY = "3.2"; }, nullptr, nullptr},
        CheckCase{"NegativeStepX", [](auto &f) { f.txtStepX = "-5.5"; }, nullptr, nullptr},
        CheckCase{"IncrementZero", [](auto &f) { f.txtStep = "0"; }, "txtStep", kInvalid},
        CheckCase{"IncrementHalf", [](auto &f) { f.txtStep = "0.5"; }, "txtStep", kInvalid},
        CheckCase{"IncrementEmpty", [](auto &f) { f.txtStep = ""; }, "txtStep", kInvalid},
        CheckCase{"IncrementLetters", [](auto &f) { f.txtStep = "abc"; }, "txtStep", kInvalid},
        CheckCase{"IncrementHuge", [](auto &f) { f.txtStep = "99999"; }, "txtStep", kInvalid},
        CheckCase{"IncrementMinusOne", [](auto &f) { f.txtStep = "-1"; f.txtFirstLottNumber = "33"; }, nullptr, nullptr},
        CheckCase{"CountEmpty", [](auto &f) { f.txtCount = ""; }, "txtCount", kInvalid},
        CheckCase{"CountNegative", [](auto &f) { f.txtCount = "-2"; }, "txtCount", kInvalid},
        CheckCase{"CountLeaves16Bits", [](auto &f) { f.txtCount = "40000"; }, "txtCount", kInvalid},
        CheckCase{"CounterEndsBeyond16Bits", [](auto &f) { f.txtFirstLottNumber = "32767"; f.txtCount = "1"; }, "txtCount", kInvalid},
        CheckCase{"FirstBeyond16Bits", [](auto &f) { f.txtFirstLottNumber = "1E9"; f.txtCount = "0"; }, "txtCount", kInvalid},
        CheckCase{"DownToTheBottom", [](auto &f) { f.txtFirstLottNumber = "-32767"; f.txtStep = "-1"; f.txtCount = "1"; }, nullptr, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

QStringList fieldValues(const RecordingCanvas &c)
{
    QStringList out;
    for (const clsPLControl &e : c.added)
        out << e.FieldValue();
    return out;
}

TEST(BatchLottNumberRun, ThirtyThreeBlocksInARowAllSelected)
{
    colPLControls layout;
    layout.setLottNumberWidth(4);
    layout.setLottNumberHeight(2.5);
    RecordingCanvas canvas;
    const DialogRun run = RunAddBatchLottNumber(goodRun(), layout, canvas, kFont);
    ASSERT_TRUE(run.check.passed());
    ASSERT_EQ(canvas.added.size(), 33u);
    EXPECT_EQ(run.addedKeys.size(), 33);
    for (int i = 0; i < 33; ++i) {
        const clsPLControl &e = canvas.added[i];
        EXPECT_EQ(e.FieldValue(), QString::number(i + 1));
        EXPECT_EQ(e.GroupID(), "1");
        EXPECT_NEAR(e.Left(), 10 + 5.5 * i, 1e-9);
        EXPECT_DOUBLE_EQ(e.Top(), 20);
        EXPECT_DOUBLE_EQ(e.Width(), 4);
        EXPECT_DOUBLE_EQ(e.Height(), 2.5);
        EXPECT_EQ(e.ControlType(), "Label");
        EXPECT_EQ(e.ShowType(), "LottNumber");
        EXPECT_EQ(e.BorderStyle(), 1);
        EXPECT_EQ(e.FontName(), kFont);
        EXPECT_FALSE(e.IsAllowResize());
    }
    // The current element is cleared first; then every block joins the selection.
    ASSERT_EQ(canvas.selections.size(), 34u);
    EXPECT_TRUE(canvas.selections[0].key.isEmpty());
    for (size_t i = 1; i < canvas.selections.size(); ++i) {
        EXPECT_EQ(canvas.selections[i].key, run.addedKeys[int(i) - 1]);
        EXPECT_EQ(canvas.selections[i].shift, 2);
    }
}

TEST(BatchLottNumberRun, NumbersCountDownWithANegativeIncrement)
{
    AddBatchLottNumberFields f = goodRun();
    f.txtFirstLottNumber = "10";
    f.txtStep = "-1";
    f.txtCount = "10";
    colPLControls layout;
    RecordingCanvas canvas;
    RunAddBatchLottNumber(f, layout, canvas, kFont);
    EXPECT_EQ(fieldValues(canvas), QStringList({"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}));
}

TEST(BatchLottNumberRun, LeadingZerosAndHalvesToEven)
{
    struct Case {
        const char *first, *step, *count;
        QStringList numbers;
    } cases[] = {
        {"05", "1", "3", {"5", "6", "7"}},
        {"1", "2.5", "3", {"1", "3", "5"}},   // 2.5 rounds to 2
        {"1", "3.5", "3", {"1", "5", "9"}},   // 3.5 rounds to 4
        {"2.5", "1", "2", {"2", "3", "4"}},   // the counter starts at 2; last is 3.5 -> 4
        {"7", "1", "0", {}},
        {"1", "1", "2.6", {"1", "2", "3"}},   // last = 1.6 + 1 = 2.6 -> 3
    };
    for (const Case &c : cases) {
        AddBatchLottNumberFields f = goodRun();
        f.txtFirstLottNumber = c.first;
        f.txtStep = c.step;
        f.txtCount = c.count;
        colPLControls layout;
        RecordingCanvas canvas;
        const DialogRun run = RunAddBatchLottNumber(f, layout, canvas, kFont);
        EXPECT_TRUE(run.check.passed()) << c.first << " " << c.step << " " << c.count;
        EXPECT_EQ(fieldValues(canvas), c.numbers) << c.first << " " << c.step << " " << c.count;
    }
}

TEST(BatchLottNumberRun, FillAreaModeGivesEachAreaItsColour)
{
    AddBatchLottNumberFields f = goodRun();
    f.optBatchGroupID = true;
    f.txtFirstGroupID = "1";
    f.txtFirstLottNumber = "0";
    f.txtCount = "13";
    colPLControls layout;
    layout.setGroupLottNumberCountStr("1,1,1,1,1,1,1,1,1,1,1,1,1");
    RecordingCanvas canvas;
    RunAddBatchLottNumber(f, layout, canvas, kFont);
    ASSERT_EQ(canvas.added.size(), 13u);
    QSet<qint32> colours;
    for (int i = 0; i < 13; ++i) {
        const clsPLControl &e = canvas.added[i];
        EXPECT_EQ(e.FieldValue(), "0");
        EXPECT_EQ(e.GroupID(), QString::number(i + 1));
        EXPECT_EQ(e.BackColor(), GetGroupColor(QString::number(i + 1)));
        EXPECT_EQ(e.ForeColor(), e.BackColor() ^ 0xFFFFFF);
        colours.insert(e.BackColor());
    }
    EXPECT_EQ(colours.size(), 13);
    EXPECT_EQ(canvas.added[1].BackColor(), RGB(128, 0, 0));
}

TEST(BatchLottNumberRun, CountZeroAddsNothing)
{
    AddBatchLottNumberFields f = goodRun();
    f.txtCount = "0";
    colPLControls layout;
    RecordingCanvas canvas;
    const DialogRun run = RunAddBatchLottNumber(f, layout, canvas, kFont);
    EXPECT_TRUE(run.check.passed());
    EXPECT_TRUE(canvas.added.empty());
    EXPECT_TRUE(run.addedKeys.isEmpty());
}

TEST(SingleLottNumber, ChecksAndPlacement)
{
    struct Case {
        AddLottNumberFields f;
        const char *field;
    } cases[] = {
        {{"", "1", true, "1", "1"}, "txtFirstGroupID"},
        {{"1", " ", true, "1", "1"}, "txtFirstLottNumber"},
        {{"1", "1", true, "", "1"}, "txtX"},
        {{"1", "1", true, "1", "-0.1"}, "txtY"},
        {{"1", "1", true, "0", "0"}, nullptr},
        {{"1", "1", false, "", "-5"}, nullptr}, // positions are not read with the mouse option
    };
    for (const Case &c : cases) {
        const DialogCheck check = CheckAddLottNumber(c.f);
        if (c.field) {
            EXPECT_EQ(check.field, c.field);
            EXPECT_EQ(check.message, "请输入合法值！");
        } else {
            EXPECT_TRUE(check.passed()) << check.field.toStdString();
        }
    }
}

TEST(SingleLottNumber, TypedPositionAddsAndSelectsOne)
{
    colPLControls layout;
    RecordingCanvas canvas;
    const DialogRun run =
        RunAddLottNumber({" a ", " 07 ", true, "12/4", "7.5"}, layout, canvas, kFont);
    ASSERT_EQ(canvas.added.size(), 1u);
    const clsPLControl &e = canvas.added[0];
    EXPECT_EQ(e.GroupID(), "A");
    EXPECT_EQ(e.FieldValue(), "07");
    EXPECT_DOUBLE_EQ(e.Left(), 3);
    EXPECT_DOUBLE_EQ(e.Top(), 7.5);
    EXPECT_EQ(e.BackColor(), RGB(255, 255, 128));
    ASSERT_EQ(canvas.selections.size(), 1u);
    EXPECT_EQ(canvas.selections[0].shift, 0);
    EXPECT_EQ(run.addedKeys, QStringList{e.KeyName()});
}

TEST(SingleLottNumber, MouseOptionWaitsForTheClick)
{
    colPLControls layout;
    layout.setGroupLottNumberCountStr("6,1");
    RecordingCanvas canvas;
    const DialogRun run = RunAddLottNumber({"2", "3", false, "9", "9"}, layout, canvas, kFont);
    EXPECT_TRUE(canvas.added.empty());
    ASSERT_EQ(canvas.pending.size(), 1u);
    EXPECT_DOUBLE_EQ(canvas.pending[0].Left(), 0);
    EXPECT_EQ(canvas.pending[0].BackColor(), RGB(128, 0, 0));
    EXPECT_TRUE(run.addedKeys.isEmpty());
}
} // namespace

namespace {
// A two-area slip (6 red, 1 blue) that already has red 01 to 05.
colPLControls twoAreasWithRedOneToFive()
{
    colPLControls layout;
    layout.setGroupLottNumberCountStr("6,1");
    for (int n = 1; n <= 5; ++n) {
        clsPLControl b;
        b.setKeyName(QStringLiteral("r%1").arg(n));
        b.setControlType("Label");
        b.setShowType("LottNumber");
        b.setGroupID("1");
        b.setFieldValue(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
        layout.Add(b);
    }
    return layout;
}

struct TemplateCase {
    const char *name;
    std::function<void(AddBatchLottNumberFields &)> change;
    int questionAsked;    // the duplicates the question names; 0: no question
    bool answer;          // the answer to it
    const char *field;    // nullptr: the run goes in
    const char *message;
    int added;
};

const char *kDup = "有 {1} 个填涂块与已有的填涂块重复，是否继续？";

const TemplateCase kTemplateCases[] = {
    {"blue run beside the reds", [](auto &f) { f.txtFirstGroupID = "2"; f.txtCount = "16"; }, 0, false, nullptr, nullptr, 16},
    {"area 3 of two", [](auto &f) { f.txtFirstGroupID = "3"; }, 0, false, "txtFirstGroupID", "填涂区 3 超出了投注单的 2 个填涂区！", 0},
    {"fill-area run stepping past the last area",
     [](auto &f) { f.optBatchGroupID = true; f.txtFirstLottNumber = "9"; f.txtCount = "3"; }, 0, false, "txtFirstGroupID", "填涂区 3 超出了投注单的 2 个填涂区！", 0},
    {"fill-area run stepping down inside the areas",
     [](auto &f) { f.optBatchGroupID = true; f.txtFirstGroupID = "2"; f.txtFirstLottNumber = "9"; f.txtStep = "-1"; f.txtCount = "2"; }, 0, false, nullptr, nullptr, 2},
    {"reds 04 to 08, declined",
     [](auto &f) { f.txtFirstLottNumber = "4"; f.txtCount = "5"; }, 2, false, "txtFirstLottNumber", "2", 0},
    {"reds 04 to 08, accepted",
     [](auto &f) { f.txtFirstLottNumber = "4"; f.txtCount = "5"; }, 2, true, nullptr, nullptr, 5},
    {"reds 06 to 33 repeat nothing", [](auto &f) { f.txtFirstLottNumber = "06"; f.txtCount = "28"; }, 0, false, nullptr, nullptr, 28},
    {"red 05 stepping down to 01 repeats five",
     [](auto &f) { f.txtFirstLottNumber = "5"; f.txtStep = "-1"; f.txtCount = "6"; }, 5, false, "txtFirstLottNumber", "5", 0},
};

TEST(NumberBlockRunsAgainstTheTemplate, AreasBeyondTheSlipAreRefusedAndRepeatsAsked)
{
    for (const TemplateCase &c : kTemplateCases) {
        SCOPED_TRACE(c.name);
        AddBatchLottNumberFields f = goodRun();
        c.change(f);
        const colPLControls layout = twoAreasWithRedOneToFive();
        RecordingCanvas canvas;
        std::vector<int> asked;
        const DialogRun run = RunAddBatchLottNumber(f, layout, canvas, kFont, [&](int n) {
            asked.push_back(n);
            return c.answer;
        });
        EXPECT_EQ(asked, c.questionAsked ? std::vector<int>{c.questionAsked} : std::vector<int>{});
        EXPECT_EQ(int(canvas.added.size()), c.added);
        if (!c.field) {
            EXPECT_TRUE(run.check.passed()) << run.check.message.toStdString();
            continue;
        }
        EXPECT_EQ(run.check.field, QString::fromUtf8(c.field));
        const QString message = c.questionAsked ? QString::fromUtf8(kDup).replace("{1}", c.message)
                                                : QString::fromUtf8(c.message);
        EXPECT_EQ(run.check.message, message);
        EXPECT_EQ(run.check.asked, c.questionAsked != 0);
    }
}

TEST(NumberBlockRunsAgainstTheTemplate, WithoutAQuestionRepeatsAreRefused)
{
    const colPLControls layout = twoAreasWithRedOneToFive();
    RecordingCanvas canvas;
    // "7" and "07" are the same number; the single block with a typed place and the batch alike.
    DialogRun run = RunAddLottNumber({"1", "3.0", true, "1", "1"}, layout, canvas, kFont);
    EXPECT_EQ(run.check.message, "有 1 个填涂块与已有的填涂块重复，是否继续？");
    EXPECT_EQ(run.check.field, "txtFirstLottNumber");
    EXPECT_FALSE(run.check.asked);
    run = RunAddLottNumber({"2", "1", false, "", ""}, layout, canvas, kFont);
    EXPECT_TRUE(run.check.passed());
    run = RunAddLottNumber({"3", "1", false, "", ""}, layout, canvas, kFont);
    EXPECT_EQ(run.check.field, "txtFirstGroupID");
    EXPECT_TRUE(canvas.added.empty());
    EXPECT_EQ(canvas.pending.size(), 1u); // only the blue block waits for its click
}
} // namespace
