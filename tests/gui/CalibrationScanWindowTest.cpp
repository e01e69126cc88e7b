// Calibrating a printer from a scan in "打印机校准": the scan window measures, warns, and OK adds
// the correction to the printer's stored offset.
#include "CalibrationScan.h"
#include "TestSupport.h"
#include "app/PrinterOffsets.h"
#include "common/clsRegIni.h"
#include "gui/frmCalibrationScan.h"
#include "gui/frmPrinterCalibration.h"
#include "storage/clsPLStoreINI.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct Scan {
    QString picture, layout;
};

Scan writeScan(const QString &dir, QPointF offset, double skew)
{
    slipgen::SlipRecipe s;
    s.dpi = 250;
    s.rotationDeg = -0.8;
    s.blurPx = 0.6;
    slipgen::PrinterError p;
    p.offsetMm = offset;
    p.skewDeg = skew;
    p.spreadMm = 0.04;
    const slipgen::CalibrationScan scan = slipgen::MakeCalibrationScan(s, p);
    Scan out{dir + "/scan.png", dir + "/slip.tzd"};
    EXPECT_TRUE(scan.slip.picture.save(out.picture));
    colPLControls layout = scan.layout;
    EXPECT_TRUE(clsPLStoreINI().SaveToINI_Fast(out.layout, layout));
    return out;
}

TEST(frmCalibrationScan, OkAddsTheCorrectionToThePrintersOffset)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir();
    clsRegIni::SetStoreFile(dir + "/registry.ini");
    ASSERT_TRUE(SavePrinterOffset("Counter_1", {0.5, -0.25}));
    const Scan scan = writeScan(dir, {0.8, 0.6}, 0);

    frmPrinterCalibration w({"Counter_1", "Counter_2"});
    EXPECT_FALSE(w.ScanButton(0)->isEnabled()); // no template yet
    w.setTemplatePath(scan.layout);
    ASSERT_TRUE(w.ScanButton(0)->isEnabled());
    int opened = 0;
    QObject::connect(&w, &frmPrinterCalibration::scanWindowOpened, [&](frmCalibrationScan *s) {
        ++opened;
        EXPECT_TRUE(s->Measure(scan.picture));
        EXPECT_FALSE(s->Warning()->isVisible());
        EXPECT_EQ(s->findChild<QTableWidget *>("tblCalibrationMarks")->rowCount(), 9);
        EXPECT_TRUE(s->Figures()->text().contains("保存后的偏移：左边 -0.30，顶端 -0.85 毫米")) << qPrintable(s->Figures()->text());
        QTimer::singleShot(0, s, &QDialog::accept);
    });
    w.calibrateFromScan(0);
    EXPECT_EQ(opened, 1);
    const PrinterOffset stored = ReadPrinterOffset("Counter_1");
    EXPECT_NEAR(stored.left, 0.5 - 0.8, 0.1);
    EXPECT_NEAR(stored.top, -0.25 - 0.6, 0.1);
    EXPECT_EQ(ReadPrinterOffset("Counter_2"), PrinterOffset{});
    // The row shows the stored offset; OK of the list keeps it exactly.
    EXPECT_EQ(w.LeftBox(0)->text(), PrinterOffsetText(stored.left));
    EXPECT_EQ(w.TopBox(0)->text(), PrinterOffsetText(stored.top));
    w.accept();
    EXPECT_EQ(ReadPrinterOffset("Counter_1"), stored);
    EXPECT_TRUE(box.shown().empty());
}

TEST(frmCalibrationScan, WarnsWhenTheOffsetCannotPutEveryMarkInItsBox)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir();
    clsRegIni::SetStoreFile(dir + "/registry.ini");
    // Turned by 1.5°, the marks 130 mm apart land 3.4 mm apart from where one offset puts them.
    const Scan scan = writeScan(dir, {0.3, 0.2}, 1.5);
    frmCalibrationScan s("Counter_1", scan.layout);
    s.show();
    ASSERT_TRUE(s.Measure(scan.picture));
    EXPECT_NEAR(s.Measurement().skew, 1.5, 0.05);
    EXPECT_TRUE(s.Warning()->isVisible());
    EXPECT_TRUE(s.Warning()->text().contains("超过填涂块大小的四分之一（0.45 毫米）")) << qPrintable(s.Warning()->text());
}

TEST(frmCalibrationScan, APictureItCannotUseStoresNothing)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir();
    clsRegIni::SetStoreFile(dir + "/registry.ini");
    const Scan scan = writeScan(dir, {0.3, 0.2}, 0);
    frmCalibrationScan s("Counter_1", scan.layout);
    EXPECT_FALSE(s.Measure(dir + "/none.png"));
    EXPECT_EQ(s.Figures()->text(), "图片 " + dir + "/none.png 不能打开！");
    s.DpiBox()->setText("abc");
    EXPECT_FALSE(s.Measure(scan.picture));
    EXPECT_EQ(s.Figures()->text(), "请输入合法值！");
    s.accept();
    EXPECT_NE(s.result(), QDialog::Accepted);
    EXPECT_EQ(ReadPrinterOffset("Counter_1"), PrinterOffset{});
    // The right resolution typed in measures.
    s.DpiBox()->setText("250");
    EXPECT_TRUE(s.Measure(scan.picture));
    s.accept();
    EXPECT_EQ(s.result(), QDialog::Accepted);
    EXPECT_NEAR(ReadPrinterOffset("Counter_1").left, -0.3, 0.1);
}
} // namespace
