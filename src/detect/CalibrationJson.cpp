#include "detect/CalibrationJson.h"

#include <QJsonArray>
#include <cmath>

namespace {
double rounded(double v, double unit)
{
    const double r = std::round(v / unit) * unit;
    return r == 0 ? 0.0 : std::round(r * 1e6) / 1e6; // no "-0", no 0.30000000000000004
}
double mm(double v) { return rounded(v, 0.01); }
} // namespace

QJsonObject CalibrationJson(const CalibrationMeasurement &m)
{
    QJsonArray marks;
    for (const MeasuredMark &k : m.marks)
        if (k.found)
            marks.append(QJsonObject{{"key", k.key}, {"stake", k.stake}, {"dx", mm(k.dx)}, {"dy", mm(k.dy)}});
    const QPointF c = m.correction();
    return QJsonObject{
        {"dpi", rounded(m.dpi, 0.01)},
        {"marks", marks},
        {"shift", QJsonObject{{"x", mm(m.shift.x())}, {"y", mm(m.shift.y())}}},
        {"scale", QJsonObject{{"x", rounded(m.scaleX, 0.01)}, {"y", rounded(m.scaleY, 0.01)}}},
        {"skew", rounded(m.skew, 0.001)},
        {"residual", mm(m.residual)},
        {"correction", QJsonObject{{"left", mm(c.x())}, {"top", mm(c.y())}}},
    };
}
