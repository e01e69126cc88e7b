#pragma once
// Text with a gap between its characters, as slip fields printed into a row of boxes need it:
// each character starts where the one before it started plus that character's width plus
// the spacing. The print engine, the design canvas and the spaced label control all lay such
// text out with this one function.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One character's place: its left edge and the width left from there to the box's right edge.
struct SpacedChar {
    QString Text;
    double Left = 0;
    double Width = 0;
};

// The characters as a reader counts them: a pair of surrogates is one character.
QStringList SplitCharacters(const QString &text);

// Lays the characters out from `left` in a box `width` wide. The first character is always
// placed; the layout stops after the character whose advance leaves no width (less than 0).
// `measure` gives a character's width in the caller's unit (the unit of left, width, spacing).
std::vector<SpacedChar> LayoutSpacedText(const QString &text, double left, double width,
                                         double spacing,
                                         const std::function<double(const QString &)> &measure);
