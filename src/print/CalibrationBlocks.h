#pragma once
// The blocks a calibration page fills: a few spread over the slip, so that a scan of the printed
// page shows where the printer puts its marks across the whole slip: the blocks at the four
// corners of the first stake and of the last, and the block nearest the middle of all stakes.
// The same template always gives the same blocks, in the same order.
#include <QRectF>
#include <QString>
#include <vector>

class clsPLControl;
class colPLControls;

struct StakeBlock {
    const clsPLControl *block = nullptr;
    int stake = 0;  // from 0, in the order of the stake offsets
    QRectF rect;    // millimetres in the slip's frame: the block moved by its stake's offset
};

// Every number block of every stake of a ticket, stake by stake in template order.
std::vector<StakeBlock> EveryStakeBlock(const colPLControls &layout);

// The blocks the calibration page fills (see above); empty when the template has no blocks.
std::vector<StakeBlock> CalibrationBlocks(const colPLControls &layout);
