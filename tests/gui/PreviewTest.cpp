#include "common/Quitting.h"
#include "print/DocumentSurface.h"
#include "gui/PreviewWidget.h"
#include "gui/frmPLPreview.h"
#include "model/colPLControls.h"
#include "TestSupport.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPrinter>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
PrintDocument pages(int n)
{
    DocumentSurface s;
    s.StartDoc();
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            s.NewPage();
        s.DrawRectangle(1000, 1000 + i % 100, 2000, 2000);
    }
    s.EndDoc();
    return s.TakeDocument();
}
} // namespace

TEST(PreviewWidget, PaintsOnlyThePagesInViewOfAHugeDocument)
{
    PreviewWidget w;
    w.resize(800, 600);
    w.setDocument(pages(20000));
    w.show();
    ASSERT_EQ(w.pageCount(), 20000);
    w.setZoom(1.0);
    w.grab();
    EXPECT_GE(w.lastPaintedPages(), 1);
    EXPECT_LE(w.lastPaintedPages(), 2);
    w.setCurrentPage(19999);
    EXPECT_EQ(w.currentPage(), 19999);
    w.grab();
    EXPECT_GE(w.lastPaintedPages(), 1);
    EXPECT_LE(w.lastPaintedPages(), 2);
    w.zoomOut();
    EXPECT_NEAR(w.zoom(), 1.0 / 1.5, 1e-9);
    w.zoomIn();
    w.zoomIn();
    EXPECT_NEAR(w.zoom(), 1.5, 1e-9);
    w.showWholePage();
    w.grab();
    EXPECT_LE(w.lastPaintedPages(), 3);
    EXPECT_EQ(w.currentPage(), 19999);
}

TEST(frmPLPreview, ClosingUnprintedAsksAndPrintingClosesAtOnce)
{
    ScriptedMsgBox box;
    frmPLPreview preview;
    preview.setDocument(pages(3));

    // Closing without printing: the question; No keeps the window, Yes closes it.
    box.queue(MsgAnswer::No);
    box.queue(MsgAnswer::Yes);
    QTimer::singleShot(0, &preview, [&] {
        preview.reject();
        EXPECT_TRUE(preview.isVisible());
        preview.reject();
    });
    EXPECT_FALSE(preview.ShowMe_Print(true, "每次打印1页[第 1 ～ 5 注]"));
    ASSERT_EQ(box.shown().size(), 2u);
    EXPECT_EQ(box.shown()[0].text, "尚未打印,确定要退出吗?");
    EXPECT_EQ(box.shown()[0].style, MsgStyle::ConfirmDefaultNo);
    EXPECT_EQ(preview.findChild<QLabel *>("lblMessage")->text(), "每次打印1页[第 1 ～ 5 注]");

    // A cancelled printer dialog leaves the window open, unprinted.
    preview.setPrinterDialog([](QPrinter &, int) { return false; });
    box.queue(MsgAnswer::Yes);
    QTimer::singleShot(0, &preview, [&] {
        preview.cmdPrint_Click();
        EXPECT_TRUE(preview.isVisible());
        EXPECT_FALSE(preview.Printed());
        preview.reject();
    });
    EXPECT_FALSE(preview.ShowMe_Print(true, "x"));

    // Printing (to a PDF file here) closes the window and reports printed.
    const QString pdf = makeTempDir() + "/printed.pdf";
    preview.setPrinterDialog([&](QPrinter &printer, int pageCount) {
        EXPECT_EQ(pageCount, 3);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    const size_t boxes = box.shown().size();
    QTimer::singleShot(0, &preview, [&] { preview.cmdPrint_Click(); });
    EXPECT_TRUE(preview.ShowMe_Print(true, "x"));
    EXPECT_EQ(box.shown().size(), boxes);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
}

TEST(frmPLPreview, NoQuestionWhileQuitting)
{
    ScriptedMsgBox box;
    frmPLPreview preview;
    preview.setDocument(pages(1));
    SetQuitting(true);
    QTimer::singleShot(0, &preview, [&] { preview.reject(); });
    EXPECT_FALSE(preview.ShowMe_Print(false, "x"));
    SetQuitting(false);
    EXPECT_TRUE(box.shown().empty());
}

namespace {
// The bounding box of the pure red pixels of an image; empty when there are none.
QRect redBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The first white pixel in reading order: the paper's top-left corner.
QPoint paperCorner(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255))
                return {x, y};
    return {-1, -1};
}
} // namespace

TEST(frmPLPreview, ShowsTheSlipPictureUnderTheMarksOnlyWhenAsked)
{
    const QString dir = makeTempDir();
    QImage slip(40, 20, QImage::Format_RGB32);
    slip.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(slip.save(dir + "/slip.png"));
    colPLControls layout;
    layout.setBackPicPathFile(dir + "/slip.png");
    layout.setBackPicLeft(10);
    layout.setBackPicTop(20);
    layout.setBackPicWidth(40);
    layout.setBackPicHeight(20);

    frmPLPreview preview;
    preview.resize(900, 700);
    preview.setDocument(pages(1));
    auto *box = preview.findChild<QCheckBox *>("chkShowBackPic");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("显示底图"));
    EXPECT_FALSE(box->isEnabled()); // nothing to show yet
    preview.setSlipPicture(layout, 5, 2.5);
    EXPECT_TRUE(box->isEnabled());
    preview.show();
    preview.vsp()->setZoom(1.0);
    EXPECT_TRUE(redBox(preview.vsp()->viewport()->grab().toImage()).isEmpty());

    box->click();
    const QImage shown = preview.vsp()->viewport()->grab().toImage();
    const QRect red = redBox(shown);
    const QPoint corner = paperCorner(shown);
    const double px = preview.vsp()->logicalDpiX() / 1440.0 * 56.7; // pixels per mm at zoom 1
    const double py = preview.vsp()->logicalDpiY() / 1440.0 * 56.7;
    EXPECT_NEAR(red.left() - corner.x(), 15 * px, 1.0);
    EXPECT_NEAR(red.top() - corner.y(), 22.5 * py, 1.0);
    EXPECT_NEAR(red.width(), 40 * px, 1.0);
    EXPECT_NEAR(red.height(), 20 * py, 1.0);

    box->click();
    EXPECT_TRUE(redBox(preview.vsp()->viewport()->grab().toImage()).isEmpty());
    // A template whose picture cannot be read turns the box off.
    box->click();
    layout.setBackPicPathFile(dir + "/none.png");
    preview.setSlipPicture(layout, 0, 0);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(box->isChecked());
    EXPECT_TRUE(redBox(preview.vsp()->viewport()->grab().toImage()).isEmpty());
}
