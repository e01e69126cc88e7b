#include "storage/StrictConvert.h"

#include <gtest/gtest.h>

TEST(StrictConvert, DoublesAcceptOnlyPlainDecimalNumbers)
{
    struct Case {
        QString text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"3", true, 3},         {"-2.25", true, -2.25},      {"+7", true, 7},
        {" 1.5 ", true, 1.5},   {".5", true, 0.5},           {"5.", true, 5},
        {"1E+20", true, 1e20},  {"1.5E-07", true, 1.5e-7},   {"2e3", true, 2000},
        {"16.1234567890123", true, 16.1234567890123},
        {"", false, 0},         {" ", false, 0},             {"abc", false, 0},
        {"2*1.5", false, 0},    {"1,5", false, 0},           {QStringLiteral("1，5"), false, 0},
        {"1..2", false, 0},     {".", false, 0},             {"-", false, 0},
        {"1e", false, 0},       {"1e+", false, 0},           {"0x10", false, 0},
        {"1e400", false, 0},    {"inf", false, 0},           {"nan", false, 0},
        {QStringLiteral("１２"), false, 0},                  {"3 4", false, 0},
    };
    for (const Case &c : cases) {
        double v = -99;
        EXPECT_EQ(StrictDouble(c.text, &v), c.ok) << c.text.toStdString();
        if (c.ok)
            EXPECT_DOUBLE_EQ(v, c.value) << c.text.toStdString();
        else
            EXPECT_EQ(v, -99) << "a refused text leaves the target alone: " << c.text.toStdString();
    }
}

TEST(StrictConvert, IntegersRoundHalvesToEvenThenMustFitTheirWidth)
{
    struct Case {
        QString text;
        bool ok16;
        qint16 v16;
        bool ok32;
        qint32 v32;
    };
    const Case cases[] = {
        {"2.5", true, 2, true, 2},
        {"3.5", true, 4, true, 4},
        {"-2.5", true, -2, true, -2},
        {"2.6", true, 3, true, 3},
        {"32767", true, 32767, true, 32767},
        {"32767.5", false, 0, true, 32768},
        {"-32768", true, -32768, true, -32768},
        {"40000", false, 0, true, 40000},
        {"2147483647", false, 0, true, 2147483647},
        {"2147483648", false, 0, false, 0},
        {"-2147483648", false, 0, true, -2147483647 - 1},
        {"4294967295", false, 0, false, 0},
        {"1e3", true, 1000, true, 1000},
        {"", false, 0, false, 0},
        {"True", false, 0, false, 0},
    };
    for (const Case &c : cases) {
        qint16 a = 0;
        qint32 b = 0;
        EXPECT_EQ(StrictInt16(c.text, &a), c.ok16) << c.text.toStdString();
        EXPECT_EQ(StrictInt32(c.text, &b), c.ok32) << c.text.toStdString();
        if (c.ok16)
            EXPECT_EQ(a, c.v16) << c.text.toStdString();
        if (c.ok32)
            EXPECT_EQ(b, c.v32) << c.text.toStdString();
    }
}

TEST(StrictConvert, SinglesRefuseWhatASinglePrecisionValueCannotHold)
{
    float f = 0;
    EXPECT_TRUE(StrictSingle(u"11906", &f));
    EXPECT_EQ(f, 11906.0f);
    EXPECT_TRUE(StrictSingle(u"0.1", &f));
    EXPECT_EQ(f, 0.1f);
    EXPECT_FALSE(StrictSingle(u"1e39", &f));
    EXPECT_FALSE(StrictSingle(u"-1e39", &f));
}

TEST(StrictConvert, BooleansAreTrueFalseOrANumber)
{
    struct Case {
        QString text;
        bool ok;
        bool value;
    };
    const Case cases[] = {
        {"True", true, true},   {"False", true, false}, {"true", true, true},
        {"FALSE", true, false}, {"1", true, true},      {"-1", true, true},
        {"0", true, false},     {"0.0", true, false},   {"2.5", true, true},
        {"", false, false},     {"yes", false, false},  {"T", false, false},
        {"Truth", false, false},
    };
    for (const Case &c : cases) {
        bool v = !c.value;
        EXPECT_EQ(StrictBoolean(c.text, &v), c.ok) << c.text.toStdString();
        if (c.ok)
            EXPECT_EQ(v, c.value) << c.text.toStdString();
    }
}
