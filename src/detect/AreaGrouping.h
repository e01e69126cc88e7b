#pragma once
// Fill areas and indexes of the blocks of a slip, and the stakes they belong to.
#include "detect/SlipDetection.h"

// Sets stake, area and index of every block of d, its stake offsets, and sorts the blocks by
// stake, area, index. stakeCount 0 takes as many stakes as the blocks allow.
void GroupSlipBlocks(SlipDetection &d, AreasBy areasBy, int stakeCount = 0);

// The stake counts the dialog can offer for d.
QList<int> PossibleStakeCounts(const SlipDetection &d);
