#include "canvas/MillimetreGrid.h"

#include <cmath>

double MillimetreGrid::Snap(double mm) const
{
    if (!(step > 0))
        return mm;
    return std::round(std::round(mm / step) * step * 1e6) / 1e6;
}

double MillimetreGrid::DrawnStep(double pixelsPerMm, double minPixels) const
{
    for (const double times : {1.0, 5.0, 10.0, 50.0, 100.0})
        if (step * times * pixelsPerMm >= minPixels)
            return step * times;
    return step * 100;
}
