#include "model/ControlState.h"

#include "model/ElementKind.h"
#include "model/clsPLControl.h"

namespace {
qint32 flag(bool v) { return v ? -1 : 0; }

void labelToState(const clsPLControl &e, ControlState &c, double s)
{
    c.caption = e.FieldValue();
    c.left = e.Left() * s;
    c.top = e.Top() * s;
    c.width = e.Width() * s;
    c.height = e.Height() * s;
    c.borderStyle = e.BorderStyle();
    c.backStyle = e.BackStyle();
    c.backColor = e.BackColor();
    c.foreColor = e.ForeColor();
    c.visible = e.Visible() != 0;
    c.fontBold = e.FontBold() != 0;
    c.fontItalic = e.FontItalic() != 0;
    if (!e.FontName().isEmpty())
        c.fontName = e.FontName();
    if (e.FontSize() != 0)
        c.fontSize = e.FontSize();
    c.fontStrikethru = e.FontStrikethru() != 0;
    c.fontUnderline = e.FontUnderline() != 0;
    c.spaceBetweenChar = e.SpaceBetweenChar();
    c.alignment = e.Alignment();
}

void lineToState(const clsPLControl &e, ControlState &c, double s)
{
    c.x1 = e.Left() * s;
    c.y1 = e.Top() * s;
    c.x2 = c.x1 + e.Width() * s;
    c.y2 = c.y1 + e.Height() * s;
    c.borderStyle = e.BorderStyle();
    c.borderColor = e.BorderColor();
    c.borderWidth = e.BorderWidth();
    c.visible = e.Visible() != 0;
}
} // namespace

bool Cls2Ctl(const clsPLControl &element, ControlState &control, double scale)
{
    control.isLine = ElementKindOf(element) == ElementKind::Line;
    if (control.isLine)
        lineToState(element, control, scale);
    else
        labelToState(element, control, scale);
    return true;
}

void Ctl2Cls(const ControlState &c, clsPLControl &e, double s)
{
    e.setTempIndex(c.index);
    if (c.isLine) {
        e.setLeft(c.x1 / s);
        e.setTop(c.y1 / s);
        e.setWidth((c.x2 - c.x1) / s);
        e.setHeight((c.y2 - c.y1) / s);
        e.setBorderStyle(c.borderStyle);
        e.setBorderColor(c.borderColor);
        e.setBorderWidth(c.borderWidth);
        e.setVisible(c.visible ? 1 : 0);
        return;
    }
    e.setFieldValue(c.caption);
    e.setLeft(c.left / s);
    e.setTop(c.top / s);
    e.setWidth(c.width / s);
    e.setHeight(c.height / s);
    e.setBorderStyle(c.borderStyle);
    e.setBackStyle(c.backStyle);
    e.setBackColor(c.backColor);
    e.setForeColor(c.foreColor);
    e.setVisible(c.visible ? 1 : 0);
    // A flag keeps the number it holds while the control agrees with it: a 1 read from a file
    // does not turn into -1 by being dragged.
    if ((e.FontBold() != 0) != c.fontBold)
        e.setFontBold(flag(c.fontBold));
    if ((e.FontItalic() != 0) != c.fontItalic)
        e.setFontItalic(flag(c.fontItalic));
    e.setFontName(c.fontName);
    e.setFontSize(c.fontSize);
    if ((e.FontStrikethru() != 0) != c.fontStrikethru)
        e.setFontStrikethru(flag(c.fontStrikethru));
    if ((e.FontUnderline() != 0) != c.fontUnderline)
        e.setFontUnderline(flag(c.fontUnderline));
    e.setAlignment(c.alignment);
    e.setSpaceBetweenChar(c.spaceBetweenChar);
}
