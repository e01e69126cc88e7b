#include "canvas/CanvasGeometry.h"

#include "common/VbFormat.h"

#include <algorithm>
#include <cmath>

namespace CanvasGeometry {

std::array<QRectF, 8> HandleRects(const QRectF &c)
{
    const double s = HandleSize;
    const double L = c.left(), T = c.top(), W = c.width(), H = c.height();
    const QPointF at[8] = {
        {L - s, T - s},         {L + W / 2 - s / 2, T - s}, {L + W, T - s},
        {L + W, T + H / 2 - s / 2}, {L + W, T + H},         {L + W / 2 - s / 2, T + H},
        {L - s, T + H},         {L - s, T + H / 2 - s / 2},
    };
    std::array<QRectF, 8> out;
    for (int i = 0; i < 8; ++i)
        out[size_t(i)] = QRectF(at[i], QSizeF(s, s));
    return out;
}

HandleEdges EdgesOf(int handle)
{
    static constexpr HandleEdges table[8] = {
        {true, true, false, false},  {false, true, false, false}, {false, true, true, false},
        {false, false, true, false}, {false, false, true, true},  {false, false, false, true},
        {true, false, false, true},  {true, false, false, false},
    };
    return handle >= 0 && handle < 8 ? table[handle] : HandleEdges{false, false, false, false};
}

QRectF GripRect(QPointF p)
{
    return QRectF(p.x() - HandleSize / 2, p.y() - HandleSize / 2, HandleSize, HandleSize);
}

double SnapToUnit(double v) { return RoundHalfEven(v / HandleUnit) * HandleUnit; }

bool PicksLine(QPointF click, QPointF p1, QPointF p2)
{
    const double m = LinePickMargin;
    if (click.x() < std::min(p1.x(), p2.x()) - m || click.x() > std::max(p1.x(), p2.x()) + m
        || click.y() < std::min(p1.y(), p2.y()) - m || click.y() > std::max(p1.y(), p2.y()) + m)
        return false;
    const double dx = p2.x() - p1.x(), dy = p2.y() - p1.y();
    const double length = std::hypot(dx, dy);
    // A line shrunk to a point is picked by the distance from that point.
    const double distance = length == 0
        ? std::hypot(click.x() - p1.x(), click.y() - p1.y())
        : std::abs(dy * (click.x() - p1.x()) - dx * (click.y() - p1.y())) / length;
    return distance <= LinePickDistance;
}

bool SharesArea(const QRectF &a, const QRectF &b)
{
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom()
        && b.top() < a.bottom();
}

QRectF Spanned(QPointF a, QPointF b)
{
    return QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                  QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

} // namespace CanvasGeometry
