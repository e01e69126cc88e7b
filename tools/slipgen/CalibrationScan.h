#pragma once
// Scans of printed calibration pages, made up with known printer errors: a blank generated slip,
// the template that fits it, the template's calibration page laid out by the program's own print
// engine and put onto the slip as a printer with the given offset, scale and skew would (toner
// spread, marks left out or moved on their own), then scanned as the slip recipe says
// (resolution, rotation, blur, noise, uneven light, JPEG). Deterministic.
#include "SlipGenerator.h"
#include "model/colPLControls.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>

namespace slipgen {

struct PrinterError {
    QPointF offsetMm;          // where the printer puts the paper's origin
    double scaleX = 1, scaleY = 1; // printed length per template length
    double skewDeg = 0;        // the printout turned, counter-clockwise positive
    double spreadMm = 0;       // toner spread: every mark grows by this on each side
    QColor toner = QColor(22, 22, 22);
    QList<int> missing;        // calibration marks (by their order) not printed
    // When set, the printed page as a picture (a calibration page printed to PDF and rendered,
    // its resolution in its dots per metre) is put on the slip instead of the laid-out marks;
    // toner spread and missing marks do not apply to it.
    QImage page;
};

struct CalibrationScan {
    Slip slip;                 // the scan and the blank slip's truth
    colPLControls layout;      // the template of the slip (blocks at the truth's places)
    // Per calibration mark, in order: whether it was printed, and its printed centre's
    // distance from its box's centre (mm, slip frame).
    QList<bool> printed;
    QList<QPointF> error;
    QPointF meanError() const;  // over the printed marks
};

// The template whose blocks are the slip's boxes: stake 1's blocks (group = area, number =
// index), the stakes' offsets, the slip's size as custom paper, no layout offset.
colPLControls TemplateOfSlip(const Slip &slip, const QSizeF &blockMm);

CalibrationScan MakeCalibrationScan(const SlipRecipe &scan, const PrinterError &printer);

} // namespace slipgen
