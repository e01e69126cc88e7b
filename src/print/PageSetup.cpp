#include "print/PageSetup.h"
#include "common/VbFormat.h"

#include <QPageSize>

bool PaperSizeTwips(qint32 code, QSizeF *twips)
{
    if (code <= 0 || code == 256)
        return false;
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom)
        return false;
    // Points are 20 twips; the definition in millimetres avoids the points' rounding.
    const QSizeF mm = QPageSize::size(id, QPageSize::Millimeter);
    *twips = QSizeF(RoundHalfAway(mm.width() * 1440.0 / 25.4), RoundHalfAway(mm.height() * 1440.0 / 25.4));
    return true;
}

QPageLayout PageLayoutOf(const PageSetup &setup)
{
    QPageSize size;
    QSizeF standard;
    const qint32 code = setup.EffectivePaperSize();
    if (PaperSizeTwips(code, &standard) && standard == QSizeF(setup.PaperWidth, setup.PaperHeight)) {
        size = QPageSize(QPageSize::id(code));
    } else {
        size = QPageSize(QSizeF(setup.PaperWidth / 20.0, setup.PaperHeight / 20.0), QPageSize::Point,
                         QString(), QPageSize::ExactMatch);
    }
    return QPageLayout(size, setup.Orientation == 1 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}
