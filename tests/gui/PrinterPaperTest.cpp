// The paper a printer prints on: the template's when it sets one, the user's choice otherwise.
#include "print/printer/PrinterOutput.h"
#include "print/DocumentSurface.h"
#include "print/clsPLPrint.h"
#include "model/colPLControls.h"

#include "TestSupport.h"

#include <QPageSize>
#include <QPrinter>
#include <gtest/gtest.h>

TEST(PrinterPaper, ATemplateWithoutPaperKeepsThePaperChosenInThePrintDialog)
{
    struct Case {
        const char *what;
        QPageSize::PageSizeId chosen;
        qint32 templatePaper, templateOrientation;
        QPageSize::PageSizeId printed;
        QPageLayout::Orientation orientation;
    };
    const Case cases[] = {
        {"no paper, Letter chosen", QPageSize::Letter, 0, 0, QPageSize::Letter, QPageLayout::Portrait},
        {"no paper, A5 chosen, landscape", QPageSize::A5, 0, 1, QPageSize::A5, QPageLayout::Landscape},
        {"template A5 over Letter", QPageSize::Letter, 11, 0, QPageSize::A5, QPageLayout::Portrait},
        {"template A4 over A5", QPageSize::A5, 9, 1, QPageSize::A4, QPageLayout::Landscape},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.setPaperSize(c.templatePaper);
        t.setPaperOrientation(c.templateOrientation);
        DocumentSurface surface;
        clsPLPrint engine;
        engine.SetPrinterPageByLayout(surface, t);
        engine.PrintPLWithTest(t, surface, true);
        EXPECT_EQ(surface.PaperSize(), c.templatePaper) << c.what;

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(makeTempDir() + "/out.pdf");
        printer.setPageSize(QPageSize(c.chosen));
        ASSERT_TRUE(PrinterOutput::PrintDocumentOn(printer, surface.Document(), 0, 0)) << c.what;
        EXPECT_EQ(printer.pageLayout().pageSize().id(), c.printed) << c.what;
        EXPECT_EQ(printer.pageLayout().orientation(), c.orientation) << c.what;
    }
}
