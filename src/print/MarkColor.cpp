#include "print/MarkColor.h"
#include "common/VbFormat.h"

namespace {
qint32 &markColor()
{
    static qint32 color = 0;
    return color;
}
} // namespace

qint32 GetMarkColor()
{
    return markColor();
}

void SetMarkColor(qint32 color)
{
    markColor() = color;
}

qint32 MarkColorFromGray(int sliderValue)
{
    const int s = qBound(0, sliderValue, 100);
    const qint32 g = qint32(RoundHalfEven((100 - s) * 255 / 100.0));
    return g | (g << 8) | (g << 16);
}
