#pragma once
// The affine map that takes one set of points onto another with the least squared error.
#include <QList>
#include <QPointF>
#include <QTransform>

// False (t unchanged) when there are fewer than three pairs or they lie on one line.
bool FitAffine(const QList<QPointF> &from, const QList<QPointF> &to, QTransform *t);
