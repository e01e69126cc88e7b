#include "print/ElementDrawing.h"
#include "print/MarkColor.h"
#include "print/PrintSurface.h"
#include "print/SpacedText.h"

#include "common/PathFile.h"
#include "model/ElementKind.h"
#include "model/clsPLControl.h"

namespace {
// Pen styles of the surface by a line's BorderStyle (0 transparent, 1 solid, 2 dash, 3 dot,
// 4 dash-dot, 5 dash-dot-dot, 6 inside solid); `unknown` for any other value.
qint32 penStyleOfBorder(qint32 borderStyle, qint32 unknown)
{
    static const qint32 styles[] = {5, 0, 1, 2, 3, 4, 6};
    return borderStyle >= 0 && borderStyle <= 6 ? styles[borderStyle] : unknown;
}

// A line's BorderWidth on screen counts pixels of 15 twips.
constexpr qint32 TwipsPerScreenPixel = 15;

void setElementFont(PrintSurface &surface, const clsPLControl &element, ElementDrawMode mode)
{
    // Printing keeps the face and size in force when the element has none; the canvas shows
    // its default label font instead, whatever was drawn before.
    if (!element.FontName().isEmpty())
        surface.setFontName(element.FontName());
    else if (mode == ElementDrawMode::Design)
        surface.setFontName(DefaultFontName());
    if (element.FontSize() != 0)
        surface.setFontSize(float(element.FontSize()));
    else if (mode == ElementDrawMode::Design)
        surface.setFontSize(9);
    surface.setFontBold(element.FontBold() != 0);
    surface.setFontItalic(element.FontItalic() != 0);
    surface.setFontStrikethru(element.FontStrikethru() != 0);
    surface.setFontUnderline(element.FontUnderline() != 0);
}

void drawSpacedCharacters(PrintSurface &surface, const QString &text, const ElementRectTwips &r,
                          double spacing)
{
    const auto measure = [&surface](const QString &c) { return double(surface.TextWidth(c)); };
    for (const SpacedChar &cell : LayoutSpacedText(text, r.X, r.W, spacing, measure))
        surface.TextBox(cell.Text, float(cell.Left), float(r.Y), float(cell.Width), float(r.H), 1);
}

void printLabel(PrintSurface &surface, const clsPLControl &element, const ElementRectTwips &r,
                const QString &text)
{
    surface.setTextColor(element.ForeColor());
    surface.setBrushColor(element.BackColor());
    surface.setPenStyle(0);
    surface.setPenWidth(1);
    surface.setPenColor(element.BorderStyle() == 1 ? 0 : element.BackColor());
    // Right-aligned labels keep the alignment in force.
    if (element.Alignment() == 0 || element.Alignment() == 1)
        surface.setTextAlign(0);
    else if (element.Alignment() == 2)
        surface.setTextAlign(1);
    setElementFont(surface, element, ElementDrawMode::Print);

    const bool opaque = element.BackStyle() == 1;
    const double space = element.SpaceBetweenChar();
    if (space == 0) {
        surface.TextBox(text, float(r.X), float(r.Y), float(r.W), float(r.H), 1, opaque);
        return;
    }
    if (opaque)
        surface.TextBox(QString(), float(r.X), float(r.Y), float(r.W), float(r.H), 1, true);
    drawSpacedCharacters(surface, text, r, space);
}

void designLabel(PrintSurface &surface, const clsPLControl &element, const ElementRectTwips &r,
                 const QString &text)
{
    const bool border = element.BorderStyle() == 1;
    const bool opaque = element.BackStyle() == 1;
    surface.setTextColor(element.ForeColor());
    surface.setBrushColor(element.BackColor());
    surface.setPenColor(0);
    surface.setPenWidth(1);
    surface.setPenStyle(border ? 0 : 5);
    setElementFont(surface, element, ElementDrawMode::Design);

    // One character or no spacing: a plain label with its alignment.
    const double space = element.SpaceBetweenChar();
    const bool spaced = space != 0 && SplitCharacters(text).size() >= 2;
    if (!spaced) {
        const qint32 alignment = element.Alignment();
        surface.setTextAlign(alignment == 1 ? 2 : alignment == 2 ? 1 : 0);
    } else {
        surface.setTextAlign(0);
    }
    const float x1 = float(r.X), y1 = float(r.Y), x2 = float(r.X + r.W), y2 = float(r.Y + r.H);
    if (opaque) {
        surface.TextBox(spaced ? QString() : text, x1, y1, float(r.W), float(r.H), 1, true);
    } else {
        if (border) {
            surface.DrawLine(x1, y1, x2, y1);
            surface.DrawLine(x2, y1, x2, y2);
            surface.DrawLine(x2, y2, x1, y2);
            surface.DrawLine(x1, y2, x1, y1);
        }
        if (!spaced)
            surface.TextBox(text, x1, y1, float(r.W), float(r.H), 1);
    }
    if (spaced)
        drawSpacedCharacters(surface, text, r, space);
}

void drawLine(PrintSurface &surface, const clsPLControl &element, const ElementRectTwips &r,
              ElementDrawMode mode)
{
    const bool print = mode == ElementDrawMode::Print;
    surface.setPenColor(element.BorderColor());
    // Only a thin line takes a pattern; a thick one is always solid.
    if (element.BorderWidth() < 2) {
        // Printing keeps the pen style in force for a style it does not know.
        const qint32 style = penStyleOfBorder(element.BorderStyle(), print ? -1 : 0);
        if (style >= 0)
            surface.setPenStyle(style);
    } else {
        surface.setPenStyle(0);
    }
    surface.setPenWidth(print ? element.BorderWidth() : element.BorderWidth() * TwipsPerScreenPixel);
    surface.DrawLine(float(r.X), float(r.Y), float(r.X + r.W), float(r.Y + r.H));
}

// The mark colour, filled and outlined.
void setMarkPen(PrintSurface &surface)
{
    const qint32 color = GetMarkColor();
    surface.setBrushColor(color);
    surface.setPenStyle(0);
    surface.setPenColor(color);
}

void printNumberMark(PrintSurface &surface, const ElementRectTwips &r, qint16 markStyle)
{
    setMarkPen(surface);
    if (markStyle == 1) {
        surface.setPenWidth(32);
        surface.DrawLine(float(r.X), float(r.Y), float(r.X + r.W), float(r.Y + r.H));
        surface.DrawLine(float(r.X), float(r.Y + r.H), float(r.X + r.W), float(r.Y));
    } else {
        surface.setPenWidth(1);
        surface.DrawRectangle(float(r.X), float(r.Y), float(r.X + r.W), float(r.Y + r.H));
    }
}

void printLocateMark(PrintSurface &surface, const ElementRectTwips &r)
{
    setMarkPen(surface);
    surface.DrawRectangle(float(r.X), float(r.Y), float(r.X + r.W), float(r.Y + r.H));
}
} // namespace

ElementRectTwips ElementRect(const clsPLControl &element, double originXTwips,
                             double originYTwips, double twipsPerMm)
{
    return {originXTwips + element.Left() * twipsPerMm, originYTwips + element.Top() * twipsPerMm,
            element.Width() * twipsPerMm, element.Height() * twipsPerMm};
}

void DrawElement(PrintSurface &surface, const clsPLControl &element, double originXTwips,
                 double originYTwips, double twipsPerMm, ElementDrawMode mode,
                 const ElementDrawOptions &options)
{
    const ElementKind kind = ElementKindOf(element);
    if (kind == ElementKind::Other)
        return;
    if (mode == ElementDrawMode::Design && element.Visible() == 0)
        return;
    const ElementRectTwips r = ElementRect(element, originXTwips, originYTwips, twipsPerMm);
    if (kind == ElementKind::Line) {
        drawLine(surface, element, r, mode);
        return;
    }
    const QString &text = options.Caption ? *options.Caption : element.FieldValue();
    if (mode == ElementDrawMode::Design) {
        designLabel(surface, element, r, text);
        return;
    }
    switch (kind) {
    case ElementKind::NumberBlock: printNumberMark(surface, r, options.MarkStyle); break;
    case ElementKind::Mark: printLocateMark(surface, r); break;
    default: printLabel(surface, element, r, text); break;
    }
}
