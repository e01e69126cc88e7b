#pragma once
// The design canvas's millimetre grid: how far apart its lines are (1, 0.5 or 0.1 mm), whether
// it is shown, and whether moving, resizing, adding and measuring snap to it.
#include <array>

struct MillimetreGrid {
    static constexpr std::array<double, 3> Steps = {1.0, 0.5, 0.1};

    double step = 1.0;
    bool shown = false;
    bool snap = false;

    // The grid line nearest to a position, mm. Kept to the micrometre, so that a snapped value
    // is the step's multiple as it is written (0.3, not 0.30000000000000004).
    double Snap(double mm) const;
    // How far apart the lines are drawn, mm: the step, or the first of 5, 10, 50, 100 steps
    // that leaves at least minPixels between lines on screen.
    double DrawnStep(double pixelsPerMm, double minPixels) const;

    bool operator==(const MillimetreGrid &) const = default;
};
