#pragma once
// The most elements a template may hold: the count its file's reader accepts (a 16-bit count).
// Whatever adds elements stops short of it, so every template written can be read back.
#include <QString>

constexpr int kMaxTemplateElements = 32767;

inline QString TooManyElementsMessage()
{
    return QStringLiteral("元素个数不能超过 32767 个！");
}
