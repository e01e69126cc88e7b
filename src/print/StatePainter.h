#pragma once
// Paints single drawing operations with a drawing state on a QPainter in twips: what a
// recorded document replays (DocumentPainter) and what the painter surface draws at once
// (PainterSurface) come out of the same code.
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
    // Scales the painter from twips at its current origin to `dpiX` and `dpiY` device pixels
    // per inch (the device's own resolution or a zoom of the caller's) and puts it back, render
    // hints included, when destroyed. Fonts are resolved against the device's own resolution,
    // whatever the zoom.
    StatePainter(QPainter &painter, double dpiX, double dpiY);
    ~StatePainter();
    StatePainter(const StatePainter &) = delete;
    StatePainter &operator=(const StatePainter &) = delete;

    // The calls of a print surface, in its coordinates: two corners for a rectangle or a line;
    // left, top, width and height for a text box or a picture. Coordinates beyond about 7 km
    // come from broken templates: such a call draws nothing.
    // A rectangle is filled with the brush and outlined with the pen.
    void DrawRectangle(float x1, float y1, float x2, float y2, const DrawState &s);
    void DrawLine(float x1, float y1, float x2, float y2, const DrawState &s);
    // Text wrapped in the box; `fill` first fills the box with the brush and outlines it.
    void TextBox(QStringView text, float left, float top, float width, float height, bool fill,
                 const DrawState &s);
    void DrawPicture(const PrintPicture &picture, float left, float top, float width,
                     float height);

private:
    static bool drawable(float a, float b, float c, float d);
    void rect(const QRectF &r, const DrawState &s);
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
