#include "DetectMatch.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace {
// The drawn item a found rectangle stands for: the one whose centre is within half its size.
qsizetype partnerOf(const QRectF &r, const QList<QRectF> &drawn, const QPointF &shift)
{
    for (qsizetype i = 0; i < drawn.size(); ++i) {
        const QPointF d = r.center() - shift - drawn[i].center();
        if (std::abs(d.x()) < drawn[i].width() / 2 && std::abs(d.y()) < drawn[i].height() / 2)
            return i;
    }
    return -1;
}

double worstEdge(const QRectF &a, const QRectF &b, const QPointF &shift)
{
    return std::max(std::abs(a.left() - shift.x() - b.left()), std::abs(a.top() - shift.y() - b.top()));
}
} // namespace

QString MatchReport::row(const QString &kind, double ms) const
{
    return QStringLiteral("| %1 | %2/%3 | %4 | %5 | %6/%7 | %8 ms |")
        .arg(kind, -34)
        .arg(found)
        .arg(truth)
        .arg(invented + twice)
        .arg(worstPosition, 0, 'f', 3)
        .arg(marksFound)
        .arg(marksTruth)
        .arg(ms, 0, 'f', 0);
}

MatchReport Compare(const slipgen::Slip &slip, const SlipDetection &d)
{
    MatchReport r;
    QList<QRectF> drawn;
    for (const slipgen::TruthBlock &b : slip.blocks)
        drawn.append(b.rect);
    r.truth = int(drawn.size());
    // The straightened picture's origin: the mean shift of the found blocks.
    QPointF shift;
    int paired = 0;
    for (const DetectedBlock &b : d.blocks)
        if (qsizetype i = partnerOf(b.rect, drawn, QPointF()); i >= 0) {
            shift += b.rect.topLeft() - drawn[i].topLeft();
            ++paired;
        }
    if (paired)
        shift /= paired;
    QList<int> hits(drawn.size(), 0);
    for (const DetectedBlock &b : d.blocks) {
        const qsizetype i = partnerOf(b.rect, drawn, shift);
        if (i < 0) {
            ++r.invented;
            continue;
        }
        ++hits[i];
        r.worstPosition = std::max(r.worstPosition, worstEdge(b.rect, drawn[i], shift));
        r.worstSize = std::max({r.worstSize, std::abs(b.rect.width() - drawn[i].width()),
                                std::abs(b.rect.height() - drawn[i].height())});
        const slipgen::TruthBlock &t = slip.blocks[i];
        if (b.stake != t.stake || b.area != t.area || b.index != t.index)
            ++r.wrongGrouping;
    }
    for (int h : hits) {
        r.found += h == 1;
        r.twice += h > 1;
    }
    r.marksTruth = int(slip.marks.size());
    QList<int> markHits(slip.marks.size(), 0);
    for (const QRectF &m : d.marks) {
        const qsizetype i = partnerOf(m, slip.marks, shift);
        if (i < 0) {
            ++r.marksInvented;
            continue;
        }
        ++markHits[i];
        r.worstMark = std::max(r.worstMark, worstEdge(m, slip.marks[i], shift));
    }
    r.marksFound = int(std::count(markHits.begin(), markHits.end(), 1));
    r.stakeCountRight = d.stakeOffsets.size() == slip.stakeOffsets.size();
    if (r.stakeCountRight)
        for (qsizetype k = 0; k < d.stakeOffsets.size(); ++k) {
            const QPointF e = d.stakeOffsets[k] - slip.stakeOffsets[k];
            r.worstOffset = std::max({r.worstOffset, std::abs(e.x()), std::abs(e.y())});
        }
    return r;
}
