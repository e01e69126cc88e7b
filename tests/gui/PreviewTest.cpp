#include "common/Quitting.h"
#include "print/DocumentSurface.h"
#include "gui/PreviewWidget.h"
#include "gui/frmPLPreview.h"
#include "TestSupport.h"

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
