#pragma once
// A recorded document written out: PDF, one PNG per page, or the JSON form of vornprn-cli.
#include "print/PrintDocument.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QStringList>
#include <memory>

class QPdfWriter;
class QPainter;

// Writes documents one after another into one PDF, each page with its document's paper and
// orientation, coordinates from the paper's top-left corner. Fonts and shared pictures are
// embedded once.
class PdfOutput {
public:
    explicit PdfOutput(const QString &path);
    ~PdfOutput();
    PdfOutput(const PdfOutput &) = delete;
    PdfOutput &operator=(const PdfOutput &) = delete;

    void setTitle(const QString &title);
    bool Append(const PrintDocument &doc);
    // Closes the file; false when it could not be written.
    bool Finish();
    int PagesWritten() const { return m_pages; }

private:
    QString m_path;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    int m_pages = 0;
    bool m_failed = false;
};

bool WriteDocumentPdf(const PrintDocument &doc, const QString &path);

// One page as a white image at the given resolution; `areaTwips` limits the image to that
// part of the page (the whole page when empty).
QImage RenderPageImage(const PrintDocument &doc, int page, double dpiX, double dpiY,
                       const QRectF &areaTwips = QRectF());

// page-0001.png, page-0002.png, ... in `folder`; false when a file could not be written.
bool WriteDocumentPngs(const PrintDocument &doc, const QString &folder, double dpi = 300);

// A text as a JSON string, quotes included (UTF-8).
QByteArray JsonString(QStringView text);

// The JSON form: {"docName", "page", "pages": [{"ops": [...]}], "messages"}.
QByteArray DocumentJson(const PrintDocument &doc, const QStringList &messages);
