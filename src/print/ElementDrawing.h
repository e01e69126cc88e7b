#pragma once
// The one routine that draws a template element on a print surface, for the print engine and
// for the designer canvas alike. Lengths of the element are millimetres from the layout
// origin; the origin is given in twips and `twipsPerMm` turns millimetres into twips (the
// print scale when printing, the design scale on the canvas).
//
// Print mode is what goes on the slip: a number block is drawn as a chosen number's mark
// (filled rectangle or cross in the mark colour), a mark as a filled rectangle in the mark
// colour, a text label with its colours, border, font and spacing, a line with its pen. The
// switches that leave elements out (text off, marks off) are the engine's, not this routine's.
//
// Design mode is what the designer shows: number blocks, marks and text labels as the spaced
// label control shows them (background when opaque, a single black border, the caption in the
// fore colour with its alignment; spaced text starts at the left edge and stops where print
// mode stops it), lines with their own pen. Hidden elements (Visible 0) are not drawn. An
// empty font name and a font size of 0 stand for 宋体 9 points.
//
// Elements of no known kind are drawn by neither mode.
#include <QString>

class clsPLControl;
class PrintSurface;

enum class ElementDrawMode { Print, Design };

struct ElementDrawOptions {
    // Number blocks in print mode: 1 marks the number with a cross, anything else with a
    // filled rectangle (the template's MarkStyle).
    qint16 MarkStyle = 0;
    // Text labels: the text drawn instead of FieldValue (the page fields filled in); nullptr
    // draws FieldValue.
    const QString *Caption = nullptr;
};

// The element's rectangle in twips: left and top from the origin, width and height (for a
// line, the signed distances from its start point to its end point).
struct ElementRectTwips {
    double X, Y, W, H;
};
ElementRectTwips ElementRect(const clsPLControl &element, double originXTwips,
                             double originYTwips, double twipsPerMm);

void DrawElement(PrintSurface &surface, const clsPLControl &element, double originXTwips,
                 double originYTwips, double twipsPerMm, ElementDrawMode mode,
                 const ElementDrawOptions &options = {});
