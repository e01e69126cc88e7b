// "打印机校准" and the printer's offset beside the main window's layout boxes.
#include "app/PrinterOffsets.h"
#include "app/ProgramFolders.h"
#include "common/clsRegIni.h"
#include "gui/frmMain.h"
#include "gui/frmPrinterCalibration.h"
#include "print/PdfPrinterName.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {
void freshStore() { clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini"); }
} // namespace

TEST(frmPrinterCalibration, ShowsEveryPrinterAndStoresOnlyCheckedEdits)
{
    ScriptedMsgBox box;
    freshStore();
    ASSERT_TRUE(SavePrinterOffset("Front_Desk", {1.25, -0.505}));
    const QStringList printers{"Front_Desk", "Back_Office", PdfPrinterName()};
    frmPrinterCalibration w(printers);
    EXPECT_EQ(w.windowTitle(), "打印机校准");
    ASSERT_EQ(w.Printers(), printers);
    struct Shown {
        int row;
        QString left, top;
    };
    for (const Shown &s : {Shown{0, "1.25", "-0.51"}, Shown{1, "0.00", "0.00"}, Shown{2, "0.00", "0.00"}}) {
        EXPECT_EQ(w.LeftBox(s.row)->text(), s.left) << s.row;
        EXPECT_EQ(w.TopBox(s.row)->text(), s.top) << s.row;
    }

    // A box that holds no number refuses OK, says why, and stores nothing.
    w.LeftBox(1)->setText("2*0.6");
    w.TopBox(2)->setText("1..5");
    w.accept();
    EXPECT_EQ(box.texts(), QStringList{"请输入合法值！"});
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(ReadPrinterOffset("Back_Office"), PrinterOffset{});

    w.TopBox(2)->setText("-1.5");
    w.accept();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(ReadPrinterOffset("Back_Office"), (PrinterOffset{1.2, 0}));
    EXPECT_EQ(ReadPrinterOffset(PdfPrinterName()), (PrinterOffset{0, -1.5}));
    // Not edited: kept exactly, not as the box rounds it.
    EXPECT_EQ(ReadPrinterOffset("Front_Desk"), (PrinterOffset{1.25, -0.505}));
}

TEST(frmMain, ShowsTheOffsetOfThePrinterTheJobGoesTo)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir();
    QDir().mkpath(dir + "/投注单文件");
    QFile::copy(sourceDir() + "/resources/投注单文件/陕西－双色球.tzd", dir + "/投注单文件/陕西－双色球.tzd");
    SetFolders(ProgramFolders::ForProgramFolder(dir, dir + "/docs"));
    freshStore();
    ASSERT_TRUE(SavePrinterOffset(PdfPrinterName(), {0.4, -1.25}));
    ASSERT_TRUE(SaveLastPrinter(PdfPrinterName()));
    frmMain w;
    w.Form_Load();
    EXPECT_EQ(w.JobPrinter(), PdfPrinterName());
    EXPECT_EQ(w.findChild<QLabel *>("lblPrinterLeft")->text(), "+ 打印机 0.40");
    EXPECT_EQ(w.findChild<QLabel *>("lblPrinterTop")->text(), "+ 打印机 -1.25");
    EXPECT_EQ(w.findChild<QLabel *>("lblJobPrinter")->text(), "打印机：(PDF 文件)");

    // A new offset shows once the window refreshes (after the calibration window closes).
    ASSERT_TRUE(SavePrinterOffset(PdfPrinterName(), {-2, 0.5}));
    w.RefreshPrinterOffset();
    EXPECT_EQ(w.findChild<QLabel *>("lblPrinterLeft")->text(), "+ 打印机 -2.00");
    EXPECT_EQ(w.findChild<QLabel *>("lblPrinterTop")->text(), "+ 打印机 0.50");
    EXPECT_TRUE(box.shown().empty());
}
