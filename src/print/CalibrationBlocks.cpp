#include "print/CalibrationBlocks.h"

#include "model/ElementKind.h"
#include "model/colPLControls.h"
#include "print/StakeGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::vector<StakeBlock> EveryStakeBlock(const colPLControls &layout)
{
    const int stakes = std::max<int>(1, layout.StakeCountPerTicket());
    const StakeOffsets offsets(layout.StakeLocateOffsetStrX(), layout.StakeLocateOffsetStrY(), stakes);
    std::vector<StakeBlock> all;
    for (int k = 0; k < stakes; ++k)
        for (const clsPLControl &el : layout)
            if (ElementKindOf(el) == ElementKind::NumberBlock)
                all.push_back({&el, k, QRectF(el.Left() + offsets.X(k), el.Top() + offsets.Y(k),
                                              el.Width(), el.Height())});
    return all;
}

namespace {
QRectF boundsOf(const std::vector<StakeBlock> &blocks, int stake)
{
    QRectF r;
    for (const StakeBlock &b : blocks)
        if (stake < 0 || b.stake == stake)
            r = r.isNull() ? b.rect : r.united(b.rect);
    return r;
}

// The block of `stake` (every stake when negative) whose centre is nearest to `to`; the first
// in template order among equals.
const StakeBlock *nearest(const std::vector<StakeBlock> &blocks, int stake, QPointF to)
{
    const StakeBlock *best = nullptr;
    double bestDistance = std::numeric_limits<double>::max();
    for (const StakeBlock &b : blocks) {
        if (stake >= 0 && b.stake != stake)
            continue;
        const QPointF d = b.rect.center() - to;
        const double distance = std::hypot(d.x(), d.y());
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &b;
        }
    }
    return best;
}
} // namespace

std::vector<StakeBlock> CalibrationBlocks(const colPLControls &layout)
{
    const std::vector<StakeBlock> all = EveryStakeBlock(layout);
    std::vector<StakeBlock> chosen;
    if (all.empty())
        return chosen;
    auto choose = [&chosen](const StakeBlock *b) {
        const bool known = std::any_of(chosen.begin(), chosen.end(), [b](const StakeBlock &c) {
            return c.block == b->block && c.stake == b->stake;
        });
        if (!known)
            chosen.push_back(*b);
    };
    const int last = all.back().stake;
    for (const int stake : {0, last}) {
        const QRectF r = boundsOf(all, stake);
        for (const QPointF corner : {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()})
            choose(nearest(all, stake, corner));
    }
    choose(nearest(all, -1, boundsOf(all, -1).center()));
    return chosen;
}
