#pragma once
// Opening the picture of a slip: its size is checked before any pixel is decoded, its
// resolution comes from the caller or from the file's own metadata.
#include <QImage>
#include <QString>

enum class PictureProblem {
    None,
    CannotOpen,   // not a picture Qt can read, or an empty one
    TooLarge,     // above kMaxPicturePixels
    NoResolution  // no resolution given and none in the file
};

constexpr qint64 kMaxPicturePixels = 100'000'000;

struct SlipPicture {
    QImage image;               // the pixels, possibly reduced (see reduction)
    double dpi = 0;             // of the file, not of the reduced image
    int reduction = 1;          // image pixels are reduction × reduction file pixels
    QSize fileSize;             // pixels of the file
    PictureProblem problem = PictureProblem::None;
    // The resolution of `image` (the file's, divided by what the reader reduced it by).
    double imageDpi() const { return dpi * image.width() / double(fileSize.width()); }
};

// Reads PATH. dpi > 0 overrides the file's resolution. maxReduction > 1 lets the reader hand
// back a picture reduced by a whole factor (up to maxReduction) towards kAnalysisDpi, which is
// all the detection needs and is much faster to decode for large scans.
SlipPicture ReadSlipPicture(const QString &path, double dpi, int maxReduction = 1);

// The resolution the detector works at: finer scans are reduced towards it.
constexpr double kAnalysisDpi = 300;
int AnalysisReduction(double dpi);
