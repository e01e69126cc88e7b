#include "print/printer/SpooledPageCentring.h"

#include <QPrinter>
#include <cmath>

QPointF SpooledPageCentringMm(const QPrinter &printer)
{
    const QPageLayout layout = printer.pageLayout();
    if (printer.outputFormat() != QPrinter::NativeFormat || layout.pageSize().id() == QPageSize::Custom)
        return QPointF();
    // The paper's definition in millimetres is exact; Qt's own point size is already rounded.
    const QSizeF mm = layout.fullRect(QPageLayout::Millimeter).size();
    const double pointsPerMm = 72.0 / 25.4;
    const QSizeF written(std::round(mm.width() * pointsPerMm), std::round(mm.height() * pointsPerMm));
    // Centring moves the page by half of (exact - written); the drawing moves back by as much.
    return QPointF((written.width() / pointsPerMm - mm.width()) / 2,
                   (written.height() / pointsPerMm - mm.height()) / 2);
}
