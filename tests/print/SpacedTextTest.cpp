#include "print/SpacedText.h"

#include <gtest/gtest.h>

namespace {
struct SpacedCase {
    const char *name;
    QString text;
    double left, width, spacing;
    std::vector<double> lefts;  // of the characters placed
    std::vector<double> widths; // left to each of them
};

// Every character measures 50 but "W", which measures 90.
double measure(const QString &c) { return c == QLatin1String("W") ? 90 : 50; }
} // namespace

TEST(SpacedText, CharactersAdvanceByTheirWidthPlusTheSpacingAndStopWhenNoWidthIsLeft)
{
    const SpacedCase cases[] = {
        {"three in a wide box", "ABC", 100, 1000, 10, {100, 160, 220}, {1000, 940, 880}},
        {"own widths", "AWA", 0, 1000, 0, {0, 50, 140}, {1000, 950, 860}},
        {"negative spacing overlaps", "AB", 0, 1000, -20, {0, 30}, {1000, 970}},
        {"stops after the character that uses the rest up", "ABCD", 100, 100, 10, {100, 160}, {100, 40}},
        {"exactly no width left goes on", "ABC", 0, 120, 10, {0, 60, 120}, {120, 60, 0}},
        {"the first character even in no box", "AB", 5, 0, 10, {5}, {0}},
        {"empty text", "", 0, 100, 10, {}, {}},
    };
    for (const SpacedCase &c : cases) {
        const std::vector<SpacedChar> cells = LayoutSpacedText(c.text, c.left, c.width, c.spacing, measure);
        std::vector<double> lefts, widths;
        for (const SpacedChar &cell : cells) {
            lefts.push_back(cell.Left);
            widths.push_back(cell.Width);
        }
        EXPECT_EQ(lefts, c.lefts) << c.name;
        EXPECT_EQ(widths, c.widths) << c.name;
        for (size_t i = 0; i < cells.size(); ++i)
            EXPECT_EQ(cells[i].Text, c.text.mid(qsizetype(i), 1)) << c.name;
    }
}

TEST(SpacedText, ASurrogatePairIsOneCharacter)
{
    const QString text = QString::fromUtf8("\xF0\xA0\x80\x80" "a\xF0\xA0\x80\x81");
    EXPECT_EQ(SplitCharacters(text),
              (QStringList{QString::fromUtf8("\xF0\xA0\x80\x80"), "a", QString::fromUtf8("\xF0\xA0\x80\x81")}));
    const std::vector<SpacedChar> cells = LayoutSpacedText(text, 0, 1000, 0, measure);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[2].Left, 100);
    // A lone high surrogate at the end stays a character of its own.
    EXPECT_EQ(SplitCharacters(QStringLiteral("a") + QChar(0xD840)).size(), 2);
}
