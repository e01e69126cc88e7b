#pragma once
#include <QString>

class clsPLControl;

// What the design canvas shows for one element, in screen twips at the design scale: for a
// label-type element its rectangle, caption and look; for a line its two points and pen. The
// canvas keeps one per element; gestures change it, and the element takes it back when the
// gesture ends.
struct ControlState {
    bool isLine = false;
    // The control's number among the controls of its kind (labels and lines count apart).
    qint32 index = 0;
    bool visible = true;

    // Label: rectangle in twips.
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    QString caption;
    qint32 borderStyle = 0;
    qint32 backStyle = 0;
    qint32 backColor = 0xFFFFFF;
    qint32 foreColor = 0;
    bool fontBold = false;
    bool fontItalic = false;
    // "" and 0 stand for the canvas's own face and size.
    QString fontName;
    double fontSize = 0;
    bool fontStrikethru = false;
    bool fontUnderline = false;
    // Twips, not scaled with the zoom.
    double spaceBetweenChar = 0;
    qint32 alignment = 0;

    // Line: start and end point in twips, and the pen.
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    qint32 borderColor = 0;
    qint32 borderWidth = 1;

    bool operator==(const ControlState &) const = default;
};

// Pushes the element's values onto its control state; lengths are millimetres times the scale
// (twips per millimetre). An empty font name or a font size of 0 leaves the state's own.
// Always true.
bool Cls2Ctl(const clsPLControl &element, ControlState &control, double scale);
// Reads the control state back into the element, lengths divided by the scale. Font flags
// that are set arrive as -1, as from any control.
void Ctl2Cls(const ControlState &control, clsPLControl &element, double scale);
