#pragma once
// Which outlines are the slip's number blocks: the most common size among closed outlines and
// bracket pairs, leaving out what sits inside a block (the counters of its digits) and what
// lines up with nothing (a stray box, a character of the header).
#include "detect/Outline.h"

#include <QList>
#include <QSizeF>

struct BlockSelection {
    QList<QRect> boxes; // integer boxes of the blocks
    QSizeF size;        // their median size, pixels
};

BlockSelection SelectBlocks(QList<Outline> outlines);

// Whether an outline can be a block at all (a closed, nearly rectangular outline or a pair of
// brackets).
bool BlockShaped(const Outline &o);
