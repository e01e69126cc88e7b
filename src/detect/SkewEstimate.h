#pragma once
// The rotation of a scan, from the rows and columns its blocks line up in.
#include <QList>
#include <QPointF>
#include <QSizeF>

// Degrees, positive when the picture was turned counter-clockwise (a row's right end higher
// than its left). centres: the blocks' centres in pixels; size: the blocks' size.
double EstimateSkew(const QList<QPointF> &centres, const QSizeF &size);
