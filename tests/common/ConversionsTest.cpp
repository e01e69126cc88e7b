#include "common/Conversions.h"
#include "common/VbFormat.h"

#include <QDateTime>
#include <gtest/gtest.h>

TEST(Conversions, ToLongRoundsHalfAwayThroughTheEvaluatorAndFallsBack)
{
    struct Case {
        QVariant value;
        qint32 def;
        qint32 expected;
    };
    const Case cases[] = {
        {"", 7, 0},            // an empty field converts to 0, not the default
        {QVariant(), 7, 0},
        {true, 7, -1},         {false, 7, 0},
        {"12", 0, 12},         {" 12 ", 0, 12},
        {"2.5", 0, 3},         {"-2.5", 0, -3},
        {"28.5*2", 0, 57},     {"abc", 9, 9},
        {"1/0", 4, 4},         {"3000000000", 6, 6}, // beyond 32 bits
        {12.4, 0, 12},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ToLong(c.value, c.def), c.expected) << c.value.toString().toStdString();
}

TEST(Conversions, ToBooleanAcceptsNumbersAndTrueFalseTexts)
{
    EXPECT_TRUE(ToBoolean("True", false));
    EXPECT_FALSE(ToBoolean("false", true));
    EXPECT_TRUE(ToBoolean("-1", false));
    EXPECT_FALSE(ToBoolean("0", true));
    EXPECT_TRUE(ToBoolean(3.5, false));
    EXPECT_TRUE(ToBoolean("yes", true));
    EXPECT_FALSE(ToBoolean("yes", false));
    EXPECT_FALSE(ToBoolean(QVariant(), false));
}

TEST(Conversions, FormatValueUsesPatternOrPlainTextOrEmptyText)
{
    EXPECT_EQ(FormatValue(QVariant(), "#0.0", "-"), "-");
    EXPECT_EQ(FormatValue("", "#0.0", "-"), "-");
    EXPECT_EQ(FormatValue(28.55, "#0.0", ""), "28.6");
    EXPECT_EQ(FormatValue("3", "00", ""), "03");
    EXPECT_EQ(FormatValue(3.25, "", ""), "3.25");
    EXPECT_EQ(FormatValue("text", "0.0", ""), "text");
    EXPECT_EQ(FormatValue(QVariantList{1}, "", "none"), "none");
    EXPECT_EQ(FormatValue(QDateTime(QDate(2026, 3, 4), QTime(5, 6)), "yyyy-mm-dd HH:NN", ""),
              "2026-03-04 05:06");
}

TEST(Conversions, BoundsOfListsAndNonLists)
{
    EXPECT_EQ(SafeUBound(QVariant(QStringList{"a", "b"})), 1);
    EXPECT_EQ(SafeUBound(QVariant(QVariantList{})), -1);
    EXPECT_EQ(SafeLBound(QVariant(QVariantList{})), 0);
    EXPECT_EQ(SafeUBound(QVariant("ab")), -1);
    EXPECT_EQ(SafeLBound(QVariant(5)), -1);
    EXPECT_TRUE(IsNullOrEmpty(QVariant()));
    EXPECT_TRUE(IsNullOrEmpty(QString()));
    EXPECT_FALSE(IsNullOrEmpty(0));
}

TEST(VbFormat, NumberPatternsRoundHalfAwayFromZero)
{
    struct Case {
        double v;
        const char *pattern;
        const char *expected;
    };
    const Case cases[] = {
        {0, "0", "0"},         {2.5, "0", "3"},          {-2.5, "0", "-3"},
        {7, "00", "07"},       {123, "00", "123"},       {28.45, "#0.0", "28.5"},
        {0.05, "#0.0", "0.1"}, {1.005, "#0.00", "1.01"}, {2.675, "#0.00", "2.68"},
        {85.5, "###0.0", "85.5"}, {12345.67, "####0.0", "12345.7"}, {99.5, "####0", "100"},
        {1.23456, "0.000", "1.235"}, {-0.0004, "0.000", "0.000"}, {9.9999, "0.00", "10.00"},
        {0.5, "#.0", ".5"},    {1e16, "0.0", "10000000000000000.0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(VbFormatNumber(c.v, c.pattern), c.expected) << c.v << " " << c.pattern;
}

TEST(VbFormat, GeneralTextOfDoubleAndSingle)
{
    struct Case {
        double v;
        const char *expected;
    };
    const Case cases[] = {
        {85.5, "85.5"}, {0.1 + 0.2, "0.3"}, {1e20, "1E+20"}, {1.5e-7, "1.5E-07"},
        {-3, "-3"},     {1.0 / 3, "0.333333333333333"},  {123456789012345678.0, "1.23456789012346E+17"},
        {-0.0, "0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GeneralDouble(c.v), c.expected);
    EXPECT_EQ(GeneralSingle(28.5f), "28.5");
    EXPECT_EQ(GeneralSingle(0.1f), "0.1");
    EXPECT_EQ(GeneralSingle(1.0f / 3), "0.3333333");
}

TEST(VbFormat, IntegerConversionRoundsHalvesToEven)
{
    const double in[] = {0.5, 1.5, 2.5, -2.5, 3.5, 2.4, 2.6};
    const double out[] = {0, 2, 2, -2, 4, 2, 3};
    for (size_t i = 0; i < std::size(in); ++i)
        EXPECT_EQ(RoundHalfEven(in[i]), out[i]) << in[i];
    EXPECT_EQ(RoundHalfAway(2.5), 3);
    EXPECT_EQ(RoundHalfAway(-2.5), -3);
    EXPECT_DOUBLE_EQ(RoundHalfAway(1.005, 2), 1.01);
}

TEST(VbFormat, DatePattern)
{
    const QDateTime t(QDate(2026, 12, 5), QTime(9, 7, 3));
    EXPECT_EQ(VbFormatDate(t, "yyyy-mm-dd HH:NN"), "2026-12-05 09:07");
    EXPECT_EQ(VbFormatDate(t, "yy/m/d h:nn:ss"), "26/12/5 9:07:03");
}
