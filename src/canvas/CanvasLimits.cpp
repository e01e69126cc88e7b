#include "canvas/CanvasLimits.h"

#include "canvas/CanvasGeometry.h"
#include "model/ElementKind.h"
#include "model/clsPLControl.h"

#include <algorithm>
#include <cmath>

namespace {
using CanvasGeometry::MinSizeMm;

// Two millimetres stay on the area, or the whole element when it is narrower.
constexpr double KeepVisibleMm = 2;

struct Axis {
    double pos, size;
};

Axis keepLabelAxis(Axis a, double areaMm, double rulerMm)
{
    a.size = std::max(std::min(a.size, areaMm), MinSizeMm);
    if (a.pos + a.size < 0)
        a.pos = a.size > KeepVisibleMm ? KeepVisibleMm - a.size : 0;
    // Measured from the viewport's edge, the ruler in front of the area counts too.
    const double keep = std::min(KeepVisibleMm, a.size);
    if (a.pos + rulerMm > areaMm - keep)
        a.pos = areaMm - keep - rulerMm;
    return a;
}

double keepLineStart(double pos, double areaMm, double rulerMm)
{
    if (pos < 0)
        return 0;
    return pos + rulerMm > areaMm ? areaMm - rulerMm : pos;
}
} // namespace

void KeepUsable(clsPLControl &e, const DesignArea &area)
{
    const double rulerMm = CanvasGeometry::RulerTwips / area.scale;
    if (ElementKindOf(e) == ElementKind::Line) {
        if (std::abs(e.Width()) < MinSizeMm && std::abs(e.Height()) < MinSizeMm)
            e.setWidth(MinSizeMm);
        e.setLeft(keepLineStart(e.Left(), area.widthMm, rulerMm));
        e.setTop(keepLineStart(e.Top(), area.heightMm, rulerMm));
        return;
    }
    const Axis x = keepLabelAxis({e.Left(), e.Width()}, area.widthMm, rulerMm);
    const Axis y = keepLabelAxis({e.Top(), e.Height()}, area.heightMm, rulerMm);
    e.setLeft(x.pos);
    e.setWidth(x.size);
    e.setTop(y.pos);
    e.setHeight(y.size);
}
