#pragma once
// Keeps an element usable on the design area after its values were changed from outside a
// gesture (a dialog, the property grid, the keyboard, an alignment): every label keeps at least
// 0.5 mm of width and height, at most the design area, and at least 2 mm (or all of it, when
// narrower) on the area; a line keeps a length and its start point on the area.
class clsPLControl;

struct DesignArea {
    // The design area, millimetres.
    double widthMm = 300;
    double heightMm = 300;
    // Twips per millimetre; the rulers' fixed breadth in twips becomes millimetres with it.
    double scale = 85.05;
};

void KeepUsable(clsPLControl &element, const DesignArea &area);
