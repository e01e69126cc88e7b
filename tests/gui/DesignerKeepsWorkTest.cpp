// The designer keeps what the user sees: a save after an undo writes the canvas, every way out
// asks the same question when something is unsaved, Escape closes nothing, a new template left
// undescribed goes without a question, and the commands change only what they name.
#include "DesignerFixture.h"

#include "canvas/TemplateUndoStack.h"
#include "common/PathFile.h"
#include "dialogs/CanvasSink.h"
#include "storage/clsPLStoreINI.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

namespace {

int elementsInFile(const QString &path)
{
    colPLControls t;
    clsPLStoreINI().LoadFromINI(path, t);
    return t.Count();
}

// Warnings Qt prints while it runs, collected.
class WarningLog {
public:
    WarningLog() { s_log = &m_lines, m_previous = qInstallMessageHandler(&WarningLog::handle); }
    ~WarningLog() { qInstallMessageHandler(m_previous), s_log = nullptr; }
    const QStringList &lines() const { return m_lines; }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        if (s_log)
            *s_log << text;
    }
    static inline QStringList *s_log = nullptr;
    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
};

class DesignerKeepsWorkTest : public DesignerTest {
protected:
    void trigger(const char *name) { w->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    // The shipped template of 63 elements, in the template folder.
    QString shippedTemplate()
    {
        const QString path = templates() + "陕西－双色球.tzd";
        QFile::copy(sourceDir() + "/resources/投注单文件/陕西－双色球.tzd", path);
        return path;
    }
};

TEST_F(DesignerKeepsWorkTest, ASaveAfterAnUndoThatCrossesASaveWritesEveryElementBack)
{
    const QString path = shippedTemplate();
    ASSERT_EQ(elementsInFile(path), 63);
    colPLControls layout;
    ASSERT_TRUE(frmPLDesigner::LoadForDesign(path, layout));
    ScriptedMsgBox box;
    w->Load(layout, false);
    w->Canvas().KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey);
    w->Canvas().KeyDown(Qt::Key_Delete, 0);
    EXPECT_TRUE(w->IsModified()); // an unsaved delete is never lost without a question
    trigger("cmdSave");
    const int labels = 63 - w->Canvas().AllItems().Count();
    EXPECT_EQ(elementsInFile(path), 63 - labels);
    trigger("cmdUndo");
    EXPECT_EQ(w->Canvas().AllItems().Count(), 63);
    EXPECT_EQ(w->Layout().Count(), 63);
    EXPECT_TRUE(w->IsModified());
    trigger("cmdSave");
    EXPECT_EQ(elementsInFile(path), 63);
    EXPECT_FALSE(w->IsModified());
    EXPECT_EQ(box.texts(), QStringList({"布局保存成功！", "布局保存成功！"}));
    w->close();
    EXPECT_EQ(box.texts().size(), 2); // nothing to ask
}

TEST_F(DesignerKeepsWorkTest, LayoutIsAlwaysWhatTheCanvasShows)
{
    w->Load(m_layout, false);
    auto keysOf = [](const colPLControls &t) {
        QStringList keys;
        for (const clsPLControl &e : t)
            keys << e.KeyName() + QString::number(e.Left());
        return keys;
    };
    auto shown = [this] {
        colPLControls t;
        w->Canvas().GetAllControls(t);
        return t;
    };
    drag(at(25, 22), at(35, 32));
    EXPECT_EQ(keysOf(w->Layout()), keysOf(shown()));
    w->Undo().Stack().undo();
    EXPECT_EQ(keysOf(w->Layout()), keysOf(shown()));
    EXPECT_EQ(w->Layout().Count(), 4);
    EXPECT_EQ(w->Layout().LayoutName(), "测试");
}

TEST_F(DesignerKeepsWorkTest, EveryWayOutAsksTheSameQuestionAndCancelStays)
{
    struct Case {
        const char *way;
        MsgAnswer answer;
        bool staysOpen, saved;
    };
    const Case cases[] = {
        {"close box", MsgAnswer::Cancel, true, false},  {"exit button", MsgAnswer::Cancel, true, false},
        {"close box", MsgAnswer::No, false, false},     {"exit button", MsgAnswer::No, false, false},
        {"close box", MsgAnswer::Yes, false, true},     {"exit button", MsgAnswer::Yes, false, true},
    };
    for (const Case &c : cases) {
        const QString path = templates() + "q.tzd";
        QFile::remove(path);
        m_layout.setPathFile(path);
        w->Load(m_layout, false);
        w->show();
        QTest::qWait(10);
        drag(at(25, 22), at(35, 32));
        ScriptedMsgBox box;
        box.queue(c.answer);
        if (std::string(c.way) == "close box")
            w->close();
        else
            trigger("cmdExit");
        ASSERT_FALSE(box.shown().empty()) << c.way;
        EXPECT_EQ(box.texts()[0], "是否保存?") << c.way;
        EXPECT_EQ(box.shown()[0].style, MsgStyle::QuestionCancel) << c.way;
        EXPECT_EQ(w->isVisible(), c.staysOpen) << c.way << " " << int(c.answer);
        EXPECT_EQ(QFile::exists(path), c.saved) << c.way << " " << int(c.answer);
        w->hide();
    }
}

TEST_F(DesignerKeepsWorkTest, YesWithASaveThatDoesNotHappenKeepsTheWindowOpen)
{
    w->Load(m_layout, false); // no file yet: Yes asks for one
    w->show();
    QTest::qWait(10);
    drag(at(25, 22), at(35, 32));
    ScriptedMsgBox box;
    box.queue(MsgAnswer::Yes);
    w->close(); // the save dialog is cancelled
    EXPECT_EQ(m_saveDialogs, 1);
    EXPECT_TRUE(w->isVisible());
    w->hide();
}

TEST_F(DesignerKeepsWorkTest, EscapeClosesNothingWhereverTheFocusIs)
{
    w->Load(m_layout, false);
    w->show();
    QTest::qWait(10);
    drag(at(25, 22), at(35, 32));
    ScriptedMsgBox box;
    const QList<QWidget *> targets = {w->Properties().Grid(), w->findChild<QToolBar *>("tbrCommands"),
                                      w->findChild<QWidget *>("kdPLD"), w.get()};
    for (QWidget *target : targets) {
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible()) << target->objectName().toStdString();
    }
    EXPECT_TRUE(box.texts().isEmpty());
    w->Load(m_layout, false); // not modified: even so Escape stays
    QTest::keyClick(w->Properties().Grid(), Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    w->hide();
}

TEST_F(DesignerKeepsWorkTest, ANewTemplateCancelledInTheWizardClosesEvenAfterApply)
{
    struct Case {
        frmPLDesigner::PropertiesRun run;
        bool closes;
    };
    const Case cases[] = {
        {frmPLDesigner::PropertiesRun::Cancelled, true},
        {frmPLDesigner::PropertiesRun::AppliedThenCancelled, true},
        {frmPLDesigner::PropertiesRun::Accepted, false},
    };
    for (const Case &c : cases) {
        ScriptedMsgBox box;
        w->windows().lottProperty = [&](colPLControls &layout, bool isNew) {
            EXPECT_TRUE(isNew);
            if (c.run != frmPLDesigner::PropertiesRun::Cancelled) {
                layout.setLottNumberWidth(4.5); // what Apply showed on the canvas
                ApplyTemplateToCanvas(layout, w->Canvas());
            }
            return c.run;
        };
        colPLControls fresh;
        fresh.Add(blockAt("B1", "1", 40, 40));
        w->Load(fresh, true);
        w->show();
        QTest::qWait(30);
        EXPECT_EQ(!w->isVisible(), c.closes) << int(c.run);
        EXPECT_TRUE(box.texts().isEmpty()) << int(c.run);
        w->hide();
    }
}

TEST_F(DesignerKeepsWorkTest, TheRealWizardsCancelAfterAnAppliedPictureFieldClosesTheDesigner)
{
    ScriptedMsgBox box;
    frmPLDesigner real(nullptr, [this] { return m_now; });
    colPLControls fresh;
    real.Load(fresh, true);
    bool seen = false;
    QTimer::singleShot(50, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        seen = dialog->objectName() == "frmPLottProperty";
        // Page 1 described, then a picture field on page 3 applied.
        dialog->findChild<QLineEdit *>("txtLayoutName")->setText("新票");
        dialog->findChild<QTabWidget *>()->setCurrentIndex(2);
        auto *left = dialog->findChild<QLineEdit *>("txtBackPictureLeft");
        left->setText("7");
        left->setModified(true);
        emit left->editingFinished(); // Apply
        dialog->findChild<QPushButton *>("cmdCancel")->click();
    });
    real.show();
    ASSERT_TRUE(WaitUntil([&] { return !real.isVisible(); }, 3000));
    EXPECT_TRUE(seen);
    EXPECT_DOUBLE_EQ(real.Canvas().BackPictureRect().left(), 7); // Apply had run
    EXPECT_TRUE(box.texts().isEmpty()) << box.texts().join('|').toStdString();
}

TEST_F(DesignerKeepsWorkTest, ANewLabelGetsTheProgramsDefaultFont)
{
    w->Load(m_layout, false);
    w->windows().addLabel = [] { return QString("{页码}"); };
    w->cmdAddLabel_Click();
    drag(at(60, 60), at(90, 66));
    ASSERT_NE(w->Canvas().GetCurrentControl(), nullptr);
    EXPECT_EQ(w->Canvas().GetCurrentControl()->FontName(), DefaultFontName());
    EXPECT_EQ(DefaultFontName(), "宋体");
}

TEST_F(DesignerKeepsWorkTest, TheFontChooserKeepsAFamilyTheUserDidNotChange)
{
    const QFont offered(QStringLiteral("宋体"), 9);
    QFont sameFamilyBold(QFontInfo(offered).family(), 14);
    sameFamilyBold.setBold(true);
    EXPECT_EQ(kdPLControlProperties::FamilyAfterChoice("宋体", offered, sameFamilyBold), "宋体");
    EXPECT_EQ(kdPLControlProperties::FamilyAfterChoice("宋体", offered, QFont("宋体", 20)), "宋体");
    const QFont other(QStringLiteral("DejaVu Serif"), 9);
    if (QFontInfo(other).family() != QFontInfo(offered).family())
        EXPECT_EQ(kdPLControlProperties::FamilyAfterChoice("宋体", offered, other), "DejaVu Serif");
    EXPECT_EQ(kdPLControlProperties::FamilyAfterChoice("", offered, other), "DejaVu Serif");
}

TEST_F(DesignerKeepsWorkTest, AlignmentWithNothingMultiSelectedLeavesTheTemplateUnmodified)
{
    w->Load(m_layout, false);
    click(at(21, 21)); // only a current element
    for (const char *name : {"cmdAlignmentLeft", "cmdAlignmentCenter", "cmdAlignmentRight",
                             "cmdAlignmentTop", "cmdAlignmentMiddle", "cmdAlignmentBottom",
                             "cmdSizeSameWidth", "cmdSizeSameHeight"})
        trigger(name);
    EXPECT_EQ(w->Undo().Stack().count(), 0);
    EXPECT_FALSE(w->IsModified());
}

TEST_F(DesignerKeepsWorkTest, AnArrowStepOnManyElementsIsOneChangeNoticeAndOneStep)
{
    colPLControls many;
    for (int i = 0; i < 200; ++i)
        many.Add(labelAt(QString("L%1").arg(i), 10 + (i % 20) * 12, 10 + (i / 20) * 8));
    w->Load(many, false);
    w->Canvas().KeyDown(Qt::Key_A, KdPLDesinger::CtrlKey);
    int changes = 0;
    QObject::connect(&w->Canvas(), &KdPLDesinger::CtrlChanged, [&] { ++changes; });
    w->Canvas().KeyDown(Qt::Key_Right, 0);
    EXPECT_EQ(changes, 1);
    EXPECT_DOUBLE_EQ(w->Canvas().GetOneControlByKeyName("L199")->Left(), 10 + 19 * 12 + 0.1);
    EXPECT_EQ(w->Undo().Stack().count(), 1);
}

TEST_F(DesignerKeepsWorkTest, RefreshingTheTitleWarnsNothing)
{
    WarningLog log;
    w->Load(m_layout, false);
    drag(at(25, 22), at(35, 32));
    w->Undo().Stack().undo();
    for (const QString &line : log.lines())
        EXPECT_FALSE(line.contains("[*]")) << line.toStdString();
}

} // namespace
