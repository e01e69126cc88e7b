#include "vbscript/TextIndex.h"

#include <QHash>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using vbs::TextIndex;

// Texts that a weak hash or a wrong tail would mix up: empty, one unit, lengths around the
// 4-unit step, the same prefix with a different last unit, and text beyond Latin-1.
// The index keeps numbers only; these tests keep the texts, as the Dictionary does.
struct Texts {
    QStringList list;
    QStringView operator()(int number) const { return list[number]; }
};

int find(const TextIndex &index, const Texts &texts, const QString &text)
{
    return index.find(text, TextIndex::hash(text), texts);
}

TEST(TextIndex, TellsCloseTextsApart)
{
    const Texts texts{{QString(),
                       QStringLiteral("a"),
                       QStringLiteral("b"),
                       QStringLiteral("abc"),
                       QStringLiteral("abcd"),
                       QStringLiteral("abce"),
                       QStringLiteral("abcdefgh"),
                       QStringLiteral("abcdefgh1"),
                       QStringLiteral("abcdefgh2"),
                       QStringLiteral("01,02,03,04,05,06|07"),
                       QStringLiteral("01,02,03,04,05,06|08"),
                       QStringLiteral("双色球"),
                       QStringLiteral("双色球 ")}};
    TextIndex index;
    for (int i = 0; i < texts.list.size(); ++i) {
        ASSERT_EQ(find(index, texts, texts.list[i]), -1) << texts.list[i].toStdString();
        index.insert(TextIndex::hash(texts.list[i]), i);
    }
    EXPECT_EQ(index.size(), texts.list.size());
    for (int i = 0; i < texts.list.size(); ++i)
        EXPECT_EQ(find(index, texts, texts.list[i]), i) << texts.list[i].toStdString();
    EXPECT_EQ(find(index, texts, QStringLiteral("abcdefgh3")), -1);
    EXPECT_EQ(find(index, texts, QStringLiteral("ab")), -1);
}

// Texts that share one hash are told apart by their text, and removing one leaves the other.
TEST(TextIndex, SameHashDifferentTexts)
{
    const Texts texts{{QStringLiteral("first"), QStringLiteral("second"), QStringLiteral("third")}};
    TextIndex index;
    constexpr uint32_t h = 12345;
    for (int i = 0; i < 3; ++i)
        index.insert(h, i);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(index.find(texts.list[i], h, texts), i);
    EXPECT_EQ(index.find(QStringLiteral("fourth"), h, texts), -1);
    EXPECT_FALSE(index.remove(h + 1, 1)) << "a number is removed only under its own hash";
    EXPECT_TRUE(index.remove(h, 1));
    EXPECT_FALSE(index.remove(h, 1));
    EXPECT_EQ(index.find(texts.list[1], h, texts), -1);
    EXPECT_EQ(index.find(texts.list[0], h, texts), 0);
    EXPECT_EQ(index.find(texts.list[2], h, texts), 2) << "found past the removed slot";
    EXPECT_EQ(index.size(), 2);
}

// Room made at once empties the index; the numbers put in afterwards are all found.
TEST(TextIndex, ReserveEmptiesAndHoldsWhatFollows)
{
    Texts texts;
    TextIndex index;
    for (int i = 0; i < 40; ++i) {
        texts.list.append(QStringLiteral("old %1").arg(i));
        index.insert(TextIndex::hash(texts.list.back()), i);
    }
    index.reserve(1000);
    EXPECT_EQ(index.size(), 0);
    EXPECT_EQ(find(index, texts, texts.list[0]), -1);
    for (int i = 0; i < 1000; ++i) {
        texts.list.append(QStringLiteral("new %1").arg(i));
        index.insert(TextIndex::hash(texts.list.back()), 40 + i);
    }
    EXPECT_EQ(index.size(), 1000);
    for (int i = 0; i < 1040; ++i)
        ASSERT_EQ(find(index, texts, texts.list[i]), i < 40 ? -1 : i) << i;
}

// Random inserts and removals over a small pool of texts (so that texts come back after
// being removed, removed slots pile up and the table is rebuilt at one size and at a larger
// one), checked step by step against QHash.
TEST(TextIndex, AgreesWithAHashUnderChurn)
{
    QRandomGenerator rng(7);
    TextIndex index;
    Texts texts;               // number -> text; a removed text's number is not used again
    QHash<QString, int> model; // text -> number
    for (int step = 0; step < 60000; ++step) {
        const QString text = QStringLiteral("k%1").arg(rng.bounded(step < 30000 ? 5000 : 300));
        switch (rng.bounded(3)) {
        case 0:
            ASSERT_EQ(find(index, texts, text), model.value(text, -1)) << "before insert " << text.toStdString();
            if (!model.contains(text)) {
                texts.list.append(text);
                index.insert(TextIndex::hash(text), int(texts.list.size() - 1));
                model.insert(text, int(texts.list.size() - 1));
            }
            break;
        case 1: {
            const int number = model.value(text, -1);
            ASSERT_EQ(index.remove(TextIndex::hash(text), number), number >= 0) << "remove " << text.toStdString();
            model.remove(text);
            break;
        }
        default:
            ASSERT_EQ(find(index, texts, text), model.value(text, -1)) << "find " << text.toStdString();
        }
        ASSERT_EQ(index.size(), model.size());
    }
    for (auto it = model.cbegin(); it != model.cend(); ++it)
        EXPECT_EQ(find(index, texts, it.key()), it.value());
    index.clear();
    EXPECT_EQ(index.size(), 0);
    EXPECT_EQ(find(index, texts, model.cbegin().key()), -1);
    index.insert(TextIndex::hash(model.cbegin().key()), model.cbegin().value());
    EXPECT_EQ(find(index, texts, model.cbegin().key()), model.cbegin().value());
}

} // namespace
