#include "print/StatePainter.h"
#include "print/PrintFonts.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace {
constexpr float FarTwips = 4.0e8f;

QColor rgbColor(qint32 bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
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

bool unbreakable(const QString &text)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    const qsizetype next = breaks.toNextBoundary();
    return next < 0 || next >= text.size();
}

int qtTextAlign(qint32 align)
{
    const int horizontal = align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft;
    return horizontal | Qt::AlignTop;
}
} // namespace

StatePainter::StatePainter(QPainter &painter, double dpiX, double dpiY)
    : m_p(painter), m_dpiY(painter.device()->logicalDpiY()),
      // The smaller direction decides when a pen is thinner than a device pixel.
      m_pixelsPerTwip(std::min(dpiX, dpiY) / 1440.0)
{
    m_p.save();
    m_p.scale(dpiX / 1440.0, dpiY / 1440.0);
}

StatePainter::~StatePainter() { m_p.restore(); }

bool StatePainter::drawable(float a, float b, float c, float d)
{
    for (float v : {a, b, c, d}) {
        if (!std::isfinite(v) || std::fabs(v) > FarTwips)
            return false;
    }
    return true;
}

void StatePainter::rect(const QRectF &r, const DrawState &s)
{
    m_p.fillRect(r, rgbColor(s.BrushColor));
    if (s.PenStyle == 5)
        return;
    m_p.setPen(statePen(s, m_pixelsPerTwip));
    m_p.setBrush(Qt::NoBrush);
    m_p.drawRect(outlineRect(r, s));
}

void StatePainter::DrawRectangle(float x1, float y1, float x2, float y2, const DrawState &s)
{
    if (drawable(x1, y1, x2, y2))
        rect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), s);
}

void StatePainter::DrawLine(float x1, float y1, float x2, float y2, const DrawState &s)
{
    if (!drawable(x1, y1, x2, y2) || s.PenStyle == 5)
        return;
    m_p.setPen(statePen(s, m_pixelsPerTwip));
    m_p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void StatePainter::TextBox(QStringView text, float left, float top, float width, float height,
                           bool fill, const DrawState &s)
{
    if (!drawable(left, top, width, height))
        return;
    const QRectF box(left, top, width, height);
    if (fill)
        rect(box.normalized(), s);
    if (text.isEmpty() || box.width() <= 0 || box.height() <= 0)
        return;
    useFont(s);
    m_p.setPen(rgbColor(s.TextColor));
    if (drawLineInDeviceSpace(box, text, s))
        return;
    setPainterFont(m_current->font);
    m_p.drawText(box, qtTextAlign(s.TextAlign) | Qt::TextWordWrap, text.toString());
}

// On a screen or an image, a text that fits on one line of its box is drawn in device pixels
// with a font of the device size, where the glyph cache serves it: a scaled painter would
// rasterise every glyph again. It lands where wrapping would place it.
bool StatePainter::drawLineInDeviceSpace(const QRectF &box, QStringView text, const DrawState &s)
{
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        return false;
    const QPaintEngine *engine = m_p.paintEngine();
    const QTransform t = m_p.worldTransform();
    if (!engine || engine->type() != QPaintEngine::Raster || t.type() > QTransform::TxScale)
        return false;
    const double scale = t.m22();
    if (!(scale > 0) || std::fabs(t.m11() - scale) > 1e-9 * scale)
        return false;
    FontTexts &f = *m_current;
    if (f.deviceScale != scale) {
        f.deviceFont = f.font;
        f.deviceFont.setPointSizeF(f.font.pointSizeF() * scale);
        f.deviceScale = scale;
        f.lines.clear();
    }
    m_p.setWorldTransform(QTransform());
    setPainterFont(f.deviceFont);
    const QString key = text.toString();
    auto it = f.lines.find(key);
    if (it == f.lines.end()) {
        if (f.lines.size() > 4096)
            f.lines.clear();
        QStaticText line(key);
        line.setTextFormat(Qt::PlainText);
        // Prepared with the painter's own font, so that drawing does not lay it out again.
        line.prepare(QTransform(), m_p.font());
        it = f.lines.insert(key, {line, unbreakable(key)});
    }
    const QRectF device = t.mapRect(box);
    const double width = it->text.size().width();
    // A line too wide for its box stays one line when wrapping finds no place to break it.
    const bool fits = width <= device.width() || it->unbreakable;
    if (fits) {
        // A line wider than its box starts at the left edge, whatever the alignment.
        const double room = std::max(0.0, device.width() - width);
        const double x = s.TextAlign == 1 ? device.left() + room / 2
                         : s.TextAlign == 2 ? device.left() + room : device.left();
        m_p.drawStaticText(QPointF(x, device.top()), it->text);
    }
    m_p.setWorldTransform(t);
    return fits;
}

void StatePainter::DrawPicture(const PrintPicture &picture, float left, float top, float width,
                               float height)
{
    if (picture.isNull() || !drawable(left, top, width, height))
        return;
    m_p.drawImage(QRectF(left, top, width, height).normalized(), picture.image());
}

void StatePainter::setPainterFont(const QFont &font)
{
    if (m_painterFont == &font)
        return;
    m_p.setFont(font);
    m_painterFont = &font;
}

void StatePainter::useFont(const DrawState &s)
{
    if (m_fontState && m_fontState->SameFont(s))
        return;
    // Only the font's own fields make the key.
    DrawState key;
    key.FontName = s.FontName;
    key.FontSize = s.FontSize;
    key.FontBold = s.FontBold;
    key.FontItalic = s.FontItalic;
    key.FontUnderline = s.FontUnderline;
    key.FontStrikethru = s.FontStrikethru;
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) {
        it = m_fonts.insert(key, FontTexts{TwipsFont(s, m_dpiY), QFont(), 0, {}});
        m_painterFont = nullptr; // the fonts may have moved
    }
    m_current = &*it;
    m_fontState = s;
}
