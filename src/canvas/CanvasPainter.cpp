#include "canvas/CanvasPainter.h"

#include "canvas/CanvasGeometry.h"
#include "canvas/KdLabel.h"
#include "canvas/KdPLDesinger.h"
#include "canvas/MeasurementText.h"
#include "common/DesignScale.h"
#include "model/ElementKind.h"
#include "print/ElementDrawing.h"
#include "print/PainterSurface.h"

#include <QPainter>
#include <cmath>

using namespace CanvasGeometry;

namespace {
const QColor OutsideColor(128, 128, 128);
const QColor SurfaceColor(255, 255, 255);
const QColor HandleColor(0, 0, 0);
const QColor MarkColor(0, 0, 255);
const QColor GridColor(215, 222, 235);
const QColor GridCentimetreColor(170, 182, 205);
const QColor MeasureColor(220, 0, 0);
// Grid lines closer than this on screen are thinned out.
constexpr double GridMinPixels = 6;
// Text and borders can reach a little beyond an element's rectangle.
constexpr double PaintMarginTwips = 60;
} // namespace

QPointF CanvasViewport::ToTwips(QPointF p) const
{
    return QPointF((p.x() + scroll.x()) * TwipsPerPixelX() - RulerTwips,
                   (p.y() + scroll.y()) * TwipsPerPixelY() - RulerTwips);
}

QRectF CanvasViewport::ToPixels(const QRectF &t) const
{
    const QPointF tl((t.left() + RulerTwips) / TwipsPerPixelX() - scroll.x(),
                     (t.top() + RulerTwips) / TwipsPerPixelY() - scroll.y());
    return QRectF(tl, QSizeF(t.width() / TwipsPerPixelX(), t.height() / TwipsPerPixelY()));
}

QRectF CanvasViewport::ToTwips(const QRectF &p) const
{
    return QRectF(ToTwips(p.topLeft()),
                  QSizeF(p.width() * TwipsPerPixelX(), p.height() * TwipsPerPixelY()));
}

QSizeF CanvasPainter::ContentPixels(const CanvasViewport &viewport) const
{
    const QSizeF area = m_canvas.AreaTwips();
    return QSizeF(area.width() / viewport.TwipsPerPixelX(), area.height() / viewport.TwipsPerPixelY());
}

void CanvasPainter::Paint(QPainter &painter, const CanvasViewport &viewport, const QRect &dirty) const
{
    painter.save();
    painter.setClipRect(dirty);
    painter.fillRect(dirty, OutsideColor);
    const QSizeF content = ContentPixels(viewport);
    painter.fillRect(QRectF(-viewport.scroll, content), SurfaceColor);
    paintRulers(painter, viewport);

    // The drawing surface: behind the rulers, in twips from its own top-left corner.
    const QRectF surfacePixels = viewport.ToPixels(
        QRectF(QPointF(0, 0), m_canvas.AreaTwips() - QSizeF(RulerTwips, RulerTwips)));
    painter.setClipRect(surfacePixels.intersected(QRectF(dirty)));
    painter.translate(viewport.ToPixels(QRectF()).topLeft());
    paintBackPicture(painter, viewport);
    paintGrid(painter, viewport, QRectF(dirty).translated(-viewport.ToPixels(QRectF()).topLeft()));
    {
        PainterSurface surface(painter, viewport.dpiX, viewport.dpiY);
        paintElements(painter, surface, viewport.ToTwips(QRectF(dirty)));
    }
    paintMeasurement(painter, viewport);
    painter.scale(1 / viewport.TwipsPerPixelX(), 1 / viewport.TwipsPerPixelY());
    paintSelection(painter);
    painter.restore();
}

void CanvasPainter::paintRulers(QPainter &painter, const CanvasViewport &viewport) const
{
    const double s = GetDesignScale();
    const QSizeF area = m_canvas.AreaTwips();
    const double tx = viewport.TwipsPerPixelX(), ty = viewport.TwipsPerPixelY();
    const QPointF origin = -viewport.scroll;
    const double breadthX = RulerTwips / tx, breadthY = RulerTwips / ty;
    painter.save();
    painter.translate(origin);
    painter.fillRect(QRectF(0, 0, area.width() / tx, breadthY), Qt::white);
    painter.fillRect(QRectF(0, 0, breadthX, area.height() / ty), Qt::white);
    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setPixelSize(std::max(8, int(breadthY * 0.45)));
    painter.setFont(font);
    const int lastX = int((area.width() - RulerTwips) / s);
    const int lastY = int((area.height() - RulerTwips) / s);
    for (int mm = 5; mm <= std::max(lastX, lastY); mm += 5) {
        const bool cm = mm % 10 == 0;
        const double tick = cm ? 0.5 : 0.25;
        if (mm <= lastX) {
            const double x = (RulerTwips + mm * s) / tx;
            painter.drawLine(QPointF(x, breadthY), QPointF(x, breadthY * (1 - tick)));
            if (cm)
                painter.drawText(QPointF(x - RulerNumberBack / tx, breadthY * 0.45),
                                 QString::number(mm / 10));
        }
        if (mm <= lastY) {
            const double y = (RulerTwips + mm * s) / ty;
            painter.drawLine(QPointF(breadthX, y), QPointF(breadthX * (1 - tick), y));
            if (cm)
                painter.drawText(QPointF(1, y - RulerNumberBack / ty), QString::number(mm / 10));
        }
    }
    painter.drawLine(QPointF(breadthX, breadthY), QPointF(area.width() / tx, breadthY));
    painter.drawLine(QPointF(breadthX, breadthY), QPointF(breadthX, area.height() / ty));
    painter.restore();
}

void CanvasPainter::paintBackPicture(QPainter &painter, const CanvasViewport &viewport) const
{
    const QImage &picture = m_canvas.BackPicture();
    if (picture.isNull())
        return;
    const double s = GetDesignScale();
    const QRectF mm = m_canvas.BackPictureRect();
    const QRectF target(mm.left() * s / viewport.TwipsPerPixelX(), mm.top() * s / viewport.TwipsPerPixelY(),
                        mm.width() * s / viewport.TwipsPerPixelX(), mm.height() * s / viewport.TwipsPerPixelY());
    if (target.width() < 1 || target.height() < 1)
        return;
    const QSize size = target.size().toSize();
    if (m_scaledFrom != picture.cacheKey() || m_scaledPicture.size() != size) {
        m_scaledPicture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_scaledFrom = picture.cacheKey();
    }
    painter.drawImage(target.topLeft(), m_scaledPicture);
}

void CanvasPainter::paintGrid(QPainter &painter, const CanvasViewport &viewport, const QRectF &dirty) const
{
    const MillimetreGrid &grid = m_canvas.Grid();
    if (!grid.shown)
        return;
    const double s = GetDesignScale();
    const double pxX = s / viewport.TwipsPerPixelX(), pxY = s / viewport.TwipsPerPixelY();
    const double step = grid.DrawnStep(std::min(pxX, pxY), GridMinPixels);
    const QSizeF area = (m_canvas.AreaTwips() - QSizeF(RulerTwips, RulerTwips)) / s;
    const QRectF shown = dirty.intersected(QRectF(0, 0, area.width() * pxX, area.height() * pxY));
    if (shown.isEmpty())
        return;
    painter.save();
    auto penFor = [&](long long i) {
        // Every centimetre a little darker, where the drawn step falls on one.
        const double at = double(i) * step;
        QPen pen(std::abs(at / 10 - std::round(at / 10)) < 1e-6 ? GridCentimetreColor : GridColor);
        pen.setCosmetic(true);
        return pen;
    };
    for (long long i = (long long)std::ceil(shown.left() / pxX / step);
         double(i) * step * pxX <= shown.right(); ++i) {
        painter.setPen(penFor(i));
        const double x = double(i) * step * pxX;
        painter.drawLine(QPointF(x, shown.top()), QPointF(x, shown.bottom()));
    }
    for (long long i = (long long)std::ceil(shown.top() / pxY / step);
         double(i) * step * pxY <= shown.bottom(); ++i) {
        painter.setPen(penFor(i));
        const double y = double(i) * step * pxY;
        painter.drawLine(QPointF(shown.left(), y), QPointF(shown.right(), y));
    }
    painter.restore();
}

void CanvasPainter::paintMeasurement(QPainter &painter, const CanvasViewport &viewport) const
{
    const auto measured = m_canvas.Measurement();
    if (!measured)
        return;
    const double s = GetDesignScale();
    auto toPixels = [&](QPointF mm) {
        return QPointF(mm.x() * s / viewport.TwipsPerPixelX(), mm.y() * s / viewport.TwipsPerPixelY());
    };
    const QPointF a = toPixels(measured->p1()), b = toPixels(measured->p2());
    painter.save();
    QPen pen(MeasureColor);
    pen.setCosmetic(true);
    pen.setWidthF(1.5);
    painter.setPen(pen);
    painter.drawLine(a, b);
    for (const QPointF &end : {a, b}) {
        painter.drawLine(end - QPointF(4, 0), end + QPointF(4, 0));
        painter.drawLine(end - QPointF(0, 4), end + QPointF(0, 4));
    }
    painter.drawText(b + QPointF(6, -6), MeasurementLength(*measured));
    painter.restore();
}

void CanvasPainter::paintElements(QPainter &painter, PrintSurface &surface,
                                  const QRectF &dirtyTwips) const
{
    const double m = PaintMarginTwips;
    const QRectF area = dirtyTwips.intersected(
        QRectF(QPointF(0, 0), m_canvas.AreaTwips() - QSizeF(RulerTwips, RulerTwips)));
    for (const KdPLDesinger::Item &item : m_canvas.AllItems()) {
        const ControlState &state = item.state;
        if (!state.visible)
            continue;
        if (!KdPLDesinger::ControlRect(state).adjusted(-m, -m, m, m).intersects(dirtyTwips))
            continue;
        const ElementKind kind = ElementKindOf(item.element);
        if (IsLabelKind(kind)) {
            // A label's characters stay inside its box, so the numbers of small blocks never
            // spill onto their neighbours. The painter is in surface twips here.
            painter.setClipRect(KdPLDesinger::ControlRect(state).intersected(area));
            KdLabel::FromState(state).Paint(surface);
        } else if (kind == ElementKind::Line) {
            painter.setClipRect(area);
            // The line in its own twips: one millimetre per twip.
            clsPLControl line = item.element;
            Ctl2Cls(state, line, 1.0);
            DrawElement(surface, line, 0, 0, 1.0, ElementDrawMode::Design);
        }
    }
}

void CanvasPainter::paintSelection(QPainter &painter) const
{
    painter.setPen(Qt::NoPen);
    for (const QString &key : m_canvas.MultiSelectionKeys()) {
        const KdPLDesinger::Item *item = m_canvas.FindItem(key);
        if (!item)
            continue;
        // A mark is a grip square centred on each corner.
        const QRectF r = KdPLDesinger::ControlRect(item->state);
        for (const QPointF corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            painter.fillRect(GripRect(corner), MarkColor);
    }
    if (const auto handles = m_canvas.Handles())
        for (const QRectF &r : *handles)
            painter.fillRect(r, HandleColor);
    if (const auto grips = m_canvas.Grips())
        for (const QRectF &r : *grips)
            painter.fillRect(r, HandleColor);
    if (const auto band = m_canvas.Band()) {
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(*band);
    }
}
