// Each printer's own offset: kept per printer in the user's settings, added to the layout
// offset of a job that goes to that printer.
#include "app/PrintJob.h"
#include "app/PrinterOffsets.h"
#include "common/clsRegIni.h"
#include "input/BetList.h"
#include "print/DocumentOutput.h"
#include "print/PdfPrinterName.h"
#include "print/PrintDocument.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// A user store of its own per test.
void freshStore() { clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini"); }

// The documents of a whole job, batch by batch, laid out for a printer with `offset`.
QList<PrintDocument> jobDocuments(const PrinterOffset &offset, double layoutLeft = 1.5,
                                  double layoutTop = -2)
{
    BetList list;
    for (int i = 1; i <= 7; ++i)
        list.Append(i, QStringLiteral("%1 02 03 04 05 06+07").arg(i + 7, 2, 10, QChar('0')));
    PrintJobOptions o;
    o.templatePath = testDataPath("templates/four_kinds.tzd");
    o.layoutLeft = QString::number(layoutLeft);
    o.layoutTop = QString::number(layoutTop);
    o.pause = "1";
    o.printerOffset = offset;
    QList<PrintDocument> docs;
    PrintJobCallbacks cb;
    cb.showBatch = [&](PrintDocument &doc, const QString &) {
        docs << doc;
        return true;
    };
    cb.message = [](const QString &, MsgStyle) { return MsgAnswer::Ok; };
    const PrintJobOutcome out = PrintLottNumbers(list, o, cb);
    // The window's last applied layout is the template's, never the printer's.
    EXPECT_DOUBLE_EQ(out.layoutLeft, layoutLeft);
    EXPECT_DOUBLE_EQ(out.layoutTop, layoutTop);
    return docs;
}
} // namespace

TEST(PrinterOffsets, EachPrinterKeepsItsOwnOffset)
{
    freshStore();
    struct Case {
        QString printer;
        PrinterOffset offset;
    };
    // Names with the characters a settings key cannot hold as they are.
    const Case cases[] = {
        {PdfPrinterName(), {0.25, -1.5}},
        {"Office_LaserJet", {1.0, 0.8}},
        {"HP=1 [back];%20", {-0.3, 2.75}},
        {"HP=1 [back];%21", {4, -4}},
        {"收银台-针式", {0, 12.125}},
    };
    for (const Case &c : cases)
        ASSERT_TRUE(SavePrinterOffset(c.printer, c.offset)) << c.printer.toStdString();
    for (const Case &c : cases) {
        const PrinterOffset read = ReadPrinterOffset(c.printer);
        EXPECT_EQ(read.left, c.offset.left) << c.printer.toStdString();
        EXPECT_EQ(read.top, c.offset.top) << c.printer.toStdString();
    }
    // A printer without an entry, and one whose entry is damaged, add nothing.
    EXPECT_EQ(ReadPrinterOffset("Kitchen"), PrinterOffset{});
    EXPECT_EQ(ReadPrinterOffset(""), PrinterOffset{});
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_CURRENT_USER, "SOFTWARE\\VornPrn\\PrinterOffsets");
    for (const QString &damaged : {"abc", "1.5", "1,x", "1,2,3"}) {
        reg.SaveReg("Kitchen", damaged);
        EXPECT_EQ(ReadPrinterOffset("Kitchen"), PrinterOffset{}) << damaged.toStdString();
    }
    // Setting one printer again changes only that one.
    ASSERT_TRUE(SavePrinterOffset("Office_LaserJet", {-2, 3}));
    EXPECT_EQ(ReadPrinterOffset("Office_LaserJet"), (PrinterOffset{-2, 3}));
    EXPECT_EQ(ReadPrinterOffset(PdfPrinterName()), (PrinterOffset{0.25, -1.5}));

    EXPECT_EQ(ReadLastPrinter(), "");
    ASSERT_TRUE(SaveLastPrinter("Office_LaserJet"));
    EXPECT_EQ(ReadLastPrinter(), "Office_LaserJet");
    EXPECT_EQ(ReadPrinterOffset("Office_LaserJet"), (PrinterOffset{-2, 3}));
}

// The same job on two printers: every drawing of every page moves by the difference of their
// offsets, and nothing else changes.
TEST(PrinterOffsets, TwoPrintersGiveTwoDocumentsMovedByTheirOffsets)
{
    freshStore();
    ASSERT_TRUE(SavePrinterOffset("A", {1.25, -0.5}));
    ASSERT_TRUE(SavePrinterOffset("B", {-0.75, 2.0}));
    const QList<PrintDocument> a = jobDocuments(ReadPrinterOffset("A"));
    const QList<PrintDocument> b = jobDocuments(ReadPrinterOffset("B"));
    ASSERT_EQ(a.size(), 2);
    ASSERT_EQ(b.size(), a.size());
    const double dx = (1.25 - -0.75) * 56.7, dy = (-0.5 - 2.0) * 56.7;
    int moved = 0;
    for (int batch = 0; batch < a.size(); ++batch) {
        EXPECT_NE(DocumentJson(a[batch], {}), DocumentJson(b[batch], {}));
        ASSERT_EQ(a[batch].OpCount(), b[batch].OpCount());
        ASSERT_EQ(a[batch].PageCount(), b[batch].PageCount());
        for (int page = 0; page < a[batch].PageCount(); ++page) {
            const DrawOp *p = a[batch].PageBegin(page);
            for (const DrawOp *q = b[batch].PageBegin(page); q != b[batch].PageEnd(page); ++p, ++q) {
                ASSERT_EQ(p->Kind, q->Kind);
                EXPECT_NEAR(p->A - q->A, dx, 0.01);
                EXPECT_NEAR(p->B - q->B, dy, 0.01);
                // Rectangles and lines keep their size: their second corner moves as well.
                if (p->Kind == OpKind::Rect || p->Kind == OpKind::Line) {
                    EXPECT_NEAR(p->C - q->C, dx, 0.01);
                    EXPECT_NEAR(p->D - q->D, dy, 0.01);
                } else {
                    EXPECT_FLOAT_EQ(p->C, q->C);
                    EXPECT_FLOAT_EQ(p->D, q->D);
                }
                ++moved;
            }
        }
    }
    EXPECT_GE(moved, 7); // at least one block for each of the seven stakes
}

// A printer the user never calibrated prints with the template's offset alone: the same
// document as a job with no printer offset at all, and one laid out at the summed offset
// equals the calibrated printer's.
TEST(PrinterOffsets, APrinterWithoutAnEntryPrintsWithTheTemplatesOffsetOnly)
{
    freshStore();
    ASSERT_TRUE(SavePrinterOffset("Calibrated", {0.5, 1.5}));
    const QList<PrintDocument> none = jobDocuments(PrinterOffset{});
    const QList<PrintDocument> uncalibrated = jobDocuments(ReadPrinterOffset("Uncalibrated"));
    const QList<PrintDocument> calibrated = jobDocuments(ReadPrinterOffset("Calibrated"));
    const QList<PrintDocument> summed = jobDocuments(PrinterOffset{}, 1.5 + 0.5, -2 + 1.5);
    ASSERT_EQ(none.size(), 2);
    ASSERT_EQ(uncalibrated.size(), 2);
    ASSERT_EQ(calibrated.size(), 2);
    ASSERT_EQ(summed.size(), 2);
    for (int i = 0; i < none.size(); ++i) {
        EXPECT_EQ(DocumentJson(uncalibrated[i], {}), DocumentJson(none[i], {}));
        EXPECT_NE(DocumentJson(calibrated[i], {}), DocumentJson(none[i], {}));
        EXPECT_EQ(DocumentJson(calibrated[i], {}), DocumentJson(summed[i], {}));
    }
}
