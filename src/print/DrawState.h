#pragma once
// The drawing state in force when an operation was recorded: pen, brush, text colour and
// alignment, font. A document keeps each distinct state once.
#include <QHash>
#include <QString>

struct DrawState {
    qint32 PenColor = 0;
    qint32 PenStyle = 0;
    qint32 PenWidth = 1;
    qint32 BrushColor = 0xFFFFFF;
    qint32 TextColor = 0;
    qint32 TextAlign = 0;
    QString FontName = QStringLiteral("宋体");
    float FontSize = 9;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;

    bool operator==(const DrawState &) const = default;
    bool SameFont(const DrawState &o) const
    {
        return FontName == o.FontName && FontSize == o.FontSize && FontBold == o.FontBold
               && FontItalic == o.FontItalic && FontUnderline == o.FontUnderline
               && FontStrikethru == o.FontStrikethru;
    }
};

inline size_t qHash(const DrawState &s, size_t seed = 0)
{
    return qHashMulti(seed, s.PenColor, s.PenStyle, s.PenWidth, s.BrushColor, s.TextColor,
                      s.TextAlign, s.FontName, s.FontSize, s.FontBold, s.FontItalic,
                      s.FontUnderline, s.FontStrikethru);
}
