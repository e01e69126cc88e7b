#pragma once
// Comparing what the detector found with what a picture was drawn with.
#include "SlipGenerator.h"
#include "detect/SlipDetection.h"

#include <QString>

struct MatchReport {
    int truth = 0;        // blocks drawn
    int found = 0;        // drawn blocks found exactly once
    int twice = 0;        // drawn blocks found more than once
    int invented = 0;     // found blocks that match no drawn block
    double worstPosition = 0; // mm, after aligning the origins
    double worstSize = 0;     // mm
    int wrongGrouping = 0;    // found blocks with another stake, area or index
    int marksTruth = 0, marksFound = 0, marksInvented = 0;
    double worstMark = 0;     // mm
    double worstOffset = 0;   // mm, stake offsets
    bool stakeCountRight = false;
    QString row(const QString &kind, double ms) const;
};

MatchReport Compare(const slipgen::Slip &slip, const SlipDetection &d);
