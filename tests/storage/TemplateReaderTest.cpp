#include "storage/TemplateText.h"

#include "ElementBuilders.h"
#include "common/DesignScale.h"

#include <QRegularExpression>

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

// Every key the writer writes for a new element (a label, so the style keys too), as it
// writes them.
QString defaultElementKeys()
{
    static const QString keys = [] {
        colPLControls one;
        one.Add(clsPLControl());
        const QString text = TemplateToText(one, QString());
        return text.mid(text.indexOf("[Controls1]\r\n") + 13);
    }();
    return keys;
}

// An element section: `body` first (the first occurrence of a key wins), then the keys of a
// new element, so that the section is whole.
QString element(int n, const QString &body)
{
    return "\r\n[Controls" + QString::number(n) + "]\r\n" + body + defaultElementKeys();
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
        {"ControlCount=-3\r\n", false},      {"LayoutLeft= -1.5 \r\n", true},
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

TEST(TemplateReader, AMissingSectionMakesNoElementAndDuplicateKeysKeepTheFirst)
{
    const QString text = base("", 4)
        + element(1, "KeyName=AB\r\nControlType=Line\r\nShowType=Line\r\nLeft=1\r\n")
        + element(2, "KeyName=ab\r\nControlType=Line\r\nShowType=Line\r\nLeft=2\r\n")
        + element(4, "KeyName=last\r\n");
    QString reason;
    colPLControls t;
    EXPECT_FALSE(TemplateFromIni(IniSections(text), t, &reason));
    EXPECT_EQ(reason, "缺少元素节 [Controls3]（元素个数为 4）");
    ASSERT_EQ(t.Count(), 2);
    EXPECT_EQ(t.Item("Aab").Left(), 1.0);
    EXPECT_EQ(t.Item(2).KeyName(), "last");
}

TEST(TemplateReader, ValuesAreTrimmedAndCutLikeAProfileRead)
{
    const QString longName(2500, QChar(u'长'));
    const QString text = "[Base]\r\nLayoutName=" + longName + "\r\nPackName=  a b  \r\n"
                         "PaperHeaderText=x" + QChar(0) + "y\r\nControlCount=0\r\n";
    Read r = readText(text);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.t.LayoutName(), QString(1999, QChar(u'长')));
    EXPECT_EQ(r.t.PackNameNoUse(), "a b");
    EXPECT_EQ(r.t.PaperHeaderText(), "x");
}

TEST(TemplateReader, ThirtyThousandElementsLoadAndACountBeyondSixteenBitsFails)
{
    QString text = base("", 30000);
    text.reserve(30000 * 600);
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

namespace {
// A template of every kind of element, a number block last.
using namespace elements;

colPLControls FourKinds()
{
    colPLControls t;
    t.setLayoutName(QStringLiteral("四种元素"));
    t.Add(Label("t1", QStringLiteral("标题"), 10.5, 4.25, 30, 6));
    t.Add(Line("l1", 2, 3, 40, 0, 0, 1, 0));
    t.Add(Mark("m1", 1.5, 80, 4, 2, true));
    for (int i = 1; i <= 6; ++i)
        t.Add(Block(QStringLiteral("b%1").arg(i), "1", QStringLiteral("%1").arg(i, 2, 10, QChar('0')),
                    10.0 + 4 * i, 20.25, 3, 1.5));
    return t;
}

// Every element read must be one of `whole`'s, with its values: nothing made up.
void ExpectNoPhantom(const colPLControls &read, const colPLControls &whole, const std::string &what)
{
    for (const clsPLControl &c : read) {
        const clsPLControl *same = nullptr;
        for (const clsPLControl &w : whole)
            if (w.KeyName() == c.KeyName())
                same = &w;
        ASSERT_NE(same, nullptr) << what << ": an element that is not in the file: \"" << c.KeyName().toStdString() << '"';
        EXPECT_EQ(c.ShowType(), same->ShowType()) << what;
        EXPECT_EQ(c.FieldValue(), same->FieldValue()) << what;
        EXPECT_EQ(c.Left(), same->Left()) << what;
        EXPECT_EQ(c.Top(), same->Top()) << what;
        EXPECT_EQ(c.Width(), same->Width()) << what;
        EXPECT_EQ(c.Height(), same->Height()) << what;
    }
}
} // namespace

// Damaged files are told apart from whole ones: none reads as complete, each says why, and no
// element is made up for what is missing.
TEST(TemplateReader, DamagedFilesAreReportedWithTheirReasonAndMakeNoElement)
{
    const colPLControls whole = FourKinds();
    const QString text = TemplateToText(whole, QString());
    const auto section = [&](int n) {
        const QString head = QStringLiteral("[Controls%1]\r\n").arg(n);
        const qsizetype from = text.indexOf(head);
        const qsizetype to = text.indexOf(QStringLiteral("\r\n\r\n["), from);
        return std::pair{from, (to < 0 ? text.size() : to + 2) - from};
    };
    const auto without = [&](int n) {
        const auto [from, length] = section(n);
        return QString(text).remove(from, length);
    };
    const auto withoutKey = [&](int n, const QString &key) {
        const auto [from, length] = section(n);
        QString s = text.mid(from, length);
        s.remove(QRegularExpression("(?m)^" + key + "=[^\r\n]*\r\n"));
        return QString(text).replace(from, length, s);
    };
    const auto count = [&](const QString &value) {
        return QString(text).replace("ControlCount=9\r\n", "ControlCount=" + value + "\r\n");
    };
    struct Case {
        const char *name;
        QString file;
        QString reason;
        int elements;
    };
    const Case cases[] = {
        {"missing section", without(4), "缺少元素节 [Controls4]（元素个数为 9）", 8},
        {"missing last section", without(9), "缺少元素节 [Controls9]（元素个数为 9）", 8},
        {"count -5", count("-5"), "元素个数 ControlCount=-5 不是非负整数", 0},
        {"count 3.5", count("3.5"), "元素个数 ControlCount=3.5 不是非负整数", 0},
        {"count 32768", count("32768"), "元素个数不能超过 32767 个！", 0},
        {"count missing", QString(text).remove("ControlCount=9\r\n"), "[Base] 节缺少元素个数 ControlCount", 0},
        {"count not a number", count("x"), "[Base] 节中 ControlCount 的值 x 不能转换为数值", 0},
        {"sections beyond the count", count("7"), "元素节 [Controls8] 超出了元素个数 7", 7},
        {"block without its height", withoutKey(5, "Height"), "元素节 [Controls5] 缺少 Height", 8},
        {"label without its font", withoutKey(1, "FontName"), "元素节 [Controls1] 缺少 FontName", 8},
        {"line without its key", withoutKey(2, "KeyName"), "元素节 [Controls2] 缺少 KeyName", 8},
    };
    for (const Case &c : cases) {
        colPLControls t;
        QString reason;
        EXPECT_FALSE(TemplateFromIni(IniSections(c.file), t, &reason)) << c.name;
        // "sections beyond the count" may name either section past it.
        if (std::string(c.name) == "sections beyond the count")
            EXPECT_TRUE(reason.startsWith("元素节 [Controls8]") || reason.startsWith("元素节 [Controls9]"))
                << reason.toStdString();
        else
            EXPECT_EQ(reason, c.reason) << c.name;
        EXPECT_EQ(t.Count(), c.elements) << c.name;
        ExpectNoPhantom(t, whole, c.name);
    }

    // The whole file reads completely; cut at every tenth of its length, it never does.
    colPLControls all;
    ASSERT_TRUE(TemplateFromIni(IniSections(text), all));
    ASSERT_EQ(all.Count(), 9);
    for (int tenth = 1; tenth <= 9; ++tenth) {
        const QString cut = text.left(text.size() * tenth / 10);
        colPLControls t;
        QString reason;
        EXPECT_FALSE(TemplateFromIni(IniSections(cut), t, &reason)) << tenth << "/10";
        EXPECT_FALSE(reason.isEmpty()) << tenth << "/10";
        EXPECT_LT(t.Count(), 9) << tenth << "/10";
        ExpectNoPhantom(t, whole, std::to_string(tenth) + "/10");
    }
}
