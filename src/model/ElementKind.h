#pragma once
#include <QString>

class clsPLControl;

// What an element is, decided once from its ControlType and ShowType: "Label"/"LottNumber" a
// number block, "Label"/"LocateMark" a mark, "Label"/"NormalLable" a text label, "Line" a line
// (whatever its ShowType). Anything else is drawn by nobody and kept as it was read.
enum class ElementKind { NumberBlock, Mark, TextLabel, Line, Other };

ElementKind ElementKindOf(const QString &controlType, const QString &showType);
ElementKind ElementKindOf(const clsPLControl &element);

// Number blocks, marks and text labels: the elements shown as a label on the canvas.
inline bool IsLabelKind(ElementKind kind)
{
    return kind == ElementKind::NumberBlock || kind == ElementKind::Mark || kind == ElementKind::TextLabel;
}
// Number blocks and marks: their style is fixed and derived from their group.
inline bool IsBlockOrMarkKind(ElementKind kind)
{
    return kind == ElementKind::NumberBlock || kind == ElementKind::Mark;
}
