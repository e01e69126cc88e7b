#include "detect/BlockRegistration.h"

#include "detect/AffineFit.h"

#include <QHash>
#include <QLineF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {
double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + qsizetype(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// The found blocks' centres in cells of a grid, for finding the one nearest a point.
class CentreGrid {
public:
    CentreGrid(const QList<QPointF> &points, double cell) : m_points(points), m_cell(cell)
    {
        for (int i = 0; i < points.size(); ++i)
            m_cells[key(cellOf(points[i].x()), cellOf(points[i].y()))].push_back(i);
    }
    // The nearest point within reach of p (reach at most one cell), or -1.
    int nearest(QPointF p, double reach, double *distance) const
    {
        int best = -1;
        double bestDistance = reach;
        const int cx = cellOf(p.x()), cy = cellOf(p.y());
        for (int y = cy - 1; y <= cy + 1; ++y)
            for (int x = cx - 1; x <= cx + 1; ++x) {
                const auto it = m_cells.constFind(key(x, y));
                if (it == m_cells.constEnd())
                    continue;
                for (const int i : *it) {
                    const double d = std::hypot(m_points[i].x() - p.x(), m_points[i].y() - p.y());
                    if (d <= bestDistance) {
                        bestDistance = d;
                        best = i;
                    }
                }
            }
        *distance = bestDistance;
        return best;
    }

private:
    int cellOf(double v) const { return int(std::floor(v / m_cell)); }
    static qint64 key(int x, int y) { return (qint64(x) << 32) ^ quint32(y); }
    QList<QPointF> m_points;
    double m_cell;
    QHash<qint64, std::vector<int>> m_cells;
};

struct Pairs {
    QList<QPointF> from, to;
    std::vector<double> distances;
    double total = 0;
};
} // namespace

BlockRegistration RegisterBlocks(const QList<QRectF> &templateBlocks, const QList<QRectF> &found)
{
    BlockRegistration r;
    if (templateBlocks.isEmpty() || found.size() < 3)
        return r;
    // Boxes of another size than most are not clean outlines (a mark printed over one, two
    // boxes run together): they take no part.
    std::vector<double> widths, heights;
    for (const QRectF &f : found) {
        widths.push_back(f.width());
        heights.push_back(f.height());
    }
    const double w = median(widths), h = median(heights);
    QList<QPointF> foundCentres;
    for (const QRectF &f : found)
        if (std::abs(f.width() - w) <= 0.2 * w && std::abs(f.height() - h) <= 0.2 * h)
            foundCentres.append(f.center());
    QList<QPointF> centres;
    std::vector<double> sides;
    for (const QRectF &t : templateBlocks) {
        centres.append(t.center());
        sides.push_back(std::min(t.width(), t.height()));
    }
    // A block is the one found within a third of its smaller side; neighbours are at least a
    // side apart.
    const double reach = median(sides) / 3;
    const CentreGrid grid(foundCentres, reach);

    auto nearestPairs = [&](const QTransform &map) {
        Pairs p;
        for (const QPointF &c : centres) {
            double d = 0;
            if (const int i = grid.nearest(map.map(c), reach, &d); i >= 0) {
                p.from.append(c);
                p.to.append(foundCentres[i]);
                p.distances.push_back(d);
                p.total += d;
            }
        }
        return p;
    };

    // The shift that pairs the most blocks: each found block tried against a few template
    // blocks taken evenly through the template (any one of them may be hidden under a mark,
    // and the marks sit in the slip's corner blocks).
    QList<int> anchors;
    const int anchorCount = int(std::min<qsizetype>(16, centres.size()));
    for (int k = 0; k < anchorCount; ++k)
        anchors.append(int((2 * k + 1) * centres.size() / (2 * anchorCount)));
    Pairs best;
    for (const int a : anchors)
        for (const QPointF &f : foundCentres) {
            const Pairs p = nearestPairs(QTransform::fromTranslate(f.x() - centres[a].x(), f.y() - centres[a].y()));
            if (p.from.size() > best.from.size() || (p.from.size() == best.from.size() && p.total < best.total))
                best = p;
        }
    // Refined as an affine map (the scanner's and the slip's own small scale errors), then
    // paired again with it, twice; pairs far off the fit are let go.
    QTransform map;
    for (int round = 0; round < 3; ++round) {
        if (!FitAffine(best.from, best.to, &map))
            return r;
        best = nearestPairs(map);
        const double typical = median(best.distances);
        Pairs kept;
        for (size_t i = 0; i < best.distances.size(); ++i)
            if (best.distances[i] <= std::max(3 * typical, reach / 10)) {
                kept.from.append(best.from[qsizetype(i)]);
                kept.to.append(best.to[qsizetype(i)]);
                kept.distances.push_back(best.distances[i]);
            }
        best = kept;
    }
    if (!FitAffine(best.from, best.to, &map))
        return r;
    r.toPicture = map;
    r.matched = int(best.from.size());
    for (qsizetype i = 0; i < best.from.size(); ++i)
        r.worst = std::max(r.worst, QLineF(map.map(best.from[i]), best.to[i]).length());
    // Most of the template must be there: a few blocks paired by chance register nothing.
    r.ok = r.matched >= std::max<qsizetype>(6, (centres.size() + 2) / 3);
    return r;
}
