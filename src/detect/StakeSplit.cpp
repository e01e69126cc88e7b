#include "detect/StakeSplit.h"

#include <QMap>
#include <algorithm>
#include <cmath>

namespace {
// Stakes, like fill areas, are set apart by gaps of at least this many median pitches.
constexpr double kGapPitches = 1.5;
// Two blocks are copies of each other when they lie this share of a block apart or closer.
constexpr double kSamePlace = 0.3;

// One way of cutting the blocks along one axis into copies.
struct AxisSplit {
    int count = 1;
    QList<double> offsets{0};
    QList<int> copyOf;
    QList<qsizetype> partner;
};

double along(const DetectedBlock &b, bool x) { return x ? b.rect.left() : b.rect.top(); }
double across(const DetectedBlock &b, bool x) { return x ? b.rect.top() : b.rect.left(); }
int lineOf(const DetectedBlock &b, bool x) { return x ? b.column : b.row; }

AxisSplit unsplit(const QList<DetectedBlock> &blocks)
{
    AxisSplit s;
    s.copyOf = QList<int>(blocks.size(), 0);
    for (qsizetype i = 0; i < blocks.size(); ++i)
        s.partner.append(i);
    return s;
}

// The grid lines of the axis in order, each with its position.
QMap<int, double> linePositions(const QList<DetectedBlock> &blocks, bool x)
{
    QMap<int, double> lines;
    for (const DetectedBlock &b : blocks)
        lines.insert(lineOf(b, x), along(b, x));
    return lines;
}

// Tries k copies of m clusters each; fills s when every copy matches the first block by block.
bool tryCopies(const QList<DetectedBlock> &blocks, const QSizeF &size, bool x,
               const QMap<int, int> &clusterOfLine, int k, int m, AxisSplit &s)
{
    s = AxisSplit();
    s.count = k;
    s.offsets = QList<double>(k, 0);
    s.copyOf.clear();
    s.partner = QList<qsizetype>(blocks.size(), -1);
    QList<QList<qsizetype>> members(k);
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const int copy = clusterOfLine.value(lineOf(blocks[i], x)) / m;
        s.copyOf.append(copy);
        members[copy].append(i);
    }
    const double tAlong = kSamePlace * (x ? size.width() : size.height());
    const double tAcross = kSamePlace * (x ? size.height() : size.width());
    auto firstLine = [&](int copy) {
        double first = 1e300;
        for (qsizetype i : members[copy])
            first = std::min(first, along(blocks[i], x));
        return first;
    };
    for (int copy = 0; copy < k; ++copy) {
        if (members[copy].size() != members[0].size())
            return false;
        const double guess = firstLine(copy) - firstLine(0);
        double sum = 0;
        QList<bool> used(blocks.size(), false);
        for (qsizetype i : members[copy]) {
            qsizetype match = -1;
            double closest = 0;
            for (qsizetype j : members[0]) {
                const double dAlong = std::abs(along(blocks[j], x) + guess - along(blocks[i], x));
                const double dAcross = std::abs(across(blocks[j], x) - across(blocks[i], x));
                if (!used[j] && dAlong <= tAlong && dAcross <= tAcross
                    && (match < 0 || dAlong + dAcross < closest)) {
                    match = j;
                    closest = dAlong + dAcross;
                }
            }
            if (match < 0)
                return false;
            used[match] = true;
            s.partner[i] = match;
            sum += along(blocks[i], x) - along(blocks[match], x);
        }
        s.offsets[copy] = sum / double(members[copy].size());
    }
    return true;
}

// Every possible split along the axis, the unsplit one first.
QList<AxisSplit> axisSplits(const QList<DetectedBlock> &blocks, const QSizeF &size, bool x)
{
    QList<AxisSplit> splits{unsplit(blocks)};
    const QMap<int, double> lines = linePositions(blocks, x);
    const double pitch = MedianPitch(lines.values());
    if (pitch <= 0)
        return splits;
    QMap<int, int> clusterOfLine;
    int cluster = 0;
    double previous = 0;
    bool first = true;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (!first && it.value() - previous >= kGapPitches * pitch)
            ++cluster;
        clusterOfLine.insert(it.key(), cluster);
        previous = it.value();
        first = false;
    }
    const int clusters = cluster + 1;
    for (int k = 2; k <= clusters; ++k) {
        AxisSplit s;
        if (clusters % k == 0 && tryCopies(blocks, size, x, clusterOfLine, k, clusters / k, s))
            splits.append(s);
    }
    return splits;
}

StakeSplit combine(const AxisSplit &sx, const AxisSplit &sy)
{
    StakeSplit s;
    s.count = sx.count * sy.count;
    s.offsets.clear();
    for (int j = 0; j < sy.count; ++j)
        for (int i = 0; i < sx.count; ++i)
            s.offsets.append(QPointF(sx.offsets[i] - sx.offsets[0], sy.offsets[j] - sy.offsets[0]));
    for (qsizetype b = 0; b < sx.copyOf.size(); ++b) {
        s.stakeOf.append(sy.copyOf[b] * sx.count + sx.copyOf[b]);
        s.partner.append(sy.partner[sx.partner[b]]);
    }
    return s;
}
} // namespace

double MedianPitch(QList<double> positions)
{
    std::sort(positions.begin(), positions.end());
    std::vector<double> d;
    for (qsizetype i = 1; i < positions.size(); ++i)
        d.push_back(positions[i] - positions[i - 1]);
    if (d.empty())
        return 0;
    std::nth_element(d.begin(), d.begin() + qsizetype(d.size() / 2), d.end());
    return d[d.size() / 2];
}

QList<int> PossibleStakeCounts(const QList<DetectedBlock> &blocks, const QSizeF &block)
{
    QList<int> counts;
    for (const AxisSplit &sx : axisSplits(blocks, block, true))
        for (const AxisSplit &sy : axisSplits(blocks, block, false))
            if (!counts.contains(sx.count * sy.count))
                counts.append(sx.count * sy.count);
    std::sort(counts.begin(), counts.end());
    return counts;
}

StakeSplit SplitStakes(const QList<DetectedBlock> &blocks, const QSizeF &block, int wanted)
{
    const QList<AxisSplit> xs = axisSplits(blocks, block, true);
    const QList<AxisSplit> ys = axisSplits(blocks, block, false);
    const AxisSplit *bestX = &xs.first(), *bestY = &ys.first();
    for (const AxisSplit &sx : xs)
        for (const AxisSplit &sy : ys) {
            const int count = sx.count * sy.count;
            const bool better = wanted > 0 ? count == wanted && bestX->count * bestY->count != wanted
                                           : count > bestX->count * bestY->count;
            if (better) {
                bestX = &sx;
                bestY = &sy;
            }
        }
    if (wanted > 0 && bestX->count * bestY->count != wanted)
        return SplitStakes(blocks, block, 0);
    return combine(*bestX, *bestY);
}
