#pragma once
// What the detector finds on the picture of a slip. Lengths are millimetres in the straightened
// picture, x to the right and y down from its top-left corner.
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

// How the blocks of a stake are grouped into fill areas.
enum class AreasBy {
    Gaps,    // groups separated by gaps of at least 1.5 median pitches; indexed row by row
    Columns, // every column of a stake is an area, indexed top to bottom
    Rows     // every row of a stake is an area, indexed left to right
};

struct DetectedBlock {
    QRectF rect;    // outer edge of the printed outline
    int row = 0;    // row and column of the block in the picture's grid, from 0
    int column = 0;
    int stake = 0;  // from 1, in the order of the stake offsets
    int area = 0;   // from 1 within the stake
    int index = 0;  // from 1 within the area
};

struct SlipDetection {
    double dpi = 0;
    double angle = 0;        // degrees, positive when the scan was turned counter-clockwise
    QSizeF size;             // the straightened picture
    QSizeF block;            // the common block size (median)
    QList<DetectedBlock> blocks; // sorted by stake, area, index
    QList<QRectF> marks;     // timing marks, top to bottom
    QList<QPointF> stakeOffsets; // of every stake from the first; the first is (0, 0)

    bool found() const { return !blocks.isEmpty(); }
    int stakeCount() const { return int(stakeOffsets.size()); }
    int areaCount() const; // areas of the first stake
};
