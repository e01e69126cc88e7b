#include "detect/SkewEstimate.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {
// Scans come in turned by a few degrees at most; neighbours further off the axis are not in
// the same row.
constexpr double kLargestSkewDeg = 6.0;

// Median direction of each block towards its nearest neighbour along the axis.
double roughSlope(const QList<QPointF> &c, bool alongX)
{
    std::vector<double> slopes;
    const double limit = std::tan(qDegreesToRadians(kLargestSkewDeg));
    for (const QPointF &a : c) {
        double bestDistance = 0, bestSlope = 0;
        for (const QPointF &b : c) {
            const double along = alongX ? b.x() - a.x() : b.y() - a.y();
            const double across = alongX ? b.y() - a.y() : b.x() - a.x();
            if (along <= 0 || std::abs(across) > limit * along)
                continue;
            if (bestDistance == 0 || along < bestDistance) {
                bestDistance = along;
                bestSlope = across / along;
            }
        }
        if (bestDistance > 0)
            slopes.push_back(bestSlope);
    }
    if (slopes.empty())
        return 0;
    std::nth_element(slopes.begin(), slopes.begin() + qsizetype(slopes.size() / 2), slopes.end());
    return slopes[slopes.size() / 2];
}

struct Fit {
    double weight = 0; // sum of squared spreads along the line
    double weightedSlope = 0;
};

// Least-squares slopes of the lines (rows when alongX) the centres fall into once the rough
// slope is taken out; lines of three or more centres count, long ones most.
void fitLines(const QList<QPointF> &c, bool alongX, double rough, double tolerance, Fit &fit)
{
    struct P { double along, across, key; };
    std::vector<P> pts;
    for (const QPointF &p : c) {
        const double along = alongX ? p.x() : p.y();
        const double across = alongX ? p.y() : p.x();
        pts.push_back({along, across, across - rough * along});
    }
    std::sort(pts.begin(), pts.end(), [](const P &a, const P &b) { return a.key < b.key; });
    size_t start = 0;
    for (size_t i = 1; i <= pts.size(); ++i) {
        if (i < pts.size() && pts[i].key - pts[i - 1].key <= tolerance)
            continue;
        const size_t n = i - start;
        if (n >= 3) {
            double ma = 0, mc = 0;
            for (size_t k = start; k < i; ++k) {
                ma += pts[k].along;
                mc += pts[k].across;
            }
            ma /= double(n);
            mc /= double(n);
            double saa = 0, sac = 0;
            for (size_t k = start; k < i; ++k) {
                saa += (pts[k].along - ma) * (pts[k].along - ma);
                sac += (pts[k].along - ma) * (pts[k].across - mc);
            }
            if (saa > 0) {
                fit.weight += saa;
                fit.weightedSlope += sac; // slope × saa
            }
        }
        start = i;
    }
}
} // namespace

double EstimateSkew(const QList<QPointF> &centres, const QSizeF &size)
{
    if (centres.size() < 3)
        return 0;
    const double rowSlope = roughSlope(centres, true);
    const double columnSlope = roughSlope(centres, false);
    // A row's slope dy/dx and a column's dx/dy have opposite signs for one rotation.
    Fit rows, columns;
    fitLines(centres, true, rowSlope, size.height() / 2, rows);
    fitLines(centres, false, columnSlope, size.width() / 2, columns);
    const double weight = rows.weight + columns.weight;
    if (weight <= 0)
        return 0;
    const double slope = (rows.weightedSlope - columns.weightedSlope) / weight;
    return -qRadiansToDegrees(std::atan(slope));
}
