#pragma once
// The stakes of a slip: the whole block pattern repeated, shifted in X or in Y. A split into k
// stakes is possible when the blocks fall into k groups, separated by wide gaps, that are
// copies of each other.
#include "detect/SlipDetection.h"

#include <QList>
#include <QPointF>

struct StakeSplit {
    int count = 1;
    QList<QPointF> offsets{QPointF(0, 0)}; // of every stake from the first
    QList<int> stakeOf;    // per block, from 0
    QList<qsizetype> partner; // per block: the block of the first stake it copies
};

// Every stake count the blocks allow, ascending (1 is always among them).
QList<int> PossibleStakeCounts(const QList<DetectedBlock> &blocks, const QSizeF &block);

// The split into `wanted` stakes (0: as many as the blocks allow); an impossible count gives
// the split into as many as possible.
StakeSplit SplitStakes(const QList<DetectedBlock> &blocks, const QSizeF &block, int wanted);

// Distances between neighbouring grid lines: the median of them (0 when there is one line).
double MedianPitch(QList<double> positions);
