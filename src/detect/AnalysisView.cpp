#include "detect/AnalysisView.h"

#include "detect/SlipPictureFile.h"

#include <opencv2/imgproc.hpp>
#include <algorithm>

AnalysisView MakeAnalysisView(const QImage &picture, double dpi)
{
    AnalysisView v;
    v.keep = picture.convertToFormat(QImage::Format_RGB888);
    const cv::Mat view(v.keep.height(), v.keep.width(), CV_8UC3, v.keep.bits(), size_t(v.keep.bytesPerLine()));
    const int f = AnalysisReduction(dpi);
    if (f == 1)
        v.rgb = view;
    else
        cv::resize(view, v.rgb, cv::Size(std::max(1, view.cols / f), std::max(1, view.rows / f)), 0, 0,
                   cv::INTER_AREA);
    v.scale = double(picture.width()) / v.rgb.cols;
    v.pxPerMm = dpi / v.scale / 25.4;
    v.centre = cv::Point2d(picture.width() / 2.0 / v.scale, picture.height() / 2.0 / v.scale);
    return v;
}
