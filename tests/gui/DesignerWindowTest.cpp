#include "ElementBuilders.h"
#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "canvas/TemplateUndoStack.h"
#include "common/DesignScale.h"
#include "common/TextFile.h"
#include "common/clsRegIni.h"
#include "gui/KdPopupMenu.h"
#include "gui/frmPLDesigner.h"
#include "gui/kdPLControlProperties.h"
#include "storage/clsPLStoreINI.h"
#include "DiskSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <deque>
#include <gtest/gtest.h>

#include "DesignerFixture.h"

namespace {
// Once the menu is up, records its captions and dismisses it.
void dismissMenuRecording(QStringList *captions)
{
    QTimer::singleShot(50, [captions] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *a : menu->actions())
            *captions << (a->isSeparator() ? QString("-") : a->text());
        QTest::keyClick(menu, Qt::Key_Escape);
    });
}
} // namespace

TEST_F(DesignerTest, SaveWithoutAPathAsksForAFileAndRefusesOtherFolders)
{
    ScriptedMsgBox box;
    w->Load(m_layout, true);
    const QString outside = makeTempDir() + "/x.tzd";
    const QString inside = templates() + "新模板.tzd";
    m_saveAnswers = {outside, inside};
    EXPECT_TRUE(w->cmdSave_Click());
    EXPECT_EQ(m_saveDialogs, 2);
    const QString refusal = QString("请保存到目录 [%1] 中！").arg(templates());
    EXPECT_EQ(box.texts(), QStringList({refusal, "布局保存成功！"}));
    EXPECT_FALSE(QFile::exists(outside));
    ASSERT_TRUE(QFile::exists(inside));
    EXPECT_EQ(w->Layout().PathFile(), inside);
    EXPECT_EQ(shownTitle(), QString("打印设计器 - [测试] - %1").arg(inside));
    EXPECT_FALSE(w->IsModified());
    drag(at(25, 22), at(35, 32));
    EXPECT_EQ(shownTitle(), QString("打印设计器 - [测试] - %1*").arg(inside));

    colPLControls reread;
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(inside, reread));
    EXPECT_EQ(reread.Count(), 4);
    EXPECT_DOUBLE_EQ(reread.Item("AL1").Left(), 20); // the drag came after the save

    // A cancelled dialog saves nothing.
    m_saveAnswers = {};
    EXPECT_FALSE(w->cmdSaveAs_Click());
    EXPECT_EQ(box.texts().size(), 2);
}

TEST_F(DesignerTest, ClosingAsksToSaveAfterAMoveButNotAfterASave)
{
    {
        ScriptedMsgBox box;
        box.queue(MsgAnswer::No);
        w->Load(m_layout, false);
        drag(at(25, 22), at(35, 32));
        EXPECT_NEAR(element("L1").Left(), 30, 0.05);
        EXPECT_TRUE(w->IsModified());
        w->reject();
        EXPECT_EQ(box.texts(), QStringList({"是否保存?"}));
        EXPECT_EQ(box.shown()[0].style, MsgStyle::QuestionCancel);
    }
    {
        ScriptedMsgBox box;
        m_layout.setPathFile(templates() + "a.tzd");
        w->Load(m_layout, false);
        drag(at(25, 22), at(35, 32));
        EXPECT_TRUE(w->cmdSave_Click());
        w->reject();
        EXPECT_EQ(box.texts(), QStringList({"布局保存成功！"}));
    }
}

TEST_F(DesignerTest, YesToTheCloseQuestionSaves)
{
    ScriptedMsgBox box; // answers Yes
    m_layout.setPathFile(templates() + "b.tzd");
    w->Load(m_layout, false);
    drag(at(25, 22), at(35, 32));
    w->reject();
    EXPECT_EQ(box.texts(), QStringList({"是否保存?", "布局保存成功！"}));
    colPLControls reread;
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(templates() + "b.tzd", reread));
    EXPECT_NEAR(reread.Item("AL1").Left(), 30, 0.05);
}

TEST_F(DesignerTest, DeletingAsksAndNoKeepsEverything)
{
    ScriptedMsgBox box;
    w->Load(m_layout, false);
    w->popMenu_mnuClick("DELETE-CURRENT");
    EXPECT_EQ(box.texts(), QStringList({"请选择要删除的对象！"}));

    click(at(25, 22));
    ASSERT_NE(w->Canvas().GetCurrentControl(), nullptr);
    box.queue(MsgAnswer::No);
    w->popMenu_mnuClick("DELETE-CURRENT");
    EXPECT_EQ(box.shown().back().text, "是否要删除当前选中的对象？");
    EXPECT_EQ(box.shown().back().style, MsgStyle::ConfirmDefaultNo);
    EXPECT_NE(w->Canvas().GetOneControlByKeyName("L1"), nullptr);
    EXPECT_FALSE(w->IsModified());

    w->popMenu_mnuClick("DELETE-CURRENT"); // Yes
    EXPECT_EQ(w->Canvas().GetOneControlByKeyName("L1"), nullptr);
    EXPECT_TRUE(w->IsModified()); // nothing is lost without the close question
    w->Undo().Stack().undo();
    EXPECT_NE(w->Canvas().GetOneControlByKeyName("L1"), nullptr);
    EXPECT_FALSE(w->IsModified());
}

TEST_F(DesignerTest, TheRightClickMenuGreysDeleteWhileNothingIsCurrent)
{
    w->Load(m_layout, false);
    w->show();
    QStringList captions;
    dismissMenuRecording(&captions);
    w->Canvas().MouseDownAt(KdPLDesinger::RightButton, 0, at(150, 150));
    w->Canvas().MouseUpAt(KdPLDesinger::RightButton, 0, at(150, 150));
    EXPECT_EQ(captions, QStringList({"批量添加【号码】填涂块(&L)", "批量添加【附加】填涂块(&M)", "识别填涂块(&I)", "-",
                                     "添加【号码】填涂块(&O)", "添加【附加】填涂块(&R)", "添加文字(&B)",
                                     "画线(&L)", "-", "删除选中项(&D)", "-", "剪切(&T)\tCtrl+X",
                                     "复制(&C)\tCtrl+C", "粘贴(&V)\tCtrl+V", "再制(&U)\tCtrl+D", "-",
                                     "检查模板(&K)", "投注单设置(&Z)", "-",
                                     "适合窗口(&W)\tCtrl+0", "测量距离(&E)\tCtrl+M", "锁定底图(&J)", "网格(&G)", "-",
                                     "打印预览(&P)", "保存(&S)\tCtrl+S", "另存为(&A)\tCtrl+Shift+S"}));
    EXPECT_FALSE(w->PopMenu().GetEnable("DELETE-CURRENT"));
    EXPECT_FALSE(w->PopMenu().GetEnable("COPY"));
    EXPECT_FALSE(w->PopMenu().GetEnable("PASTE"));

    click(at(25, 22));
    captions.clear();
    dismissMenuRecording(&captions);
    w->ShowPopMenu(0, 0);
    EXPECT_EQ(captions.size(), 27);
    EXPECT_TRUE(w->PopMenu().GetEnable("DELETE-CURRENT"));
    EXPECT_TRUE(w->PopMenu().GetEnable("COPY"));
    EXPECT_FALSE(w->PopMenu().GetEnable("PASTE")); // nothing copied yet
}

TEST_F(DesignerTest, ZoomStopsAtItsBounds)
{
    w->Load(m_layout, false);
    struct Case {
        bool in;
        int clicks;
        double expected;
    };
    for (const Case &c : {Case{true, 3, 283.5}, Case{true, 4, 283.5}, Case{false, 5, 11.2},
                          Case{false, 6, 11.2}, Case{true, 1, 127.575}}) {
        SetDesignScale(0);
        for (int i = 0; i < c.clicks; ++i)
            c.in ? w->cmdZoomIn_Click() : w->cmdZoomOut_Click();
        EXPECT_NEAR(GetDesignScale(), c.expected, 1e-9) << c.in << " " << c.clicks;
    }
    // Back from the upper bound: the bound, not what was asked, is where the next step starts.
    SetDesignScale(0);
    for (int i = 0; i < 4; ++i)
        w->cmdZoomIn_Click();
    w->cmdZoomOut_Click();
    EXPECT_NEAR(GetDesignScale(), 189.0, 1e-9);
}

TEST_F(DesignerTest, TheGridShowsWhatIsClickedAndItsEditsAreUndoable)
{
    w->Load(m_layout, false);
    click(at(41, 40.5));
    EXPECT_EQ(visibleCaptions(), QStringList({"填涂区", "号码", "左位置(mm)", "顶位置(mm)"}));
    EXPECT_EQ(w->Properties().OldKeyName(), "B1");

    click(at(12, 19)); // on the line from (10, 20) to (15, 16)
    ASSERT_EQ(w->Properties().OldKeyName(), "N1");
    EXPECT_EQ(visibleCaptions(), QStringList({"线颜色", "线型", "线宽", "X1(mm)", "Y1(mm)", "X2(mm)", "Y2(mm)"}));
    EXPECT_EQ(w->Properties().CellText("WIDTH"), "15.00");
    EXPECT_EQ(w->Properties().CellText("HEIGHT"), "16.00");
    w->Properties().CommitEdit("WIDTH", "12");
    EXPECT_DOUBLE_EQ(element("N1").Width(), 2);
    EXPECT_DOUBLE_EQ(element("N1").Height(), -4);
    EXPECT_TRUE(w->IsModified());
    w->Undo().Stack().undo();
    EXPECT_DOUBLE_EQ(element("N1").Width(), 5);
    EXPECT_FALSE(w->IsModified());
    // Undo showed the element as it is again.
    EXPECT_EQ(w->Properties().CellText("WIDTH"), "15.00");

    // A typo changes nothing and is no step; the cell shows the value again.
    w->Properties().CommitEdit("LEFT", "1O");
    EXPECT_DOUBLE_EQ(element("N1").Left(), 10);
    EXPECT_EQ(w->Properties().CellText("LEFT"), "10.00");
    EXPECT_FALSE(w->IsModified());
    EXPECT_EQ(w->Undo().Stack().count(), 1); // only the X2 edit, undone
}

TEST_F(DesignerTest, UndoAndRedoADragAndADelete)
{
    ScriptedMsgBox box;
    w->Load(m_layout, false);
    drag(at(25, 22), at(35, 32));
    w->popMenu_mnuClick("DELETE-CURRENT");
    ASSERT_EQ(w->Canvas().GetOneControlByKeyName("L1"), nullptr);
    QUndoStack &stack = w->Undo().Stack();
    stack.undo();
    EXPECT_NEAR(element("L1").Left(), 30, 0.05);
    stack.undo();
    EXPECT_DOUBLE_EQ(element("L1").Left(), 20);
    EXPECT_FALSE(w->IsModified());
    stack.redo();
    stack.redo();
    EXPECT_EQ(w->Canvas().GetOneControlByKeyName("L1"), nullptr);
}

TEST_F(DesignerTest, NewBlockSizeInThePropertiesResizesAndRecoloursEveryBlock)
{
    w->Load(m_layout, false);
    w->windows().lottProperty = [](colPLControls &layout, bool isNew) {
        EXPECT_FALSE(isNew);
        layout.setLottNumberWidth(4.5);
        layout.setLottNumberHeight(2.25);
        return frmPLDesigner::PropertiesRun::Accepted;
    };
    // A block whose colours went astray gets its area's again.
    clsPLControl odd = element("B2");
    odd.setBackColor(RGB(1, 2, 3));
    w->Canvas().UpdateOneControl(odd);
    w->cmdPLProperty_Click();
    for (const char *key : {"B1", "B2"}) {
        const clsPLControl &b = element(key);
        EXPECT_DOUBLE_EQ(b.Width(), 4.5) << key;
        EXPECT_DOUBLE_EQ(b.Height(), 2.25) << key;
        EXPECT_EQ(b.BackColor(), GetGroupColor(b.GroupID())) << key;
        EXPECT_EQ(b.ForeColor(), InvertColor(b.BackColor())) << key;
    }
    EXPECT_DOUBLE_EQ(element("L1").Width(), 10);
    EXPECT_TRUE(w->IsModified());
    EXPECT_EQ(w->Properties().OldKeyName(), ""); // nothing was selected, nothing is shown
    EXPECT_NE(GetGroupColor("1"), GetGroupColor("2"));

    w->Undo().Stack().undo();
    EXPECT_DOUBLE_EQ(element("B1").Width(), 3);
    EXPECT_DOUBLE_EQ(w->Layout().LottNumberWidth(), m_layout.LottNumberWidth());
}

TEST_F(DesignerTest, ANewTemplateCancelledInItsPropertiesClosesWithoutAQuestion)
{
    ScriptedMsgBox box;
    colPLControls fresh;
    bool asked = false;
    w->windows().lottProperty = [&](colPLControls &, bool isNew) {
        asked = isNew;
        return frmPLDesigner::PropertiesRun::Cancelled;
    };
    w->Load(fresh, true);
    w->show();
    ASSERT_TRUE(WaitUntil([&] { return !w->isVisible(); }, 2000));
    EXPECT_TRUE(asked);
    EXPECT_TRUE(box.texts().isEmpty());
}

TEST_F(DesignerTest, AnExistingTemplateStaysOpenWhenItsPropertiesAreCancelled)
{
    int runs = 0;
    w->windows().lottProperty = [&](colPLControls &, bool) {
        ++runs;
        return frmPLDesigner::PropertiesRun::Cancelled;
    };
    w->Load(m_layout, false);
    w->show();
    QTest::qWait(50);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(w->IsModified());
    w->hide();
}

TEST_F(DesignerTest, AFailedSaveShowsTheReasonOnceAndKeepsFileAndModifiedFlag)
{
    const QString path = templates() + "full.tzd";
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(path, m_layout));
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = before.readAll();
    before.close();

    ScriptedMsgBox box;
    w->Load(m_layout, false);
    drag(at(25, 22), at(35, 32));
    {
        DiskFullAfter full(16);
        EXPECT_FALSE(w->cmdSave_Click());
    }
    ASSERT_EQ(box.texts().size(), 1);
    EXPECT_TRUE(box.texts()[0].startsWith(QString("保存文件 %1 失败").arg(path))) << box.texts()[0].toStdString();
    EXPECT_TRUE(w->IsModified());
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), oldBytes);
    EXPECT_EQ(w->Layout().PathFile(), path);
}

TEST_F(DesignerTest, ATemplateNotReadCompletelyAsksBeforeItsFileIsOverwritten)
{
    const QString path = templates() + "half.tzd";
    WriteWholeTextFile(path, "[Base]\r\nLayoutName=半\r\nControlCount=abc\r\n");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = f.readAll();
    f.close();
    m_layout.setPathFile(path);

    ScriptedMsgBox box;
    box.queue(MsgAnswer::No);
    w->Load(m_layout, false, false);
    EXPECT_FALSE(w->cmdSave_Click());
    const QString question = QString("投注单模板文件 %1 没有完整读入，保存将覆盖原文件，是否继续？").arg(path);
    EXPECT_EQ(box.texts(), QStringList({question}));
    EXPECT_EQ(box.shown()[0].style, MsgStyle::ConfirmDefaultNo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), oldBytes);
    f.close();

    EXPECT_TRUE(w->cmdSave_Click()); // Yes
    EXPECT_EQ(box.texts().last(), "布局保存成功！");
    EXPECT_TRUE(w->cmdSave_Click()); // the file is whole now: no more question
    EXPECT_EQ(box.texts().size(), 4);
}

TEST_F(DesignerTest, ToolbarCarriesEveryCommandWithItsTooltip)
{
    w->Load(m_layout, false);
    for (const auto &[name, tip] : std::vector<std::pair<QString, QString>>{
             {"cmdAddLottNumber", "添加号码填涂块"},
             {"cmdAddMark", "添加附加填涂块（如定位标记）"},
             {"cmdAddLabel", "添加文字（如页码、注序号、注号）"},
             {"cmdAddLine", "画线"},
             {"cmdAlignmentCenter", "水平居中对齐"},
             {"cmdSizeSameHeight", "使高度相同"},
             {"cmdZoomOut", "缩小"}}) {
        auto *a = w->findChild<QAction *>(name);
        ASSERT_NE(a, nullptr) << name.toStdString();
        EXPECT_EQ(a->toolTip(), tip);
    }
    auto *undo = w->findChild<QAction *>("cmdUndo");
    EXPECT_FALSE(undo->isEnabled());
    drag(at(25, 22), at(35, 32));
    EXPECT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_DOUBLE_EQ(element("L1").Left(), 20);
}

TEST_F(DesignerTest, ALineAndALabelAreAddedByMouse)
{
    w->Load(m_layout, false);
    w->windows().addLabel = [] { return QString("{页码}"); };
    w->cmdAddLine_Click();
    ASSERT_TRUE(w->Canvas().InAddMode());
    drag(at(100, 100), at(120, 90));
    EXPECT_FALSE(w->Canvas().InAddMode());
    const clsPLControl *line = w->Canvas().GetCurrentControl();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->ControlType(), "Line");
    EXPECT_EQ(line->BorderStyle(), 1);
    EXPECT_TRUE(w->IsModified());

    w->cmdAddLabel_Click();
    ASSERT_TRUE(w->Canvas().InAddMode());
    drag(at(60, 60), at(90, 66));
    const clsPLControl *label = w->Canvas().GetCurrentControl();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->FieldValue(), "{页码}");
    EXPECT_EQ(label->BackColor(), RGB(255, 255, 255));
    EXPECT_EQ(w->Properties().OldKeyName(), label->KeyName());
    w->Undo().Stack().undo();
    w->Undo().Stack().undo();
    EXPECT_FALSE(w->IsModified());
}

TEST_F(DesignerTest, TheTemplatePropertiesDialogResizesEveryBlockInOneUndoStep)
{
    ScriptedMsgBox box;
    frmPLDesigner real(nullptr, [this] { return m_now; });
    real.Load(m_layout, false);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->objectName(), "frmPLottProperty");
        seen = true;
        dialog->findChild<QLineEdit *>("txtLottNumberWidth")->setText("4.5");
        dialog->findChild<QLineEdit *>("txtLottNumberHeight")->setText("9/4");
        dialog->findChild<QPushButton *>("cmdOK")->click();
    });
    real.cmdPLProperty_Click();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(box.texts().isEmpty()) << box.texts().join('|').toStdString();
    for (const char *key : {"B1", "B2"}) {
        const clsPLControl *b = real.Canvas().GetOneControlByKeyName(key);
        ASSERT_NE(b, nullptr);
        EXPECT_DOUBLE_EQ(b->Width(), 4.5) << key;
        EXPECT_DOUBLE_EQ(b->Height(), 2.25) << key;
        EXPECT_EQ(b->BackColor(), GetGroupColor(b->GroupID())) << key;
    }
    EXPECT_DOUBLE_EQ(real.Layout().LottNumberWidth(), 4.5);
    EXPECT_EQ(real.Undo().Stack().count(), 1);
    real.Undo().Stack().undo();
    EXPECT_DOUBLE_EQ(real.Canvas().GetOneControlByKeyName("B1")->Width(), 3);
    EXPECT_FALSE(real.IsModified());
}
