#include "gui/DesignCanvasView.h"

#include "canvas/KdPLDesinger.h"
#include "canvas/CanvasGeometry.h"
#include "common/DesignScale.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

using CanvasGeometry::RulerTwips;

namespace {
int buttonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= KdPLDesinger::LeftButton;
    if (buttons & Qt::RightButton)
        code |= KdPLDesinger::RightButton;
    if (buttons & Qt::MiddleButton)
        code |= KdPLDesinger::MiddleButton;
    return code;
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= KdPLDesinger::ShiftKey;
    if (modifiers & Qt::ControlModifier)
        code |= KdPLDesinger::CtrlKey;
    if (modifiers & Qt::AltModifier)
        code |= KdPLDesinger::AltKey;
    return code;
}

// One notch of the wheel with Ctrl zooms by this much.
constexpr double WheelZoomStep = 1.25;
// What a fitted rectangle keeps free around it, pixels.
constexpr double FitMarginPixels = 8;

Qt::CursorShape cursorOf(int pointer)
{
    switch (pointer) {
    case KdPLDesinger::CrossPointer: return Qt::CrossCursor;
    case KdPLDesinger::SizeNESW: return Qt::SizeBDiagCursor;
    case KdPLDesinger::SizeNS: return Qt::SizeVerCursor;
    case KdPLDesinger::SizeNWSE: return Qt::SizeFDiagCursor;
    case KdPLDesinger::SizeWE: return Qt::SizeHorCursor;
    case KdPLDesinger::SizeAllPointer: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}
} // namespace

DesignCanvasView::DesignCanvasView(KdPLDesinger &canvas, QWidget *parent)
    : QAbstractScrollArea(parent), m_canvas(canvas), m_painter(canvas)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_canvas, &KdPLDesinger::Repaint, this, &DesignCanvasView::repaintTwips);
    connect(&m_canvas, &KdPLDesinger::LayoutChanged, this, [this] {
        updateScrollBars();
        viewport()->update();
    });
    connect(&m_canvas, &KdPLDesinger::ScrollTo, this, &DesignCanvasView::scrollToTwips);
    connect(&m_canvas, &KdPLDesinger::CtrlClick, this, [this] { setFocus(Qt::MouseFocusReason); });
    updateScrollBars();
}

CanvasViewport DesignCanvasView::Viewport() const
{
    CanvasViewport vp;
    vp.scroll = QPointF(horizontalScrollBar()->value(), verticalScrollBar()->value());
    vp.dpiX = viewport()->logicalDpiX();
    vp.dpiY = viewport()->logicalDpiY();
    return vp;
}

void DesignCanvasView::putUnder(QPointF twips, QPointF pixel)
{
    const CanvasViewport vp = Viewport();
    // ToTwips(p) = (p + scroll) * twipsPerPixel - ruler, solved for the scroll.
    horizontalScrollBar()->setValue(
        int(std::lround((twips.x() + RulerTwips) / vp.TwipsPerPixelX() - pixel.x())));
    verticalScrollBar()->setValue(int(std::lround((twips.y() + RulerTwips) / vp.TwipsPerPixelY() - pixel.y())));
}

void DesignCanvasView::ZoomAround(double factor, QPointF pixel)
{
    const double before = GetDesignScale();
    const QPointF mm = Viewport().ToTwips(pixel) / before;
    // The scale is stored as asked and kept within its bounds when read, so it is read first:
    // zooming on at a bound stays there.
    SetDesignScale(before * factor);
    m_canvas.RedrawAllContols(); // the scroll bars take the new content size with it
    putUnder(mm * GetDesignScale(), pixel);
}

void DesignCanvasView::ZoomToFit(const QRectF &mm)
{
    // The surface begins at its corner: what lies before it (paper left of the layout origin)
    // cannot be shown, so the part from the corner on is fitted.
    QRectF shown = mm;
    shown.setLeft(std::max(shown.left(), 0.0));
    shown.setTop(std::max(shown.top(), 0.0));
    if (!(shown.width() > 0 && shown.height() > 0))
        return;
    const CanvasViewport vp = Viewport();
    const QSize view = viewport()->size();
    const double across = ((view.width() - FitMarginPixels) * vp.TwipsPerPixelX() - RulerTwips) / shown.width();
    const double down = ((view.height() - FitMarginPixels) * vp.TwipsPerPixelY() - RulerTwips) / shown.height();
    SetDesignScale(std::min(across, down));
    m_canvas.RedrawAllContols();
    // Its corner right beside the rulers.
    putUnder(shown.topLeft() * GetDesignScale(),
             QPointF(RulerTwips / vp.TwipsPerPixelX(), RulerTwips / vp.TwipsPerPixelY()));
}

void DesignCanvasView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        ZoomAround(std::pow(WheelZoomStep, notches), event->position());
    event->accept();
}

void DesignCanvasView::updateScrollBars()
{
    const QSizeF content = m_painter.ContentPixels(Viewport());
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(content.width())) - view.width()));
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(content.height())) - view.height()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setPageStep(view.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void DesignCanvasView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void DesignCanvasView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    m_painter.Paint(painter, Viewport(), event->rect());
}

void DesignCanvasView::repaintTwips(const QRectF &twips)
{
    if (twips.isNull()) {
        viewport()->update();
        return;
    }
    // A pixel more on each side for rounding and cosmetic pens.
    viewport()->update(Viewport().ToPixels(twips).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void DesignCanvasView::scrollToTwips(const QRectF &twips)
{
    const QRectF px = Viewport().ToPixels(twips);
    const QRect view = viewport()->rect();
    QScrollBar *h = horizontalScrollBar();
    QScrollBar *v = verticalScrollBar();
    if (px.right() > view.right())
        h->setValue(h->value() + int(std::ceil(px.right() - view.right())));
    else if (px.left() < 0)
        h->setValue(h->value() + int(std::floor(px.left())));
    if (px.bottom() > view.bottom())
        v->setValue(v->value() + int(std::ceil(px.bottom() - view.bottom())));
    else if (px.top() < 0)
        v->setValue(v->value() + int(std::floor(px.top())));
}

void DesignCanvasView::updatePointer(QPointF at)
{
    viewport()->setCursor(cursorOf(m_canvas.PointerAt(at)));
}

void DesignCanvasView::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = Viewport().ToTwips(event->position());
    m_canvas.MouseDownAt(buttonCode(event->button()), shiftCode(event->modifiers()), at);
    updatePointer(at);
}

void DesignCanvasView::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = Viewport().ToTwips(event->position());
    m_canvas.MouseMoveAt(buttonCode(event->buttons()), shiftCode(event->modifiers()), at);
    if (!(event->buttons() & Qt::LeftButton))
        updatePointer(at);
}

void DesignCanvasView::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF at = Viewport().ToTwips(event->position());
    m_canvas.MouseUpAt(buttonCode(event->button()), shiftCode(event->modifiers()), at);
    updatePointer(at);
}

void DesignCanvasView::keyPressEvent(QKeyEvent *event)
{
    m_canvas.KeyDown(event->key(), shiftCode(event->modifiers()));
}

// Arrow keys and Tab belong to the canvas, not to the focus chain.
bool DesignCanvasView::focusNextPrevChild(bool) { return false; }
