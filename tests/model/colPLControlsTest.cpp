#include "model/colPLControls.h"

#include <gtest/gtest.h>

namespace {
clsPLControl element(const QString &keyName, double left = 0)
{
    clsPLControl c;
    c.setKeyName(keyName);
    c.setLeft(left);
    return c;
}
} // namespace

TEST(colPLControls, NewTemplateHasTheDocumentedDefaults)
{
    const colPLControls t;
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.PackNameNoUse(), "");
    EXPECT_EQ(t.LayoutName(), "");
    EXPECT_EQ(t.PathFile(), "");
    EXPECT_EQ(t.PaperWidth(), 0.0f);
    EXPECT_EQ(t.PaperSize(), 0);
    EXPECT_EQ(t.PaperOrientation(), 0);
    EXPECT_EQ(t.IsPrintBodyLine(), 0);
    EXPECT_EQ(t.LottNumberWidth(), 3.0);
    EXPECT_EQ(t.LottNumberHeight(), 1.5);
    EXPECT_EQ(t.StakeLocateOffsetStrX(), "0,0,0,0,0");
    EXPECT_EQ(t.StakeLocateOffsetStrY(), "0,28.5,57,85.5,114");
    EXPECT_EQ(t.StakeCountPerTicket(), 5);
    EXPECT_EQ(t.GroupLottNumberCountStr(), "7");
    EXPECT_EQ(t.GroupCount(), 1);
    EXPECT_EQ(t.BackPicWidth(), 100.0);
    EXPECT_EQ(t.BackPicHeight(), 100.0);
    EXPECT_EQ(t.BackPicLeft(), 0.0);
    EXPECT_EQ(t.LayoutLeft(), 0.0);
    EXPECT_EQ(t.MarkStyle(), 0);
    EXPECT_EQ(t.BackPicPathFile(), "");
}

TEST(colPLControls, StakeCountIsTheLongerOffsetListAndFullWidthCommasAreReplaced)
{
    struct Case {
        QString x, y;
        QString storedX, storedY;
        int stakes;
    };
    const QString fw3 = QStringLiteral("0，28.5，57");
    const Case cases[] = {
        {"0, 28.5, 57, 85.5, 114", "0,0,0,0,0", "0, 28.5, 57, 85.5, 114", "0,0,0,0,0", 5},
        {fw3, "0", "0,28.5,57", "0", 3},
        {"0", fw3, "0", "0,28.5,57", 3},
        {"0,1,2,3,4,5", "0,0,0,0,0", "0,1,2,3,4,5", "0,0,0,0,0", 6},
        {"", "", "", "", 1},
        {"0,,5", "", "0,,5", "", 3},
        {"0,", "", "0,", "", 2},
        {"a,b", "x", "a,b", "x", 2},
        {QStringLiteral("1 ， 2"), "", "1 , 2", "", 2},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.setStakeLocateOffsetStrX(c.x);
        t.setStakeLocateOffsetStrY(c.y);
        EXPECT_EQ(t.StakeLocateOffsetStrX(), c.storedX) << c.x.toStdString();
        EXPECT_EQ(t.StakeLocateOffsetStrY(), c.storedY) << c.y.toStdString();
        EXPECT_EQ(t.StakeCountPerTicket(), c.stakes) << c.x.toStdString() << " / " << c.y.toStdString();
    }
}

TEST(colPLControls, SettingOneOffsetListRecountsAgainstTheOther)
{
    colPLControls t; // Y holds five entries by default
    t.setStakeLocateOffsetStrX("0");
    EXPECT_EQ(t.StakeCountPerTicket(), 5);
    t.setStakeLocateOffsetStrY("0,1");
    EXPECT_EQ(t.StakeCountPerTicket(), 2);
}

TEST(colPLControls, GroupCountCountsTheEntriesOfTheGroupList)
{
    struct Case {
        QString value, stored;
        int groups;
    };
    const Case cases[] = {
        {"6,1", "6,1", 2},
        {"", "", 1},
        {QStringLiteral("5，2"), "5,2", 2},
        {"1,1,1", "1,1,1", 3},
        {"7", "7", 1},
        {",", ",", 2},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.setGroupLottNumberCountStr(c.value);
        EXPECT_EQ(t.GroupLottNumberCountStr(), c.stored) << c.value.toStdString();
        EXPECT_EQ(t.GroupCount(), c.groups) << c.value.toStdString();
    }
}

TEST(colPLControls, BackgroundPictureWithoutFolderIsFoundBesideTheTemplate)
{
    struct Case {
        QString stored, pathFile, expected;
    };
    const Case cases[] = {
        {"slip.jpg", "D:\\T\\a.tzd", "D:\\T\\slip.jpg"},
        {"E:\\pics\\slip.jpg", "D:\\T\\a.tzd", "E:\\pics\\slip.jpg"},
        {"slip.jpg", "/home/u/投注单文件/a.tzd", "/home/u/投注单文件/slip.jpg"},
        {"/pics/slip.bmp", "/home/u/a.tzd", "/pics/slip.bmp"},
        {"", "D:\\T\\a.tzd", "D:\\T\\"},
        {"", "", ""},
        {"slip.jpg", "a.tzd", "slip.jpg"},
        {"slip.jpg", "", "slip.jpg"},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.setPathFile(c.pathFile);
        t.setBackPicPathFile(c.stored);
        EXPECT_EQ(t.BackPicPathFile(), c.expected) << c.stored.toStdString() << " in " << c.pathFile.toStdString();
        EXPECT_EQ(t.BackPicPathFileStored(), c.stored);
    }
}

TEST(colPLControls, KeysDifferingOnlyInCaseCannotBothBeHeld)
{
    colPLControls t;
    ASSERT_NE(t.Add(element("AB")), nullptr);
    EXPECT_EQ(t.Add(element("ab")), nullptr);
    EXPECT_EQ(t.Count(), 1);
    EXPECT_EQ(t.Item(1).KeyName(), "AB");
}

TEST(colPLControls, ItemHandsOutTheStoredElementWhileAddStoresACopy)
{
    colPLControls t;
    clsPLControl original = element("AB", 1);
    t.Add(original);
    original.setLeft(99);
    EXPECT_EQ(t.Item("AAB").Left(), 1.0);

    t.Item("aab").setLeft(5);
    EXPECT_EQ(t.Item(1).Left(), 5.0);
    for (clsPLControl &c : t)
        c.setTop(7);
    EXPECT_EQ(t.Item("AAB").Top(), 7.0);
}

TEST(colPLControls, AnyTextServesAsKeyIncludingDigitsAndEmpty)
{
    colPLControls t;
    ASSERT_NE(t.Add(element("")), nullptr);
    ASSERT_NE(t.Add(element("12")), nullptr);
    ASSERT_NE(t.Add(element("1")), nullptr);
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t.Item("A").KeyName(), "");
    EXPECT_EQ(t.Item("A12").KeyName(), "12");
    // A number is a position, a text a key.
    EXPECT_EQ(t.Item(2).KeyName(), "12");
    EXPECT_EQ(t.Find("12"), nullptr);
    EXPECT_EQ(t.Find("A1")->KeyName(), "1");
}

TEST(colPLControls, MissingPositionsAndKeysAreErrorsThatLeaveTheListAsItWas)
{
    colPLControls t;
    t.Add(element("x"));
    t.Add(element("y"));
    EXPECT_THROW(t.Item(0), KeyedCollectionError);
    EXPECT_THROW(t.Item(3), KeyedCollectionError);
    EXPECT_THROW(t.Item("x"), KeyedCollectionError); // the key is "Ax"
    EXPECT_THROW(t.Remove(3), KeyedCollectionError);
    EXPECT_THROW(t.Remove("Az"), KeyedCollectionError);
    EXPECT_EQ(t.Count(), 2);
    EXPECT_EQ(t.Find("Az"), nullptr);
}

TEST(colPLControls, RemoveKeepsOrderAndKeysOfTheOthers)
{
    colPLControls t;
    for (const char *k : {"a", "b", "c", "d"})
        t.Add(element(k));
    t.Remove(2);
    t.Remove("AD");
    ASSERT_EQ(t.Count(), 2);
    EXPECT_EQ(t.Item(1).KeyName(), "a");
    EXPECT_EQ(t.Item(2).KeyName(), "c");
    EXPECT_EQ(t.Item("AC").KeyName(), "c");
    EXPECT_NE(t.Add(element("b")), nullptr);
    EXPECT_EQ(t.Item(3).KeyName(), "b");
}

TEST(colPLControls, RemoveAllEmptiesOnlyTheElementList)
{
    colPLControls t;
    t.setLayoutName("双色球");
    t.setStakeLocateOffsetStrX("0,1,2");
    t.setGroupLottNumberCountStr("6,1");
    t.setLayoutLeft(-1.5);
    t.Add(element("a"));
    t.Add(element("b"));
    t.RemoveAll();
    EXPECT_EQ(t.Count(), 0);
    EXPECT_EQ(t.LayoutName(), "双色球");
    EXPECT_EQ(t.StakeLocateOffsetStrX(), "0,1,2");
    EXPECT_EQ(t.StakeCountPerTicket(), 5);
    EXPECT_EQ(t.GroupCount(), 2);
    EXPECT_EQ(t.LayoutLeft(), -1.5);
    EXPECT_NE(t.Add(element("a")), nullptr);
}

TEST(colPLControls, CopyPaperSettingFromTakesThePageSetupOnly)
{
    colPLControls from;
    from.setPaperWidth(11906);
    from.setPaperHeight(16838);
    from.setPaperSize(9);
    from.setPaperOrientation(1);
    from.setPaperMarginLeft(1);
    from.setPaperMarginRight(2);
    from.setPaperMarginTop(3);
    from.setPaperMarginBottom(4);
    from.setPaperColumns(5);
    from.setPaperColumnSpace(6);
    from.setPaperRows(7);
    from.setPaperRowSpace(8);
    from.setIsPrintBodyLine(-1);
    from.setPaperHeaderText("head");
    from.setPaperFooterText("foot");
    from.setLayoutLeft(10);
    from.setLayoutTop(11);
    from.setLayoutName("other");
    from.Add(element("e"));

    colPLControls to;
    to.CopyPaperSettingFrom(from);
    EXPECT_EQ(to.PaperWidth(), 11906.0f);
    EXPECT_EQ(to.PaperHeight(), 16838.0f);
    EXPECT_EQ(to.PaperSize(), 9);
    EXPECT_EQ(to.PaperOrientation(), 1);
    EXPECT_EQ(to.PaperMarginLeft(), 1.0f);
    EXPECT_EQ(to.PaperMarginRight(), 2.0f);
    EXPECT_EQ(to.PaperMarginTop(), 3.0f);
    EXPECT_EQ(to.PaperMarginBottom(), 4.0f);
    EXPECT_EQ(to.PaperColumns(), 5);
    EXPECT_EQ(to.PaperColumnSpace(), 6);
    EXPECT_EQ(to.PaperRows(), 7);
    EXPECT_EQ(to.PaperRowSpace(), 8);
    EXPECT_EQ(to.IsPrintBodyLine(), -1);
    EXPECT_EQ(to.PaperHeaderText(), "");
    EXPECT_EQ(to.PaperFooterText(), "");
    EXPECT_EQ(to.LayoutLeft(), 0.0);
    EXPECT_EQ(to.LayoutTop(), 0.0);
    EXPECT_EQ(to.LayoutName(), "");
    EXPECT_EQ(to.Count(), 0);
}
