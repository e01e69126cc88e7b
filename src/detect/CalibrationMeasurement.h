#pragma once
// Measuring where a printer puts its marks, from a scan of a printed calibration page: the
// slip's printed box outlines are found and the template's blocks registered onto them, then
// each printed mark is measured against the centre of its box, in the slip's own frame.
#include "detect/SlipPictureFile.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

// What the calibration page printed: every block of every stake of the template, in the
// slip's millimetres (stake offsets applied), and which of them carry a mark.
struct CalibrationMarkTarget {
    QString key;     // the block's key
    int stake = 1;   // from 1
    int block = 0;   // index into CalibrationTarget::blocks
};
struct CalibrationTarget {
    QList<QRectF> blocks;
    QList<CalibrationMarkTarget> marks;
};

enum class CalibrationProblem {
    None,
    NoBoxes,       // no grid of box outlines on the picture
    NoRegistration,// the boxes found are not the template's
    TooFewMarks    // fewer than three marks found, or all on one line
};

struct MeasuredMark {
    QString key;
    int stake = 1;
    bool found = false;
    double dx = 0, dy = 0;  // mm, the mark's centre from its box's centre, slip frame
    // For drawing on the straightened picture (mm from its top-left corner).
    QPointF boxCentre, markCentre;
    QRectF box, mark;
};

struct CalibrationMeasurement {
    CalibrationProblem problem = CalibrationProblem::None;
    double dpi = 0;
    double angle = 0;           // the scan's rotation, as SlipDetection::angle
    QList<MeasuredMark> marks;  // every mark of the target, in its order
    QPointF shift;              // mean of dx, dy
    double scaleX = 100, scaleY = 100; // per cent
    double skew = 0;            // degrees, counter-clockwise positive
    double residual = 0;        // mm
    QSizeF block;               // the template's block size, mm
    QPointF correction() const { return -shift; }
    int foundCount() const;
    bool ok() const { return problem == CalibrationProblem::None; }
};

CalibrationMeasurement MeasureCalibration(const QImage &picture, double dpi, const CalibrationTarget &target);

struct CalibrationFileMeasurement {
    PictureProblem problem = PictureProblem::None;
    CalibrationMeasurement measurement;
};
// The picture read as ReadSlipPicture reads it (dpi 0: the file's own); the measurement's dpi
// is the file's.
CalibrationFileMeasurement MeasureCalibrationFile(const QString &path, double dpi, const CalibrationTarget &target);

// What the program says when it cannot measure; empty for None.
QString CalibrationProblemText(CalibrationProblem problem);
// "没有找到 {1}（第 {2} 注）的标记" for a mark that is not on the scan.
QString MissingMarkText(const MeasuredMark &mark);
