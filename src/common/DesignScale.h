#pragma once
#include <QString>

// Twips per template millimetre on screen at the current zoom, kept within 11.2 .. 283.5
// (0 = never set reads as 85.05).
double GetDesignScale();
void SetDesignScale(double value);

// The colour (0x00BBGGRR) of a fill area on the design canvas by its GroupID text.
qint32 GetGroupColor(const QString &groupId);
// A colour with every colour bit inverted: the text colour readable on a group colour.
inline qint32 InvertColor(qint32 rgb) { return rgb ^ 0xFFFFFF; }
// 0x00BBGGRR from components.
inline qint32 RGB(int r, int g, int b) { return qint32(r | (g << 8) | (b << 16)); }
