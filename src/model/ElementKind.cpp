#include "model/ElementKind.h"

#include "model/clsPLControl.h"

ElementKind ElementKindOf(const QString &controlType, const QString &showType)
{
    if (controlType == QLatin1String("Line"))
        return ElementKind::Line;
    if (controlType != QLatin1String("Label"))
        return ElementKind::Other;
    if (showType == QLatin1String("LottNumber"))
        return ElementKind::NumberBlock;
    if (showType == QLatin1String("LocateMark"))
        return ElementKind::Mark;
    if (showType == QLatin1String("NormalLable"))
        return ElementKind::TextLabel;
    return ElementKind::Other;
}

ElementKind ElementKindOf(const clsPLControl &element)
{
    return ElementKindOf(element.ControlType(), element.ShowType());
}
