#include "canvas/KdLabel.h"

#include "common/DesignScale.h"
#include "model/clsPLControl.h"
#include "print/ElementDrawing.h"
#include "print/SpacedText.h"

#include <QGuiApplication>
#include <QPalette>

KdLabel::KdLabel()
{
    const QPalette palette = QGuiApplication::palette();
    const QColor back = palette.color(QPalette::Base), text = palette.color(QPalette::Text);
    m_s.backColor = RGB(back.red(), back.green(), back.blue());
    m_s.foreColor = RGB(text.red(), text.green(), text.blue());
    m_s.caption = QStringLiteral("lblThis");
}

KdLabel KdLabel::FromState(const ControlState &state)
{
    // No defaults to look up: the state brings every value.
    KdLabel label{FromStateTag{}};
    label.m_s = state;
    return label;
}

QFont KdLabel::Font() const
{
    QFont f(m_s.fontName);
    if (m_s.fontSize > 0)
        f.setPointSizeF(m_s.fontSize);
    f.setBold(m_s.fontBold);
    f.setItalic(m_s.fontItalic);
    f.setStrikeOut(m_s.fontStrikethru);
    f.setUnderline(m_s.fontUnderline);
    return f;
}

void KdLabel::setFont(const QFont &font)
{
    setFontName(font.family());
    setFontSize(font.pointSizeF());
    setFontBold(font.bold());
    setFontItalic(font.italic());
    setFontStrikethru(font.strikeOut());
    setFontUnderline(font.underline());
}

bool KdLabel::IsSpaced() const
{
    return m_s.spaceBetweenChar != 0 && SplitCharacters(m_s.caption).size() >= 2;
}

void KdLabel::Paint(PrintSurface &surface) const
{
    // The label as an element whose lengths are its own twips: one millimetre per twip.
    ControlState state = m_s;
    state.isLine = false;
    clsPLControl element;
    element.setControlType(QStringLiteral("Label"));
    element.setShowType(QStringLiteral("NormalLable"));
    Ctl2Cls(state, element, 1.0);
    DrawElement(surface, element, 0, 0, 1.0, ElementDrawMode::Design);
}
