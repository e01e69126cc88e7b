#include "storage/TemplateText.h"

#include "common/DesignScale.h"

#include <gtest/gtest.h>

namespace {
struct Read {
    bool ok;
    colPLControls t;
};

Read readText(const QString &text)
{
    Read r;
    r.ok = TemplateFromIni(IniSections(text), r.t);
    return r;
}

// A Base section that is complete apart from what a case adds or overrides: the first
// occurrence of a key wins, so lines put before these take effect.
QString base(const QString &extra, int count = 0)
{
    return "[Base]\r\n" + extra + "LayoutName=X\r\nControlCount=" + QString::number(count) + "\r\n";
}

QString element(int n, const QString &body)
{
    return "\r\n[Controls" + QString::number(n) + "]\r\n" + body;
}
} // namespace

TEST(TemplateReader, EmptyTextGivesTheClassDefaults)
{
    Read r = readText("");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.t.Count(), 0);
    EXPECT_EQ(r.t.LottNumberWidth(), 3.0);
    EXPECT_EQ(r.t.LottNumberHeight(), 1.5);
    EXPECT_EQ(r.t.StakeLocateOffsetStrY(), "0,28.5,57,85.5,114");
    EXPECT_EQ(r.t.StakeCountPerTicket(), 5);
    EXPECT_EQ(r.t.BackPicWidth(), 100.0);
}

TEST(TemplateReader, BaseValuesThatDoNotConvertStopTheReading)
{
    struct Case {
        const char *line;
        bool ok;
    };
    const Case cases[] = {
        {"LayoutLeft=abc\r\n", false},       {"LayoutLeft=\r\n", false},
        {"LayoutLeft=2*1.5\r\n", false},     {"BackPicWidth=1，5\r\n", false},
        {"MarkStyle=40000\r\n", false},      {"PaperSize=2147483648\r\n", false},
        {"PaperWidth=1e39\r\n", false},      {"IsPrintBodyLine=True\r\n", false},
        {"ControlCount=40000\r\n", false},   {"ControlCount=\r\n", false},
        {"LottNumberWidth=abc\r\n", true},   {"LottNumberHeight=\r\n", true},
        {"PackName=\r\n", true},             {"PaperHeaderText=2*3\r\n", true},
        {"ControlCount=-3\r\n", true},       {"LayoutLeft= -1.5 \r\n", true},
    };
    for (const Case &c : cases) {
        Read r = readText(base(c.line));
        EXPECT_EQ(r.ok, c.ok) << c.line;
    }
}

TEST(TemplateReader, AFailingBaseKeyKeepsWhatWasReadBeforeIt)
{
    // LayoutTop is read before LayoutLeft, the picture geometry before the paper.
    Read r = readText(base("LayoutTop=4\r\nLayoutLeft=x\r\nBackPicLeft=7\r\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.t.LayoutTop(), 4.0);
    EXPECT_EQ(r.t.LayoutName(), "X");
    EXPECT_EQ(r.t.BackPicLeft(), 0.0);

    r = readText(base("BackPicLeft=7\r\nPaperWidth=x\r\nPaperHeight=9\r\n"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.t.BackPicLeft(), 7.0);
    EXPECT_EQ(r.t.PaperHeight(), 0.0f);
}

TEST(TemplateReader, NumberBlockSizesAreReadTolerantly)
{
    struct Case {
        const char *value;
        double width;
    };
    const Case cases[] = {{"2*1.5", 3}, {"abc", 3}, {"", 3}, {"4.25", 4.25},
                          {"(120-4.5)/2", 57.75}, {"1/0", 3}, {" 2.5 ", 2.5}};
    for (const Case &c : cases) {
        Read r = readText(base(QString("LottNumberWidth=%1\r\n").arg(c.value)));
        EXPECT_TRUE(r.ok) << c.value;
        EXPECT_DOUBLE_EQ(r.t.LottNumberWidth(), c.width) << c.value;
    }
}

TEST(TemplateReader, IntegerKeysRoundHalvesToEven)
{
    struct Case {
        const char *value;
        int markStyle;
    };
    for (const Case &c : {Case{"2.5", 2}, Case{"3.5", 4}, Case{"1.4999", 1}, Case{"-0.5", 0}}) {
        Read r = readText(base(QString("MarkStyle=%1\r\n").arg(c.value)));
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.t.MarkStyle(), c.markStyle) << c.value;
    }
}

TEST(TemplateReader, ListsAreNormalisedAndCountsDerived)
{
    Read r = readText(base(QStringLiteral("StakeLocateOffsetStrX=0，28.5，57\r\n"
                                          "StakeLocateOffsetStrY=0\r\n"
                                          "GroupLottNumberCountStr=5，2\r\n")));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.t.StakeLocateOffsetStrX(), "0,28.5,57");
    EXPECT_EQ(r.t.StakeCountPerTicket(), 3);
    EXPECT_EQ(r.t.GroupLottNumberCountStr(), "5,2");
    EXPECT_EQ(r.t.GroupCount(), 2);
}

TEST(TemplateReader, BodyLineFlagReadsAsAnInteger)
{
    for (auto [value, expected] : {std::pair{"0", 0}, {"1", 1}, {"-1", -1}, {"2.5", 2}}) {
        Read r = readText(base(QString("IsPrintBodyLine=%1\r\n").arg(value)));
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.t.IsPrintBodyLine(), expected) << value;
    }
}

TEST(TemplateReader, NumberBlocksGetTheFixedStyleWhateverTheSectionHolds)
{
    const QString text = base("", 2)
        + element(1, "KeyName=n\r\nControlType=Label\r\nShowType=LottNumber\r\nGroupID=2\r\n"
                     "FieldValue=07\r\nBackColor=5\r\nFontSize=20\r\nVisible=0\r\nAlignment=x\r\n"
                     "FontName=黑体\r\n")
        + element(2, "KeyName=m\r\nControlType=Label\r\nShowType=LocateMark\r\nIsAlwaysPrint=1\r\n");
    Read r = readText(text);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.t.Count(), 2);
    const clsPLControl &n = r.t.Item(1);
    EXPECT_EQ(n.BackColor(), GetGroupColor("2"));
    EXPECT_EQ(n.ForeColor(), GetGroupColor("2") ^ 0xFFFFFF);
    EXPECT_EQ(n.BackStyle(), 1);
    EXPECT_EQ(n.Visible(), 1);
    EXPECT_EQ(n.FontSize(), 8.0);
    EXPECT_EQ(n.Alignment(), 2);
    EXPECT_EQ(n.FontName(), "");
    EXPECT_FALSE(n.IsAllowResize());
    const clsPLControl &m = r.t.Item("Am");
    EXPECT_EQ(m.BackColor(), RGB(255, 255, 128));
    EXPECT_TRUE(m.IsAlwaysPrint());
    EXPECT_FALSE(m.IsAllowResize());
}

TEST(TemplateReader, OtherElementsReadTheirStyleAndAreResizable)
{
    const QString text = base("", 1)
        + element(1, "KeyName=t\r\nControlType=Label\r\nShowType=NormalLable\r\nBackColor=-5\r\n"
                     "FontSize=10.5\r\nFontBold=-1\r\nFontName= 宋体 \r\nSpaceBetweenChar=0.25\r\n");
    Read r = readText(text);
    ASSERT_TRUE(r.ok);
    const clsPLControl &t = r.t.Item(1);
    EXPECT_EQ(t.BackColor(), -5);
    EXPECT_EQ(t.FontSize(), 10.5);
    EXPECT_EQ(t.FontBold(), -1);
    EXPECT_EQ(t.FontName(), "宋体");
    EXPECT_EQ(t.SpaceBetweenChar(), 0.25);
    EXPECT_EQ(t.Visible(), 0) << "a missing Visible keeps the new element's 0";
    EXPECT_TRUE(t.IsAllowResize());
}

TEST(TemplateReader, AnElementValueThatDoesNotConvertStopsWithEarlierElementsKept)
{
    struct Case {
        const char *badLine;
    };
    const Case cases[] = {{"Left=\r\n"}, {"Top=abc\r\n"}, {"Height=1+1\r\n"},
                          {"IsAlwaysPrint=yes\r\n"}, {"ForeColor=4294967295\r\n"},
                          {"FontSize=\r\n"}, {"BorderWidth=1，5\r\n"}};
    for (const Case &c : cases) {
        const QString text = base("", 3)
            + element(1, "KeyName=a\r\nControlType=Line\r\nShowType=Line\r\n")
            + element(2, QString("KeyName=b\r\nControlType=Line\r\nShowType=Line\r\n") + c.badLine)
            + element(3, "KeyName=c\r\n");
        Read r = readText(text);
        EXPECT_FALSE(r.ok) << c.badLine;
        ASSERT_EQ(r.t.Count(), 1) << c.badLine;
        EXPECT_EQ(r.t.Item(1).KeyName(), "a");
    }
}

TEST(TemplateReader, StyleKeysOfBlocksAreNotReadSoTheirBadValuesDoNotMatter)
{
    const QString text = base("", 1)
        + element(1, "KeyName=n\r\nControlType=Label\r\nShowType=LottNumber\r\nBackColor=red\r\n");
    EXPECT_TRUE(readText(text).ok);
}

TEST(TemplateReader, MissingSectionsGiveDefaultElementsAndDuplicateKeysKeepTheFirst)
{
    const QString text = base("", 4)
        + element(1, "KeyName=AB\r\nControlType=Line\r\nShowType=Line\r\nLeft=1\r\n")
        + element(2, "KeyName=ab\r\nControlType=Line\r\nShowType=Line\r\nLeft=2\r\n")
        + element(4, "KeyName=last\r\n");
    Read r = readText(text);
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.t.Count(), 3);
    EXPECT_EQ(r.t.Item("Aab").Left(), 1.0);
    const clsPLControl &third = r.t.Item(2);
    EXPECT_EQ(third.KeyName(), "");
    EXPECT_EQ(third.ShowType(), "NormalLable");
    EXPECT_EQ(third.Visible(), 0);
    EXPECT_TRUE(third.IsAllowResize());
    EXPECT_EQ(r.t.Item(3).KeyName(), "last");
}

TEST(TemplateReader, ValuesAreTrimmedAndCutLikeAProfileRead)
{
    const QString longName(2500, QChar(u'长'));
    const QString text = "[Base]\r\nLayoutName=" + longName + "\r\nPackName=  a b  \r\n"
                         "PaperHeaderText=x" + QChar(0) + "y\r\n";
    Read r = readText(text);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.t.LayoutName(), QString(1999, QChar(u'长')));
    EXPECT_EQ(r.t.PackNameNoUse(), "a b");
    EXPECT_EQ(r.t.PaperHeaderText(), "x");
}

TEST(TemplateReader, ThirtyThousandElementsLoadAndACountBeyondSixteenBitsFails)
{
    QString text = base("", 30000);
    text.reserve(30000 * 120);
    for (int n = 1; n <= 30000; ++n)
        text += element(n, QString("KeyName=k%1\r\nControlType=Label\r\nShowType=LottNumber\r\n"
                                   "GroupID=1\r\nFieldValue=%1\r\nLeft=%1\r\n").arg(n));
    Read r = readText(text);
    EXPECT_TRUE(r.ok);
    ASSERT_EQ(r.t.Count(), 30000);
    EXPECT_EQ(r.t.Item(30000).Left(), 30000.0);

    r = readText(QString(text).replace("ControlCount=30000", "ControlCount=40000"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.t.Count(), 0);
}
