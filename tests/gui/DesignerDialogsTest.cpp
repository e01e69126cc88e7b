// The designer's dialog windows: the wizard's buttons page by page, Enter moving on instead of
// closing, kept dialogs that remember their fields, and a refused field focused and selected.
#include "app/ProgramFolders.h"
#include "canvas/KdPLDesinger.h"
#include "common/TextFile.h"
#include "common/clsRegIni.h"
#include "gui/PreviewWidget.h"
#include "gui/frmMain.h"
#include "gui/frmPAddBatchLottNumber.h"
#include "gui/frmPAddBatchMark.h"
#include "gui/frmPAddLabel.h"
#include "gui/frmPAddLottNumber.h"
#include "gui/frmPLottProperty.h"
#include "model/colPLControls.h"
#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
QLineEdit *box(QWidget *w, const char *name) { return w->findChild<QLineEdit *>(name); }
QPushButton *pushButton(QWidget *w, const char *name) { return w->findChild<QPushButton *>(name); }

// The field that has the keyboard focus inside the window.
QString focusedField(QWidget *window)
{
    QWidget *f = window->focusWidget();
    return f ? f->objectName() : QString();
}

void useTempRegistry() { clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini"); }

struct WizardStep {
    int page;
    bool prev, next, finish;
    const char *focus;
};

TEST(frmPLottProperty, WizardButtonsPageByPageAndFinish)
{
    ScriptedMsgBox msg;
    colPLControls layout;
    frmPLottProperty dialog;
    std::vector<WizardStep> seen;
    auto record = [&] {
        seen.push_back({dialog.CurrentPage(), pushButton(&dialog, "cmdPrev")->isEnabled(),
                        pushButton(&dialog, "cmdNext")->isEnabled(),
                        pushButton(&dialog, "cmdOK")->isEnabled(), nullptr});
        EXPECT_EQ(focusedField(&dialog), PageFirstField(dialog.CurrentPage()));
    };
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(pushButton(&dialog, "cmdOK")->text(), "完成(&O)");
        EXPECT_FALSE(pushButton(&dialog, "cmdApply")->isVisible());
        record();
        dialog.cmdNext_Click(); // no name yet
        EXPECT_EQ(dialog.CurrentPage(), 0);
        box(&dialog, "txtLayoutName")->setText("七乐彩");
        for (int i = 0; i < 4; ++i) { // the fourth stays on the last page
            dialog.cmdNext_Click();
            record();
        }
        dialog.cmdPrev_Click();
        record();
        dialog.cmdNext_Click();
        pushButton(&dialog, "cmdOK")->click();
    });
    EXPECT_TRUE(dialog.ShowMe(layout, true, {}));
    EXPECT_EQ(msg.texts(), QStringList{"请输入彩票的名称！"});
    const WizardStep expected[] = {{0, false, true, false, nullptr}, {1, true, true, false, nullptr},
                                   {2, true, true, false, nullptr},  {3, true, false, true, nullptr},
                                   {3, true, false, true, nullptr},  {2, true, true, false, nullptr}};
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].page, expected[i].page) << i;
        EXPECT_EQ(seen[i].prev, expected[i].prev) << i;
        EXPECT_EQ(seen[i].next, expected[i].next) << i;
        EXPECT_EQ(seen[i].finish, expected[i].finish) << i;
    }
    EXPECT_EQ(layout.LayoutName(), "七乐彩");
}

TEST(frmPLottProperty, ApplyRefusesOnItsPageWithTheFieldSelectedAndThenUpdates)
{
    ScriptedMsgBox msg;
    colPLControls layout;
    layout.setLayoutName("双色球");
    frmPLottProperty dialog;
    int updates = 0;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_FALSE(pushButton(&dialog, "cmdPrev")->isVisible());
        EXPECT_TRUE(pushButton(&dialog, "cmdApply")->isVisible());
        EXPECT_EQ(pushButton(&dialog, "cmdOK")->text(), "确定(&O)");
        box(&dialog, "txtStakeCount")->setText("4");
        box(&dialog, "txtLottNumberWidth")->setText("7/2");
        dialog.cmdApply_Click();
        EXPECT_EQ(dialog.CurrentPage(), 1);
        EXPECT_EQ(focusedField(&dialog), "txtStakeCount");
        EXPECT_EQ(box(&dialog, "txtStakeCount")->selectedText(), "4");
        EXPECT_EQ(updates, 0);
        box(&dialog, "txtStakeCount")->setText("5");
        dialog.cmdApply_Click();
        EXPECT_EQ(updates, 1);
        pushButton(&dialog, "cmdCancel")->click();
    });
    EXPECT_FALSE(dialog.ShowMe(layout, false, [&] { ++updates; }));
    EXPECT_EQ(msg.texts(), QStringList{"请正确的输入每张投注单注数，和各注的填涂位置偏移量！"});
    EXPECT_DOUBLE_EQ(layout.LottNumberWidth(), 3.5); // Cancel keeps what Apply wrote
}

TEST(frmPLottProperty, PictureSizeFromTheScanResolution)
{
    const QString dir = makeTempDir();
    // A scan that declares 150 dpi: the prompt proposes it.
    QImage scan(1500, 750, QImage::Format_RGB32);
    scan.setDotsPerMeterX(5906);
    scan.setDotsPerMeterY(5906);
    scan.save(dir + "/slip.bmp");
    colPLControls layout;
    layout.setLayoutName("x");
    layout.setPathFile(dir + "/a.tzd");
    layout.setBackPicPathFile("slip.bmp");
    frmPLottProperty dialog;
    QString asked;
    dialog.setPrompt([&](const QString &text, const QString &, const QString &preset) {
        asked = text;
        return preset;
    });
    QTimer::singleShot(0, &dialog, [&] {
        dialog.cmdLayoutWidthByDPI_Click();
        EXPECT_EQ(box(&dialog, "txtBackPictureWidth")->text(), "254.0");
        EXPECT_EQ(box(&dialog, "txtBackPictureHeight")->text(), "127.0");
        dialog.reject();
    });
    dialog.ShowMe(layout, false, {});
    EXPECT_TRUE(asked.startsWith("请输入背景图片对应的扫描分辨率"));
}

TEST(frmPAddBatchLottNumber, EnterMovesOnAndAReopenedDialogKeepsItsFields)
{
    ScriptedMsgBox msg;
    useTempRegistry();
    KdPLDesinger canvas;
    colPLControls layout;
    frmPAddBatchLottNumber &dialog = frmPAddBatchLottNumber::Instance();
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(focusedField(&dialog), "txtFirstGroupID");
        QLineEdit *area = box(&dialog, "txtFirstGroupID");
        area->setText("1");
        QTest::keyClick(area, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(focusedField(&dialog), "txtFirstLottNumber");
        const std::pair<const char *, const char *> typed[] = {
            {"txtFirstLottNumber", "1"}, {"txtFirstX", "10"}, {"txtFirstY", "20"},
            {"txtStep", "1"}, {"txtCount", "33"}, {"txtStepX", "5.5"}, {"txtStepY", "0"}};
        for (const auto &[name, text] : typed)
            box(&dialog, name)->setText(text);
        QTest::keyClick(box(&dialog, "txtStepY"), Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        dialog.OkButton()->click();
    });
    dialog.ShowMe(canvas, layout);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(canvas.AllItems().Count(), 33);
    EXPECT_EQ(canvas.MultiSelectionKeys().size(), 33);

    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(box(&dialog, "txtCount")->text(), "33");
        EXPECT_EQ(box(&dialog, "txtStepX")->text(), "5.5");
        dialog.findChild<QPushButton *>("cmdCancel")->click();
    });
    dialog.ShowMe(canvas, layout);
    EXPECT_EQ(canvas.AllItems().Count(), 33);
    EXPECT_TRUE(msg.texts().isEmpty());
}

TEST(frmPAddBatchMark, ARefusedFieldIsFocusedWithItsTextSelected)
{
    ScriptedMsgBox msg;
    useTempRegistry();
    KdPLDesinger canvas;
    colPLControls layout;
    frmPAddBatchMark &dialog = frmPAddBatchMark::Instance();
    QTimer::singleShot(0, &dialog, [&] {
        const std::pair<const char *, const char *> typed[] = {
            {"txtFirstX", "3"}, {"txtFirstY", "10"}, {"txtFirstWidth", "4"}, {"txtFirstHeight", "2"},
            {"txtStepX", "0"}, {"txtStepY", "12.7"}, {"txtCount", "abc"}};
        for (const auto &[name, text] : typed)
            box(&dialog, name)->setText(text);
        dialog.OkButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(focusedField(&dialog), "txtCount");
        EXPECT_EQ(box(&dialog, "txtCount")->selectedText(), "abc");
        box(&dialog, "txtCount")->setText("20");
        dialog.OkButton()->click();
    });
    dialog.ShowMe(canvas, layout);
    EXPECT_EQ(msg.texts(), QStringList{"请输入合法值！"});
    EXPECT_EQ(canvas.AllItems().Count(), 20);
}

TEST(frmPAddLottNumber, TheLinkSwitchesToTheBatchDialogOnTheSameCanvas)
{
    useTempRegistry();
    KdPLDesinger canvas;
    colPLControls layout;
    frmPAddLottNumber &single = frmPAddLottNumber::Instance();
    frmPAddBatchLottNumber &batch = frmPAddBatchLottNumber::Instance();
    bool batchShown = false;
    QTimer::singleShot(0, &single, [&] {
        EXPECT_FALSE(box(&single, "txtX")->isEnabled());
        single.findChild<QRadioButton *>("optPosByInput")->click();
        EXPECT_TRUE(box(&single, "txtX")->isEnabled());
        QTimer::singleShot(0, &batch, [&] {
            batchShown = batch.isVisible();
            EXPECT_FALSE(single.isVisible());
            batch.reject();
        });
        QWidget *link = single.findChild<QWidget *>("lblBatchAdd");
        QTest::mouseClick(link, Qt::LeftButton);
    });
    single.ShowMe(canvas, layout);
    EXPECT_TRUE(batchShown);
}

TEST(frmPAddLabel, ChosenTextsAndTheCloseBox)
{
    frmPAddLabel dialog;
    EXPECT_TRUE(dialog.findChild<QRadioButton *>("optPage")->isChecked());
    EXPECT_FALSE(box(&dialog, "txtUserDefine")->isEnabled());
    EXPECT_EQ(dialog.ChosenText(), "{页码}");
    dialog.findChild<QRadioButton *>("optUserDefine")->click();
    EXPECT_TRUE(box(&dialog, "txtUserDefine")->isEnabled());
    box(&dialog, "txtUserDefine")->setText("{日期} 第");
    EXPECT_EQ(dialog.ChosenText(), "{日期} 第");
    dialog.findChild<QRadioButton *>("optStake")->click();
    EXPECT_EQ(dialog.ChosenText(), "{注序号}");

    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "frmPAddLabel" && w->isVisible())
                w->close();
    });
    EXPECT_EQ(frmPAddLabel::ShowMe(), "");
}

// A slip made on the command line from nothing is a template like any other: the main window
// lists it, loads it whole and lays out its test page.
TEST(DesignedOnTheCommandLine, LoadsInTheMainWindowWithItsTestPage)
{
    if (!CliBuilt())
        GTEST_SKIP() << "vornprn-cli is not built";
    ScriptedMsgBox msg;
    const QString dir = makeTempDir();
    QDir().mkpath(dir + "/投注单文件");
    QDir().mkpath(dir + "/Script");
    const QString slip = dir + "/投注单文件/七星彩.tzd";
    const QList<QStringList> steps = {
        {"new", slip, "--name", "七星彩", "--offsets-x", "0,0,0", "--offsets-y", "0,40,80",
         "--stakes", "3", "--areas", "7", "--area-counts", "1,1,1,1,1,1,1"},
        {"add-blocks", slip, "--area", "1", "--number", "0", "--x", "10", "--y", "10", "--dx", "0",
         "--dy", "3", "--step", "1", "--count", "10"},
        {"add-blocks", slip, "--area", "2", "--number", "0", "--x", "15", "--y", "10", "--dx", "0",
         "--dy", "3", "--step", "1", "--count", "10"},
        {"add-marks", slip, "--x", "2", "--y", "10", "--width", "4", "--height", "2", "--dx", "0",
         "--dy", "12.7", "--count", "3"},
        {"add-label", slip, "--page", "--x", "60", "--y", "2", "--width", "30", "--height", "5"},
    };
    for (const QStringList &step : steps)
        ASSERT_EQ(RunCli(QStringList{"template"} + step).exitCode, 0) << step.join(' ').toStdString();

    WriteWholeTextFile(dir + "/Vorn.cfg", "[MAIN]\r\nSELECTFILE=七星彩.tzd\r\n");
    SetFolders(ProgramFolders::ForProgramFolder(dir, dir + "/docs"));
    clsRegIni::SetStoreFile(dir + "/registry.ini");
    frmMain w;
    w.Form_Load();
    EXPECT_EQ(w.findChild<QComboBox *>("icboLottType")->currentText(), "七星彩.tzd");
    EXPECT_EQ(w.CurrentTemplate().Count(), 24);
    EXPECT_EQ(w.CurrentTemplate().LayoutName(), "七星彩");
    const PrintDocument &page = w.findChild<PreviewWidget *>("vspPreview")->document();
    ASSERT_EQ(page.PageCount(), 1);
    int rects = 0;
    for (const DrawOp *op = page.PageBegin(0); op != page.PageEnd(0); ++op)
        rects += op->Kind == OpKind::Rect;
    EXPECT_EQ(rects, 3 * 20 + 3); // every block of the three stakes, and the marks
    EXPECT_TRUE(msg.texts().isEmpty()) << msg.texts().join('|').toStdString();
}
} // namespace
