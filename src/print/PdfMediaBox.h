#pragma once
// The Qt PDF writer gives every page a MediaBox of whole points, so a custom paper of
// 538.6 x 233.89 pt becomes 539 x 234. These functions put the exact size in: the box keeps the
// top-left corner, where the writer's drawing starts, and the cross-reference table moves along.
#include <QByteArray>
#include <QList>
#include <QSizeF>

// `pagePoints` holds the exact size of each page in points, in page order. Pages beyond the list,
// pages given an invalid size (standard papers, whose whole-point boxes readers know) and pages
// whose size already is whole points stay as they are.
QByteArray WithExactMediaBoxes(const QByteArray &pdf, const QList<QSizeF> &pagePoints);
