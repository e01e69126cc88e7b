// "识别填涂块" in the designer: the blocks and marks found on the slip's picture become the
// template's, with the numbers typed for each area, and one Ctrl+Z takes it all back.
#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "canvas/TemplateUndoStack.h"
#include "common/clsRegIni.h"
#include "gui/frmPDetectBlocks.h"
#include "gui/frmPLDesigner.h"
#include "model/colPLControls.h"
#include "DiskSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <functional>

namespace {
class DetectBlocksTest : public ::testing::Test {
protected:
    DetectBlocksTest()
    {
        const QString program = makeTempDir();
        QDir().mkpath(program + "/投注单文件");
        SetFolders(ProgramFolders::ForProgramFolder(program, program + "/docs"));
        clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini");
        folder = program + "/投注单文件";
        QFile::copy(sourceDir() + "/resources/投注单文件/福彩3D.bmp", folder + "/slip.bmp");
        layout.setPathFile(folder + "/新模板.tzd");
        layout.setBackPicPathFile(folder + "/slip.bmp");
        layout.setBackPicWidth(100);
        layout.setBackPicHeight(50);
    }

    // The dialog once it is shown (looked for among the windows until it is there).
    static void whenShown(std::function<void(frmPDetectBlocks &)> steps)
    {
        auto *timer = new QTimer;
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [timer, steps] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *dialog = qobject_cast<frmPDetectBlocks *>(top); dialog && dialog->isVisible()) {
                    timer->stop();
                    timer->deleteLater();
                    steps(*dialog);
                    return;
                }
        });
        timer->start();
    }

    // Answers the dialog: the scripted steps, then OK.
    static void answerDialog(std::function<void(frmPDetectBlocks &)> steps)
    {
        whenShown([steps](frmPDetectBlocks &dialog) {
            steps(dialog);
            dialog.accept();
        });
    }

    QString folder;
    colPLControls layout;
};

TEST_F(DetectBlocksTest, FoundBlocksBecomeTheTemplateAndOneUndoTakesThemBack)
{
    frmPLDesigner w;
    w.windows().lottProperty = [](colPLControls &, bool) { return frmPLDesigner::PropertiesRun::Cancelled; };
    w.Load(layout, false);
    w.show();
    QApplication::setActiveWindow(&w);
    const int stepsBefore = w.Undo().Stack().count();

    answerDialog([](frmPDetectBlocks &d) {
        EXPECT_EQ(d.Dpi().text(), QStringLiteral("152.4"));
        d.AreasChoice().setCurrentIndex(1); // every column its own area
        EXPECT_EQ(d.Areas().rowCount(), 3);
        for (int a = 0; a < d.Areas().rowCount(); ++a)
            d.Areas().item(a, 2)->setText(QStringLiteral("0"));
    });
    w.findChild<QAction *>(QStringLiteral("cmdDetectBlocks"))->trigger();

    const colPLControls &t = w.Layout();
    EXPECT_EQ(t.StakeLocateOffsetStrX(), QStringLiteral("0,24,48,72,96"));
    EXPECT_EQ(t.GroupLottNumberCountStr(), QStringLiteral("10,10,10"));
    EXPECT_EQ(t.LottNumberWidth(), 3.5);
    EXPECT_NEAR(t.LottNumberHeight(), 1.8, 0.1);
    EXPECT_NEAR(t.BackPicWidth(), 142, 0.01);
    EXPECT_EQ(t.BackPicPathFile(), folder + "/slip.png");
    EXPECT_TRUE(QFile::exists(folder + "/slip.png"));
    colPLControls elements;
    w.Canvas().GetAllControls(elements);
    int blocks = 0, marks = 0;
    bool foundNine = false;
    for (const clsPLControl &e : elements) {
        blocks += e.ShowType() == "LottNumber";
        marks += e.ShowType() == "LocateMark";
        // Area 2's "9" is the middle column's last block.
        if (e.ShowType() == "LottNumber" && e.GroupID() == "2" && e.FieldValue() == "9") {
            foundNine = true;
            EXPECT_NEAR(e.Left(), 23.5, 0.1);
            EXPECT_NEAR(e.Top(), 48, 0.1);
        }
    }
    EXPECT_EQ(blocks, 30);
    EXPECT_EQ(marks, 10);
    EXPECT_TRUE(foundNine);
    EXPECT_EQ(w.Undo().Stack().count(), stepsBefore + 1);
    EXPECT_TRUE(w.IsModified());

    // Ctrl+Z, as the window's action for it delivers it (the off-screen platform activates no
    // window).
    int pressed = 0;
    for (QAction *a : w.findChildren<QAction *>())
        if (a->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Z))) {
            a->trigger();
            ++pressed;
        }
    ASSERT_EQ(pressed, 1);
    colPLControls after;
    w.Canvas().GetAllControls(after);
    EXPECT_EQ(after.Count(), 0);
    EXPECT_EQ(w.Layout().BackPicWidth(), 100);
    EXPECT_EQ(w.Layout().StakeLocateOffsetStrX(), layout.StakeLocateOffsetStrX());
    EXPECT_FALSE(w.IsModified());
}

TEST_F(DetectBlocksTest, CancelChangesNothing)
{
    frmPLDesigner w;
    w.windows().lottProperty = [](colPLControls &, bool) { return frmPLDesigner::PropertiesRun::Cancelled; };
    w.Load(layout, false);
    whenShown([](frmPDetectBlocks &dialog) { dialog.reject(); });
    w.cmdDetectBlocks_Click();
    colPLControls elements;
    w.Canvas().GetAllControls(elements);
    EXPECT_EQ(elements.Count(), 0);
    EXPECT_FALSE(w.IsModified());
    EXPECT_FALSE(QFile::exists(folder + "/slip.png"));
}

TEST_F(DetectBlocksTest, GroupingAndStakeCountUpdateTheAreasAtOnce)
{
    frmPDetectBlocks d(folder + "/slip.bmp", 152.4);
    EXPECT_EQ(d.Areas().rowCount(), 1); // by gaps the three columns of a stake are one area
    EXPECT_EQ(d.StakeCount().currentText(), QStringLiteral("5"));
    d.AreasChoice().setCurrentIndex(2); // rows
    EXPECT_EQ(d.Areas().rowCount(), 10);
    const int one = d.StakeCount().findData(1);
    ASSERT_GE(one, 0);
    d.StakeCount().setCurrentIndex(one);
    EXPECT_EQ(d.Detection().stakeCount(), 1);
    EXPECT_EQ(d.Areas().rowCount(), 10);
    EXPECT_EQ(d.Areas().item(0, 1)->text(), QStringLiteral("15")); // a whole row of 15 blocks
}
} // namespace
