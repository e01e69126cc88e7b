#include "model/ElementFields.h"
#include "model/clsPLControl.h"
#include "model/clsStructFont.h"
#include "common/DesignScale.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {
clsPLControl labelWithEverySet()
{
    clsPLControl c;
    c.setKeyName("lbl7");
    c.setControlType("Label");
    c.setShowType("LocateMark");
    c.setGroupID("3");
    c.setFieldValue("x");
    c.setLeft(1.25);
    c.setTop(-2);
    c.setWidth(3);
    c.setHeight(4.5);
    c.setBorderStyle(1);
    c.setBackStyle(1);
    c.setBackColor(255);
    c.setForeColor(-2147483633);
    c.setVisible(1);
    c.setZorderSeq(9);
    c.setSpaceBetweenChar(0.5);
    c.setFormatString("0.0");
    c.setFontName("宋体");
    c.setFontBold(-1);
    c.setFontItalic(-1);
    c.setFontSize(10.5);
    c.setFontUnderline(-1);
    c.setFontStrikethru(-1);
    c.setAlignment(1);
    c.setBorderWidth(2);
    c.setBorderColor(65280);
    c.setTempIndex(12);
    c.setIsAllowResize(false);
    c.setIsAlwaysPrint(true);
    return c;
}
} // namespace

TEST(clsPLControl, NewElementIsAResizableNeverAlwaysPrintedLabelWithZerosAndEmptyTexts)
{
    const clsPLControl c;
    EXPECT_EQ(c.ShowType(), "NormalLable");
    EXPECT_TRUE(c.IsAllowResize());
    EXPECT_FALSE(c.IsAlwaysPrint());
    for (const QString &text : {c.KeyName(), c.ControlType(), c.GroupID(), c.FieldValue(),
                                c.FormatString(), c.FontName()})
        EXPECT_TRUE(text.isEmpty());
    for (double number : {c.Left(), c.Top(), c.Width(), c.Height(), c.SpaceBetweenChar(),
                          c.FontSize()})
        EXPECT_EQ(number, 0.0);
    for (qint32 number : {c.BorderStyle(), c.BackStyle(), c.BackColor(), c.ForeColor(),
                          c.Visible(), c.ZorderSeq(), c.FontBold(), c.FontItalic(),
                          c.FontUnderline(), c.FontStrikethru(), c.Alignment(), c.BorderWidth(),
                          c.BorderColor(), c.TempIndex()})
        EXPECT_EQ(number, 0);
}

TEST(clsPLControl, CopyFromCarriesEveryPropertyIncludingTempIndexAndResizeFlag)
{
    const clsPLControl source = labelWithEverySet();
    clsPLControl target;
    target.CopyFrom(source);
    EXPECT_EQ(target, source);
    EXPECT_EQ(target.TempIndex(), 12);
    EXPECT_FALSE(target.IsAllowResize());
}

TEST(clsPLControl, OnlyLabelsShownAsNumberOrMarkHaveTheFixedStyle)
{
    struct Case {
        const char *controlType;
        const char *showType;
        bool blockOrMark;
    };
    const Case cases[] = {
        {"Label", "LottNumber", true},   {"Label", "LocateMark", true},
        {"Label", "NormalLable", false}, {"Line", "Line", false},
        {"Line", "LottNumber", false},   {"label", "LottNumber", false},
        {"Label", "lottnumber", false},  {"Label", "", false},
    };
    for (const Case &c : cases) {
        clsPLControl e;
        e.setControlType(c.controlType);
        e.setShowType(c.showType);
        EXPECT_EQ(e.IsBlockOrMark(), c.blockOrMark) << c.controlType << "/" << c.showType;
    }
}

TEST(clsPLControl, BlockStyleColoursByGroupAndKeepsGeometry)
{
    struct Case {
        const char *group;
        qint32 back;
    };
    const Case cases[] = {{"2", RGB(128, 0, 0)}, {"1", RGB(0, 0, 128)},
                          {"", RGB(255, 255, 128)}, {"14", RGB(255, 255, 128)}};
    for (const Case &c : cases) {
        clsPLControl e = labelWithEverySet();
        e.setGroupID(c.group);
        e.ApplyBlockStyle();
        EXPECT_EQ(e.BackColor(), c.back) << c.group;
        EXPECT_EQ(e.ForeColor(), c.back ^ 0xFFFFFF) << c.group;
        EXPECT_EQ(e.BackStyle(), 1);
        EXPECT_EQ(e.Visible(), 1);
        EXPECT_EQ(e.FontSize(), 8.0);
        EXPECT_EQ(e.Alignment(), 2);
        EXPECT_EQ(e.FontBold() | e.FontItalic() | e.FontUnderline() | e.FontStrikethru(), 0);
        EXPECT_FALSE(e.IsAllowResize());
        // What the style does not cover stays as it was.
        EXPECT_EQ(e.Left(), 1.25);
        EXPECT_EQ(e.BorderStyle(), 1);
        EXPECT_EQ(e.FontName(), "宋体");
        EXPECT_TRUE(e.IsAlwaysPrint());
    }
    clsPLControl two;
    two.setGroupID("2");
    two.ApplyBlockStyle();
    EXPECT_EQ(two.ForeColor(), RGB(127, 255, 255));
}

TEST(clsStructFont, StartsWithFalseEmptyAndZero)
{
    clsStructFont f;
    EXPECT_FALSE(f.FontBold() || f.FontItalic() || f.FontStrikethru() || f.FontUnderline());
    EXPECT_EQ(f.FontName(), "");
    EXPECT_EQ(f.FontSize(), 0);
    EXPECT_EQ(f.FontColor(), 0);
}

namespace {
// Copies one field from `from` to `to` through the field table.
void copyField(const ElementField &f, const clsPLControl &from, clsPLControl &to)
{
    switch (f.Type) {
    case ElementFieldType::Text: (to.*f.SetText)((from.*f.GetText)()); break;
    case ElementFieldType::Double: (to.*f.SetDouble)((from.*f.GetDouble)()); break;
    case ElementFieldType::Int32: (to.*f.SetInt32)((from.*f.GetInt32)()); break;
    case ElementFieldType::Bool: (to.*f.SetBool)((from.*f.GetBool)()); break;
    }
}
} // namespace

TEST(ElementFields, TheTableReachesEveryFieldOnceAndEqualityComparesThemAll)
{
    const clsPLControl every = labelWithEverySet(); // no field at its default
    clsPLControl built;
    QStringList names;
    for (const ElementField &f : ElementFields()) {
        names << QLatin1String(f.Name);
        // Each field on its own makes an element differ from a new one.
        clsPLControl one;
        copyField(f, every, one);
        EXPECT_NE(one, clsPLControl()) << f.Name;
        copyField(f, every, built);
    }
    // Had the table missed a field, the element built through it would lack that value.
    EXPECT_EQ(built, every);
    names.removeDuplicates();
    EXPECT_EQ(names.size(), ElementFieldCount);
    // The file holds all but the two the designer keeps.
    QStringList notStored;
    for (const ElementField &f : ElementFields())
        if (f.Storage == ElementFieldStorage::Never)
            notStored << QLatin1String(f.Name);
    EXPECT_EQ(notStored, (QStringList{"TempIndex", "IsAllowResize"}));
}
