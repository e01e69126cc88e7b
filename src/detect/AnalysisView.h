#pragma once
// A picture as the detector and the calibration measure it: RGB pixels reduced towards the
// analysis resolution, and the scale between them and the picture's own pixels.
#include <QImage>
#include <opencv2/core.hpp>

struct AnalysisView {
    QImage keep;          // the converted picture the pixels may point into
    cv::Mat rgb;          // CV_8UC3
    double scale = 1;     // picture pixels per analysis pixel
    double pxPerMm = 1;   // analysis pixels per millimetre
    // The picture's centre in analysis pixels (edge coordinates): the straightening turns about it.
    cv::Point2d centre;
};

AnalysisView MakeAnalysisView(const QImage &picture, double dpi);
