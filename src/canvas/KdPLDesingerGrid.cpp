// The design canvas's millimetre grid and snapping to it, the measuring tool, and dragging the
// background picture when it is not locked.
#include "canvas/KdPLDesinger.h"

#include <cmath>

using namespace CanvasGeometry;

void KdPLDesinger::SetGrid(const MillimetreGrid &grid)
{
    m_grid = grid;
    storeGridAndLock();
    emit Repaint(QRectF());
}

void KdPLDesinger::SetBackPictureLocked(bool locked)
{
    m_pictureLocked = locked;
    storeGridAndLock();
    emit Repaint(QRectF());
}

void KdPLDesinger::SetMeasuring(bool on)
{
    if (m_measuring == on)
        return;
    if (m_drag.target != Target::None && m_drag.target != Target::Measure)
        return; // not in the middle of another gesture
    m_measuring = on;
    m_drag = Drag();
    m_measurement.reset();
    if (on && m_addMode)
        cancelAddMode();
    emit Measured(QLineF());
    emit Repaint(QRectF());
}

QPointF KdPLDesinger::snappedPoint(QPointF at, int shift) const
{
    if (!m_grid.snap || (shift & ShiftKey))
        return at;
    const double s = scale();
    return QPointF(m_grid.Snap(at.x() / s) * s, m_grid.Snap(at.y() / s) * s);
}

QPointF KdPLDesinger::snapped(Target target, int part, QPointF to) const
{
    if (!m_grid.snap)
        return QPointF(SnapToUnit(to.x()), SnapToUnit(to.y()));
    QPointF held(0, 0);
    if (target == Target::Handle) {
        // A handle lies outside its edge: the left and top edges are a handle's breadth behind.
        const HandleEdges edges = EdgesOf(part);
        held = QPointF(edges.left ? HandleSize : 0, edges.top ? HandleSize : 0);
    } else if (target == Target::Grip) {
        held = QPointF(HandleSize / 2, HandleSize / 2);
    }
    return snappedPoint(to + held, 0) - held;
}

void KdPLDesinger::measureTo(QPointF at, int shift, bool start)
{
    const double s = scale();
    const QPointF mm = snappedPoint(at, shift) / s;
    const QLineF before = m_measurement.value_or(QLineF());
    m_measurement = QLineF(start ? mm : m_measurement->p1(), mm);
    const QRectF dirty = QRectF(before.p1() * s, before.p2() * s).normalized().united(
        QRectF(m_measurement->p1() * s, m_measurement->p2() * s).normalized());
    // The distance is written beside the end point.
    emit Repaint(dirty.adjusted(-2000, -600, 2000, 600));
    emit Measured(*m_measurement);
}

bool KdPLDesinger::onUnlockedPicture(QPointF at) const
{
    if (m_pictureLocked || m_backPicture.isNull())
        return false;
    const double s = scale();
    return QRectF(m_backRect.topLeft() * s, m_backRect.size() * s).contains(at);
}

void KdPLDesinger::dragPicture(QPointF at, int shift)
{
    const double s = scale();
    const QPointF corner = m_backRect.topLeft() * s;
    const QPointF offset = at - corner - m_drag.pressRel;
    // The same dead zone as an element's: a click is not a drag.
    if (!m_drag.changed && std::abs(offset.x()) < HandleUnit && std::abs(offset.y()) < HandleUnit)
        return;
    const QPointF to = (shift & ShiftKey) ? corner + offset : snapped(Target::Picture, 0, corner + offset);
    m_backRect.moveTopLeft(to / s);
    m_drag.changed = true;
    emit Repaint(QRectF());
}

void KdPLDesinger::endPictureDrag()
{
    const bool changed = m_drag.changed;
    m_drag = Drag();
    newBurst();
    if (changed)
        emit BackPictureMoved(m_backRect.topLeft());
}
