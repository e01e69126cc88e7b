#pragma once
// A recorded document written out: PDF, one PNG per page, or the JSON form of vornprn-cli.
#include "print/PrintDocument.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <memory>

class AtomicFile;
class QBuffer;
class QPdfWriter;
class QPainter;

// Writes documents one after another into one PDF, each page with its document's paper and
// orientation, coordinates from the paper's top-left corner. Fonts and shared pictures are
// embedded once. The PDF is written beside its target and replaces it only when complete.
class PdfOutput {
public:
    explicit PdfOutput(const QString &path);
    ~PdfOutput();
    PdfOutput(const PdfOutput &) = delete;
    PdfOutput &operator=(const PdfOutput &) = delete;

    void setTitle(const QString &title);
    bool Append(const PrintDocument &doc);
    // Closes the file; false when it could not be written (FailureText() says why).
    bool Finish();
    int PagesWritten() const { return m_pages; }
    QString FailureText() const { return m_failure; }

private:
    bool start();
    QString m_path;
    QString m_failure;
    std::unique_ptr<AtomicFile> m_file;
    std::unique_ptr<QBuffer> m_buffer;
    QList<QSizeF> m_pagePoints; // the exact size of every page written
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<QPainter> m_painter;
    int m_pages = 0;
    bool m_failed = false;
};

// The whole document as one PDF; `failure` receives the reason when it could not be written.
bool WriteDocumentPdf(const PrintDocument &doc, const QString &path, QString *failure = nullptr);

// One page as a white image at the given resolution; `areaTwips` limits the image to that
// part of the page (the whole page when empty).
QImage RenderPageImage(const PrintDocument &doc, int page, double dpiX, double dpiY,
                       const QRectF &areaTwips = QRectF());

// page-0001.png, page-0002.png, ... in `folder`; false when a file could not be written
// (`failure` says why; every page file is replaced only by a complete one).
bool WriteDocumentPngs(const PrintDocument &doc, const QString &folder, double dpi = 300,
                       QString *failure = nullptr);

// A text as a JSON string, quotes included (UTF-8).
QByteArray JsonString(QStringView text);

// The JSON form: {"docName", "page", "pages": [{"ops": [...]}], "messages"}.
QByteArray DocumentJson(const PrintDocument &doc, const QStringList &messages);
