#include "SlipGenerator.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <opencv2/imgproc.hpp>
#include <cmath>

namespace slipgen {
namespace {

struct AreaPlan {
    QPointF origin;   // mm, first stake
    int columns = 0;
    int count = 0;    // blocks, row by row
    QSizeF pitch;
    int firstNumber = 1;
    bool byColumn = false; // numbered down the columns
};

struct Plan {
    QSizeF size;
    QList<AreaPlan> areas;
    QPointF stakeStep;
    int stakes = 1;
    bool byColumns = false;
};

Plan planOf(const SlipRecipe &s)
{
    Plan p;
    const double w = s.blockMm.width(), h = s.blockMm.height();
    switch (s.layout) {
    case Layout::TwoAreasStakesInX:
        p.size = QSizeF(170, 90);
        p.areas = {{QPointF(16, 20), 5, 33, QSizeF(w + 1.6, h + 1.3), 1, false},
                   {QPointF(16, 20 + 7 * (h + 1.3) + 2.5 * (h + 1.3)), 5, 16, QSizeF(w + 1.6, h + 1.3), 1, false}};
        p.stakes = 4;
        p.stakeStep = QPointF(5 * (w + 1.6) + 2.2 * (w + 1.6), 0);
        break;
    case Layout::SideBySideStakesInY:
        p.size = QSizeF(160, 105);
        p.areas = {{QPointF(16, 18), 12, 35, QSizeF(w + 1.2, h + 1.5), 1, false},
                   {QPointF(16 + 12 * (w + 1.2) + 3 * (w + 1.2), 18), 4, 12, QSizeF(w + 1.2, h + 1.5), 1, false}};
        p.stakes = 4;
        p.stakeStep = QPointF(0, 3 * (h + 1.5) + 2.5 * (h + 1.5));
        break;
    case Layout::DigitColumns:
        p.size = QSizeF(165, 80);
        for (int c = 0; c < 3; ++c)
            p.areas.append({QPointF(16 + c * (w + 2.8), 16), 1, 10, QSizeF(w + 2.8, h + 2.0), 0, true});
        p.stakes = 5;
        p.stakeStep = QPointF(3 * (w + 2.8) + 1.8 * (w + 2.8), 0);
        p.byColumns = true;
        break;
    case Layout::SingleGrid:
        p.size = QSizeF(90, 70);
        p.areas = {{QPointF(20, 20), 7, 35, QSizeF(w + 2, h + 2), 1, false}};
        break;
    }
    // Room for every stake, and below them for the write-in fields.
    for (const AreaPlan &a : p.areas) {
        const int rows = a.byColumn ? a.count : (a.count + a.columns - 1) / a.columns;
        const int columns = a.byColumn ? 1 : a.columns;
        const QPointF far = a.origin + p.stakeStep * (p.stakes - 1)
                            + QPointF((columns - 1) * a.pitch.width() + w, (rows - 1) * a.pitch.height() + h);
        p.size = p.size.expandedTo(QSizeF(far.x() + 10, far.y() + 20));
    }
    p.size = p.size.expandedTo(s.pageMm);
    return p;
}

QRectF blockRect(const AreaPlan &a, int i, const QSizeF &block, QPointF shift)
{
    const int row = a.byColumn ? i : i / a.columns, column = a.byColumn ? 0 : i % a.columns;
    return QRectF(a.origin + shift + QPointF(column * a.pitch.width(), row * a.pitch.height()), block);
}

void drawOutline(QPainter &p, const QRectF &r, const SlipRecipe &s)
{
    const double half = s.strokeMm / 2;
    const QRectF in = r.adjusted(half, half, -half, -half);
    if (s.tintInside)
        p.fillRect(in, QColor::fromRgbF(1 - 0.12 * (1 - s.ink.redF()), 1 - 0.12 * (1 - s.ink.greenF()),
                                        1 - 0.12 * (1 - s.ink.blueF())));
    QPen pen(s.ink, s.strokeMm, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (s.style) {
    case OutlineStyle::Rectangle: p.drawRect(in); break;
    case OutlineStyle::Rounded: p.drawRoundedRect(in, 0.3 * r.height(), 0.3 * r.height()); break;
    case OutlineStyle::Brackets: {
        const double arm = 0.22 * r.width();
        QPainterPath left, right;
        left.moveTo(r.left() + arm, in.top());
        left.lineTo(in.left(), in.top());
        left.lineTo(in.left(), in.bottom());
        left.lineTo(r.left() + arm, in.bottom());
        right.moveTo(r.right() - arm, in.top());
        right.lineTo(in.right(), in.top());
        right.lineTo(in.right(), in.bottom());
        right.lineTo(r.right() - arm, in.bottom());
        p.drawPath(left);
        p.drawPath(right);
        break;
    }
    }
}

// A font whose characters are about mm tall on a picture of dpi drawn in millimetres.
QFont fontMm(const QString &family, double mm, double dpi)
{
    QFont f(family);
    f.setPointSizeF(mm * 72 / dpi);
    return f;
}

void drawNumber(QPainter &p, const QRectF &r, const QString &text, const QColor &ink, double dpi)
{
    p.setFont(fontMm(QStringLiteral("DejaVu Sans"), r.height() * 0.55, dpi));
    p.setPen(ink);
    p.drawText(r, Qt::AlignCenter, text);
}

void drawDistractors(QPainter &p, const SlipRecipe &s, const Plan &plan)
{
    // Frame, header band with light text, write-in fields with their captions.
    p.setPen(QPen(QColor(120, 120, 120), 0.35));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, plan.size.width() - 3, plan.size.height() - 3));
    p.fillRect(QRectF(12, 4, plan.size.width() - 24, 7), s.ink.darker(130));
    p.setFont(fontMm(QStringLiteral("WenQuanYi Zen Hei"), 4.5, s.dpi));
    p.setPen(Qt::white);
    p.drawText(QRectF(12, 4, plan.size.width() - 24, 7), Qt::AlignCenter,
               QStringLiteral("中国福利彩票 投注单 口田日回"));
    p.setPen(QPen(Qt::black, 0.3));
    const double bottom = plan.size.height() - 14;
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(14 + i * 45, bottom, 38, 9));
    p.setFont(fontMm(QStringLiteral("WenQuanYi Zen Hei"), 2.5, s.dpi));
    p.drawText(QRectF(14, bottom - 4.5, 120, 4), Qt::AlignLeft, QStringLiteral("投注金额  倍数  日期 0 8 6"));
}

quint32 next(quint32 &state)
{
    state = state * 1664525u + 1013904223u;
    return state;
}

double gaussian(quint32 &state)
{
    const double u1 = (next(state) + 1.0) / 4294967297.0, u2 = next(state) / 4294967296.0;
    return std::sqrt(-2 * std::log(u1)) * std::cos(2 * M_PI * u2);
}

void degrade(QImage &img, const SlipRecipe &s)
{
    cv::Mat view(img.height(), img.width(), CV_8UC4, img.bits(), size_t(img.bytesPerLine()));
    if (s.blurPx > 0)
        cv::GaussianBlur(view, view, cv::Size(0, 0), s.blurPx);
    if (s.noise <= 0 && s.unevenLight <= 0)
        return;
    quint32 state = s.seed;
    for (int y = 0; y < img.height(); ++y) {
        uchar *row = img.scanLine(y);
        for (int x = 0; x < img.width(); ++x) {
            const double light = 1 - s.unevenLight * (double(x) / img.width() + double(y) / img.height()) / 2;
            const double n = s.noise > 0 ? s.noise * gaussian(state) : 0;
            for (int c = 0; c < 3; ++c)
                row[4 * x + c] = uchar(std::clamp(row[4 * x + c] * light + n, 0.0, 255.0));
        }
    }
}

QImage jpegRoundTrip(const QImage &img, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "JPG", quality);
    QImage back = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB32);
    back.setDotsPerMeterX(img.dotsPerMeterX());
    back.setDotsPerMeterY(img.dotsPerMeterY());
    return back;
}
} // namespace

Slip Generate(const SlipRecipe &s)
{
    const Plan plan = planOf(s);
    Slip slip;
    slip.sizeMm = plan.size;
    slip.groupedByColumns = plan.byColumns;
    const double pxPerMm = s.dpi / 25.4;
    QImage img(int(std::lround(plan.size.width() * pxPerMm)), int(std::lround(plan.size.height() * pxPerMm)),
               QImage::Format_RGB32);
    img.fill(s.paper);
    const int dpm = int(std::lround(s.dpi / 0.0254));
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(img.width() / 2.0, img.height() / 2.0);
    p.rotate(-s.rotationDeg);
    p.translate(-img.width() / 2.0, -img.height() / 2.0);
    p.scale(pxPerMm, pxPerMm);
    if (s.distractors)
        drawDistractors(p, s, plan);

    for (int k = 0; k < plan.stakes; ++k) {
        const QPointF shift = plan.stakeStep * k;
        slip.stakeOffsets.append(shift);
        if (s.distractors) {
            p.setFont(fontMm(QStringLiteral("WenQuanYi Zen Hei"), 2.2, s.dpi));
            p.setPen(Qt::black);
            p.drawText(QRectF(plan.areas[0].origin + shift - QPointF(0, 3.6), QSizeF(20, 3)),
                       Qt::AlignLeft, QStringLiteral("第%1注").arg(k + 1));
        }
        for (int a = 0; a < plan.areas.size(); ++a) {
            const AreaPlan &area = plan.areas[a];
            for (int i = 0; i < area.count; ++i) {
                const QRectF r = blockRect(area, i, s.blockMm, shift);
                drawOutline(p, r, s);
                const int number = area.firstNumber + i;
                drawNumber(p, r, area.firstNumber == 0 ? QString::number(number)
                                                        : QString::asprintf("%02d", number), s.ink, s.dpi);
                slip.blocks.append({r, k + 1, a + 1, i + 1});
            }
        }
    }
    if (s.marks) {
        QList<double> rows;
        for (const TruthBlock &b : slip.blocks)
            if (!rows.contains(b.rect.top()))
                rows.append(b.rect.top());
        std::sort(rows.begin(), rows.end());
        for (double top : rows) {
            const QRectF m(4, top, 5, s.blockMm.height());
            p.fillRect(m, QColor(20, 20, 20));
            slip.marks.append(m);
        }
    }
    if (s.printOver)
        s.printOver(p);
    p.end();
    degrade(img, s);
    slip.picture = s.jpegQuality > 0 ? jpegRoundTrip(img, s.jpegQuality) : img;
    return slip;
}

bool RecipeByName(const QString &name, SlipRecipe *recipe)
{
    SlipRecipe s;
    if (name == "two-areas") {
    } else if (name == "stakes-in-y") {
        s.layout = Layout::SideBySideStakesInY;
        s.ink = QColor(30, 70, 190);
    } else if (name == "columns") {
        s.layout = Layout::DigitColumns;
        s.ink = QColor(0, 120, 60);
    } else if (name == "scan") {
        s.rotationDeg = 1.7;
        s.blurPx = 0.8;
        s.noise = 6;
        s.unevenLight = 0.2;
        s.jpegQuality = 85;
        s.distractors = true;
    } else {
        return false;
    }
    *recipe = s;
    return true;
}

void DrawOffScreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace slipgen
