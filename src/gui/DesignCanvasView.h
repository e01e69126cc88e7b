#pragma once
// The designer's canvas on screen: one scroll area that shows a KdPLDesinger (rulers,
// background picture, elements, handles, grips, selection marks, band, pointers) and turns Qt
// mouse and key events into the canvas's gestures, in twips at the screen's logical
// resolution. It repaints only the parts the canvas reports as changed.
#include "canvas/CanvasPainter.h"

#include <QAbstractScrollArea>

class KdPLDesinger;

class DesignCanvasView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit DesignCanvasView(KdPLDesinger &canvas, QWidget *parent = nullptr);

    KdPLDesinger &Canvas() { return m_canvas; }
    // Where the viewport stands and how large a twip is on this screen.
    CanvasViewport Viewport() const;
    // Zooms by a factor (the scale keeps to its bounds) so that the surface point under a
    // viewport pixel stays under it, as far as the scroll bars allow.
    void ZoomAround(double factor, QPointF pixel);
    // Zooms so that a surface rectangle (millimetres) fills the viewport beside the rulers, its
    // top-left corner in sight.
    void ZoomToFit(const QRectF &mm);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // With Ctrl the wheel zooms around the pointer; without it, it scrolls.
    void wheelEvent(QWheelEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void updateScrollBars();
    void repaintTwips(const QRectF &twips);
    void scrollToTwips(const QRectF &twips);
    void updatePointer(QPointF at);
    // Scrolls so that a surface point (twips) lies under a viewport pixel.
    void putUnder(QPointF twips, QPointF pixel);

    KdPLDesinger &m_canvas;
    CanvasPainter m_painter;
};
