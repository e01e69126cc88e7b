#pragma once
// The elements the dialogs and the designer create, with the values they start with.
#include "model/clsPLControl.h"

#include <QString>

class colPLControls;

// A number block of a fill area in the template's block size, in its area's colours, at 0, 0.
// Both texts are taken trimmed and upper-cased.
clsPLControl NewLottNumberBlock(const QString &groupId, const QString &number,
                                const colPLControls &layout, const QString &fontName);
// An extra mark (a locating mark copied from the slip): in the colour of any other area, and
// unlike a number block it keeps its own size.
clsPLControl NewExtraMark(double width, double height, const QString &fontName);
// A text label as the designer makes it once its text is chosen: transparent, no border,
// black on white, left aligned, in the given font, at 0, 0 with no size.
clsPLControl NewTextLabel(const QString &text, const QString &fontName, double fontSize);
// A line as the designer makes it: solid, 1 wide, black.
clsPLControl NewLine();
// Number blocks and marks: the colours of the element's fill area.
void ApplyGroupColors(clsPLControl &element);
// A number block in the template's block size and the colours of its fill area.
void FitBlockToTemplate(clsPLControl &block, const colPLControls &layout);
