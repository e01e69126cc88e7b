#include "dialogs/TwoPointScale.h"

#include "common/ToNumber.h"
#include "dialogs/DialogCheck.h"

#include <QLineF>

QString TwoPointsMissingMessage() { return QStringLiteral("请在图片上点击两个点！"); }

QString TwoPointsTooCloseMessage() { return QStringLiteral("两个点离得太近，请点击相距较远的两个点！"); }

QString TwoPointDistanceMessage() { return QStringLiteral("请输入两点之间的实际距离（毫米，大于 0）！"); }

TwoPointScale ScaleFromTwoPoints(std::optional<QPointF> first, std::optional<QPointF> second,
                                 const QString &distanceMm)
{
    if (!first || !second)
        return {0, TwoPointsMissingMessage()};
    const double pixels = QLineF(*first, *second).length();
    // Closer than one pixel the clicks cannot tell a length at all.
    if (pixels < 1)
        return {0, TwoPointsTooCloseMessage()};
    if (!ConvertsToNumber(distanceMm) || IsHugeLength(distanceMm))
        return {0, TwoPointDistanceMessage()};
    const double mm = ToNumber(distanceMm, 0);
    if (!(mm > 0))
        return {0, TwoPointDistanceMessage()};
    return {mm / pixels, QString()};
}
