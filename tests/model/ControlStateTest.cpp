// Elements to control states and back at the design scale.
#include "ElementBuilders.h"
#include "model/ControlState.h"
#include "model/clsPLControl.h"

#include <gtest/gtest.h>

namespace {

clsPLControl line(double left, double top, double dx, double dy)
{
    return elements::Shown(elements::Line(QString(), left, top, dx, dy, 2, 3, 0x0000FF));
}

TEST(ControlState, ALineRunsBetweenItsPointsAndReadsBackUnchanged)
{
    const clsPLControl e = line(10, 20, -5, 0);
    ControlState c;
    EXPECT_TRUE(Cls2Ctl(e, c, 56.7));
    EXPECT_TRUE(c.isLine);
    EXPECT_DOUBLE_EQ(c.x1, 567);
    EXPECT_DOUBLE_EQ(c.y1, 1134);
    EXPECT_DOUBLE_EQ(c.x2, 283.5);
    EXPECT_DOUBLE_EQ(c.y2, 1134);
    EXPECT_EQ(c.borderWidth, 3);
    clsPLControl back;
    back.setControlType(QStringLiteral("Line"));
    Ctl2Cls(c, back, 56.7);
    EXPECT_DOUBLE_EQ(back.Left(), 10);
    EXPECT_DOUBLE_EQ(back.Top(), 20);
    EXPECT_DOUBLE_EQ(back.Width(), -5);
    EXPECT_DOUBLE_EQ(back.Height(), 0);
    EXPECT_EQ(back.BorderColor(), 0x0000FF);
    EXPECT_EQ(back.BorderStyle(), 2);
}

TEST(ControlState, ALabelKeepsTheControlsFontWhereTheElementNamesNone)
{
    clsPLControl e;
    e.setControlType(QStringLiteral("Label"));
    e.setFieldValue(QStringLiteral("{页码}"));
    e.setLeft(1);
    e.setWidth(4);
    e.setHeight(2);
    e.setSpaceBetweenChar(100);
    ControlState c;
    c.fontName = QStringLiteral("宋体");
    c.fontSize = 9;
    Cls2Ctl(e, c, 85.05);
    EXPECT_EQ(c.fontName, "宋体");
    EXPECT_EQ(c.fontSize, 9);
    EXPECT_EQ(c.caption, "{页码}");
    EXPECT_DOUBLE_EQ(c.width, 340.2);
    EXPECT_EQ(c.spaceBetweenChar, 100); // twips, not scaled
    EXPECT_FALSE(c.visible);
    e.setFontName(QStringLiteral("黑体"));
    e.setFontSize(12);
    Cls2Ctl(e, c, 85.05);
    EXPECT_EQ(c.fontName, "黑体");
    EXPECT_EQ(c.fontSize, 12);
}

TEST(ControlState, FontFlagsComeBackAsMinusOneOnlyWhenTheyChange)
{
    struct Case {
        qint32 stored;
        bool control;
        qint32 expected;
    };
    for (const Case &c : {Case{0, true, -1}, Case{1, true, 1}, Case{-1, false, 0}, Case{0, false, 0}}) {
        clsPLControl e;
        e.setControlType(QStringLiteral("Label"));
        e.setFontBold(c.stored);
        ControlState s;
        Cls2Ctl(e, s, 85.05);
        s.fontBold = c.control;
        Ctl2Cls(s, e, 85.05);
        EXPECT_EQ(e.FontBold(), c.expected) << c.stored << " " << c.control;
    }
}

} // namespace
