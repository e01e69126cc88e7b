#pragma once
// One printed shape of the picture that may be part of a slip's grid: a closed outline (a
// rectangle, a rounded one), a bracket "[" or "]", or a solid bar.
#include <QRect>
#include <QRectF>

struct Outline {
    enum class Kind { Closed, Solid, OpenLeft, OpenRight, BracketPair, Other };
    Kind kind = Kind::Closed;
    QRect box;              // pixels covered, integer bounding box
    double area = 0;        // area inside the outer contour, pixels
    double holeArea = 0;    // area of the largest hole
    double rectangularity = 0; // area / area of the smallest rotated rectangle around it
    int contained = 0;      // how many other outlines lie inside it

    QRectF boxF() const { return QRectF(box); }
    QPointF centre() const { return QRectF(box).center(); }
};
