#pragma once
// A solid mark printed over a slip's box, found near the box and measured to a fraction of a
// pixel. The box outlines around it may touch or run under the mark's edges: an edge is read
// only where no outline can be mixed into it, and the printed digits and strokes that touch the
// mark are told apart by their thinness.
#include "detect/InkMap.h"

#include <QList>
#include <QRectF>

struct MarkSearch {
    QRectF box;                 // the box the mark belongs to, analysis pixels (edge coordinates)
    QList<QRectF> outlines;     // outer edges of every printed box near it (the box included)
    double stroke = 1;          // the outlines' stroke width, pixels
};

struct PrintedMark {
    bool found = false;
    QRectF edges;               // where the mark's edges were read, pixels
    // Whether each edge was read clear of every outline (left, top, right, bottom); an edge
    // that was not lies no further out than `edges` says.
    bool clear[4] = {false, false, false, false};
};

PrintedMark FindPrintedMark(const InkMap &map, const MarkSearch &search);
