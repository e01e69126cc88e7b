#pragma once
// Paints a design canvas into a viewport: the rulers, the background picture stretched into its
// millimetre rectangle, every element in view through the element-drawing routine in design
// mode (labels through KdLabel), the handles, the line grips, the marks of the multi-selection
// and the rubber band. No widget: the canvas view paints with it, and so can anything that
// holds a QPainter.
//
// Geometry of the viewport: the content is the design area times the scale, rulers included
// (the rulers are the first 300 twips along the top and the left edge; the drawing surface
// starts behind them). A viewport shows the content from a scroll position, in pixels at the
// screen's logical resolution.
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSizeF>

class KdPLDesinger;
class PrintSurface;
class QPainter;

struct CanvasViewport {
    // The content position of the viewport's top-left corner, pixels.
    QPointF scroll;
    // Logical dots per inch of the screen.
    double dpiX = 96;
    double dpiY = 96;

    double TwipsPerPixelX() const { return 1440.0 / dpiX; }
    double TwipsPerPixelY() const { return 1440.0 / dpiY; }
    // Viewport pixels to drawing-surface twips and back.
    QPointF ToTwips(QPointF pixel) const;
    QRectF ToPixels(const QRectF &twips) const;
    QRectF ToTwips(const QRectF &pixels) const;
};

class CanvasPainter {
public:
    explicit CanvasPainter(const KdPLDesinger &canvas) : m_canvas(canvas) {}

    // The content size in pixels (design area times the scale).
    QSizeF ContentPixels(const CanvasViewport &viewport) const;
    // Paints the part `dirty` (viewport pixels) of the viewport.
    void Paint(QPainter &painter, const CanvasViewport &viewport, const QRect &dirty) const;

private:
    void paintRulers(QPainter &painter, const CanvasViewport &viewport) const;
    void paintBackPicture(QPainter &painter, const CanvasViewport &viewport) const;
    // The millimetre grid over the part `dirty` (pixels from the surface's corner), when shown.
    void paintGrid(QPainter &painter, const CanvasViewport &viewport, const QRectF &dirty) const;
    // The measuring line with a cross at each end and its length beside the end.
    void paintMeasurement(QPainter &painter, const CanvasViewport &viewport) const;
    // `painter` is the one under `surface`, in surface twips: each label is clipped to its box.
    void paintElements(QPainter &painter, PrintSurface &surface, const QRectF &dirtyTwips) const;
    void paintSelection(QPainter &painter) const;

    const KdPLDesinger &m_canvas;
    // The picture scaled to its place at the last scale, so a repaint only copies pixels.
    mutable QImage m_scaledPicture;
    mutable qint64 m_scaledFrom = 0;
};
