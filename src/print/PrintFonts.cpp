#include "print/PrintFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>

namespace {
// CJK families in order of preference: serif faces first, as the slips' own printing is.
const char *const CjkFamilies[] = {
    "Noto Serif CJK SC", "Noto Sans CJK SC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei",
    "AR PL UMing CN", "AR PL SungtiL GB", "Droid Sans Fallback",
};

QString installedCaseInsensitive(const QStringList &families, const QString &face)
{
    for (const QString &f : families) {
        if (f.compare(face, Qt::CaseInsensitive) == 0)
            return f;
    }
    return {};
}

QString cjkFamily()
{
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char *candidate : CjkFamilies) {
            const QString found = installedCaseInsensitive(families, QString::fromLatin1(candidate));
            if (!found.isEmpty())
                return found;
        }
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        return chinese.isEmpty() ? QString() : chinese.first();
    }();
    return family;
}

// A device of 1440 dots per inch, so that one pixel of the metrics is one twip.
const QImage &twipsDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = 56693; // 1440 dpi
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QFont baseFont(const DrawState &state)
{
    QFont font;
    const QString family = ResolveFontFamily(state.FontName);
    const QString cjk = cjkFamily();
    font.setFamilies(cjk.isEmpty() || cjk == family ? QStringList{family} : QStringList{family, cjk});
    font.setBold(state.FontBold);
    font.setItalic(state.FontItalic);
    font.setUnderline(state.FontUnderline);
    font.setStrikeOut(state.FontStrikethru);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

float sanePointSize(float size)
{
    // Sizes outside what a font engine takes are drawn at the nearest size it does.
    if (!(size > 0.5f))
        return 0.5f;
    return size > 1000.0f ? 1000.0f : size;
}
} // namespace

QString ResolveFontFamily(const QString &face)
{
    static QHash<QString, QString> resolved;
    auto it = resolved.constFind(face);
    if (it != resolved.constEnd())
        return *it;
    QString family = face.isEmpty() ? QString() : installedCaseInsensitive(QFontDatabase::families(), face);
    if (family.isEmpty())
        family = cjkFamily();
    if (family.isEmpty())
        family = QFont().defaultFamily();
    resolved.insert(face, family);
    return family;
}

QFont TwipsFont(const DrawState &state, double deviceDpiY)
{
    QFont font = baseFont(state);
    // Under a painter scaled to twips the font's pixel size must come out as 20 twips a point.
    font.setPointSizeF(double(sanePointSize(state.FontSize)) * 1440.0 / deviceDpiY);
    return font;
}

namespace {
QFont metricsFont(const DrawState &state)
{
    QFont font = baseFont(state);
    font.setPointSizeF(sanePointSize(state.FontSize));
    return font;
}
} // namespace

TwipsFontMetrics::TwipsFontMetrics(const DrawState &state)
    : m_metrics(metricsFont(state), &twipsDevice())
{
}

float TwipsFontMetrics::Width(const QString &text) const
{
    return float(m_metrics.horizontalAdvance(text));
}

float TwipsTextMeasure::Width(const DrawState &state, const QString &text)
{
    if (!m_state || !m_state->SameFont(state)) {
        m_metrics = std::make_unique<TwipsFontMetrics>(state);
        m_state = state;
    }
    return m_metrics->Width(text);
}
