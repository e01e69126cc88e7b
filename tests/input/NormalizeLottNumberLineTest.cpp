#include "input/NormalizeLottNumberLine.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {
struct LineCase {
    const char16_t *source;
    bool includeIndex;
    const char16_t *betLine;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << QString::fromUtf16(c.source).toStdString() << (c.includeIndex ? " [index]" : "");
}

class NormalizeLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(NormalizeLine, GivesTheBetLine)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(NormalizeLottNumberLine(QString::fromUtf16(c.source), c.includeIndex),
              QString::fromUtf16(c.betLine));
}

// The lines users' files really hold, and the rules they exercise.
INSTANTIATE_TEST_SUITE_P(
    SourceLines, NormalizeLine,
    ::testing::Values(
        // number mode: padded to two digits, any separator
        LineCase{u"01,02,03,04,05,06,07", false, u"01 02 03 04 05 06 07"},
        LineCase{u"1 2 3 4 5 6 7", false, u"01 02 03 04 05 06 07"},
        LineCase{u"3|15-22.31", false, u"03 15 22 31"},
        LineCase{u"3\uFF0C15\uFF1B22+31", false, u"03 15 22 31"},
        LineCase{u"3\t15;22,31", false, u"03 15 22 31"},
        LineCase{u",, 05 ,, 12 ;; 23 ,,", false, u"05 12 23"},
        LineCase{u"007 0 123 5", false, u"07 00 123 05"},
        LineCase{u"01 05 12 19 23 31+09", false, u"01 05 12 19 23 31 09"},
        // full-width digits, as Chinese input methods type them
        LineCase{u"\uFF10\uFF11 \uFF10\uFF12 \uFF13", false, u"01 02 03"},
        LineCase{u"\uFF11\uFF12\uFF13", false, u"1 2 3"},
        LineCase{u"\uFF17\uFF0C\uFF10\uFF15\uFF0C12", true, u"05 12"},
        // the file's own index
        LineCase{u"1,05,12,23", true, u"05 12 23"},
        LineCase{u"1,05,12,23", false, u"01 05 12 23"},
        LineCase{u"0007\t3 8 14", true, u"03 08 14"},
        // digit mode: one or two fields, the last one split into characters
        LineCase{u"12345", false, u"1 2 3 4 5"},
        LineCase{u"12345", true, u"1 2 3 4 5"},
        LineCase{u"7,0123", false, u"0 1 2 3"},
        LineCase{u"7,0123", true, u"0 1 2 3"},
        LineCase{u" 05 ,,   12 ", false, u"1 2"},
        LineCase{u"5", false, u"5"},
        LineCase{u"第1注", false, u"第 1 注"},
        // "*" and other non-numbers pass through
        LineCase{u"05,ab,12", false, u"05 ab 12"},
        LineCase{u"1 * 3 * 5", false, u"01 * 03 * 05"},
        LineCase{u"*,*", false, u"*"},
        LineCase{u"\u3000" u"08 09 10", false, u"\u3000" u"08 09 10"},
        LineCase{u"1x 2 3", false, u"1x 02 03"},
        // exponent forms read as whole numbers
        LineCase{u"2E1 3 4", false, u"20 03 04"},
        LineCase{u"1d2 0e9 5", false, u"100 00 05"},
        LineCase{u"1E 2 3", false, u"1E 02 03"},
        // nothing to stake
        LineCase{u"", false, u""},
        LineCase{u"", true, u""},
        LineCase{u" ,|-.+;\uFF1B\uFF0C\t ", false, u""},
        LineCase{u"   ", true, u""}));

struct SeparatorCase {
    const char16_t *text;
    const char16_t *normalized;
};

class NormalizeSeparatorsTable : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(NormalizeSeparatorsTable, LeavesOneCommaPerRun)
{
    EXPECT_EQ(NormalizeSeparators(QString::fromUtf16(GetParam().text)),
              QString::fromUtf16(GetParam().normalized));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NormalizeSeparatorsTable,
    ::testing::Values(SeparatorCase{u"1.5", u"1,5"}, SeparatorCase{u"-3", u"3"},
                      SeparatorCase{u"  a  b  ", u"a,b"},
                      SeparatorCase{u"a\uFF0C|-.+;\uFF1B,\tb", u"a,b"},
                      SeparatorCase{u"a\r\nb", u"a\r\nb"}, SeparatorCase{u"", u""},
                      SeparatorCase{u"\t\t", u""}));

TEST(NormalizeLine, AppendWritesAfterWhatIsThereAndReportsItsLength)
{
    QString buffer = QStringLiteral("xy");
    EXPECT_EQ(AppendNormalizedLottNumberLine(u"1,2,3", false, buffer), 8);
    EXPECT_EQ(AppendNormalizedLottNumberLine(u" ,, ", false, buffer), 0);
    EXPECT_EQ(buffer, QStringLiteral("xy01 02 03"));
}

TEST(NormalizeLine, HugeLineOfDigitsBecomesOneTokenPerDigit)
{
    const QString line(1 << 20, QLatin1Char('7'));
    const QString bet = NormalizeLottNumberLine(line, false);
    EXPECT_EQ(bet.size(), 2 * line.size() - 1);
    EXPECT_TRUE(bet.startsWith(QStringLiteral("7 7 7")));
}

TEST(NormalizeLine, HugeLineOfNumbersKeepsEveryNumber)
{
    QString line;
    for (int i = 0; i < 200000; ++i)
        line += QString::number(i % 50) + QLatin1Char(',');
    const QStringList tokens = NormalizeLottNumberLine(line, false).split(QLatin1Char(' '));
    ASSERT_EQ(tokens.size(), 200000);
    EXPECT_EQ(tokens[7], QStringLiteral("07"));
    EXPECT_EQ(tokens[49], QStringLiteral("49"));
}
} // namespace
