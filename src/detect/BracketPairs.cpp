#include "detect/BracketPairs.h"

#include <cmath>

namespace {
bool facing(const Outline &left, const Outline &right)
{
    const double h = std::max(left.box.height(), right.box.height());
    if (right.box.left() <= left.box.right())
        return false;
    if (std::abs(left.box.top() - right.box.top()) > 0.25 * h
        || std::abs(left.box.bottom() - right.box.bottom()) > 0.25 * h)
        return false;
    // The number between them is a few characters wide, not more.
    return right.box.left() - left.box.right() <= 6 * h;
}
} // namespace

void PairBrackets(QList<Outline> &outlines)
{
    const qsizetype count = outlines.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (outlines[i].kind != Outline::Kind::OpenRight)
            continue;
        qsizetype best = -1;
        for (qsizetype j = 0; j < count; ++j)
            if (outlines[j].kind == Outline::Kind::OpenLeft && facing(outlines[i], outlines[j])
                && (best < 0 || outlines[j].box.left() < outlines[best].box.left()))
                best = j;
        if (best < 0)
            continue;
        // No other "[" may stand between them: then that one is the partner.
        bool between = false;
        for (qsizetype k = 0; k < count && !between; ++k)
            between = k != i && outlines[k].kind == Outline::Kind::OpenRight
                      && outlines[k].box.left() > outlines[i].box.left()
                      && outlines[k].box.left() < outlines[best].box.left()
                      && facing(outlines[k], outlines[best]);
        if (between)
            continue;
        Outline pair;
        pair.kind = Outline::Kind::BracketPair;
        pair.box = outlines[i].box.united(outlines[best].box);
        pair.area = pair.box.width() * double(pair.box.height());
        pair.holeArea = pair.area;
        pair.rectangularity = 1;
        outlines.append(pair);
    }
}
