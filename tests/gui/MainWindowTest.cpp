#include "app/ProgramFolders.h"
#include "gui/frmMain.h"
#include "common/PathFile.h"
#include "common/Quitting.h"
#include "common/clsRegIni.h"
#include "common/TextFile.h"
#include "input/BetList.h"
#include "print/MarkColor.h"
#include "gui/frmPLPreview.h"
#include "DiskSupport.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
const QString kSample = QStringLiteral("陕西－双色球.tzd");

// A program folder of its own with the given templates (copies of the shipped sample).
QString programFolder(const QStringList &templateNames, const QString &cfg = QString())
{
    const QString dir = makeTempDir();
    QDir().mkpath(dir + "/投注单文件");
    QDir().mkpath(dir + "/Script");
    const QString sample = sourceDir() + "/resources/投注单文件/" + kSample;
    for (const QString &name : templateNames)
        QFile::copy(sample, dir + "/投注单文件/" + name);
    if (!cfg.isEmpty())
        WriteWholeTextFile(dir + "/Vorn.cfg", cfg);
    SetFolders(ProgramFolders::ForProgramFolder(dir, dir + "/docs"));
    clsRegIni::SetStoreFile(dir + "/registry.ini"); // the user's own settings stay untouched
    return dir;
}

template <class T>
T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}
} // namespace

TEST(frmMain, TemplateListIsSortedByCodeUnitsAndEmptyFolderIsReported)
{
    ScriptedMsgBox box;
    programFolder({"b.tzd", "a.tzd", "B.tzd"});
    frmMain w;
    w.Form_Load();
    auto *list = child<QComboBox>(w, "icboLottType");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "B.tzd");
    EXPECT_EQ(list->itemText(1), "a.tzd");
    EXPECT_EQ(list->itemText(2), "b.tzd");
    EXPECT_TRUE(box.shown().empty());

    const QString empty = programFolder({});
    frmMain w2;
    w2.Form_Load();
    ASSERT_FALSE(box.shown().empty());
    EXPECT_EQ(box.shown()[0].text, "未在[" + empty + "/投注单文件/]目录找到任何的投注单文件!");
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
}

TEST(frmMain, SettingsSelectTemplateRangeAndOptions)
{
    ScriptedMsgBox box;
    programFolder({"a.tzd", kSample},
                  "[MAIN]\r\nPRINTRANGE=2\r\nPRINTMARK=1\r\nPRINT_PAUSE_ON=abc\r\nSELECTFILE=" + kSample + "\r\n");
    frmMain w;
    w.Form_Load();
    EXPECT_EQ(child<QComboBox>(w, "icboLottType")->currentText(), kSample);
    EXPECT_TRUE(child<QRadioButton>(w, "optPrintRangeByPage")->isChecked());
    EXPECT_TRUE(child<QLineEdit>(w, "txtPaperStart")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w, "txtLottNumberStart")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(w, "chkPrintMark")->isChecked());
    EXPECT_EQ(child<QLineEdit>(w, "txtPrintPaustPaper")->text(), "200");
    EXPECT_EQ(w.CurrentTemplate().StakeCountPerTicket(), 5);

    child<QRadioButton>(w, "optPrintRangeAll")->click();
    EXPECT_FALSE(child<QLineEdit>(w, "txtPaperStart")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(w, "txtLottNumberEnd")->isEnabled());
}

TEST(frmMain, LayoutOffsetRedrawsOnlyOnAChange)
{
    ScriptedMsgBox box;
    programFolder({kSample});
    frmMain w;
    w.show();
    w.Form_Load();
    auto *left = child<QLineEdit>(w, "txtLayoutLeft");
    const int before = w.TestLayoutsShown();
    left->setFocus();
    left->setText("2.5");
    QTest::keyClick(left, Qt::Key_Return);
    EXPECT_EQ(w.TestLayoutsShown(), before + 1);
    EXPECT_DOUBLE_EQ(w.CurrentTemplate().LayoutLeft(), 2.5);
    QTest::keyClick(left, Qt::Key_Return);
    EXPECT_EQ(w.TestLayoutsShown(), before + 1);

    left->setText("1.00");
    for (int i = 0; i < 3; ++i)
        child<QToolButton>(w, "updLayoutLeft")->click();
    EXPECT_EQ(left->text(), "1.3");
    EXPECT_DOUBLE_EQ(w.CurrentTemplate().LayoutLeft(), 1.3);

    child<QRadioButton>(w, "optLandscape")->click();
    EXPECT_EQ(w.CurrentTemplate().PaperOrientation(), 1);
}

TEST(frmMain, SavingTheLayoutOnAFullDiskShowsWhyAndKeepsTheTemplate)
{
    ScriptedMsgBox box;
    const QString dir = programFolder({kSample});
    const QString path = dir + "/投注单文件/" + kSample;
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    frmMain w;
    w.show();
    w.Form_Load();
    child<QLineEdit>(w, "txtLayoutLeft")->setText("2.5");
    {
        DiskFullAfter full(100);
        child<QPushButton>(w, "cmdSaveLayout")->click();
    }
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_EQ(box.shown()[0].text, QStringLiteral("保存文件 %1 失败：磁盘空间不足").arg(path));
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), before);
}

TEST(frmMain, GraySliderSetsTheMarkColour)
{
    ScriptedMsgBox box;
    programFolder({kSample});
    frmMain w;
    w.Form_Load();
    auto *slider = child<QSlider>(w, "sldMarkGray");
    slider->setValue(0);
    EXPECT_EQ(GetMarkColor(), 0xFFFFFF);
    slider->setValue(100);
    EXPECT_EQ(GetMarkColor(), 0);
    slider->setValue(50);
    EXPECT_EQ(GetMarkColor(), 0x808080); // 127.5 rounds to even: 128
}

TEST(frmMain, BetListButtonsAndStatus)
{
    ScriptedMsgBox box;
    programFolder({kSample});
    frmMain w;
    w.Form_Load();
    for (int i = 1; i <= 12; ++i)
        w.Bets().Append(i, "01 02 03 04 05 06 07");
    w.RefreshLottNumberStatus();
    EXPECT_EQ(child<QLabel>(w, "lblLottCountInfo")->text(), "共 12 注, 3 页");

    child<QPushButton>(w, "cmdDelSelected")->click();
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_EQ(box.shown()[0].text, "请选择要删除的投注号码！\r\n(可以配合使用 Ctrl、Shift 键，同时选择多个号码)");

    box.queue(MsgAnswer::Yes);
    child<QPushButton>(w, "cmdLottNumberClear")->click();
    EXPECT_EQ(box.shown().back().text, "确认要清除所有的投注号码吗？");
    EXPECT_EQ(w.Bets().Count(), 0);
    EXPECT_EQ(child<QLabel>(w, "lblLottCountInfo")->text(), "共 0 注, 1 页");
}

TEST(frmMain, ExitAsksUnlessQuittingAndSavesTheSettings)
{
    ScriptedMsgBox box;
    const QString dir = programFolder({kSample});
    {
        frmMain w;
        w.show();
        w.Form_Load();
        box.queue(MsgAnswer::No);
        w.close();
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(box.shown().back().text, "确认要退出VornPrn吗?");
        EXPECT_EQ(box.shown().back().style, MsgStyle::Question);
        const size_t asked = box.shown().size();
        child<QSlider>(w, "sldMarkGray")->setValue(30);
        w.mnuFileExit_Click();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(box.shown().size(), asked);
    }
    SetQuitting(false);
    const TextReadResult cfg = ReadWholeTextFile(dir + "/Vorn.cfg");
    ASSERT_TRUE(cfg.ok);
    EXPECT_TRUE(cfg.text.contains("MARKGRAY=30\r\n"));
    EXPECT_TRUE(cfg.text.contains("SELECTFILE=" + kSample + "\r\n"));
}

TEST(frmMain, PrintButtonRunsTheJobBatchByBatchThroughThePreview)
{
    ScriptedMsgBox box; // continue questions: OK
    const QString dir = programFolder({kSample}, "[MAIN]\r\nPRINT_PAUSE_ON=1\r\n");
    frmMain w;
    w.show();
    w.Form_Load();
    for (int i = 1; i <= 12; ++i)
        w.Bets().Append(i, "01 02 03 04 05 06 07");

    frmPLPreview &preview = w.PreviewWindow();
    int printed = 0;
    QStringList docNames;
    preview.setPrinterDialog([&](QPrinter &printer, int) {
        docNames << printer.docName(); // what a print-to-file proposes its file name from
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QStringLiteral("%1/batch%2.pdf").arg(dir).arg(++printed));
        return true;
    });
    QStringList captions;
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (!preview.isVisible())
            return;
        captions << preview.findChild<QLabel *>("lblMessage")->text();
        preview.cmdPrint_Click();
    });
    answer.start();
    child<QPushButton>(w, "cmdPrint")->click();
    answer.stop();

    EXPECT_EQ(captions, (QStringList{"每次打印1页[第 1 ～ 5 注]", "每次打印1页[第 6 ～ 10 注]",
                                     "每次打印1页[第 11 ～ 12 注]"}));
    EXPECT_EQ(printed, 3);
    EXPECT_EQ(docNames, (QStringList{"VornPrn-陕西－双色球-第1批", "VornPrn-陕西－双色球-第2批",
                                     "VornPrn-陕西－双色球-第3批"}));
    EXPECT_EQ(box.texts(), (QStringList{"第 1 ～ 5 注打印完毕, 要继续打印请按[确定]按钮。",
                                        "第 6 ～ 10 注打印完毕, 要继续打印请按[确定]按钮。",
                                        "所有投注单打印完毕， 注数从 1 ～ 12 共 12 注。"}));
    EXPECT_TRUE(QFileInfo(dir + "/batch3.pdf").size() > 0);
    EXPECT_TRUE(w.centralWidget()->isEnabled());
}

// Bad stakes are found before paper: marked in the list, counted in the status line, and
// "开始打印" asks first (No, the default, prints nothing).
TEST(frmMain, FaultyStakesAreMarkedCountedAndAskedAboutBeforePrinting)
{
    ScriptedMsgBox box;
    const QString dir = programFolder({kSample});
    frmMain w;
    w.show();
    w.Form_Load();
    w.Bets().Append(1, "01 02 03 04 05 06 07");
    w.Bets().Append(2, "01 02 03 04 05 06 07 08 09 10 11 12");
    w.Bets().Append(4, "O2 05 11 17 23 29 08");
    w.CheckLottNumbers();
    EXPECT_EQ(child<QLabel>(w, "lblLottCountInfo")->text(), "共 3 注, 1 页，其中 2 注有误");
    const QModelIndex bad = w.Bets().index(2, BetList::ColumnValue);
    EXPECT_EQ(w.Bets().data(bad, Qt::ToolTipRole).toString(), "“O2”不是号码");
    EXPECT_TRUE(w.Bets().data(bad, Qt::BackgroundRole).isValid());

    frmPLPreview &preview = w.PreviewWindow();
    bool previewShown = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (preview.isVisible()) {
            previewShown = true;
            preview.close();
        }
    });
    watch.start();
    box.queue(MsgAnswer::No);
    child<QPushButton>(w, "cmdPrint")->click();
    watch.stop();
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_EQ(box.shown()[0].text, "有 2 注号码不能正确打印（第 2、4 注等），是否继续打印？");
    EXPECT_EQ(box.shown()[0].style, MsgStyle::ConfirmDefaultNo);
    EXPECT_FALSE(previewShown);

    // Deleting the faulty stakes leaves a clean list and status.
    w.Bets().SetSelected(1, true);
    w.Bets().SetSelected(2, true);
    w.Bets().RemoveSelected();
    w.RefreshLottNumberStatus();
    EXPECT_EQ(child<QLabel>(w, "lblLottCountInfo")->text(), "共 1 注, 1 页");
}

// A typo in 左边 neither moves the preview nor reaches the template file.
TEST(frmMain, AnOffsetThatIsNotANumberGoesBackAndIsNeverSaved)
{
    ScriptedMsgBox box;
    const QString dir = programFolder({kSample});
    const QString templateFile = dir + "/投注单文件/" + kSample;
    const QByteArray before = [&] { QFile f(templateFile); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    frmMain w;
    w.show();
    w.Form_Load();
    auto *left = child<QLineEdit>(w, "txtLayoutLeft");
    const QString shown = left->text();
    const int layouts = w.TestLayoutsShown();
    left->setFocus();
    left->setText("abc");
    QTest::keyClick(left, Qt::Key_Return);
    EXPECT_EQ(box.texts(), QStringList{"请输入合法值！"});
    EXPECT_EQ(left->text(), shown);
    EXPECT_EQ(left->selectedText(), shown); // ready to be typed over
    EXPECT_EQ(w.TestLayoutsShown(), layouts);

    left->setText("abc"); // typed, then straight to the save button
    child<QPushButton>(w, "cmdSaveLayout")->click();
    EXPECT_EQ(box.texts().size(), 2);
    QFile f(templateFile);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    f.close();

    left->setText("2.5"); // typed but not yet applied: saving applies it first
    child<QPushButton>(w, "cmdSaveLayout")->click();
    EXPECT_DOUBLE_EQ(w.CurrentTemplate().LayoutLeft(), 2.5);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLatin1(f.readAll()).contains("LayoutLeft=2.5\r\n"));
}

TEST(frmMain, RangeAndPauseBoxesNeverKeepWhatTheJobCouldNotUse)
{
    ScriptedMsgBox box;
    programFolder({kSample}, "[MAIN]\r\nPRINT_PAUSE_ON=20\r\n");
    frmMain w;
    w.show();
    w.Form_Load();
    for (const char *name : {"txtPrintPaustPaper", "txtLottNumberEnd"}) {
        auto *field = child<QLineEdit>(w, name);
        const QString before = field->text();
        field->setFocus();
        field->setText("2O");
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(field->text(), before) << name;
        field->setText("10*2");
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(field->text(), "10*2") << name; // arithmetic is a number
    }
    EXPECT_EQ(box.texts(), (QStringList{"请输入合法值！", "请输入合法值！"}));
}

// A failed import leaves the list and its status as they were.
TEST(frmMain, AFailedImportLeavesTheListAndStatus)
{
    ScriptedMsgBox box;
    const QString dir = programFolder({kSample});
    frmMain w;
    w.Form_Load();
    w.Bets().Append(1, "01 02 03 04 05 06 07");
    w.CheckLottNumbers();
    const QString status = child<QLabel>(w, "lblLottCountInfo")->text();
    QFile(dir + "/empty.txt").open(QIODevice::WriteOnly);
    w.ImportBetFile(dir + "/empty.txt", false);
    EXPECT_EQ(box.texts(), QStringList{"文件 " + dir + "/empty.txt 是空的，没有可导入的投注号码！"});
    EXPECT_EQ(w.Bets().Count(), 1);
    EXPECT_EQ(child<QLabel>(w, "lblLottCountInfo")->text(), status);
}

TEST(frmMain, DroppedFilesAreImportedOrInstalledAndRemembered)
{
    ScriptedMsgBox box;
    const QString dir = programFolder({kSample});
    frmMain w;
    w.Form_Load();
    const QString bets = dir + "/bets.txt";
    WriteWholeTextFile(bets, "01 02 03 04 05 06 07\r\n01 02 03 04 05 06 17\r\n");
    w.OpenDroppedFile(bets);
    EXPECT_EQ(w.Bets().Count(), 2);
    EXPECT_EQ(child<QLabel>(w, "lblLottCountInfo")->text(), "共 2 注, 1 页，其中 1 注有误");
    auto *recent = w.findChild<QMenu *>("mnuFileRecent");
    ASSERT_NE(recent, nullptr);
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_TRUE(recent->actions()[0]->text().endsWith(bets));

    // A template of a name that exists is replaced only after Yes.
    const QString dropped = makeTempDir() + "/" + kSample;
    QFile::copy(sourceDir() + "/resources/投注单文件/七乐彩.tzd", dropped);
    box.queue(MsgAnswer::No);
    w.OpenDroppedFile(dropped);
    EXPECT_EQ(box.texts().back(), "投注单模板文件 " + kSample + " 已存在，是否替换？");
    EXPECT_EQ(box.shown().back().style, MsgStyle::ConfirmDefaultNo);
    EXPECT_EQ(w.CurrentTemplate().LayoutName(), "陕西－双色球");
    box.queue(MsgAnswer::Yes);
    w.OpenDroppedFile(dropped);
    EXPECT_EQ(w.CurrentTemplate().LayoutName(), "七乐彩");
    const QString fresh = makeTempDir() + "/新.tzd";
    QFile::copy(dropped, fresh);
    const size_t asked = box.shown().size();
    w.OpenDroppedFile(fresh);
    EXPECT_EQ(box.shown().size(), asked); // nothing to replace: no question
    EXPECT_EQ(child<QComboBox>(w, "icboLottType")->currentText(), "新.tzd");
}

TEST(frmMain, BetListTakesDeleteAndCopiesTheSelection)
{
    ScriptedMsgBox box;
    programFolder({kSample});
    frmMain w;
    w.show();
    w.Form_Load();
    for (int i = 1; i <= 3; ++i)
        w.Bets().Append(i * 2, "01 02 03 04 05 06 07");
    auto *list = child<QTableView>(w, "lvwLottNumbers");
    list->selectRow(2);
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(w.SelectedLottNumbersText(), "2\t01 02 03 04 05 06 07\n6\t01 02 03 04 05 06 07\n");
    list->setFocus();
    box.queue(MsgAnswer::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_FALSE(box.texts().isEmpty());
    EXPECT_EQ(box.texts().back(), "确认删除选中的 2 个投注号码吗？");
    EXPECT_EQ(w.Bets().Count(), 1);
    // The index column holds a seven-digit index.
    EXPECT_GE(list->columnWidth(0), list->fontMetrics().horizontalAdvance("1000000"));
}

TEST(frmMain, TheWindowComesBackAtTheSizeItWasClosedWith)
{
    ScriptedMsgBox box;
    programFolder({kSample});
    {
        frmMain w;
        w.show();
        w.Form_Load();
        w.resize(900, 640);
        w.mnuFileExit_Click();
    }
    SetQuitting(false);
    frmMain again;
    again.Form_Load();
    EXPECT_EQ(again.size(), QSize(900, 640));
}

int NoBrowser(const QString &, const QString &) { return 31; }

TEST(frmMain, NoSilentNoOps)
{
    ScriptedMsgBox box;
    const QString dir = programFolder({kSample}, "[MAIN]\r\nPRINTRANGE=3\r\nLOTTNUMBERSTART=5\r\nLOTTNUMBEREND=9\r\n");
    frmMain w;
    w.show();
    w.Form_Load();
    w.Bets().Append(1, "01 02 03 04 05 06 07");
    child<QPushButton>(w, "cmdPrint")->click();
    EXPECT_EQ(box.texts(), QStringList{"打印范围内没有投注号码！"});

    const ShellOpenHandler previous = SetShellOpenHandler(&NoBrowser);
    w.findChild<QAction *>("mnuHelpIndex")->trigger();
    w.findChild<QAction *>("mnuHelpHome")->trigger();
    SetShellOpenHandler(previous);
    ASSERT_EQ(box.texts().size(), 3);
    EXPECT_TRUE(box.texts()[1].endsWith(dir + "/help/index.html")) << box.texts()[1].toStdString();
    EXPECT_TRUE(box.texts()[2].startsWith("无法启动浏览器打开主页")) << box.texts()[2].toStdString();
}

TEST(frmMain, EveryControlHasATooltipAndEveryButtonAnAltKey)
{
    ScriptedMsgBox box;
    programFolder({kSample});
    frmMain w;
    w.Form_Load();
    QStringList missingTip, missingKey;
    for (QWidget *c : w.centralWidget()->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(c) || qobject_cast<QLineEdit *>(c)
                             || qobject_cast<QComboBox *>(c) || qobject_cast<QSlider *>(c)
                             || qobject_cast<QTableView *>(c);
        if (!control || c->objectName().isEmpty() || c->objectName().startsWith("qt_"))
            continue;
        if (c->toolTip().isEmpty())
            missingTip << c->objectName();
        auto *button = qobject_cast<QAbstractButton *>(c);
        auto *arrow = qobject_cast<QToolButton *>(c);
        if (button && !(arrow && arrow->arrowType() != Qt::NoArrow) && !button->text().contains('&'))
            missingKey << c->objectName();
    }
    EXPECT_EQ(missingTip, QStringList{});
    EXPECT_EQ(missingKey, QStringList{});
}
