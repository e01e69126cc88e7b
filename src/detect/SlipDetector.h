#pragma once
// Finding a slip's number blocks, timing marks, stakes and fill areas on its picture.
// One call, a picture and its resolution in, a SlipDetection out; no state is kept.
#include "detect/SlipDetection.h"
#include "detect/SlipPictureFile.h"

#include <QColor>
#include <QImage>

struct DetectOptions {
    AreasBy areasBy = AreasBy::Gaps;
    int stakeCount = 0; // 0: as many as the blocks allow
};

// picture at dpi (of these pixels). Finer pictures are analysed at about kAnalysisDpi.
SlipDetection DetectSlip(const QImage &picture, double dpi, const DetectOptions &options = {});

// The colour of the picture's paper (to fill the corners of a straightened copy).
QColor SlipPaperColour(const QImage &picture);

// Reads the file (see ReadSlipPicture, dpi 0 for the file's own) and detects on it; the
// result's dpi is the file's.
struct SlipFileDetection {
    PictureProblem problem = PictureProblem::None;
    SlipDetection detection;
};
SlipFileDetection DetectSlipFile(const QString &path, double dpi, const DetectOptions &options = {});
