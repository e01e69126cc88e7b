#pragma once
// Elements built in code for tests: one maker per kind, the rest of each element's fields at their
// defaults (hidden, no border) unless the test sets them.
#include "model/clsPLControl.h"

#include <QString>

namespace elements {

inline clsPLControl Placed(const QString &key, const QString &controlType,
                           const QString &showType, const QString &value, double left,
                           double top, double width, double height)
{
    clsPLControl c;
    c.setKeyName(key);
    c.setControlType(controlType);
    c.setShowType(showType);
    c.setFieldValue(value);
    c.setLeft(left);
    c.setTop(top);
    c.setWidth(width);
    c.setHeight(height);
    return c;
}

inline clsPLControl Label(const QString &key, const QString &text, double left, double top,
                          double width, double height)
{
    return Placed(key, QStringLiteral("Label"), QStringLiteral("NormalLable"), text, left, top,
                  width, height);
}

inline clsPLControl Block(const QString &key, const QString &group, const QString &value,
                          double left, double top, double width = 3, double height = 1.5)
{
    clsPLControl c = Placed(key, QStringLiteral("Label"), QStringLiteral("LottNumber"), value,
                            left, top, width, height);
    c.setGroupID(group);
    return c;
}

inline clsPLControl Mark(const QString &key, double left, double top, double width,
                         double height, bool alwaysPrint)
{
    clsPLControl c = Placed(key, QStringLiteral("Label"), QStringLiteral("LocateMark"), QString(),
                            left, top, width, height);
    c.setIsAlwaysPrint(alwaysPrint);
    return c;
}

// A line from (left, top) running dx across and dy down.
inline clsPLControl Line(const QString &key, double left, double top, double dx, double dy,
                         qint32 borderStyle, qint32 borderWidth, qint32 borderColor)
{
    clsPLControl c = Placed(key, QStringLiteral("Line"), QStringLiteral("Line"), QString(), left,
                            top, dx, dy);
    c.setBorderStyle(borderStyle);
    c.setBorderWidth(borderWidth);
    c.setBorderColor(borderColor);
    return c;
}

inline clsPLControl Shown(clsPLControl c)
{
    c.setVisible(1);
    return c;
}

} // namespace elements
