#include "detect/SlipDetection.h"

#include <algorithm>

int SlipDetection::areaCount() const
{
    int areas = 0;
    for (const DetectedBlock &b : blocks)
        if (b.stake == 1)
            areas = std::max(areas, b.area);
    return areas;
}
