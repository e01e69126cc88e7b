#include "canvas/MeasurementText.h"

#include "common/FormatMsg.h"

#include <cmath>

namespace {
QString hundredths(double v)
{
    // + 0.0 turns a rounded -0 into 0.
    return QString::number(std::round(v * 100) / 100 + 0.0, 'f', 2);
}
} // namespace

QString MeasurementLength(const QLineF &mm)
{
    return hundredths(mm.length()) + QStringLiteral(" 毫米");
}

QString MeasurementText(const QLineF &mm)
{
    return FormatMsg(QString(), QStringLiteral("距离 {1}（横向 {2}，纵向 {3}）"),
                     {MeasurementLength(mm), hundredths(mm.dx()), hundredths(mm.dy())});
}
