// "识别填涂块" in the designer: the blocks and marks found on the slip's picture become the
// template's, with the numbers typed for each area, and one Ctrl+Z takes it all back.
#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "canvas/TemplateUndoStack.h"
#include "common/clsRegIni.h"
#include "gui/frmPDetectBlocks.h"
#include "gui/frmPLDesigner.h"
#include "gui/frmPLottProperty.h"
#include "model/colPLControls.h"
#include "DiskSupport.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QShortcut>
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
        for (int a = 0; a < d.Areas().rowCount(); ++a) {
            d.Areas().item(a, 2)->setText(QStringLiteral("0"));
            // the template's own list ("7") as the first guess of the numbers chosen
            EXPECT_EQ(d.Areas().item(a, 3)->text(), a == 0 ? QStringLiteral("7") : QStringLiteral("1"));
            d.Areas().item(a, 3)->setText(QStringLiteral("1"));
        }
    });
    w.findChild<QAction *>(QStringLiteral("cmdDetectBlocks"))->trigger();

    const colPLControls &t = w.Layout();
    EXPECT_EQ(t.StakeLocateOffsetStrX(), QStringLiteral("0,24,48,72,96"));
    EXPECT_EQ(t.GroupLottNumberCountStr(), QStringLiteral("1,1,1"));
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

// The new template's wizard: a picture chosen with "浏览" ticks "完成后识别填涂块"; the settings
// dialog of an existing template has no such offer.
TEST_F(DetectBlocksTest, ChoosingThePictureInTheWizardOffersToFindTheBlocks)
{
    struct Row {
        bool wizard;
        bool browse;
        bool untick;
        bool offered; // the box is there
        bool detect;
    } rows[] = {
        {true, true, false, true, true},
        {true, true, true, true, false},
        {true, false, false, true, false},
        {false, true, false, false, false},
    };
    for (const Row &r : rows) {
        colPLControls fresh;
        fresh.setLayoutName(QStringLiteral("新票"));
        frmPLottProperty dialog(folder);
        dialog.setFileChooser([this](const QString &) { return folder + "/slip.bmp"; });
        QTimer::singleShot(0, &dialog, [&] {
            auto *offer = dialog.findChild<QCheckBox *>("chkDetectBlocks");
            EXPECT_EQ(!offer->isHidden(), r.offered);
            EXPECT_FALSE(offer->isEnabled()); // no picture yet
            if (r.browse)
                dialog.cmdBrowBackPicture_Click();
            EXPECT_EQ(offer->isChecked(), r.browse);
            if (r.untick)
                offer->setChecked(false);
            dialog.findChild<QPushButton *>("cmdOK")->setEnabled(true);
            dialog.cmdOK_Click();
        });
        EXPECT_TRUE(dialog.ShowMe(fresh, r.wizard, {}));
        EXPECT_EQ(dialog.DetectBlocksAfterFinish(), r.detect) << r.wizard << r.browse << r.untick;
    }
}

// The whole way of a new template: the real wizard finished with a picture and the offer taken,
// then "识别填涂块" on it; the blocks are a step of their own after the settings.
TEST_F(DetectBlocksTest, TheNewTemplatesWizardFindsTheBlocksOnItsPicture)
{
    frmPLDesigner w;
    colPLControls fresh;
    w.Load(fresh, true);
    const int stepsBefore = w.Undo().Stack().count();
    int wizards = 0;
    QTimer::singleShot(50, [&] {
        QWidget *wizard = QApplication::activeModalWidget();
        ASSERT_NE(wizard, nullptr);
        wizards += wizard->objectName() == "frmPLottProperty";
        const std::pair<const char *, QString> typed[] = {
            {"txtLayoutName", QStringLiteral("新票")}, {"txtStakeCount", "1"},
            {"txtStakeOffsetStrX", "0"},               {"txtStakeOffsetStrY", "0"},
            {"txtGroupCount", "3"},                    {"txtGroupLottNumberCountStr", "1,1,1"},
            {"txtBackPicturePathFile", folder + "/slip.bmp"}};
        for (const auto &[name, text] : typed)
            wizard->findChild<QLineEdit *>(name)->setText(text);
        for (int page = 0; page < 3; ++page)
            wizard->findChild<QPushButton *>("cmdNext")->click();
        ASSERT_EQ(wizard->findChild<QTabWidget *>()->currentIndex(), 3);
        wizard->findChild<QCheckBox *>("chkDetectBlocks")->setChecked(true);
        answerDialog([](frmPDetectBlocks &d) {
            d.AreasChoice().setCurrentIndex(1); // every column its own area
            for (int a = 0; a < d.Areas().rowCount(); ++a)
                d.Areas().item(a, 2)->setText(QStringLiteral("0"));
        });
        wizard->findChild<QPushButton *>("cmdOK")->click();
    });
    w.show();
    ASSERT_TRUE(WaitUntil([&] { return w.Layout().Count() > 0; }, 10000));
    EXPECT_EQ(wizards, 1);
    EXPECT_TRUE(w.isVisible());
    const colPLControls t = w.Layout();
    EXPECT_EQ(t.LayoutName(), QStringLiteral("新票"));
    EXPECT_EQ(t.StakeLocateOffsetStrX(), QStringLiteral("0,24,48,72,96"));
    EXPECT_EQ(t.GroupLottNumberCountStr(), QStringLiteral("1,1,1")); // as the wizard was told
    EXPECT_EQ(t.BackPicPathFile(), folder + "/slip.png");
    int blocks = 0, marks = 0;
    for (const clsPLControl &e : t) {
        blocks += e.ShowType() == "LottNumber";
        marks += e.ShowType() == "LocateMark";
    }
    EXPECT_EQ(blocks, 30);
    EXPECT_EQ(marks, 10);
    EXPECT_EQ(w.Undo().Stack().count(), stepsBefore + 2); // the wizard's settings, the blocks

    w.Undo().Stack().undo();
    EXPECT_EQ(w.Layout().Count(), 0);
    EXPECT_EQ(w.Layout().LayoutName(), QStringLiteral("新票"));
    EXPECT_EQ(w.Layout().BackPicPathFile(), folder + "/slip.bmp");
    w.hide();
}
} // namespace
