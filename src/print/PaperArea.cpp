#include "print/PaperArea.h"

#include "model/colPLControls.h"
#include "print/StakeGeometry.h"

QRectF PaperArea(const colPLControls &t)
{
    if (!(t.PaperWidth() > 0 && t.PaperHeight() > 0))
        return {};
    const bool landscape = t.PaperOrientation() == 1;
    const double width = (landscape ? t.PaperHeight() : t.PaperWidth()) / PrintScale;
    const double height = (landscape ? t.PaperWidth() : t.PaperHeight()) / PrintScale;
    return QRectF(-t.LayoutLeft(), -t.LayoutTop(), width, height);
}
