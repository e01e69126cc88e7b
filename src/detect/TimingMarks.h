#pragma once
// Timing marks: solid dark bars of one size, lined up in a column (or a row) of their own,
// usually at one edge of the slip, one per row of blocks.
#include "detect/Outline.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <opencv2/core.hpp>

struct MarkSearch {
    QSizeF block;      // the blocks' common size, pixels
    int darkInk = 0;   // ink a mark's inside reaches at least
    int floor = 0;     // ink that is surely print
};

// The integer boxes of the marks among the outlines, top to bottom.
QList<QRect> FindTimingMarks(const QList<Outline> &outlines, const cv::Mat &ink,
                             const MarkSearch &search);
