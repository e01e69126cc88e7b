#include "vbscript/TextIndex.h"

#include <QHash>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

using vbs::TextIndex;

// Texts that a weak hash or a wrong tail would mix up: empty, one unit, lengths around the
// 4-unit step, the same prefix with a different last unit, and text beyond Latin-1.
TEST(TextIndex, TellsCloseTextsApart)
{
    const QStringList texts{QString(),
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
                            QStringLiteral("双色球 ")};
    TextIndex index;
    for (int i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(index.insert(texts[i], i)) << texts[i].toStdString();
    EXPECT_EQ(index.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(index.value(texts[i]), i) << texts[i].toStdString();
        EXPECT_FALSE(index.insert(texts[i], 99)) << "a second insert of " << texts[i].toStdString();
        EXPECT_EQ(index.value(texts[i]), i) << "kept after a refused insert";
    }
    EXPECT_EQ(index.value(QStringLiteral("abcdefgh3")), -1);
    EXPECT_EQ(index.value(QStringLiteral("ab")), -1);
}

// Random inserts and removals over a small pool of texts (so that texts come back after
// being removed, and removed slots pile up), checked step by step against QHash.
TEST(TextIndex, AgreesWithAHashUnderChurn)
{
    QRandomGenerator rng(7);
    TextIndex index;
    QHash<QString, int> model;
    for (int step = 0; step < 60000; ++step) {
        const QString text = QStringLiteral("k%1").arg(rng.bounded(step < 30000 ? 5000 : 300));
        switch (rng.bounded(3)) {
        case 0: {
            const bool fresh = !model.contains(text);
            ASSERT_EQ(index.insert(text, step), fresh) << "insert " << text.toStdString() << " at " << step;
            if (fresh)
                model.insert(text, step);
            break;
        }
        case 1:
            ASSERT_EQ(index.remove(text), model.remove(text) > 0) << "remove " << text.toStdString();
            break;
        default:
            ASSERT_EQ(index.value(text), model.value(text, -1)) << "value " << text.toStdString();
        }
        ASSERT_EQ(index.size(), model.size());
    }
    for (auto it = model.cbegin(); it != model.cend(); ++it)
        EXPECT_EQ(index.value(it.key()), it.value());
    index.clear();
    EXPECT_EQ(index.size(), 0);
    EXPECT_EQ(index.value(model.cbegin().key()), -1);
    EXPECT_TRUE(index.insert(model.cbegin().key(), 1));
}

} // namespace
