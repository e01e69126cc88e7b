#include "print/DocumentPainter.h"
#include "print/PrintFonts.h"

#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace {
// Coordinates beyond this (about 7 km) are not drawn: they come from broken templates and
// only upset the painter's arithmetic.
constexpr float FarTwips = 4.0e8f;

QColor rgbColor(qint32 bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

bool drawable(const DrawOp &op)
{
    for (float v : {op.A, op.B, op.C, op.D}) {
        if (!std::isfinite(v) || std::fabs(v) > FarTwips)
            return false;
    }
    return true;
}

Qt::PenStyle qtPenStyle(qint32 style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    case 3: return Qt::DashDotLine;
    case 4: return Qt::DashDotDotLine;
    case 5: return Qt::NoPen;
    default: return Qt::SolidLine; // 0 solid, 6 inside solid
    }
}

// A pen thinner than a device pixel is drawn one pixel wide, as printers draw hairlines.
QPen statePen(const DrawState &s, double pixelsPerTwip)
{
    const double width = s.PenWidth * pixelsPerTwip < 1.0 ? 0.0 : double(s.PenWidth);
    return QPen(rgbColor(s.PenColor), width, qtPenStyle(s.PenStyle), Qt::FlatCap, Qt::MiterJoin);
}

// Rectangles drawn with the inside pen keep their outline within the rectangle.
QRectF outlineRect(const QRectF &r, const DrawState &s)
{
    if (s.PenStyle != 6 || s.PenWidth <= 0)
        return r;
    const double half = s.PenWidth / 2.0;
    return r.adjusted(half, half, -half, -half);
}

class OpPainter {
public:
    OpPainter(QPainter &p, const PrintDocument &doc, double deviceDpiY, double pixelsPerTwip)
        : m_p(p), m_doc(doc), m_dpiY(deviceDpiY), m_pixelsPerTwip(pixelsPerTwip) {}

    void paint(const DrawOp &op)
    {
        if (!drawable(op))
            return;
        const DrawState &s = m_doc.State(op.State);
        switch (op.Kind) {
        case OpKind::Rect: rect(op, s); break;
        case OpKind::Line: line(op, s); break;
        case OpKind::Text: text(op, s); break;
        case OpKind::Picture: picture(op); break;
        }
    }

private:
    void rect(const DrawOp &op, const DrawState &s)
    {
        const QRectF r = QRectF(QPointF(op.A, op.B), QPointF(op.C, op.D)).normalized();
        m_p.fillRect(r, rgbColor(s.BrushColor));
        if (s.PenStyle == 5)
            return;
        m_p.setPen(statePen(s, m_pixelsPerTwip));
        m_p.setBrush(Qt::NoBrush);
        m_p.drawRect(outlineRect(r, s));
    }

    void line(const DrawOp &op, const DrawState &s)
    {
        if (s.PenStyle == 5)
            return;
        m_p.setPen(statePen(s, m_pixelsPerTwip));
        m_p.drawLine(QPointF(op.A, op.B), QPointF(op.C, op.D));
    }

    void text(const DrawOp &op, const DrawState &s)
    {
        const QRectF box(op.A, op.B, op.C, op.D);
        if (op.Fill) {
            m_p.fillRect(box.normalized(), rgbColor(s.BrushColor));
            if (s.PenStyle != 5) {
                m_p.setPen(statePen(s, m_pixelsPerTwip));
                m_p.setBrush(Qt::NoBrush);
                m_p.drawRect(outlineRect(box.normalized(), s));
            }
        }
        const QStringView t = m_doc.Text(op.Ref);
        if (t.isEmpty() || box.width() <= 0 || box.height() <= 0)
            return;
        if (!m_fontState || !m_fontState->SameFont(s)) {
            m_p.setFont(TwipsFont(s, m_dpiY));
            m_fontState = &s;
        }
        m_p.setPen(rgbColor(s.TextColor));
        const int align = (s.TextAlign == 1 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
        m_p.drawText(box, align | Qt::TextWordWrap, t.toString());
    }

    void picture(const DrawOp &op)
    {
        const PrintPicture &pic = m_doc.Picture(op.Ref);
        if (pic.isNull())
            return;
        m_p.drawImage(QRectF(op.A, op.B, op.C, op.D).normalized(), pic.image());
    }

    QPainter &m_p;
    const PrintDocument &m_doc;
    double m_dpiY;
    double m_pixelsPerTwip; // the smaller of the two directions
    const DrawState *m_fontState = nullptr;
};
} // namespace

void DocumentPainter::PaintPage(QPainter &painter, int page) const
{
    const QPaintDevice *device = painter.device();
    PaintPage(painter, page, device->logicalDpiX(), device->logicalDpiY());
}

void DocumentPainter::PaintPage(QPainter &painter, int page, double dpiX, double dpiY) const
{
    if (page < 0 || page >= m_doc.PageCount())
        return;
    painter.save();
    painter.scale(dpiX / 1440.0, dpiY / 1440.0);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    // Fonts are resolved against the device's own resolution, whatever the zoom.
    OpPainter ops(painter, m_doc, painter.device()->logicalDpiY(), std::min(dpiX, dpiY) / 1440.0);
    for (const DrawOp *op = m_doc.PageBegin(page); op != m_doc.PageEnd(page); ++op)
        ops.paint(*op);
    painter.restore();
}
