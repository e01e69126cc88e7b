#include "detect/FindOutlines.h"

#include "detect/BracketShape.h"

#include <opencv2/imgproc.hpp>
#include <algorithm>

namespace {
constexpr double kSmallestMm = 0.5;
constexpr double kLargestMm = 40.0;
// A closed outline's holes are at least this share of its area (a digit's counter is smaller;
// the number inside a small box may touch the outline and cut its hole in parts), a solid
// shape's holes at most this share.
constexpr double kOutlineHole = 0.25;
constexpr double kSolidHoles = 0.1;

struct Shape {
    const std::vector<std::vector<cv::Point>> &contours;
    const std::vector<cv::Vec4i> &tree;
};

double holesOf(const Shape &s, int i, double *largest)
{
    double sum = 0;
    *largest = 0;
    for (int h = s.tree[i][2]; h >= 0; h = s.tree[h][0]) {
        const double a = cv::contourArea(s.contours[size_t(h)]);
        sum += a;
        *largest = std::max(*largest, a);
    }
    return sum;
}

Outline::Kind kindOf(const Shape &s, int i, const cv::Rect &box, double area, double holes,
                     double largestHole)
{
    // Contour areas run through pixel centres: count the pixel rim back in.
    const double pixels = area + cv::arcLength(s.contours[size_t(i)], true) / 2 + 1;
    if (holes >= kOutlineHole * pixels && largestHole > 0)
        return Outline::Kind::Closed;
    if (holes <= kSolidHoles * pixels)
        if (pixels >= 0.85 * box.area())
            return Outline::Kind::Solid;
    cv::Mat mask = cv::Mat::zeros(box.size(), CV_8U);
    cv::drawContours(mask, s.contours, i, cv::Scalar(255), cv::FILLED, cv::LINE_8, cv::noArray(),
                     0, -box.tl());
    const Outline::Kind bracket = BracketKind(mask);
    return bracket == Outline::Kind::Closed ? Outline::Kind::Other : bracket;
}
} // namespace

QList<Outline> FindOutlines(const cv::Mat &binary, double pxPerMm)
{
    std::vector<std::vector<cv::Point>> contours;
    std::vector<cv::Vec4i> tree;
    cv::Mat work = binary.clone();
    cv::findContours(work, contours, tree, cv::RETR_TREE, cv::CHAIN_APPROX_SIMPLE);
    const Shape shape{contours, tree};
    const double smallest = kSmallestMm * pxPerMm, largest = kLargestMm * pxPerMm;

    QList<Outline> found;
    for (int i = 0; i < int(contours.size()); ++i) {
        int depth = 0;
        for (int p = tree[size_t(i)][3]; p >= 0; p = tree[size_t(p)][3])
            ++depth;
        if (depth % 2 == 1) // a hole, not a shape
            continue;
        const cv::Rect box = cv::boundingRect(contours[size_t(i)]);
        if (std::max(box.width, box.height) < smallest || std::max(box.width, box.height) > largest
            || std::min(box.width, box.height) < 2)
            continue;
        Outline o;
        o.box = QRect(box.x, box.y, box.width, box.height);
        o.area = cv::contourArea(contours[size_t(i)]);
        const double holes = holesOf(shape, i, &o.holeArea);
        const cv::RotatedRect turned = cv::minAreaRect(contours[size_t(i)]);
        o.rectangularity = o.area / std::max(1.0, double(turned.size.area()));
        o.kind = kindOf(shape, i, box, o.area, holes, o.holeArea);
        if (o.kind == Outline::Kind::Other)
            continue;
        found.append(o);
    }
    return found;
}
