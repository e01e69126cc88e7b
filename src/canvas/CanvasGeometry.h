#pragma once
// The fixed measures of the design canvas and the geometry its gestures are made of. All
// positions are twips on the drawing surface (millimetres times the design scale).
#include <QPointF>
#include <QRectF>
#include <array>

namespace CanvasGeometry {
// Dead zone and snapping grid of mouse moves; handles and marks are six units square.
constexpr double HandleUnit = 56.7 / 5;
constexpr double HandleSize = HandleUnit * 6;
// The smallest width or height a resize or an update leaves.
constexpr double MinSizeMm = 0.5;
// How far a click may lie from a line, and beyond its end points, and still pick it.
constexpr double LinePickDistance = 120;
constexpr double LinePickMargin = 60;
// How much of a dragged control the viewport keeps in sight.
constexpr double ScrollMargin = 400;
// The pause after a move step; moves that come sooner are gathered into the next step.
constexpr int MovePauseMs = 30;
// The rulers' breadth along the left and top edge of the viewport, twips.
constexpr double RulerTwips = 300;
// Where a ruler's number stands before its tick.
constexpr double RulerNumberBack = 112;

// Handles 0..7 clockwise from the top-left corner, outside the control's rectangle.
std::array<QRectF, 8> HandleRects(const QRectF &control);
// Which edges a handle drags: left, top, right, bottom.
struct HandleEdges {
    bool left, top, right, bottom;
};
HandleEdges EdgesOf(int handle);
// A middle-of-edge handle moves along one axis only.
inline bool KeepsTop(int handle) { return handle == 3 || handle == 7; }
inline bool KeepsLeft(int handle) { return handle == 1 || handle == 5; }

// The grip square centred on a line's end point.
QRectF GripRect(QPointF point);

// The nearest multiple of the handle unit.
double SnapToUnit(double v);

// A click picks a line when it lies inside the end points' box widened by the margin and no
// farther than the pick distance from the line through both end points.
bool PicksLine(QPointF click, QPointF p1, QPointF p2);

// Two rectangles share area (touching edges do not count).
bool SharesArea(const QRectF &a, const QRectF &b);
// The rectangle spanned by two corners given in any order.
QRectF Spanned(QPointF a, QPointF b);
} // namespace CanvasGeometry
