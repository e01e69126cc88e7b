#pragma once
// The designer's clipboard: copies of the selected elements, pasted back with an offset of one
// block pitch each time, keeping each block's fill area and number (so that a run pasted into
// the next column can be renumbered afterwards). Pasted elements get new keys from the canvas
// and become the selection.
#include "model/clsPLControl.h"

#include <QPointF>
#include <QStringList>
#include <vector>

class KdPLDesinger;

class SelectionClipboard {
public:
    // Takes copies of the canvas's selection; false (and the clipboard as it was) when nothing
    // is selected.
    bool Copy(const KdPLDesinger &canvas);
    bool IsEmpty() const { return m_elements.empty(); }
    int Count() const { return int(m_elements.size()); }
    // Adds the copies once more, one pitch further than the previous paste; returns the keys
    // of the new elements (none when the canvas is full).
    QStringList Paste(KdPLDesinger &canvas, int roomLeft);
    // Copy and paste in one go, leaving the clipboard alone.
    static QStringList Duplicate(KdPLDesinger &canvas, int roomLeft);

    // The pitch of the template's blocks across, mm: the smallest distance between the left
    // edges of two blocks in one row; twice the widest block when no two share a row.
    static double BlockPitch(const KdPLDesinger &canvas);

private:
    static QStringList add(KdPLDesinger &canvas, const std::vector<clsPLControl> &elements,
                           QPointF offset, int roomLeft);
    std::vector<clsPLControl> m_elements;
    // The pitch when the copies were taken: a cut may leave no row of blocks behind.
    double m_pitch = 0;
    int m_pastes = 0;
};
