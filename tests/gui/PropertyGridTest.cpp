#include "gui/kdPLControlProperties.h"
#include "common/DesignScale.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
clsPLControl element(const char *controlType, const char *showType)
{
    clsPLControl e;
    e.setKeyName("K1");
    e.setControlType(controlType);
    e.setShowType(showType);
    return e;
}

clsPLControl line(double left, double top, double width, double height)
{
    clsPLControl e = element("Line", "Line");
    e.setLeft(left);
    e.setTop(top);
    e.setWidth(width);
    e.setHeight(height);
    e.setBorderStyle(1);
    return e;
}

// The captions of the visible rows, top to bottom.
QStringList visibleCaptions(const kdPLControlProperties &p)
{
    QStringList out;
    for (int r = 0; r < p.Grid()->rowCount(); ++r) {
        if (!p.Grid()->isRowHidden(r))
            out << p.Grid()->item(r, 0)->text();
    }
    return out;
}
} // namespace

TEST(kdPLControlProperties, NothingSelectedShowsOnlyTheTips)
{
    kdPLControlProperties p;
    p.show();
    clsPLControl label = element("Label", "NormalLable");
    p.Obj2Me(&label);
    EXPECT_EQ(p.OldKeyName(), "K1");
    p.Obj2Me(nullptr);
    auto *tips = p.findChild<QPlainTextEdit *>("txtTip");
    ASSERT_NE(tips, nullptr);
    EXPECT_TRUE(tips->isVisible());
    EXPECT_FALSE(p.Grid()->isVisible());
    EXPECT_EQ(p.OldKeyName(), "");
    EXPECT_EQ(p.CellText("LEFT"), "");
    const QStringList lines = tips->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[6], "    小技巧：您可以使用画线功能来测量投注单设计图的位置、距离");
    EXPECT_EQ(p.Grid()->horizontalHeaderItem(0)->text(), "属性");
    EXPECT_EQ(p.Grid()->horizontalHeaderItem(1)->text(), "设置值");
}

TEST(kdPLControlProperties, EachKindShowsItsRowsWithItsCaptions)
{
    struct Case {
        const char *controlType;
        const char *showType;
        QStringList captions;
    };
    const Case cases[] = {
        {"Label", "LottNumber", {"填涂区", "号码", "左位置(mm)", "顶位置(mm)"}},
        {"Label", "LocateMark", {"左位置(mm)", "顶位置(mm)", "宽度(mm)", "高度(mm)", "永远可见"}},
        {"Line", "Line", {"线颜色", "线型", "线宽", "X1(mm)", "Y1(mm)", "X2(mm)", "Y2(mm)"}},
        {"Label", "NormalLable",
         {"内容", "对齐方式", "前景色", "背景色", "允许背景色", "边框", "字体", "粗体", "斜体",
          "字体大小", "删除线", "下划线", "字符间距离(mm)", "左位置(mm)", "顶位置(mm)",
          "宽度(mm)", "高度(mm)"}},
        {"Label", "Barcode", {}},
    };
    kdPLControlProperties p;
    for (const Case &c : cases) {
        // Shown one after another: a kind's captions must not leak into the next.
        clsPLControl e = element(c.controlType, c.showType);
        p.Obj2Me(&e);
        EXPECT_EQ(visibleCaptions(p), c.captions) << c.showType;
    }
}

TEST(kdPLControlProperties, ValuesAreShownAsTheGridWritesThem)
{
    kdPLControlProperties p;
    clsPLControl label = element("Label", "NormalLable");
    label.setFieldValue("{页码}");
    label.setLeft(3.14159);
    label.setWidth(20);
    label.setSpaceBetweenChar(12.5);
    label.setFontSize(10.5);
    label.setFontBold(-1);
    label.setBackColor(RGB(255, 0, 0));
    label.setIsAlwaysPrint(true);
    p.Obj2Me(&label);
    EXPECT_EQ(p.CellText("FIELDVALUE"), "{页码}");
    EXPECT_EQ(p.CellText("LEFT"), "3.14");
    EXPECT_EQ(p.CellText("WIDTH"), "20.00");
    EXPECT_EQ(p.CellText("SPACEBETWEENCHAR"), "12.50");
    EXPECT_EQ(p.CellText("FONTSIZE"), "10.5");
    EXPECT_EQ(p.CellText("FONTBOLD"), "-1");
    EXPECT_EQ(p.CellText("ISALWAYSPRINT"), "1");
    EXPECT_EQ(p.CellText("KEYNAME"), "K1");
    EXPECT_EQ(p.CellColor("BACKCOLOR"), RGB(255, 0, 0));
    EXPECT_EQ(p.Grid()->item(PropertyRowOf("BACKCOLOR"), 1)->background().color(), QColor(255, 0, 0));
}

TEST(kdPLControlProperties, ALineShowsItsEndPointAndTakesX2Back)
{
    kdPLControlProperties p;
    clsPLControl l = line(10, 20, 5, -4);
    p.Obj2Me(&l);
    EXPECT_EQ(p.CellText("LEFT"), "10.00");
    EXPECT_EQ(p.CellText("TOP"), "20.00");
    EXPECT_EQ(p.CellText("WIDTH"), "15.00");
    EXPECT_EQ(p.CellText("HEIGHT"), "16.00");
    p.CommitEdit("WIDTH", "12");
    p.Me2Obj(l);
    EXPECT_DOUBLE_EQ(l.Width(), 2);
    EXPECT_DOUBLE_EQ(l.Height(), -4);
    EXPECT_DOUBLE_EQ(l.Left(), 10);
}

TEST(kdPLControlProperties, EditsGoBackIntoTheElementAndBadTextsKeepTheValue)
{
    struct Case {
        const char *showType;
        const char *key;
        const char *text;
        std::function<double(const clsPLControl &)> read;
        double expected;
    };
    const Case cases[] = {
        {"NormalLable", "LEFT", "7.25", [](const clsPLControl &e) { return e.Left(); }, 7.25},
        {"NormalLable", "LEFT", "2*3+1", [](const clsPLControl &e) { return e.Left(); }, 7},
        {"NormalLable", "LEFT", "abc", [](const clsPLControl &e) { return e.Left(); }, 1.234567},
        {"NormalLable", "FONTSIZE", "zz", [](const clsPLControl &e) { return e.FontSize(); }, 9},
        {"NormalLable", "ALIGNMENT", "2", [](const clsPLControl &e) { return e.Alignment(); }, 2},
        {"NormalLable", "ALIGNMENT", "x", [](const clsPLControl &e) { return e.Alignment(); }, 1},
        {"LocateMark", "ISALWAYSPRINT", "1", [](const clsPLControl &e) { return e.IsAlwaysPrint(); }, 1},
        {"Line", "LEFT", "12", [](const clsPLControl &e) { return e.Left() + e.Width(); }, 4},
        {"Line", "HEIGHT", "oops", [](const clsPLControl &e) { return e.Top() + e.Height(); }, 5},
    };
    for (const Case &c : cases) {
        kdPLControlProperties p;
        clsPLControl e = element(c.showType == std::string("Line") ? "Line" : "Label", c.showType);
        e.setLeft(1.234567);
        e.setTop(2);
        e.setWidth(2.765433); // a line ends at (4, 5)
        e.setHeight(3);
        e.setFontSize(9);
        e.setAlignment(1);
        p.Obj2Me(&e);
        p.CommitEdit(c.key, c.text);
        p.Me2Obj(e);
        EXPECT_NEAR(c.read(e), c.expected, 1e-9) << c.showType << " " << c.key << " " << c.text;
        // Cells nobody edited do not round the element to the two decimals they show.
        if (std::string(c.key) != "LEFT")
            EXPECT_DOUBLE_EQ(e.Left(), 1.234567) << c.key;
    }
}

TEST(kdPLControlProperties, EditorsFollowTheRowAndTheKind)
{
    clsPLControl lineEl = line(0, 0, 1, 1);
    clsPLControl label = element("Label", "NormalLable");
    clsPLControl block = element("Label", "LottNumber");
    clsPLControl mark = element("Label", "LocateMark");
    auto ids = [](const PropertyEditor &ed) {
        QStringList out;
        for (const PropertyListEntry &e : ParsePropertyList(ed.list))
            out << e.id + "=" + e.caption;
        return out;
    };
    EXPECT_EQ(ids(PropertyEditorFor("BORDERSYTLE", label)), QStringList({"0=无边框", "1=有边框"}));
    EXPECT_EQ(ids(PropertyEditorFor("BORDERSYTLE", lineEl)),
              QStringList({"1=实线", "2=虚线", "3=点线", "4=点划线", "5=双点划线", "6=Inside Solid"}));
    EXPECT_EQ(ids(PropertyEditorFor("ALIGNMENT", label)), QStringList({"0=左对齐", "1=右对齐", "2=居中"}));
    EXPECT_EQ(ids(PropertyEditorFor("FONTBOLD", label)), QStringList({"0=否", "1=是"}));
    EXPECT_EQ(ids(PropertyEditorFor("ISALWAYSPRINT", mark)), QStringList({"0=否", "1=是"}));
    EXPECT_EQ(PropertyEditorFor("ISALWAYSPRINT", label).kind, PropertyEditorKind::Text);
    EXPECT_EQ(PropertyEditorFor("FIELDVALUE", label).kind, PropertyEditorKind::EditableList);
    EXPECT_EQ(PropertyEditorFor("FIELDVALUE", label).list, "|{页码}|{注序号}|{日期}");
    EXPECT_EQ(PropertyEditorFor("FIELDVALUE", block).kind, PropertyEditorKind::Text);
    for (const char *key : {"FORECOLOR", "BACKCOLOR", "BORDERCOLOR", "FONTNAME"})
        EXPECT_EQ(PropertyEditorFor(key, label).kind, PropertyEditorKind::Button) << key;
    EXPECT_TRUE(PropertyEditorFor("FONTBOLD", label).list.contains('\t'));
}

TEST(kdPLControlProperties, EditingACellInTheGridOpensItsListAndRaisesBothEvents)
{
    kdPLControlProperties p;
    p.resize(400, 600);
    p.show();
    clsPLControl l = line(0, 0, 1, 1);
    p.Obj2Me(&l);
    QSignalSpy before(&p, &kdPLControlProperties::BeforePropertyChanged);
    QSignalSpy after(&p, &kdPLControlProperties::AfterPropertyChanged);
    const int row = PropertyRowOf("BORDERSYTLE");
    p.Grid()->setCurrentCell(row, 1); // activating the cell starts the editor at once
    auto *combo = p.Grid()->findChild<QComboBox *>("cboPropertyList");
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 6);
    EXPECT_EQ(combo->currentData().toString(), "1");
    combo->setCurrentIndex(2);
    p.Grid()->setCurrentCell(PropertyRowOf("LEFT"), 0); // leaving commits
    ASSERT_EQ(after.size(), 1);
    EXPECT_EQ(after[0][0].toString(), "BORDERSYTLE");
    EXPECT_EQ(after[0][1].toString(), "3");
    ASSERT_EQ(before.size(), 1);
    EXPECT_EQ(before[0][1].toString(), "1");
    p.Me2Obj(l);
    EXPECT_EQ(l.BorderStyle(), 3);
}

TEST(kdPLControlProperties, CancellingBeforePropertyChangedKeepsTheOldValue)
{
    kdPLControlProperties p;
    clsPLControl label = element("Label", "NormalLable");
    label.setLeft(4);
    p.Obj2Me(&label);
    QObject::connect(&p, &kdPLControlProperties::BeforePropertyChanged,
                     [](const QString &, const QString &, const QString &, bool *cancel) { *cancel = true; });
    QSignalSpy after(&p, &kdPLControlProperties::AfterPropertyChanged);
    p.CommitEdit("LEFT", "9");
    EXPECT_EQ(p.CellText("LEFT"), "4.00");
    EXPECT_EQ(after.size(), 0);
}

TEST(kdPLControlProperties, ColourAndFontButtonsWriteTheChoiceBack)
{
    kdPLControlProperties p;
    p.show();
    clsPLControl label = element("Label", "NormalLable");
    label.setFontName("Serif");
    label.setFontSize(9);
    label.setForeColor(RGB(1, 2, 3));
    p.Obj2Me(&label);
    clsStructFont seen;
    p.setColorChooser([](qint32) { return std::optional<qint32>(RGB(0, 128, 255)); });
    p.setFontChooser([&](const clsStructFont &f) {
        seen = f;
        clsStructFont out = f;
        out.setFontName("Sans");
        out.setFontSize(14);
        out.setFontBold(true);
        return std::optional<clsStructFont>(out);
    });
    QSignalSpy after(&p, &kdPLControlProperties::AfterPropertyChanged);
    p.findChild<QToolButton *>("cmdChooseBACKCOLOR")->click();
    p.PressButton("FONTNAME");
    EXPECT_EQ(seen.FontName(), "Serif");
    EXPECT_EQ(seen.FontSize(), 9);
    EXPECT_EQ(seen.FontColor(), RGB(1, 2, 3));
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after[0][0].toString(), "BACKCOLOR");
    EXPECT_EQ(after[1][0].toString(), "FONTNAME");
    p.Me2Obj(label);
    EXPECT_EQ(label.BackColor(), RGB(0, 128, 255));
    EXPECT_EQ(label.FontName(), "Sans");
    EXPECT_DOUBLE_EQ(label.FontSize(), 14);
    EXPECT_EQ(label.FontBold(), -1);
    EXPECT_EQ(label.FontItalic(), 0);

    // A chooser that is cancelled changes nothing.
    p.setColorChooser([](qint32) { return std::optional<qint32>(); });
    p.PressButton("FORECOLOR");
    EXPECT_EQ(after.size(), 2);
}
