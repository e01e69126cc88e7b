#include "TestSupport.h"
#include "input/BetList.h"
#include "input/BetListCommands.h"

#include <gtest/gtest.h>

namespace {
// Stake indexes and bet lines of the list, "index:line" each.
QStringList Entries(const BetList &list)
{
    QStringList out;
    for (int row = 0; row < list.Count(); ++row)
        out << list.StakeIndex(row) + ':' + list.BetLine(row);
    return out;
}

void Fill(BetList &list, int count)
{
    BetEntries entries;
    for (int i = 1; i <= count; ++i)
        entries.Append(i, QStringLiteral("%1 02 03").arg(i, 2, 10, QLatin1Char('0')));
    list.AppendEntries(std::move(entries));
}

TEST(BetList, KeepsImportOrderAndSkipsEmptyLines)
{
    BetList list;
    EXPECT_TRUE(list.Append(3, QStringLiteral("09 01")));
    EXPECT_FALSE(list.Append(4, QString()));
    EXPECT_TRUE(list.Append(1, QStringLiteral("01 02")));
    EXPECT_EQ(Entries(list), (QStringList{"3:09 01", "1:01 02"}));
}

TEST(BetList, ShowsTwoColumnsWithTheirCaptions)
{
    BetList list;
    list.Append(12, QStringLiteral("01 02 03"));
    ASSERT_EQ(list.columnCount(), 2);
    EXPECT_EQ(list.headerData(0, Qt::Horizontal).toString(), QStringLiteral("注序号"));
    EXPECT_EQ(list.headerData(1, Qt::Horizontal).toString(), QStringLiteral("投注号码"));
    EXPECT_EQ(list.data(list.index(0, 0)).toString(), QStringLiteral("12"));
    EXPECT_EQ(list.data(list.index(0, 1)).toString(), QStringLiteral("01 02 03"));
    EXPECT_EQ(BetList::ColumnKey(0), QStringLiteral("Index"));
    EXPECT_EQ(BetList::ColumnKey(1), QStringLiteral("Value"));
    EXPECT_EQ(BetList::ColumnWidthTwips(0), 1000);
    EXPECT_EQ(BetList::ColumnWidthTwips(1), 5000);
}

TEST(BetList, StakeLinesAreOneBasedWithAnEmptyFirstElement)
{
    BetList list;
    Fill(list, 5);
    EXPECT_EQ(list.StakeLines(2, 4), (QStringList{"", "02 02 03", "03 02 03", "04 02 03"}));
    EXPECT_EQ(list.StakeLines(4, 99), (QStringList{"", "04 02 03", "05 02 03"}));
    EXPECT_EQ(list.StakeLines(3, 2), QStringList{""});
}

TEST(BetList, AppendingAnImportAnnouncesOneBlockOfRows)
{
    BetList list;
    list.Append(1, QStringLiteral("01"));
    std::vector<std::pair<int, int>> inserted;
    QObject::connect(&list, &QAbstractItemModel::rowsInserted,
                     [&](const QModelIndex &, int first, int last) { inserted.emplace_back(first, last); });
    Fill(list, 4);
    EXPECT_EQ(inserted, (std::vector<std::pair<int, int>>{{1, 4}}));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.BetLine(0), QStringLiteral("01"));
    EXPECT_EQ(list.BetLine(4), QStringLiteral("04 02 03"));
}

TEST(BetList, RemoveSelectedKeepsTheOthersInOrderWithTheirIndexes)
{
    BetList list;
    Fill(list, 8);
    list.SetSelected(0, true);
    list.SetSelectedRange(3, 4, true);
    list.SetSelected(7, true);
    EXPECT_EQ(list.SelectedCount(), 4);
    EXPECT_EQ(list.RemoveSelected(), 4);
    EXPECT_EQ(Entries(list), (QStringList{"2:02 02 03", "3:03 02 03", "6:06 02 03", "7:07 02 03"}));
    EXPECT_EQ(list.SelectedCount(), 0);
}

// Scattered selections over many rows take the one-pass path; the outcome must be the same
// as removing entry by entry.
TEST(BetList, RemovingManyScatteredRowsMatchesRemovingThemOneByOne)
{
    BetList list;
    Fill(list, 1000);
    QStringList expected = Entries(list);
    for (int row = 999; row >= 0; --row) {
        if (row % 3 == 0 || row % 7 == 0) {
            list.SetSelected(row, true);
            expected.removeAt(row);
        }
    }
    int resets = 0;
    QObject::connect(&list, &QAbstractItemModel::modelReset, [&] { ++resets; });
    list.RemoveSelected();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(Entries(list), expected);
    // The buffer of bet lines is rebuilt once most of it is dead; later appends still read right.
    list.Append(5000, QStringLiteral("33 16"));
    EXPECT_EQ(list.BetLine(list.Count() - 1), QStringLiteral("33 16"));
    EXPECT_EQ(list.BetLine(0), QStringLiteral("02 02 03"));
}

TEST(BetList, HoldsAMillionEntries)
{
    BetList list;
    BetEntries entries;
    for (int i = 1; i <= 1'000'000; ++i)
        entries.AppendSourceLine(i, QStringLiteral("3 8 14 20 27 33 16"), false);
    list.AppendEntries(std::move(entries));
    ASSERT_EQ(list.Count(), 1'000'000);
    EXPECT_EQ(list.data(list.index(999'999, 0)).toString(), QStringLiteral("1000000"));
    EXPECT_EQ(list.data(list.index(999'999, 1)).toString(), QStringLiteral("03 08 14 20 27 33 16"));
    list.SetSelectedRange(0, 999'998, true);
    EXPECT_EQ(list.RemoveSelected(), 999'999);
    EXPECT_EQ(Entries(list), QStringList{"1000000:03 08 14 20 27 33 16"});
}

struct StatusCase {
    int count;
    int stakesPerTicket;
    const char16_t *text;
    int faulty = 0;
    int templateFindings = 0;
};

class StatusText : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusText, CountsStakesAndPages)
{
    EXPECT_EQ(LottNumberStatusText(GetParam().count, GetParam().stakesPerTicket, GetParam().faulty,
                                   GetParam().templateFindings),
              QString::fromUtf16(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Counts, StatusText,
                         ::testing::Values(StatusCase{12, 5, u"共 12 注, 3 页"},
                                           StatusCase{10, 5, u"共 10 注, 2 页"},
                                           StatusCase{11, 5, u"共 11 注, 3 页"},
                                           StatusCase{0, 5, u"共 0 注, 1 页"},
                                           StatusCase{7, 0, u"共 7 注, 7 页"},
                                           StatusCase{7, -3, u"共 7 注, 7 页"},
                                           StatusCase{1000000, 3, u"共 1000000 注, 333334 页"},
                                           StatusCase{12, 5, u"共 12 注, 3 页，其中 4 注有误", 4},
                                           StatusCase{12, 5, u"共 12 注, 3 页，模板有 2 处问题", 0, 2},
                                           StatusCase{12, 5, u"共 12 注, 3 页，其中 1 注有误，模板有 1 处问题", 1, 1}));

TEST(BetListCommands, DeleteWithoutSelectionOnlyHints)
{
    ScriptedMsgBox box;
    BetList list;
    Fill(list, 3);
    EXPECT_EQ(DeleteSelectedLottNumbers(list), 0);
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_EQ(box.shown()[0].text,
              QStringLiteral("请选择要删除的投注号码！\r\n(可以配合使用 Ctrl、Shift 键，同时选择多个号码)"));
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Information);
    EXPECT_EQ(list.Count(), 3);
}

TEST(BetListCommands, DeleteAsksWithTheCountAndNoKeepsEverything)
{
    ScriptedMsgBox box;
    box.queue(MsgAnswer::No);
    BetList list;
    Fill(list, 3);
    list.SetSelectedRange(0, 1, true);
    EXPECT_EQ(DeleteSelectedLottNumbers(list), 0);
    EXPECT_EQ(box.texts(), QStringList{QStringLiteral("确认删除选中的 2 个投注号码吗？")});
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Question);
    EXPECT_EQ(list.Count(), 3);

    EXPECT_EQ(DeleteSelectedLottNumbers(list), 2); // answered Yes
    EXPECT_EQ(Entries(list), QStringList{"3:03 02 03"});
}

TEST(BetListCommands, ClearAsksFirst)
{
    ScriptedMsgBox box;
    box.queue(MsgAnswer::No);
    BetList list;
    Fill(list, 3);
    EXPECT_FALSE(ClearLottNumbers(list));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(ClearLottNumbers(list));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(box.texts(), (QStringList{"确认要清除所有的投注号码吗？", "确认要清除所有的投注号码吗？"}));
}
} // namespace
