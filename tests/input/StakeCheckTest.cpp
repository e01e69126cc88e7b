#include "ElementBuilders.h"
#include "InputTestSupport.h"
#include "TestSupport.h"
#include "input/BetList.h"
#include "input/StakeCheck.h"
#include "model/colPLControls.h"

#include <gtest/gtest.h>

namespace {
clsPLControl Block(const QString &key, const QString &group, const QString &number)
{
    return elements::Block(key, group, number, 0, 0, 3, 2);
}

// Three red numbers 1 to 9 in fill area 1 and one blue number 1 to 4 in fill area 2.
colPLControls SmallSlip()
{
    colPLControls t;
    t.setGroupLottNumberCountStr(QStringLiteral("3,1"));
    for (int n = 1; n <= 9; ++n)
        t.Add(Block(QStringLiteral("r%1").arg(n), "1", QString::number(n)));
    for (int n = 1; n <= 4; ++n)
        t.Add(Block(QStringLiteral("b%1").arg(n), "2", QStringLiteral("0%1").arg(n)));
    return t;
}

TEST(StakeChecker, ReadsEachStakeAsTheEngineLaysItOut)
{
    struct Case {
        const char *line;
        const char *reasons; // "" when it prints right
    };
    const Case cases[] = {
        {"01 02 03 04", ""},
        {"1 9 009 4", ""},              // the block keys are whole numbers, as the engine reads them
        {"01 02", ""},                  // shorter than the slip: fine
        {"* 02 * 04", ""},              // "*" leaves a position empty
        {"01 02 03 05", "号码 05 在第 2 填涂区没有对应的填涂块"},
        {"10 02 03 04", "号码 10 在第 1 填涂区没有对应的填涂块"},
        {"O2 02 03 04", "“O2”不是号码"}, // the letter O
        {"01 02 03 04 05", "号码个数 5 超过投注单的 4 个位置"},
        {"01 02 03 04 *", ""},          // an empty position beyond the slip is never drawn
        {"ab 10 03 04 05 06", "“ab”不是号码；号码 10 在第 1 填涂区没有对应的填涂块；号码个数 6 超过投注单的 4 个位置"},
        {"", ""},
    };
    const colPLControls slip = SmallSlip();
    const StakeChecker checker(slip);
    for (const Case &c : cases)
        EXPECT_EQ(checker.Check(QString::fromUtf8(c.line)), QString::fromUtf8(c.reasons)) << c.line;
}

TEST(StakeChecker, ASlipWithoutFillAreasHasNoPositions)
{
    colPLControls t;
    t.setGroupLottNumberCountStr(QString());
    const StakeChecker checker(t);
    EXPECT_EQ(checker.Check(u"01"), QStringLiteral("号码个数 1 超过投注单的 0 个位置"));
}

TEST(CheckLottNumbers, FindsTheFaultyRowsInListOrder)
{
    BetList list;
    list.Append(1, "01 02 03 04");
    list.Append(3, "01 02 03 09");
    list.Append(4, "01 02 03 04");
    list.Append(8, "x");
    const std::vector<StakeFinding> findings = CheckLottNumbers(list, SmallSlip());
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].row, 1);
    EXPECT_EQ(findings[1].row, 3);
    EXPECT_EQ(findings[1].reason, QStringLiteral("“x”不是号码"));
}

TEST(BetList, ShowsFaultyStakesWithTheirReasonAndKeepsThemThroughDeletions)
{
    BetList list;
    for (int i = 1; i <= 6; ++i)
        list.Append(i, i % 2 ? "01 02 03 04" : "01 02 03 09");
    list.SetFindings(CheckLottNumbers(list, SmallSlip()));
    EXPECT_EQ(list.FindingCount(), 3);
    const QModelIndex bad = list.index(1, BetList::ColumnValue);
    const QModelIndex good = list.index(0, BetList::ColumnValue);
    EXPECT_EQ(list.data(bad, Qt::ToolTipRole).toString(),
              QStringLiteral("号码 09 在第 2 填涂区没有对应的填涂块"));
    EXPECT_TRUE(list.data(bad, Qt::BackgroundRole).isValid());
    EXPECT_TRUE(list.data(bad, Qt::ForegroundRole).isValid());
    EXPECT_FALSE(list.data(good, Qt::ToolTipRole).isValid());
    EXPECT_FALSE(list.data(good, Qt::BackgroundRole).isValid());

    // Delete stakes 1 and 2: stake 4 (now row 1) and 6 (row 3) keep their marks.
    list.SetSelected(0, true);
    list.SetSelected(1, true);
    list.RemoveSelected();
    ASSERT_EQ(list.FindingCount(), 2);
    EXPECT_EQ(list.StakeIndexNumber(list.Findings()[0].row), 4);
    EXPECT_EQ(list.StakeIndexNumber(list.Findings()[1].row), 6);
    EXPECT_FALSE(list.FindingReason(1).isEmpty());
    EXPECT_TRUE(list.FindingReason(0).isEmpty());

    list.Clear();
    EXPECT_EQ(list.FindingCount(), 0);
}
} // namespace
