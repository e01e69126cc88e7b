#include "gui/DesignCanvasView.h"

#include "canvas/KdPLDesinger.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

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
