#pragma once
// Fonts of the print surface. A face that is not installed ("宋体" on this platform) is drawn
// and measured with an installed CJK family, so Chinese text never turns into boxes.
#include "print/DrawState.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <memory>
#include <optional>

// The installed family that stands in for the face: the face itself when installed, else a
// CJK family, else the default family.
QString ResolveFontFamily(const QString &face);

// The state's font for a painter whose coordinates are twips on a device of `deviceDpiY`
// (the size is resolved against the device's vertical resolution).
QFont TwipsFont(const DrawState &state, double deviceDpiY);

// Measures text in twips with the real metrics of the state's font.
class TwipsFontMetrics {
public:
    explicit TwipsFontMetrics(const DrawState &state);
    float Width(const QString &text) const;

private:
    QFontMetricsF m_metrics;
};

// Measures text in the font of a drawing state, keeping the metrics of the last font: labels
// measure character after character in one font.
class TwipsTextMeasure {
public:
    float Width(const DrawState &state, const QString &text);

private:
    std::optional<DrawState> m_state;
    std::unique_ptr<TwipsFontMetrics> m_metrics;
};
