// The property grid with several elements selected: the rows they share, blank where their
// values differ, and an edit that goes to every one of them as one undo step.
#include "DesignerFixture.h"
#include "canvas/TemplateUndoStack.h"

#include <QSignalSpy>
#include <QTableWidget>
#include <QUndoStack>
#include <functional>

namespace {
clsPLControl labelOf(const QString &key, const QString &text, double left, double top, double width,
                     qint32 backColor)
{
    clsPLControl e = elements::Shown(elements::Label(key, text, left, top, width, 5));
    e.setFontSize(9);
    e.setBackColor(backColor);
    return e;
}

clsPLControl markAt(const QString &key, double left, double top, bool alwaysPrint)
{
    clsPLControl e = elements::Shown(elements::Mark(key, left, top, 4, 2, alwaysPrint));
    e.ApplyBlockStyle();
    return e;
}

// Three labels, three blocks (two of area 1), two marks and two lines, every one somewhere else.
colPLControls mixedTemplate()
{
    colPLControls t;
    t.setLayoutName("多选");
    t.setGroupLottNumberCountStr("1,1,1");
    t.Add(labelOf("L1", "甲", 20, 20, 10, RGB(255, 0, 0)));
    t.Add(labelOf("L2", "乙", 20, 30, 12, RGB(255, 0, 0)));
    t.Add(labelOf("L3", "甲", 35, 30, 10, RGB(0, 0, 255)));
    t.Add(blockAt("B1", "1", 40, 40));
    t.Add(blockAt("B2", "2", 50, 40));
    t.Add(blockAt("B3", "1", 60, 40));
    t.Add(markAt("M1", 70, 20, true));
    t.Add(markAt("M2", 70, 30, false));
    // Lengths no binary fraction holds: an end point worked out again would be rounded.
    t.Add(lineFrom("N1", 10.1, 20.3, 5.3, -4.7));
    t.Add(lineFrom("N2", 10.1, 50, 8, 0));
    return t;
}

const QStringList kLabelRows = {"内容", "对齐方式", "前景色", "背景色", "允许背景色", "边框", "字体",
                                "粗体", "斜体", "字体大小", "删除线", "下划线", "字符间距离(mm)",
                                "左位置(mm)", "顶位置(mm)", "宽度(mm)", "高度(mm)"};
} // namespace

class PropertyGridMultiEditTest : public DesignerTest {
protected:
    void SetUp() override { w->Load(mixedTemplate(), false); }
    kdPLControlProperties &grid() { return w->Properties(); }
    int steps() { return w->Undo().Stack().index(); }
    std::vector<clsPLControl> all()
    {
        std::vector<clsPLControl> out;
        for (const clsPLControl &e : w->Layout())
            out.push_back(e);
        return out;
    }
    // A colour cell shows no colour at all when the elements' colours differ.
    bool colorBlank(const QString &key)
    {
        return grid().Grid()->item(PropertyRowOf(key), 1)->background().style() == Qt::NoBrush;
    }
};

TEST_F(PropertyGridMultiEditTest, SeveralSelectedShowOnlyTheRowsEveryOneHas)
{
    struct Case {
        const char *name;
        std::function<void()> select;
        QStringList captions;
    };
    const std::vector<Case> cases = {
        {"two labels", [&] { w->Canvas().SelectKeys({"L1", "L2"}); }, kLabelRows},
        {"a label and a block", [&] { w->Canvas().SelectKeys({"L1", "B1"}); },
         {"左位置(mm)", "顶位置(mm)"}},
        {"a label and a mark", [&] { w->Canvas().SelectKeys({"M1", "L1"}); },
         {"左位置(mm)", "顶位置(mm)", "宽度(mm)", "高度(mm)"}},
        {"a block, a mark and a label", [&] { w->Canvas().SelectKeys({"B1", "M1", "L2"}); },
         {"左位置(mm)", "顶位置(mm)"}},
        {"two blocks", [&] { w->Canvas().SelectKeys({"B1", "B2"}); },
         {"填涂区", "号码", "左位置(mm)", "顶位置(mm)"}},
        {"two marks", [&] { w->Canvas().SelectKeys({"M1", "M2"}); },
         {"左位置(mm)", "顶位置(mm)", "宽度(mm)", "高度(mm)", "永远可见"}},
        {"two lines", [&] { w->Canvas().SelectKeys({"N1", "N2"}); },
         {"线颜色", "线型", "线宽", "X1(mm)", "Y1(mm)", "X2(mm)", "Y2(mm)"}},
        // A line's X1 is no label's left, its 线型 no label's 边框: nothing is shared.
        {"a label and a line", [&] { w->Canvas().SelectKeys({"L1", "N1"}); }, {}},
        // Shift and Ctrl clicks add to the selection; the grid follows at the press.
        {"Ctrl+click, then Shift+press", [&] {
             click(at(21, 21), KdPLDesinger::CtrlKey);
             w->Canvas().MouseDownAt(KdPLDesinger::LeftButton, KdPLDesinger::ShiftKey, at(41, 40.5));
         }, {"左位置(mm)", "顶位置(mm)"}},
        {"click, Ctrl+click, Ctrl+click", [&] {
             click(at(41, 40.5));
             click(at(51, 40.5), KdPLDesinger::CtrlKey);
             click(at(61, 40.5), KdPLDesinger::CtrlKey);
         }, {"填涂区", "号码", "左位置(mm)", "顶位置(mm)"}},
        // Back to one element: its own rows, all of them.
        {"two blocks, then a click on a label", [&] {
             w->Canvas().SelectKeys({"B1", "B2"});
             click(at(21, 21));
         }, kLabelRows},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        w->Canvas().SelectKeys({});
        c.select();
        EXPECT_EQ(visibleCaptions(), c.captions);
        // A press still held ends before the next case.
        w->Canvas().MouseUpAt(KdPLDesinger::LeftButton, 0, at(41, 40.5));
    }
}

TEST_F(PropertyGridMultiEditTest, ARowWhoseValuesDifferIsBlank)
{
    struct Case {
        QStringList keys;
        const char *row;
        QString shown; // "" for blank
    };
    const Case cases[] = {
        {{"L1", "L2"}, "LEFT", "20.00"},
        {{"L1", "L2"}, "TOP", ""},
        {{"L1", "L2"}, "WIDTH", ""},
        {{"L1", "L2"}, "HEIGHT", "5.00"},
        {{"L1", "L2"}, "FIELDVALUE", ""},
        {{"L1", "L3"}, "FIELDVALUE", "甲"},
        {{"L1", "L2", "L3"}, "FONTSIZE", "9"},
        {{"L1", "L2", "L3"}, "TOP", ""},
        {{"L2", "L3"}, "TOP", "30.00"},
        {{"B1", "B3"}, "GROUPID", "1"},
        {{"B1", "B2", "B3"}, "GROUPID", ""},
        {{"B1", "B2"}, "FIELDVALUE", "01"},
        {{"B1", "B2"}, "LEFT", ""},
        {{"B1", "L1"}, "TOP", ""},
        {{"M1", "M2"}, "ISALWAYSPRINT", ""},
        {{"M1", "M2"}, "WIDTH", "4.00"},
        {{"N1", "N2"}, "LEFT", "10.10"},
        {{"N1", "N2"}, "WIDTH", ""},  // X2: 15.40 and 18.10
        {{"N1", "N2"}, "HEIGHT", ""}, // Y2: 15.60 and 50.00
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.keys.join('+') + " " + c.row).toStdString());
        w->Canvas().SelectKeys(c.keys);
        EXPECT_EQ(grid().CellText(c.row), c.shown);
        EXPECT_FALSE(grid().Grid()->isRowHidden(PropertyRowOf(c.row)));
    }
    // Colours: the common one is shown, different ones leave the cell without a colour.
    w->Canvas().SelectKeys({"L1", "L2"});
    EXPECT_FALSE(colorBlank("BACKCOLOR"));
    EXPECT_EQ(grid().CellColor("BACKCOLOR"), RGB(255, 0, 0));
    w->Canvas().SelectKeys({"L1", "L3"});
    EXPECT_TRUE(colorBlank("BACKCOLOR"));
    EXPECT_FALSE(colorBlank("FORECOLOR"));
}

TEST_F(PropertyGridMultiEditTest, AnEditChangesEverySelectedElementAndOneUndoTakesItBack)
{
    struct Case {
        const char *name;
        QStringList keys;
        const char *row;
        QString text;
        std::function<void(clsPLControl &)> expect; // what the edit does to each of them
        QString shownAfter;
    };
    const std::vector<Case> cases = {
        {"labels' top", {"L1", "L2"}, "TOP", "33", [](clsPLControl &e) { e.setTop(33); }, "33.00"},
        {"three labels' width", {"L1", "L2", "L3"}, "WIDTH", "7.25",
         [](clsPLControl &e) { e.setWidth(7.25); }, "7.25"},
        {"a label's and a block's left", {"L1", "B1"}, "LEFT", "12.5",
         [](clsPLControl &e) { e.setLeft(12.5); }, "12.50"},
        {"blocks' fill area", {"B1", "B2"}, "GROUPID", "3",
         [](clsPLControl &e) { e.setGroupID("3"); }, "3"},
        {"labels' text", {"L1", "L2"}, "FIELDVALUE", "丙",
         [](clsPLControl &e) { e.setFieldValue("丙"); }, "丙"},
        {"marks printed always", {"M1", "M2"}, "ISALWAYSPRINT", "1",
         [](clsPLControl &e) { e.setIsAlwaysPrint(true); }, "1"},
        // X2 of two lines: each keeps its start point and its Y2.
        {"lines' X2", {"N1", "N2"}, "WIDTH", "30",
         [](clsPLControl &e) { e.setWidth(30 - e.Left()); }, "30.00"},
        {"lines' Y1", {"N1", "N2"}, "TOP", "25",
         [](clsPLControl &e) {
             e.setHeight(e.Top() + e.Height() - 25);
             e.setTop(25);
         }, "25.00"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        w->Load(mixedTemplate(), false);
        const std::vector<clsPLControl> before = all();
        w->Canvas().SelectKeys(c.keys);
        const int stepsBefore = steps();
        QSignalSpy repaints(&w->Canvas(), &KdPLDesinger::Repaint);
        grid().CommitEdit(c.row, c.text);
        EXPECT_EQ(repaints.count(), 1);
        EXPECT_EQ(steps(), stepsBefore + 1);
        EXPECT_EQ(grid().CellText(c.row), c.shownAfter);
        EXPECT_EQ(grid().ShownKeyNames(), c.keys);
        for (const clsPLControl &was : before) {
            clsPLControl expected = was;
            if (c.keys.contains(was.KeyName()))
                c.expect(expected);
            EXPECT_TRUE(element(was.KeyName()) == expected) << was.KeyName().toStdString();
        }
        w->Undo().Stack().undo();
        EXPECT_EQ(steps(), stepsBefore);
        EXPECT_TRUE(all() == before);
        EXPECT_FALSE(w->IsModified());
    }
}

TEST_F(PropertyGridMultiEditTest, AColourChosenForSeveralGoesToEveryOne)
{
    grid().setColorChooser([](qint32) { return std::optional<qint32>(RGB(0, 128, 0)); });
    w->Canvas().SelectKeys({"L1", "L3"});
    const int stepsBefore = steps();
    grid().PressButton("BACKCOLOR");
    EXPECT_EQ(element("L1").BackColor(), RGB(0, 128, 0));
    EXPECT_EQ(element("L3").BackColor(), RGB(0, 128, 0));
    EXPECT_EQ(element("L2").BackColor(), RGB(255, 0, 0));
    EXPECT_EQ(grid().CellColor("BACKCOLOR"), RGB(0, 128, 0));
    EXPECT_EQ(steps(), stepsBefore + 1);
    w->Undo().Stack().undo();
    EXPECT_EQ(element("L1").BackColor(), RGB(255, 0, 0));
    EXPECT_EQ(element("L3").BackColor(), RGB(0, 0, 255));
}

TEST_F(PropertyGridMultiEditTest, ARefusedValueOrABlankLeftBlankChangesNothing)
{
    struct Case {
        QStringList keys;
        const char *row;
        QString text;
        QString shownAfter; // the cell as it was
    };
    const Case cases[] = {
        {{"L1", "L2"}, "LEFT", "2O", "20.00"},
        {{"L1", "L2", "L3"}, "FONTSIZE", "九", "9"},
        {{"L1", "L2"}, "TOP", "", ""},     // blank, left blank
        {{"L1", "L2"}, "TOP", "3厘米", ""}, // blank, and no number either
        {{"N1", "N2"}, "WIDTH", "x", ""},
        {{"N1", "N2"}, "TOP", "y", ""},
        {{"M1", "M2"}, "ISALWAYSPRINT", "也许", ""},
        {{"L1", "B1"}, "LEFT", "左", ""},
    };
    const std::vector<clsPLControl> before = all();
    for (const Case &c : cases) {
        SCOPED_TRACE((c.keys.join('+') + " " + c.row + " " + c.text).toStdString());
        w->Canvas().SelectKeys(c.keys);
        QSignalSpy repaints(&w->Canvas(), &KdPLDesinger::Repaint);
        grid().CommitEdit(c.row, c.text);
        EXPECT_TRUE(all() == before);
        EXPECT_EQ(repaints.count(), 0);
        EXPECT_EQ(steps(), 0);
        EXPECT_FALSE(w->IsModified());
        EXPECT_EQ(grid().CellText(c.row), c.shownAfter);
    }
}

TEST_F(PropertyGridMultiEditTest, TheSharedValueFollowsAStepOfTheWholeSelection)
{
    w->Canvas().SelectKeys({"L1", "L2"});
    ASSERT_EQ(grid().CellText("LEFT"), "20.00");
    w->Canvas().KeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(grid().CellText("LEFT"), "20.10");
    EXPECT_EQ(grid().ShownKeyNames(), QStringList({"L1", "L2"}));
    w->Canvas().DoAlignmentSelectMul(4); // tops to the current one's
    EXPECT_EQ(grid().CellText("TOP"), "30.00");
    w->Undo().Stack().undo();
    EXPECT_EQ(grid().CellText("TOP"), "");
}
