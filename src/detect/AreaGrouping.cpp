#include "detect/AreaGrouping.h"

#include "detect/StakeSplit.h"

#include <algorithm>

namespace {
constexpr double kGapPitches = 1.5;

using Members = QList<qsizetype>;

QList<double> positionsOf(const QList<DetectedBlock> &b, const Members &m, bool x)
{
    QList<double> p;
    for (qsizetype i : m) {
        const double v = x ? b[i].rect.left() : b[i].rect.top();
        if (!p.contains(v))
            p.append(v);
    }
    return p;
}

// Splits the members at gaps along one axis; one piece when there is no gap.
QList<Members> splitAtGaps(const QList<DetectedBlock> &b, const Members &m, bool x, double pitch)
{
    Members sorted = m;
    auto pos = [&](qsizetype i) { return x ? b[i].rect.left() : b[i].rect.top(); };
    std::sort(sorted.begin(), sorted.end(), [&](qsizetype p, qsizetype q) { return pos(p) < pos(q); });
    QList<Members> pieces{Members()};
    for (qsizetype k = 0; k < sorted.size(); ++k) {
        if (k > 0 && pitch > 0 && pos(sorted[k]) - pos(sorted[k - 1]) >= kGapPitches * pitch)
            pieces.append(Members());
        pieces.last().append(sorted[k]);
    }
    return pieces;
}

// Cuts across the rows' gaps, then the columns', and again within each piece, until no gap
// is left: each piece is an area.
void cutIntoAreas(const QList<DetectedBlock> &b, const Members &m, double pitchX, double pitchY,
                  QList<Members> &areas)
{
    for (bool x : {false, true}) {
        const QList<Members> pieces = splitAtGaps(b, m, x, x ? pitchX : pitchY);
        if (pieces.size() > 1) {
            for (const Members &p : pieces)
                cutIntoAreas(b, p, pitchX, pitchY, areas);
            return;
        }
    }
    areas.append(m);
}

// Areas top to bottom; areas whose first rows are level, left to right.
void orderAreas(const QList<DetectedBlock> &b, QList<Members> &areas, double level)
{
    auto top = [&](const Members &m) {
        double t = 1e300;
        for (qsizetype i : m)
            t = std::min(t, b[i].rect.top());
        return t;
    };
    auto left = [&](const Members &m) {
        double l = 1e300;
        for (qsizetype i : m)
            l = std::min(l, b[i].rect.left());
        return l;
    };
    std::sort(areas.begin(), areas.end(), [&](const Members &p, const Members &q) {
        if (std::abs(top(p) - top(q)) > level)
            return top(p) < top(q);
        return left(p) < left(q);
    });
}

QList<Members> areasOf(const QList<DetectedBlock> &b, const Members &stake, AreasBy by,
                       const QSizeF &block)
{
    QList<Members> areas;
    if (by == AreasBy::Gaps) {
        cutIntoAreas(b, stake, MedianPitch(positionsOf(b, stake, true)),
                     MedianPitch(positionsOf(b, stake, false)), areas);
        orderAreas(b, areas, block.height() / 2);
        return areas;
    }
    const bool columns = by == AreasBy::Columns;
    QList<int> lines;
    for (qsizetype i : stake)
        if (!lines.contains(columns ? b[i].column : b[i].row))
            lines.append(columns ? b[i].column : b[i].row);
    std::sort(lines.begin(), lines.end());
    for (int line : lines) {
        Members m;
        for (qsizetype i : stake)
            if ((columns ? b[i].column : b[i].row) == line)
                m.append(i);
        areas.append(m);
    }
    return areas;
}
} // namespace

void GroupSlipBlocks(SlipDetection &d, AreasBy areasBy, int stakeCount)
{
    QList<DetectedBlock> &b = d.blocks;
    const StakeSplit split = SplitStakes(b, d.block, stakeCount);
    d.stakeOffsets = split.offsets;
    Members first;
    for (qsizetype i = 0; i < b.size(); ++i)
        if (split.stakeOf[i] == 0)
            first.append(i);
    const QList<Members> areas = areasOf(b, first, areasBy, d.block);
    for (qsizetype a = 0; a < areas.size(); ++a) {
        Members m = areas[a];
        std::sort(m.begin(), m.end(), [&](qsizetype p, qsizetype q) {
            return std::pair(b[p].row, b[p].column) < std::pair(b[q].row, b[q].column);
        });
        for (qsizetype k = 0; k < m.size(); ++k) {
            b[m[k]].area = int(a + 1);
            b[m[k]].index = int(k + 1);
        }
    }
    for (qsizetype i = 0; i < b.size(); ++i) {
        b[i].stake = split.stakeOf[i] + 1;
        b[i].area = b[split.partner[i]].area;
        b[i].index = b[split.partner[i]].index;
    }
    std::stable_sort(b.begin(), b.end(), [](const DetectedBlock &p, const DetectedBlock &q) {
        return std::tuple(p.stake, p.area, p.index) < std::tuple(q.stake, q.area, q.index);
    });
}

QList<int> PossibleStakeCounts(const SlipDetection &d)
{
    return PossibleStakeCounts(d.blocks, d.block);
}
