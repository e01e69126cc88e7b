#pragma once
// "两点定标": the picture's scale from two points clicked on it and their true distance typed
// in millimetres. A scan whose resolution nobody knows (or whose file says nothing, or says it
// wrong) still gets its true size this way, from any printed length on the slip.
#include <QPointF>
#include <QString>
#include <optional>

struct TwoPointScale {
    double mmPerPixel = 0; // 0 when refused
    QString message;       // why it was refused; empty when it was not
    bool passed() const { return message.isEmpty(); }
};

// The points are in the picture's pixels (fractions allowed: a zoomed picture is clicked
// between pixels); a point not yet clicked is none. Refused, with the reason, when a point is
// missing, when the two are less than a pixel apart, and when the distance is no number (an
// arithmetic expression is a number, as in every field), zero, negative or beyond any slip.
TwoPointScale ScaleFromTwoPoints(std::optional<QPointF> first, std::optional<QPointF> second,
                                 const QString &distanceMm);

// The messages of the refusals, for the window to name the field to fix.
QString TwoPointsMissingMessage();
QString TwoPointsTooCloseMessage();
QString TwoPointDistanceMessage();
