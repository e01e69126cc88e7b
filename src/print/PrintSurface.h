#pragma once
// The print surface every page is drawn on. Lengths are twips (1/1440 inch) from the paper's
// top-left corner; colours are 0x00BBGGRR. The drawing state (pen, brush, text, font) stays
// until it is changed, across pages too.
//
// Page set-up setters return false when the surface cannot take the value (an unknown paper
// code, an absurd size); the previous value then stays. Nothing here throws.
#include "print/PrintPicture.h"

#include <QString>

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // True before StartDoc: the document is kept for the preview.
    virtual bool Preview() const = 0;
    virtual void setPreview(bool v) = 0;
    virtual void StartDoc() = 0;
    virtual void EndDoc() = 0;
    virtual void NewPage() = 0;
    virtual void GetMargins() = 0;
    virtual QString DocName() const = 0;
    virtual void setDocName(const QString &v) = 0;

    // 0 portrait, 1 landscape.
    virtual qint32 Orientation() const = 0;
    virtual bool setOrientation(qint32 v) = 0;
    // The usual printer codes (1 Letter, 5 Legal, 8 A3, 9 A4, 11 A5, 13 B5, ...; 256 custom,
    // sized by PaperWidth and PaperHeight). 0 until a paper is set ("paper not set"): a
    // printer then keeps the paper its user chose, and PaperWidth/PaperHeight give A4.
    virtual qint32 PaperSize() const = 0;
    virtual bool setPaperSize(qint32 v) = 0;
    // The paper in portrait, twips; setting one makes the paper custom (256).
    virtual float PaperWidth() const = 0;
    virtual bool setPaperWidth(float v) = 0;
    virtual float PaperHeight() const = 0;
    virtual bool setPaperHeight(float v) = 0;
    virtual float MarginLeft() const = 0;
    virtual bool setMarginLeft(float v) = 0;
    virtual float MarginTop() const = 0;
    virtual bool setMarginTop(float v) = 0;
    virtual float MarginRight() const = 0;
    virtual bool setMarginRight(float v) = 0;
    virtual float MarginBottom() const = 0;
    virtual bool setMarginBottom(float v) = 0;

    virtual void setShowGuides(qint32 v) = 0;

    virtual void setPenColor(qint32 v) = 0;
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 6 inside solid.
    virtual void setPenStyle(qint32 v) = 0;
    virtual void setPenWidth(qint32 v) = 0;
    virtual void setBrushColor(qint32 v) = 0;
    virtual void setTextColor(qint32 v) = 0;
    // 0 left and top, 1 centred and top, 2 right and top (the designer's right-aligned labels).
    virtual void setTextAlign(qint32 v) = 0;
    virtual void setFontName(const QString &v) = 0;
    virtual void setFontSize(float v) = 0;
    virtual void setFontBold(bool v) = 0;
    virtual void setFontItalic(bool v) = 0;
    virtual void setFontStrikethru(bool v) = 0;
    virtual void setFontUnderline(bool v) = 0;

    // Outlined with the pen, filled with the brush.
    virtual void DrawRectangle(float x1, float y1, float x2, float y2) = 0;
    virtual void DrawLine(float x1, float y1, float x2, float y2) = 0;
    // Stretched into the box.
    virtual void DrawPicture(const PrintPicture &picture, float left, float top, float width,
                             float height) = 0;
    // Text wrapped inside the box in the current font, colour and TextAlign. `wrap` is the
    // program's constant 1; `fill` fills the box with the brush and outlines it with the pen.
    virtual void TextBox(const QString &text, float left, float top, float width, float height,
                         qint32 wrap = 1, bool fill = false) = 0;
    // Width of the text in the current font, twips.
    virtual float TextWidth(const QString &text) = 0;
};
