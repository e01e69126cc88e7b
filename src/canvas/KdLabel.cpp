#include "canvas/KdLabel.h"

#include "model/clsPLControl.h"
#include "print/ElementDrawing.h"
#include "print/SpacedText.h"

#include <QGuiApplication>
#include <QPalette>

namespace {
qint32 bgr(const QColor &c) { return qint32(c.red() | (c.green() << 8) | (c.blue() << 16)); }
} // namespace

KdLabel::KdLabel()
{
    const QPalette palette = QGuiApplication::palette();
    m_s.backColor = bgr(palette.color(QPalette::Base));
    m_s.foreColor = bgr(palette.color(QPalette::Text));
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
