#pragma once
// The spaced label: how the design canvas shows every label-type element (text labels, number
// blocks and marks). One line of text like an ordinary label, with a gap of SpaceBetweenChar
// twips between consecutive characters; spaced text always starts at the left edge. It knows
// nothing of templates. It paints through the element-drawing routine the print engine uses,
// in design mode, with its own lengths in twips.
//
// Appearance setters compare first: the current value changes nothing and notifies nothing;
// a new one is stored and reported under the property's stored name. Position, size and
// visibility belong to the host and are passed through without a notification.
#include "model/ControlState.h"

#include <QFont>
#include <QString>
#include <functional>

class PrintSurface;

class KdLabel {
public:
    using ChangeHandler = std::function<void(const QString &storedName)>;

    // The stored-property defaults: window colours of the system, enabled, caption "lblThis",
    // no border, transparent, left aligned, no font face or size of its own, no spacing.
    KdLabel();
    // A label showing a control state, as the canvas fills it from an element.
    static KdLabel FromState(const ControlState &state);

    void SetChangeHandler(ChangeHandler handler) { m_changed = std::move(handler); }

    double Left() const { return m_s.left; }
    void setLeft(double v) { m_s.left = v; }
    double Top() const { return m_s.top; }
    void setTop(double v) { m_s.top = v; }
    double Width() const { return m_s.width; }
    void setWidth(double v) { m_s.width = v; }
    double Height() const { return m_s.height; }
    void setHeight(double v) { m_s.height = v; }
    bool Visible() const { return m_s.visible; }
    void setVisible(bool v) { m_s.visible = v; }

    qint32 BackColor() const { return m_s.backColor; }
    void setBackColor(qint32 v) { set(m_s.backColor, v, QStringLiteral("BackColor")); }
    qint32 ForeColor() const { return m_s.foreColor; }
    void setForeColor(qint32 v) { set(m_s.foreColor, v, QStringLiteral("ForeColor")); }
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool v) { set(m_enabled, v, QStringLiteral("Enabled")); }
    // The six font properties as one font.
    QFont Font() const;
    void setFont(const QFont &font);
    qint32 BackStyle() const { return m_s.backStyle; }
    void setBackStyle(qint32 v) { set(m_s.backStyle, v, QStringLiteral("BackStyle")); }
    qint32 BorderStyle() const { return m_s.borderStyle; }
    void setBorderStyle(qint32 v) { set(m_s.borderStyle, v, QStringLiteral("BorderStyle")); }
    QString Caption() const { return m_s.caption; }
    void setCaption(const QString &v) { set(m_s.caption, v, QStringLiteral("Caption")); }
    qint32 MousePointer() const { return m_mousePointer; }
    void setMousePointer(qint32 v) { set(m_mousePointer, v, QStringLiteral("MousePointer")); }
    qint32 Alignment() const { return m_s.alignment; }
    void setAlignment(qint32 v) { set(m_s.alignment, v, QStringLiteral("Alignment")); }
    bool FontBold() const { return m_s.fontBold; }
    void setFontBold(bool v) { set(m_s.fontBold, v, QStringLiteral("FontBold")); }
    bool FontItalic() const { return m_s.fontItalic; }
    void setFontItalic(bool v) { set(m_s.fontItalic, v, QStringLiteral("FontItalic")); }
    QString FontName() const { return m_s.fontName; }
    void setFontName(const QString &v) { set(m_s.fontName, v, QStringLiteral("FontName")); }
    double FontSize() const { return m_s.fontSize; }
    void setFontSize(double v) { set(m_s.fontSize, v, QStringLiteral("FontSize")); }
    bool FontStrikethru() const { return m_s.fontStrikethru; }
    void setFontStrikethru(bool v) { set(m_s.fontStrikethru, v, QStringLiteral("FontStrikethru")); }
    bool FontUnderline() const { return m_s.fontUnderline; }
    void setFontUnderline(bool v) { set(m_s.fontUnderline, v, QStringLiteral("FontUnderline")); }
    double SpaceBetweenChar() const { return m_s.spaceBetweenChar; }
    void setSpaceBetweenChar(double v) { set(m_s.spaceBetweenChar, v, QStringLiteral("SpaceBetweenChar")); }

    // Spaced when there is a gap and at least two characters; otherwise a plain label with
    // its alignment.
    bool IsSpaced() const;
    // Paints the label on a surface whose lengths are twips in the label's container.
    void Paint(PrintSurface &surface) const;

private:
    struct FromStateTag {};
    explicit KdLabel(FromStateTag) {}
    template <class T>
    void set(T &field, const T &value, const QString &name)
    {
        if (field == value)
            return;
        field = value;
        if (m_changed)
            m_changed(name);
    }

    ControlState m_s;
    bool m_enabled = true;
    qint32 m_mousePointer = 0;
    ChangeHandler m_changed;
};
