#include "detect/CalibrationTargetOf.h"

#include "model/colPLControls.h"
#include "print/CalibrationBlocks.h"

CalibrationTarget CalibrationTargetOf(const colPLControls &layout)
{
    CalibrationTarget t;
    const std::vector<StakeBlock> all = EveryStakeBlock(layout);
    for (const StakeBlock &b : all)
        t.blocks.append(b.rect);
    for (const StakeBlock &c : CalibrationBlocks(layout))
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].block == c.block && all[i].stake == c.stake)
                t.marks.append({c.block->KeyName(), c.stake + 1, int(i)});
    return t;
}
