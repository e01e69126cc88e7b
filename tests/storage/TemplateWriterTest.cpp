#include "storage/TemplateText.h"

#include <gtest/gtest.h>

namespace {
QStringList linesOf(const QString &text)
{
    EXPECT_TRUE(text.endsWith("\r\n"));
    QStringList lines = text.split("\r\n");
    lines.removeLast();
    return lines;
}

QString valueOf(const QString &text, const QString &key)
{
    for (const QString &line : linesOf(text))
        if (line.startsWith(key + "="))
            return line.mid(key.size() + 1);
    return "<missing>";
}

clsPLControl make(const QString &key, const QString &controlType, const QString &showType)
{
    clsPLControl c;
    c.setKeyName(key);
    c.setControlType(controlType);
    c.setShowType(showType);
    return c;
}
} // namespace

TEST(TemplateWriter, NewTemplateGivesBaseSectionOnly)
{
    const QString expected =
        "[Base]\r\nPackName=\r\nLayoutName=\r\nLayoutLeft=0\r\nLayoutTop=0\r\nMarkStyle=0\r\n"
        "LottNumberWidth=3\r\nLottNumberHeight=1.5\r\nStakeLocateOffsetStrX=0,0,0,0,0\r\n"
        "StakeLocateOffsetStrY=0,28.5,57,85.5,114\r\nGroupLottNumberCountStr=7\r\n"
        "BackPicPathFile=\r\nBackPicLeft=0\r\nBackPicTop=0\r\nBackPicWidth=100\r\n"
        "BackPicHeight=100\r\nPaperWidth=0\r\nPaperHeight=0\r\nPaperSize=0\r\n"
        "PaperOrientation=0\r\nPaperMarginLeft=0\r\nPaperMarginRight=0\r\nPaperMarginTop=0\r\n"
        "PaperMarginBottom=0\r\nPaperColumns=0\r\nPaperColumnSpace=0\r\nPaperRows=0\r\n"
        "PaperRowSpace=0\r\nPaperHeaderText=\r\nPaperFooterText=\r\nIsPrintBodyLine=0\r\n"
        "ControlCount=0\r\n";
    colPLControls t;
    t.setPathFile("/slips/new.tzd");
    EXPECT_EQ(TemplateToText(t, "/slips/new.tzd"), expected);
}

TEST(TemplateWriter, NumbersAreWrittenInTheirGeneralDecimalForm)
{
    struct Case {
        double value;
        const char *text;
    };
    const Case doubles[] = {
        {3, "3"},           {1.5, "1.5"},           {-2.25, "-2.25"},
        {0.1 + 0.2, "0.3"}, {1e20, "1E+20"},        {1.5e-7, "1.5E-07"},
        {-0.0, "0"},        {123456789.123456789, "123456789.123457"},
        {16.1234567890123, "16.1234567890123"},
    };
    for (const Case &c : doubles) {
        colPLControls t;
        t.setLayoutLeft(c.value);
        EXPECT_EQ(valueOf(TemplateToText(t, ""), "LayoutLeft"), c.text) << c.value;
    }
    const Case singles[] = {{11906, "11906"}, {0.1, "0.1"}, {283.5, "283.5"},
                            {1234567.8, "1234568"}, {-1, "-1"}};
    for (const Case &c : singles) {
        colPLControls t;
        t.setPaperMarginTop(float(c.value));
        EXPECT_EQ(valueOf(TemplateToText(t, ""), "PaperMarginTop"), c.text) << c.value;
    }
}

TEST(TemplateWriter, BodyLineFlagIsZeroOrOne)
{
    for (auto [value, text] : {std::pair{0, "0"}, {1, "1"}, {-1, "1"}, {7, "1"}}) {
        colPLControls t;
        t.setIsPrintBodyLine(value);
        EXPECT_EQ(valueOf(TemplateToText(t, ""), "IsPrintBodyLine"), text) << value;
    }
}

// Folders that do not exist here compare by their text: letter case counts, as it does on this
// platform's disks ("\\" and "/" alike).
TEST(TemplateWriter, PictureBesideTheTemplateIsStoredByNameOnly)
{
    struct Case {
        QString picture, pathFile, savedTo, stored;
    };
    const Case cases[] = {
        {"D:\\T\\slip.jpg", "D:\\T\\a.tzd", "d:\\t\\a.tzd", "D:\\T\\slip.jpg"},
        {"D:\\T\\slip.jpg", "D:\\T\\a.tzd", "D:/T/b.tzd", "slip.jpg"},
        {"D:\\T\\slip.jpg", "D:\\T\\a.tzd", "D:\\U\\a.tzd", "D:\\T\\slip.jpg"},
        {"slip.jpg", "D:\\T\\a.tzd", "D:\\T\\a.tzd", "slip.jpg"},
        {"/home/u/投注单文件/slip.bmp", "/x/a.tzd", "/home/u/投注单文件/b.tzd", "slip.bmp"},
        {"/home/u/slip.bmp", "/x/a.tzd", "/home/u/投注单文件/b.tzd", "/home/u/slip.bmp"},
        {"D:/T/slip.jpg", "", "D:\\T\\a.tzd", "slip.jpg"},
        {"D:/T/slip.jpg", "", "d:\\t\\a.tzd", "D:/T/slip.jpg"},
        {"", "D:\\T\\a.tzd", "D:\\T\\a.tzd", ""},
        {"", "", "a.tzd", ""},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.setPathFile(c.pathFile);
        t.setBackPicPathFile(c.picture);
        EXPECT_EQ(valueOf(TemplateToText(t, c.savedTo), "BackPicPathFile"), c.stored)
            << c.picture.toStdString() << " saved to " << c.savedTo.toStdString();
    }
}

TEST(TemplateWriter, NumberBlocksAndMarksHaveTenKeysEverythingElseTwentySeven)
{
    struct Case {
        QString controlType, showType;
        int keys;
    };
    const Case cases[] = {
        {"Label", "LottNumber", 10}, {"Label", "LocateMark", 10}, {"Label", "NormalLable", 27},
        {"Line", "Line", 27},        {"label", "LottNumber", 27}, {"Label", "LOCATEMARK", 27},
        {"", "NormalLable", 27},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.Add(make("k", c.controlType, c.showType));
        const QStringList lines = linesOf(TemplateToText(t, ""));
        const int section = int(lines.indexOf("[Controls1]"));
        ASSERT_EQ(section, 33);
        EXPECT_EQ(lines[32], "");
        EXPECT_EQ(lines.size() - section - 1, c.keys) << c.controlType.toStdString() << "/"
                                                      << c.showType.toStdString();
    }
}

TEST(TemplateWriter, ElementSectionsFollowListOrderWithOneEmptyLineBeforeEach)
{
    colPLControls t;
    clsPLControl line = make("Line1", "Line", "Line");
    line.setWidth(-5);
    line.setBorderColor(-2147483640);
    line.setFontBold(-1);
    line.setIsAlwaysPrint(true);
    t.Add(make("n1", "Label", "LottNumber"));
    t.Add(line);
    t.Add(make("m1", "Label", "LocateMark"));
    const QString text = TemplateToText(t, "");
    const QStringList lines = linesOf(text);
    EXPECT_EQ(valueOf(text, "ControlCount"), "3");
    const QStringList expected = {
        "",                 "[Controls2]",     "KeyName=Line1",   "ControlType=Line",
        "GroupID=",         "ShowType=Line",   "FieldValue=",     "Left=0",
        "Top=0",            "Width=-5",        "Height=0",        "IsAlwaysPrint=True",
        "BorderStyle=0",    "BackStyle=0",     "BackColor=0",     "ForeColor=0",
        "Visible=0",        "ZorderSeq=0",     "SpaceBetweenChar=0", "FormatString=",
        "FontName=",        "FontBold=-1",     "FontItalic=0",    "FontSize=0",
        "FontUnderline=0",  "FontStrikethru=0", "Alignment=0",    "BorderWidth=0",
        "BorderColor=-2147483640",
        "",                 "[Controls3]",     "KeyName=m1",
    };
    const int start = int(lines.indexOf("[Controls2]")) - 1;
    EXPECT_EQ(lines.mid(start, expected.size()), expected);
    EXPECT_EQ(lines.mid(33, 11).join("|"),
              "[Controls1]|KeyName=n1|ControlType=Label|GroupID=|ShowType=LottNumber|FieldValue=|"
              "Left=0|Top=0|Width=0|Height=0|IsAlwaysPrint=False");
}
