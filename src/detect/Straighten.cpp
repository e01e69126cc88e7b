#include "detect/Straighten.h"

#include <QtMath>
#include <opencv2/imgproc.hpp>
#include <cmath>

bool NegligibleRotation(double angleDeg, const cv::Size &size)
{
    const double halfDiagonal = std::hypot(size.width, size.height) / 2;
    return std::abs(qDegreesToRadians(angleDeg)) * halfDiagonal < 0.25;
}

namespace {
cv::Mat turnBack(double angleDeg, cv::Point2d centre)
{
    // warpAffine works on pixel indices (centres at whole numbers); the centre is given in
    // edge coordinates. The scan was turned counter-clockwise by angleDeg: turn it clockwise.
    return cv::getRotationMatrix2D(cv::Point2f(float(centre.x - 0.5), float(centre.y - 0.5)),
                                   -angleDeg, 1.0);
}
} // namespace

cv::Mat StraightenMap(const cv::Mat &map, double angleDeg, cv::Point2d centre)
{
    if (angleDeg == 0)
        return map;
    cv::Mat out;
    cv::warpAffine(map, out, turnBack(angleDeg, centre), map.size(), cv::INTER_LINEAR,
                   cv::BORDER_CONSTANT, cv::Scalar(0));
    return out;
}

QImage StraightenPicture(const QImage &picture, double angleDeg, const QColor &paper)
{
    if (angleDeg == 0)
        return picture;
    QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const cv::Mat in(rgb.height(), rgb.width(), CV_8UC3, rgb.bits(), size_t(rgb.bytesPerLine()));
    QImage out(rgb.size(), QImage::Format_RGB888);
    out.setDotsPerMeterX(picture.dotsPerMeterX());
    out.setDotsPerMeterY(picture.dotsPerMeterY());
    cv::Mat view(out.height(), out.width(), CV_8UC3, out.bits(), size_t(out.bytesPerLine()));
    cv::warpAffine(in, view, turnBack(angleDeg, cv::Point2d(rgb.width() / 2.0, rgb.height() / 2.0)),
                   in.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT,
                   cv::Scalar(paper.red(), paper.green(), paper.blue()));
    return out;
}
