#include "print/DocumentOutput.h"
#include "print/DocumentPainter.h"
#include "print/PdfMediaBox.h"
#include "common/AtomicFile.h"

#include <QBuffer>
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <type_traits>

namespace {
// The PDF is laid out at 1440 dots per inch, so a twip is one unit of its painter.
constexpr int PdfResolution = 1440;
} // namespace

PdfOutput::PdfOutput(const QString &path) : m_path(path) {}

PdfOutput::~PdfOutput()
{
    Finish();
}

bool PdfOutput::start()
{
    if (m_writer)
        return true;
    m_file = std::make_unique<AtomicFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly)) {
        m_failure = m_file->outcome().reason;
        m_failed = true;
        return false;
    }
    // The PDF is made in memory: its page boxes get their exact sizes before it is written.
    m_buffer = std::make_unique<QBuffer>();
    m_buffer->open(QIODevice::WriteOnly);
    m_writer = std::make_unique<QPdfWriter>(m_buffer.get());
    m_writer->setResolution(PdfResolution);
    m_writer->setCreator(QStringLiteral("VornPrn"));
    return true;
}

void PdfOutput::setTitle(const QString &title)
{
    if (start())
        m_writer->setTitle(title);
}

bool PdfOutput::Append(const PrintDocument &doc)
{
    if (!m_writer)
        setTitle(doc.DocName());
    if (m_failed)
        return false;
    const QPageLayout layout = PageLayoutOf(doc.Setup());
    DocumentPainter painter(doc);
    for (int page = 0; page < doc.PageCount(); ++page) {
        if (!m_painter) {
            m_writer->setPageLayout(layout);
            m_painter = std::make_unique<QPainter>();
            if (!m_painter->begin(m_writer.get())) {
                m_failed = true;
                return false;
            }
        } else {
            if (page == 0)
                m_writer->setPageLayout(layout);
            if (!m_writer->newPage()) {
                m_failed = true;
                return false;
            }
        }
        painter.PaintPage(*m_painter, page, PdfResolution, PdfResolution);
        // Custom paper gets its exact size; a standard one keeps the box readers know it by.
        const bool custom = doc.Setup().EffectivePaperSize() == 256;
        m_pagePoints << (custom ? doc.Setup().PageSizeTwips() / 20.0 : QSizeF());
        ++m_pages;
    }
    return true;
}

bool PdfOutput::Finish()
{
    if (m_painter) {
        if (!m_painter->end())
            m_failed = true;
        m_painter.reset();
    } else if (m_writer && !m_failed) {
        // A PDF without pages still gets one blank page rather than no file at all.
        QPainter blank;
        if (!blank.begin(m_writer.get()) || !blank.end())
            m_failed = true;
    }
    m_writer.reset();
    if (m_file) {
        if (!m_failed) {
            const QByteArray pdf = WithExactMediaBoxes(m_buffer->data(), m_pagePoints);
            if (m_file->write(pdf) == pdf.size())
                m_file->commit();
        }
        m_file->cancel();
        m_buffer.reset();
        if (!m_file->outcome().ok) {
            m_failed = true;
            m_failure = m_file->outcome().reason;
        } else if (m_failed && m_failure.isEmpty()) {
            m_failure = SaveFailureText(m_path, EIO);
        }
        m_file.reset();
    }
    return !m_failed;
}

bool WriteDocumentPdf(const PrintDocument &doc, const QString &path, QString *failure)
{
    PdfOutput out(path);
    out.setTitle(doc.DocName());
    const bool appended = out.Append(doc);
    const bool ok = out.Finish() && appended;
    if (!ok && failure)
        *failure = out.FailureText();
    return ok;
}

QImage RenderPageImage(const PrintDocument &doc, int page, double dpiX, double dpiY,
                       const QRectF &areaTwips)
{
    const QSizeF pageTwips = doc.Setup().PageSizeTwips();
    const QRectF area = areaTwips.isEmpty() ? QRectF(QPointF(0, 0), pageTwips) : areaTwips;
    const int w = std::max(1, int(std::ceil(area.width() * dpiX / 1440.0)));
    const int h = std::max(1, int(std::ceil(area.height() * dpiY / 1440.0)));
    QImage image(w, h, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpiX / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(dpiY / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-area.left() * dpiX / 1440.0, -area.top() * dpiY / 1440.0);
    DocumentPainter(doc).PaintPage(p, page, dpiX, dpiY);
    p.end();
    return image;
}

bool WriteDocumentPngs(const PrintDocument &doc, const QString &folder, double dpi,
                       QString *failure)
{
    if (!QDir().mkpath(folder)) {
        if (failure)
            *failure = SaveFailureText(QDir(folder).filePath(QStringLiteral("page-0001.png")), ENOENT);
        return false;
    }
    for (int page = 0; page < doc.PageCount(); ++page) {
        const QString name = QStringLiteral("page-%1.png").arg(page + 1, 4, 10, QLatin1Char('0'));
        AtomicFile file(QDir(folder).filePath(name));
        const bool written = file.open(QIODevice::WriteOnly)
                             && RenderPageImage(doc, page, dpi, dpi).save(&file, "PNG")
                             && file.commit();
        if (!written) {
            file.cancel();
            if (failure)
                *failure = file.outcome().ok ? SaveFailureText(file.fileName(), EIO)
                                             : file.outcome().reason;
            return false;
        }
    }
    return true;
}

QByteArray JsonString(QStringView s)
{
    bool plain = true;
    for (QChar c : s) {
        if (c.unicode() < 0x20 || c == u'"' || c == u'\\') {
            plain = false;
            break;
        }
    }
    if (plain)
        return '"' + s.toUtf8() + '"';
    QString escaped;
    escaped.reserve(s.size() + 8);
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u == u'"')
            escaped += QLatin1String("\\\"");
        else if (u == u'\\')
            escaped += QLatin1String("\\\\");
        else if (u == u'\n')
            escaped += QLatin1String("\\n");
        else if (u == u'\r')
            escaped += QLatin1String("\\r");
        else if (u == u'\t')
            escaped += QLatin1String("\\t");
        else if (u < 0x20)
            escaped += QStringLiteral("\\u%1").arg(unsigned(u), 4, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return '"' + escaped.toUtf8() + '"';
}

namespace {
class JsonOut {
public:
    QByteArray bytes;

    void raw(const char *s) { bytes.append(s); }
    // The shortest text that reads back as the same value (a float keeps its own shortest form).
    // The surface records finite numbers only; 0 stands in should anything else slip through,
    // so a reader always finds a number.
    template <class T>
    void number(T v) requires std::is_floating_point_v<T>
    {
        if (!std::isfinite(v)) {
            raw("0");
            return;
        }
        char buf[32];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        bytes.append(buf, r.ptr - buf);
    }
    void number(qint32 v) { bytes.append(QByteArray::number(v)); }
    void boolean(bool v) { raw(v ? "true" : "false"); }
    void string(QStringView s) { bytes.append(JsonString(s)); }
    template <class T>
    void field(const char *name, T v)
    {
        bytes.append(",\"");
        bytes.append(name);
        bytes.append("\":");
        if constexpr (std::is_same_v<T, bool>)
            boolean(v);
        else
            number(v);
    }
};

void writeOp(JsonOut &j, const PrintDocument &doc, const DrawOp &op)
{
    const DrawState &s = doc.State(op.State);
    switch (op.Kind) {
    case OpKind::Rect:
    case OpKind::Line:
        j.raw(op.Kind == OpKind::Rect ? "{\"op\":\"rect\"" : "{\"op\":\"line\"");
        j.field("x1", op.A);
        j.field("y1", op.B);
        j.field("x2", op.C);
        j.field("y2", op.D);
        j.field("penColor", s.PenColor);
        j.field("penStyle", s.PenStyle);
        j.field("penWidth", s.PenWidth);
        if (op.Kind == OpKind::Rect)
            j.field("brushColor", s.BrushColor);
        break;
    case OpKind::Text:
        j.raw("{\"op\":\"text\",\"text\":");
        j.string(doc.Text(op.Ref));
        j.field("left", op.A);
        j.field("top", op.B);
        j.field("width", op.C);
        j.field("height", op.D);
        j.field("textColor", s.TextColor);
        j.field("textAlign", s.TextAlign);
        j.raw(",\"fontName\":");
        j.string(s.FontName);
        j.field("fontSize", s.FontSize);
        j.field("fontBold", s.FontBold);
        j.field("fontItalic", s.FontItalic);
        j.field("fontUnderline", s.FontUnderline);
        j.field("fontStrikethru", s.FontStrikethru);
        j.field("fill", op.Fill);
        j.field("brushColor", s.BrushColor);
        j.field("penColor", s.PenColor);
        j.field("penStyle", s.PenStyle);
        j.field("penWidth", s.PenWidth);
        break;
    case OpKind::Picture:
        j.raw("{\"op\":\"picture\",\"path\":");
        j.string(doc.Picture(op.Ref).path());
        j.field("left", op.A);
        j.field("top", op.B);
        j.field("width", op.C);
        j.field("height", op.D);
        break;
    }
    j.raw("}");
}
} // namespace

QByteArray DocumentJson(const PrintDocument &doc, const QStringList &messages)
{
    JsonOut j;
    j.bytes.reserve(doc.OpCount() * 160 + 512);
    const PageSetup &p = doc.Setup();
    j.raw("{\"docName\":");
    j.string(doc.DocName());
    j.raw(",\n\"page\":{\"orientation\":");
    j.number(p.Orientation);
    j.field("paperSize", p.EffectivePaperSize());
    j.field("paperWidth", p.PaperWidth);
    j.field("paperHeight", p.PaperHeight);
    j.field("marginLeft", p.MarginLeft);
    j.field("marginTop", p.MarginTop);
    j.field("marginRight", p.MarginRight);
    j.field("marginBottom", p.MarginBottom);
    j.raw("},\n\"pages\":[");
    for (int page = 0; page < doc.PageCount(); ++page) {
        j.raw(page ? ",\n{\"ops\":[" : "\n{\"ops\":[");
        for (const DrawOp *op = doc.PageBegin(page); op != doc.PageEnd(page); ++op) {
            if (op != doc.PageBegin(page))
                j.raw(",\n ");
            writeOp(j, doc, *op);
        }
        j.raw("]}");
    }
    j.raw("],\n\"messages\":[");
    for (int i = 0; i < messages.size(); ++i) {
        if (i)
            j.raw(",");
        j.string(messages[i]);
    }
    j.raw("]}\n");
    return j.bytes;
}
