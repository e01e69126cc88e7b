#include "detect/AffineFit.h"

#include <opencv2/core.hpp>
#include <cmath>

bool FitAffine(const QList<QPointF> &from, const QList<QPointF> &to, QTransform *t)
{
    const int n = int(std::min(from.size(), to.size()));
    if (n < 3)
        return false;
    // Centred on the first set's mean, the normal equations stay well conditioned for
    // millimetre coordinates of any size.
    QPointF mean;
    for (int i = 0; i < n; ++i)
        mean += from[i];
    mean /= n;
    cv::Mat a(n, 3, CV_64F), bx(n, 1, CV_64F), by(n, 1, CV_64F);
    for (int i = 0; i < n; ++i) {
        a.at<double>(i, 0) = from[i].x() - mean.x();
        a.at<double>(i, 1) = from[i].y() - mean.y();
        a.at<double>(i, 2) = 1;
        bx.at<double>(i) = to[i].x();
        by.at<double>(i) = to[i].y();
    }
    const cv::Mat normal = a.t() * a;
    // Points on one line leave the 2 x 2 block of the normal matrix singular.
    const double sxx = normal.at<double>(0, 0), syy = normal.at<double>(1, 1), sxy = normal.at<double>(0, 1);
    if (sxx * syy - sxy * sxy <= 1e-9 * std::max(1.0, sxx * syy))
        return false;
    cv::Mat px, py;
    if (!cv::solve(normal, a.t() * bx, px, cv::DECOMP_CHOLESKY) || !cv::solve(normal, a.t() * by, py, cv::DECOMP_CHOLESKY))
        return false;
    const double m11 = px.at<double>(0), m21 = px.at<double>(1), m12 = py.at<double>(0), m22 = py.at<double>(1);
    // x' = m11 (x - mean.x) + m21 (y - mean.y) + c: fold the mean into the translation.
    const double dx = px.at<double>(2) - m11 * mean.x() - m21 * mean.y();
    const double dy = py.at<double>(2) - m12 * mean.x() - m22 * mean.y();
    *t = QTransform(m11, m12, m21, m22, dx, dy);
    return true;
}
