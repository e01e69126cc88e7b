#include "detect/BlockGrid.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {
// Edges of one line are pooled; an edge further than this from their median (in pixels) is a
// misread profile and left out of the mean.
constexpr double kEdgeOutlier = 1.0;

double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + qsizetype(v.size() / 2), v.end());
    return v[v.size() / 2];
}

double pooled(const std::vector<double> &v)
{
    const double m = median(v);
    double sum = 0;
    int n = 0;
    for (double x : v)
        if (std::abs(x - m) <= kEdgeOutlier) {
            sum += x;
            ++n;
        }
    return n ? sum / n : m;
}

QList<BlockGrid::Line> linesOf(const QList<QRectF> &edges, const QList<int> &lineOf, int count,
                              bool columns)
{
    QList<BlockGrid::Line> lines(count);
    for (int l = 0; l < count; ++l) {
        std::vector<double> starts, ends;
        for (qsizetype i = 0; i < edges.size(); ++i)
            if (lineOf[i] == l) {
                starts.push_back(columns ? edges[i].left() : edges[i].top());
                ends.push_back(columns ? edges[i].right() : edges[i].bottom());
            }
        lines[l] = {pooled(starts), pooled(ends)};
    }
    return lines;
}
} // namespace

QList<int> GroupPositions(const QList<double> &positions, double tolerance, int *lineCount)
{
    std::vector<qsizetype> order(size_t(positions.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](qsizetype a, qsizetype b) { return positions[a] < positions[b]; });
    QList<int> line(positions.size(), 0);
    int current = -1;
    double first = 0;
    for (qsizetype i : order) {
        if (current < 0 || positions[i] - first > tolerance) {
            ++current;
            first = positions[i];
        }
        line[i] = current;
    }
    *lineCount = current + 1;
    return line;
}

BlockGrid FitGrid(const QList<QRectF> &edges, const QSizeF &size)
{
    BlockGrid g;
    if (edges.isEmpty())
        return g;
    QList<double> lefts, tops;
    for (const QRectF &e : edges) {
        lefts.append(e.left());
        tops.append(e.top());
    }
    int columnCount = 0, rowCount = 0;
    const QList<int> column = GroupPositions(lefts, 0.3 * size.width(), &columnCount);
    const QList<int> row = GroupPositions(tops, 0.3 * size.height(), &rowCount);
    g.columns = linesOf(edges, column, columnCount, true);
    g.rows = linesOf(edges, row, rowCount, false);
    std::vector<double> widths, heights;
    for (qsizetype i = 0; i < edges.size(); ++i) {
        g.cells.append({row[i], column[i]});
        widths.push_back(g.columns[column[i]].end - g.columns[column[i]].start);
        heights.push_back(g.rows[row[i]].end - g.rows[row[i]].start);
    }
    g.size = QSizeF(median(widths), median(heights));
    return g;
}
