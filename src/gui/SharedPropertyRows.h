#pragma once
// What the property grid shows of several elements at once: the rows every one of them shows
// alike (the same row with the same caption and the same editor: a label and a block share
// their position, not the label's text), each with the value they have in common, or blank
// where their values differ.
#include "gui/PLPropertyRows.h"

#include <vector>

struct SharedPropertyRow {
    int row = 0;
    QString caption;
    // Whether every element shows the same value; text and color hold it when they do.
    bool same = true;
    QString text;  // "" for the colour rows
    qint32 color = 0;
};

// The shared rows in grid order, found in one pass over the elements. Empty for no elements.
std::vector<SharedPropertyRow> SharedPropertyRows(const std::vector<const clsPLControl *> &elements);
