// "打印校准页" lays its page out as "开始打印" lays out a batch: the window's layout offset and
// orientation, the printer's offset, the mark colour.
#include "TestSupport.h"
#include "app/CalibrationPageJob.h"
#include "model/colPLControls.h"
#include "print/CalibrationBlocks.h"
#include "print/StakeGeometry.h"
#include "storage/clsPLStoreINI.h"

#include <gtest/gtest.h>

namespace {
TEST(CalibrationPageJob, UsesTheJobsOffsetsAndColour)
{
    const QString path = sourceDir() + "/resources/投注单文件/陕西－双色球.tzd";
    colPLControls shipped;
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(path, shipped));
    const std::vector<StakeBlock> chosen = CalibrationBlocks(shipped);
    ASSERT_EQ(chosen.size(), 9u);

    struct Job {
        bool useTemplateLayout;
        QString left, top;
        bool landscape;
        PrinterOffset printer;
        double expectLeft, expectTop; // mm added to every block
        int orientation;
    };
    const Job jobs[] = {
        {false, "1.5", "-2", false, {0.4, -1.25}, 1.9, -3.25, 0},
        {false, "0", "3*0.5", true, {}, 0, 1.5, 1},
        {true, "9", "9", false, {-0.3, 0.2}, shipped.LayoutLeft() - 0.3, shipped.LayoutTop() + 0.2,
         shipped.PaperOrientation()},
    };
    for (const Job &j : jobs) {
        PrintJobOptions o;
        o.templatePath = path;
        o.useTemplateLayout = j.useTemplateLayout;
        o.layoutLeft = j.left;
        o.layoutTop = j.top;
        o.landscape = j.landscape;
        o.printerOffset = j.printer;
        o.markColor = 0x336699;
        PrintDocument doc;
        ASSERT_TRUE(LayOutCalibrationPage(o, &doc));
        ASSERT_EQ(doc.PageCount(), 1);
        EXPECT_EQ(doc.Setup().Orientation, j.orientation) << qPrintable(j.left);
        ASSERT_EQ(doc.PageEnd(0) - doc.PageBegin(0), 9);
        for (size_t i = 0; i < chosen.size(); ++i) {
            const DrawOp &op = doc.PageBegin(0)[i];
            EXPECT_NEAR(op.A, (chosen[i].rect.left() + j.expectLeft) * PrintScale, 0.01) << i;
            EXPECT_NEAR(op.B, (chosen[i].rect.top() + j.expectTop) * PrintScale, 0.01) << i;
            EXPECT_EQ(doc.State(op.State).BrushColor, 0x336699);
        }
    }
    PrintJobOptions missing;
    missing.templatePath = sourceDir() + "/none.tzd";
    PrintDocument untouched;
    EXPECT_FALSE(LayOutCalibrationPage(missing, &untouched));
    EXPECT_EQ(untouched.PageCount(), 0);
}
} // namespace
