#include "print/printer/PrinterOutput.h"
#include "print/printer/SpooledPageCentring.h"
#include "print/DocumentPainter.h"
#include "print/PageSetup.h"
#include "print/PrintDocument.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

PrinterOutput::PrinterOutput(const QString &printerName)
{
    const QPrinterInfo info = printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                    : QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        return;
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

PrinterOutput::~PrinterOutput() = default;

bool PrinterOutput::IsValid() const { return m_printer && m_printer->isValid(); }

bool PrinterOutput::Print(const PrintDocument &doc)
{
    if (!IsValid())
        return false;
    m_printer->setDocName(doc.DocName());
    return PrintDocumentOn(*m_printer, doc, 0, doc.PageCount() - 1);
}

bool PrinterOutput::PrintDocumentOn(QPrinter &printer, const PrintDocument &doc, int first,
                                    int last, const std::function<bool(int)> &onPage, QPointF shiftMm)
{
    if (doc.PageCount() == 0 || first > last)
        return true;
    // Full page, zero margins: the document's coordinates start at the paper's corner.
    printer.setFullPage(true);
    const PageSetup &setup = doc.Setup();
    if (setup.PaperSet()) {
        printer.setPageLayout(PageLayoutOf(setup));
    } else {
        // No paper in the template: the paper chosen in the print dialog stays.
        QPageLayout kept = printer.pageLayout();
        kept.setOrientation(setup.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait);
        kept.setMargins(QMarginsF(0, 0, 0, 0));
        printer.setPageLayout(kept);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QPointF move = shiftMm + SpooledPageCentringMm(printer);
    DocumentPainter replay(doc);
    for (int page = std::max(0, first); page <= std::min(last, doc.PageCount() - 1); ++page) {
        if (onPage && !onPage(page)) {
            printer.abort();
            return false;
        }
        if (page > first && !printer.newPage())
            return false;
        painter.save();
        painter.translate(move.x() / 25.4 * printer.logicalDpiX(), move.y() / 25.4 * printer.logicalDpiY());
        replay.PaintPage(painter, page);
        painter.restore();
    }
    return painter.end();
}
