#include "common/DesignScale.h"
#include "common/clsTimerLock.h"
#include "common/colStringValueWithKey.h"

#include <gtest/gtest.h>

TEST(colStringValueWithKey, KeysAreCaseInsensitiveUniqueAndAnyText)
{
    colStringValueWithKey col;
    clsStringValueWithKey *ab = col.Add("ab", "1");
    ASSERT_NE(ab, nullptr);
    EXPECT_EQ(col.Add("AB", "2"), nullptr);
    EXPECT_EQ(col.GetByKey("aB"), ab);
    EXPECT_EQ(col.GetByKey("aB")->Value1(), "1");
    ASSERT_NE(col.Add("", "empty"), nullptr);
    EXPECT_EQ(col.Add("", "again"), nullptr);
    EXPECT_EQ(col.GetByKey("")->Value1(), "empty");
    ASSERT_NE(col.Add("12", "X"), nullptr);
    EXPECT_EQ(col.Count(), 3);
    EXPECT_EQ(col.GetByKey("zz"), nullptr);
    // Item takes a position or the stored key ("A" in front)
    EXPECT_EQ(col.Item(3).Key(), "12");
    EXPECT_EQ(col.Item("A12").Value1(), "X");
    EXPECT_THROW(col.Item(4), KeyedCollectionError);
    EXPECT_THROW(col.Item("12"), KeyedCollectionError);
    EXPECT_THROW(col.Remove(0), KeyedCollectionError);
}

TEST(colStringValueWithKey, ValueLookupOrderRemovalAndEnumeration)
{
    colStringValueWithKey col;
    col.Add("k1", "same", "a");
    col.Add("k2", "same", "b");
    col.Add("k3", "X");
    EXPECT_EQ(col.GetByValue1("same")->Key(), "k1");
    EXPECT_EQ(col.GetByValue1("x"), nullptr);
    col.Remove(1);
    EXPECT_EQ(col.GetByValue1("same")->Key(), "k2");
    col.Remove("AK3");
    QStringList keys;
    for (auto &r : col)
        keys << r.Key();
    EXPECT_EQ(keys, QStringList{"k2"});
    EXPECT_EQ(col.GetByKey("k2")->Value2(), "b");
    col.RemoveAll();
    EXPECT_EQ(col.Count(), 0);
    col.RemoveAll();
    clsStringValueWithKey *again = col.Add("k1");
    EXPECT_EQ(again, &col.Item(1));
}

TEST(clsStringValueWithKey, IndexAccessOutsideOneToSevenIsIgnored)
{
    clsStringValueWithKey r;
    for (qint16 i = 1; i <= 7; ++i)
        r.SetByIndex(i, QString::number(i));
    r.SetByIndex(8, "z");
    r.SetByIndex(0, "z");
    EXPECT_EQ(r.Value7(), "7");
    EXPECT_EQ(r.GetByIndex(4), "4");
    EXPECT_EQ(r.GetByIndex(0), "");
    EXPECT_EQ(r.GetByIndex(8), "");
}

TEST(clsTimerLock, ReleasesItselfAfterTheTimeOutAcrossATickWrap)
{
    for (quint32 start : {1000u, 0xFFFFFFF0u}) {
        quint32 now = start;
        clsTimerLock lock([&] { return now; });
        EXPECT_FALSE(lock.Value());
        lock.setValue(true);
        now = start + 50;
        EXPECT_TRUE(lock.Value());
        now = start + 100;
        EXPECT_TRUE(lock.Value());
        now = start + 150;
        EXPECT_FALSE(lock.Value());
        now = start + 10;
        EXPECT_FALSE(lock.Value()); // stays released
    }
    quint32 now = 0;
    clsTimerLock lock([&] { return now; });
    lock.setMaxTimeToClose(1000);
    lock.setValue(true);
    now = 500;
    EXPECT_TRUE(lock.Value());
}

TEST(DesignScale, BoundsApplyOnRead)
{
    struct Case {
        double stored, read;
    };
    const Case cases[] = {{0, 85.05}, {10, 11.2}, {11.2, 11.2}, {300, 283.5}, {100, 100}, {-5, 11.2}};
    for (const Case &c : cases) {
        SetDesignScale(c.stored);
        EXPECT_DOUBLE_EQ(GetDesignScale(), c.read) << c.stored;
    }
}

TEST(GroupColor, TableAndFallback)
{
    EXPECT_EQ(GetGroupColor("1"), RGB(0, 0, 128));
    EXPECT_EQ(GetGroupColor("2"), RGB(128, 0, 0));
    EXPECT_EQ(InvertColor(GetGroupColor("2")), RGB(127, 255, 255));
    EXPECT_EQ(GetGroupColor("13"), RGB(255, 0, 255));
    for (const char *other : {"14", "", "a", " 1"})
        EXPECT_EQ(GetGroupColor(other), RGB(255, 255, 128)) << other;
}
