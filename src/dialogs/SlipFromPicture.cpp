#include "dialogs/SlipFromPicture.h"

#include "dialogs/DialogCanvas.h"
#include "dialogs/DialogElements.h"
#include "model/colPLControls.h"

#include "common/ToNumber.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {
// Template lengths are kept to a hundredth of a millimetre.
double hundredths(double mm)
{
    const double r = std::round(mm * 100) / 100;
    return r == 0 ? 0.0 : r;
}

QString listOf(const QList<double> &values)
{
    QStringList texts;
    for (double v : values)
        texts << QString::number(hundredths(v), 'g', 12);
    return texts.join(',');
}

// An element of that kind already stands there (within a quarter of its size).
bool alreadyThere(const QList<clsPLControl> &existing, const QString &showType, const QRectF &r)
{
    for (const clsPLControl &e : existing)
        if (e.ControlType() == "Label" && e.ShowType() == showType
            && std::abs(e.Left() - r.left()) < r.width() / 4 && std::abs(e.Top() - r.top()) < r.height() / 4)
            return true;
    return false;
}

void writeSettings(colPLControls &layout, const SlipDetection &d, const QList<int> &picks,
                   const QString &backPicture)
{
    layout.setLottNumberWidth(hundredths(d.block.width()));
    layout.setLottNumberHeight(hundredths(d.block.height()));
    QList<double> xs, ys;
    for (const QPointF &o : d.stakeOffsets) {
        xs << o.x();
        ys << o.y();
    }
    layout.setStakeLocateOffsetStrX(listOf(xs));
    layout.setStakeLocateOffsetStrY(listOf(ys));
    QStringList texts;
    for (int c : picks)
        texts << QString::number(c);
    layout.setGroupLottNumberCountStr(texts.join(','));
    layout.setBackPicPathFile(backPicture);
    layout.setBackPicLeft(0);
    layout.setBackPicTop(0);
    layout.setBackPicWidth(hundredths(d.size.width()));
    layout.setBackPicHeight(hundredths(d.size.height()));
}
} // namespace

bool FirstNumberValid(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    return digits.match(text.trimmed()).hasMatch();
}

int PicksForArea(const QString &templateCounts, int area, int blocks, int chosen)
{
    int picks = chosen;
    if (picks <= 0) {
        const QStringList own = templateCounts.split(QLatin1Char(','));
        picks = area >= 1 && area <= own.size() ? int(std::lround(ToNumber(own[area - 1], 1))) : 1;
    }
    return std::clamp(picks, 1, std::max(1, blocks));
}

QString BlockNumberText(const QString &first, int index)
{
    const QString f = first.trimmed();
    const int width = f.size() > 1 && f.startsWith('0') ? int(f.size()) : 0;
    return QStringLiteral("%1").arg(f.toLongLong() + index - 1, width, 10, QLatin1Char('0'));
}

QStringList ApplySlipFromPicture(colPLControls &layout, DialogCanvas &canvas,
                                 const QList<clsPLControl> &existing, const SlipFromPicture &from)
{
    const SlipDetection &d = *from.detection;
    // The areas kept are numbered 1, 2, ... in their order.
    QList<int> groupOf(d.areaCount() + 1, 0), counts;
    for (int a = 1; a <= d.areaCount(); ++a)
        if (!from.areas.value(a - 1).leftOut) {
            counts << 0;
            groupOf[a] = int(counts.size());
        }
    for (const DetectedBlock &b : d.blocks)
        if (b.stake == 1 && groupOf[b.area] > 0)
            ++counts[groupOf[b.area] - 1];
    QList<int> picks;
    for (int a = 1; a <= d.areaCount(); ++a)
        if (groupOf[a] > 0)
            picks << PicksForArea(layout.GroupLottNumberCountStr(), groupOf[a], counts[groupOf[a] - 1],
                                  from.areas.value(a - 1).picks);
    writeSettings(layout, d, picks, from.backPicture);

    QStringList keys;
    for (const DetectedBlock &b : d.blocks) {
        if (b.stake != 1 || groupOf[b.area] == 0 || alreadyThere(existing, "LottNumber", b.rect))
            continue;
        const QString first = from.areas.value(b.area - 1).firstNumber;
        clsPLControl e = NewLottNumberBlock(QString::number(groupOf[b.area]), BlockNumberText(first, b.index),
                                            layout, from.fontName);
        AddAtPosition(canvas, e, hundredths(b.rect.left()), hundredths(b.rect.top()), 2, keys);
    }
    for (const QRectF &m : d.marks) {
        if (alreadyThere(existing, "LocateMark", m))
            continue;
        clsPLControl e = NewExtraMark(hundredths(m.width()), hundredths(m.height()), from.fontName);
        AddAtPosition(canvas, e, hundredths(m.left()), hundredths(m.top()), 2, keys);
    }
    return keys;
}
