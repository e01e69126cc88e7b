#pragma once
// Paints single drawing operations with a drawing state on a QPainter whose coordinates are
// twips: what a recorded document replays (DocumentPainter) and what the painter surface
// draws at once (PainterSurface) come out of the same code.
#include "print/DrawState.h"
#include "print/PrintPicture.h"

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QRectF>
#include <QStringView>
#include <optional>

class QPainter;

class StatePainter {
public:
    // `deviceDpiY` resolves font sizes; `pixelsPerTwip` (the smaller of the two directions)
    // decides when a pen is thinner than a device pixel.
    StatePainter(QPainter &painter, double deviceDpiY, double pixelsPerTwip)
        : m_p(painter), m_dpiY(deviceDpiY), m_pixelsPerTwip(pixelsPerTwip) {}

    // Filled with the brush, outlined with the pen.
    void Rect(const QRectF &r, const DrawState &s);
    void Line(const QPointF &from, const QPointF &to, const DrawState &s);
    // Text wrapped in the box; `fill` first fills the box with the brush and outlines it.
    void Text(const QRectF &box, QStringView text, bool fill, const DrawState &s);
    void Picture(const QRectF &box, const PrintPicture &picture);

    // Coordinates beyond about 7 km come from broken templates and are not drawn.
    static bool Drawable(float a, float b, float c, float d);

private:
    void useFont(const DrawState &s);
    void setPainterFont(const QFont &font);
    bool drawLineInDeviceSpace(const QRectF &box, QStringView text, const DrawState &s);

    QPainter &m_p;
    double m_dpiY;
    double m_pixelsPerTwip;
    std::optional<DrawState> m_fontState;
    // Fonts and single-line texts laid out once: a slip repeats the same few fonts and
    // numbers thousands of times.
    struct FontTexts {
        QFont font;         // for the painter's twips
        QFont deviceFont;   // for device pixels at deviceScale pixels per twip
        double deviceScale = 0;
        struct Line {
            QStaticText text;
            bool unbreakable; // no place where wrapping could break it
        };
        QHash<QString, Line> lines; // in deviceFont
    };
    QHash<DrawState, FontTexts> m_fonts;
    FontTexts *m_current = nullptr;
    const QFont *m_painterFont = nullptr;
};
