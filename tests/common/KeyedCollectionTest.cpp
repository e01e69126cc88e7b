// The ordered keyed collection under the template's elements and the keyed string list: order
// and keys after removals, stable addresses, copies.
#include "common/KeyedCollection.h"
#include "common/colStringValueWithKey.h"

#include <gtest/gtest.h>
#include <variant>

namespace {
using Removal = std::variant<int, const char *>; // a 1-based position or a key

QStringList keysInOrder(const KeyedCollection<int> &c)
{
    QStringList keys;
    for (int i = 1; i <= c.Count(); ++i)
        keys << c.KeyAt(i);
    return keys;
}

QList<int> valuesInOrder(const KeyedCollection<int> &c)
{
    QList<int> values;
    for (int v : c)
        values << v;
    return values;
}
} // namespace

TEST(KeyedCollection, RemovalsKeepTheOrderOfTheOthers)
{
    struct Case {
        const char *name;
        std::vector<Removal> removals;
        QStringList keys;
    };
    // Starting from a b c d e holding 1 to 5.
    const Case cases[] = {
        {"one in the middle by key", {"C"}, {"a", "b", "d", "e"}},
        {"the last by key", {"e"}, {"a", "b", "c", "d"}},
        {"the first by position", {1}, {"b", "c", "d", "e"}},
        {"keys, then a position counted after them", {"b", "d", 2}, {"a", "e"}},
        {"a position, then keys", {3, "A", "E"}, {"b", "d"}},
        {"every one, last first", {"e", "d", "c", "b", "a"}, {}},
        {"every one by position 1", {1, 1, 1, 1, 1}, {}},
    };
    for (const Case &c : cases) {
        KeyedCollection<int> col;
        int n = 0;
        for (const char *k : {"a", "b", "c", "d", "e"})
            col.Add(k, ++n);
        for (const Removal &r : c.removals) {
            if (std::holds_alternative<int>(r))
                col.Remove(std::get<int>(r));
            else
                col.Remove(QString::fromLatin1(std::get<const char *>(r)));
        }
        EXPECT_EQ(col.Count(), c.keys.size()) << c.name;
        EXPECT_EQ(keysInOrder(col), c.keys) << c.name;
        QList<int> expected;
        for (const QString &k : c.keys) {
            expected << k[0].unicode() - 'a' + 1;
            ASSERT_NE(col.Find(k.toUpper()), nullptr) << c.name;
            EXPECT_EQ(*col.Find(k.toUpper()), expected.back()) << c.name;
        }
        EXPECT_EQ(valuesInOrder(col), expected) << c.name;
    }
}

TEST(KeyedCollection, ARemovedKeyIsGoneAndCanBeAddedAgainAtTheEnd)
{
    KeyedCollection<int> col;
    col.Add("a", 1);
    col.Add("b", 2);
    col.Add("c", 3);
    col.Remove("A");
    EXPECT_FALSE(col.Contains("a"));
    EXPECT_THROW(col.Remove("a"), KeyedCollectionError);
    EXPECT_THROW(col.Item(3), KeyedCollectionError);
    ASSERT_NE(col.Add("A", 4), nullptr);
    EXPECT_EQ(keysInOrder(col), (QStringList{"b", "c", "A"}));
    EXPECT_EQ(col.Item(3), 4);
}

TEST(KeyedCollection, AnElementKeepsItsAddressWhileOthersComeAndGo)
{
    KeyedCollection<QString> col;
    QString *kept = col.Add("kept", "value");
    col.Add("first", "x");
    for (int i = 0; i < 1000; ++i)
        col.Add(QString::number(i), QString::number(i));
    for (int i = 0; i < 1000; i += 3)
        col.Remove(QString::number(i));
    col.Remove("first");
    EXPECT_EQ(col.Item(1), "value"); // positions close up around it
    EXPECT_EQ(&col.Item(1), kept);
    EXPECT_EQ(col.Find("KEPT"), kept);
    EXPECT_EQ(*kept, "value");
}

TEST(KeyedCollection, CopiesAreIndependentAndKeepTheOrder)
{
    KeyedCollection<int> col;
    for (int i = 1; i <= 5; ++i)
        col.Add(QString::number(i), i);
    col.Remove("2");
    KeyedCollection<int> copy = col;
    *copy.Find("3") = 30;
    copy.Remove("4");
    EXPECT_EQ(valuesInOrder(col), (QList<int>{1, 3, 4, 5}));
    EXPECT_EQ(valuesInOrder(copy), (QList<int>{1, 30, 5}));
    EXPECT_NE(copy.Find("1"), col.Find("1"));
    KeyedCollection<int> moved = std::move(copy);
    EXPECT_EQ(keysInOrder(moved), (QStringList{"1", "3", "5"}));
    col = moved;
    EXPECT_EQ(valuesInOrder(col), (QList<int>{1, 30, 5}));
    col.Clear();
    EXPECT_EQ(col.Count(), 0);
    EXPECT_EQ(col.begin(), col.end());
    EXPECT_EQ(moved.Count(), 3);
}

TEST(colStringValueWithKey, ARecordFromAddStaysValidAfterMoreAdds)
{
    colStringValueWithKey col;
    clsStringValueWithKey *record = col.Add("k", "v1", "v2");
    for (int i = 0; i < 100; ++i)
        col.Add(QString::number(i), QString::number(i));
    col.Remove("A5");
    EXPECT_EQ(col.GetByKey("K"), record);
    EXPECT_EQ(record->Key(), "k");
    EXPECT_EQ(record->Value2(), "v2");
}
