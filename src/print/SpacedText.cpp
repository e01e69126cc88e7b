#include "print/SpacedText.h"

QStringList SplitCharacters(const QString &text)
{
    QStringList chars;
    chars.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        chars << text.mid(i, n);
        i += n - 1;
    }
    return chars;
}

std::vector<SpacedChar> LayoutSpacedText(const QString &text, double left, double width,
                                         double spacing,
                                         const std::function<double(const QString &)> &measure)
{
    std::vector<SpacedChar> cells;
    double x = left;
    double w = width;
    for (const QString &c : SplitCharacters(text)) {
        cells.push_back({c, x, w});
        const double advance = measure(c) + spacing;
        x += advance;
        w -= advance;
        if (w < 0)
            break;
    }
    return cells;
}
