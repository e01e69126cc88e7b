#pragma once
// Sends recorded documents to a printer by name through Qt's printing: full page, zero
// margins, each page with its document's paper and orientation.
#include <QPointF>
#include <QString>
#include <functional>
#include <memory>

class PrintDocument;
class QPrinter;

class PrinterOutput {
public:
    // An empty name is the default printer.
    explicit PrinterOutput(const QString &printerName);
    ~PrinterOutput();
    bool IsValid() const;
    // Prints the document as one print job; false when the printer refused it.
    bool Print(const PrintDocument &doc);

    // Prints on a printer the caller set up (the preview window's printer dialog). Pages
    // `first`..`last` (0-based, inclusive); `onPage` is told each page before it is printed
    // and may cancel by returning false. `shiftMm` moves every page on the paper: a document
    // laid out for one printer's offset printed on another is moved by the difference.
    static bool PrintDocumentOn(QPrinter &printer, const PrintDocument &doc, int first, int last,
                                const std::function<bool(int page)> &onPage = {},
                                QPointF shiftMm = {});

private:
    std::unique_ptr<QPrinter> m_printer;
};
