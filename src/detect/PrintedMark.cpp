#include "detect/PrintedMark.h"

#include <opencv2/imgproc.hpp>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
double median(std::vector<double> v)
{
    std::nth_element(v.begin(), v.begin() + qsizetype(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// One edge sample: where the profile leaving the mark on `line` crosses `half`, walking from
// `start` (inside the mark) by `step`; NaN when it does not cross within `limit` pixels of
// `expected` (a stroke that touches the mark carries the ink on) or when print follows within
// `clearance` pixels (a digit or stroke next to the edge, which the blur runs into it).
double crossing(const cv::Mat &ink, bool horizontal, int line, int start, int step, double expected,
                double limit, double half, int clearance)
{
    auto at = [&](int i) {
        return double(horizontal ? ink.at<uchar>(line, i) : ink.at<uchar>(i, line));
    };
    const int n = horizontal ? ink.cols : ink.rows;
    if (start < 0 || start >= n || at(start) < half)
        return std::nan("");
    int i = start;
    while (i + step >= 0 && i + step < n && at(i + step) >= half)
        i += step;
    if (i + step < 0 || i + step >= n)
        return std::nan("");
    for (int k = 2; k <= clearance; ++k)
        if (i + k * step >= 0 && i + k * step < n && at(i + k * step) >= half)
            return std::nan("");
    // Between pixel i (ink) and i + step (paper), centres at i + 0.5.
    const double inside = at(i), outside = at(i + step);
    const double edge = i + 0.5 + step * (inside - half) / std::max(1.0, inside - outside);
    return std::abs(edge - expected) <= limit ? edge : std::nan("");
}

// Whether an outline could be mixed into the edge at `edge` on line `line`: a stroke across
// the edge, or one along it within `near` pixels.
bool nearOutline(const QList<QRectF> &outlines, bool horizontal, double line, double edge, double stroke,
                 double near)
{
    for (const QRectF &o : outlines) {
        const double lo = horizontal ? o.top() : o.left(), hi = horizontal ? o.bottom() : o.right();
        const double a = horizontal ? o.left() : o.top(), b = horizontal ? o.right() : o.bottom();
        const double centre = line + 0.5;
        if (centre < lo - near || centre > hi + near)
            continue;
        // The strokes along the edge's direction, at either end of the box.
        if (std::abs(edge - (a + stroke / 2)) < stroke / 2 + near || std::abs(edge - (b - stroke / 2)) < stroke / 2 + near)
            return true;
        // The strokes across it, at the box's two other sides.
        const bool onCrossStroke = centre < lo + stroke + near || centre > hi - stroke - near;
        if (onCrossStroke && edge > a - near && edge < b + near)
            return true;
    }
    return false;
}
} // namespace

PrintedMark FindPrintedMark(const InkMap &map, const MarkSearch &search)
{
    PrintedMark result;
    const QRectF &box = search.box;
    const double side = std::min(box.width(), box.height());
    // The mark may have landed up to a box away from its box.
    const cv::Rect window = cv::Rect(int(std::floor(box.left() - box.width())), int(std::floor(box.top() - box.height())),
                                     int(std::ceil(3 * box.width())) + 1, int(std::ceil(3 * box.height())) + 1)
                            & cv::Rect(0, 0, map.smooth.cols, map.smooth.rows);
    if (window.width < 3 || window.height < 3)
        return result;
    const cv::Mat smooth = map.smooth(window);
    double strongest = 0;
    cv::minMaxLoc(smooth, nullptr, &strongest);
    if (strongest < map.floor)
        return result;
    // Solid print: at least half as dark as the darkest ink here; strokes and digits thinner
    // than half the box's smaller side are opened away.
    const double firstHalf = map.paperLevel + (strongest - map.paperLevel) / 2;
    cv::Mat solid;
    cv::compare(smooth, firstHalf, solid, cv::CMP_GE);
    const int k = std::max(3, int(side / 2) | 1);
    cv::morphologyEx(solid, solid, cv::MORPH_OPEN, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(k, k)));
    cv::Mat labels, stats, centroids;
    const int n = cv::connectedComponentsWithStats(solid, labels, stats, centroids, 8, CV_32S);
    const double boxArea = box.width() * box.height();
    const QPointF boxCentre = box.center() - QPointF(window.x, window.y);
    int chosen = -1;
    double chosenDistance = 0;
    for (int i = 1; i < n; ++i) {
        const double area = stats.at<int>(i, cv::CC_STAT_AREA);
        if (area < 0.3 * boxArea || area > 3 * boxArea)
            continue;
        const double d = std::hypot(centroids.at<double>(i, 0) + 0.5 - boxCentre.x(),
                                    centroids.at<double>(i, 1) + 0.5 - boxCentre.y());
        if (chosen < 0 || d < chosenDistance) {
            chosen = i;
            chosenDistance = d;
        }
    }
    if (chosen < 0)
        return result;
    const int x0 = stats.at<int>(chosen, cv::CC_STAT_LEFT) + window.x, y0 = stats.at<int>(chosen, cv::CC_STAT_TOP) + window.y;
    const int x1 = x0 + stats.at<int>(chosen, cv::CC_STAT_WIDTH), y1 = y0 + stats.at<int>(chosen, cv::CC_STAT_HEIGHT);

    // The mark's own ink, from its core, sets the level its edges are read at.
    std::vector<double> core;
    for (int y = y0 + k / 2; y < y1 - k / 2; ++y)
        for (int x = x0 + k / 2; x < x1 - k / 2; ++x)
            if (labels.at<int>(y - window.y, x - window.x) == chosen)
                core.push_back(map.ink.at<uchar>(y, x));
    if (core.empty())
        return result;
    const double half = map.paperLevel + (median(core) - map.paperLevel) / 2;

    // Each edge from every line across it, away from the corners; a sample lies within two
    // pixels of the opened shape's edge or it is a stroke running on. The outlines are kept
    // clear by the stroke width and the blur (the distance the edge takes to rise, read from
    // the samples themselves).
    const int inset = k / 2;
    // The opened shape's edge on a line (edge coordinates), NaN when the line misses it.
    auto shapeEdge = [&](bool horizontal, int line, int step) {
        const int l = line - (horizontal ? window.y : window.x);
        const int n = horizontal ? labels.cols : labels.rows;
        if (l < 0 || l >= (horizontal ? labels.rows : labels.cols))
            return std::nan("");
        for (int j = 0; j < n; ++j) {
            const int i = step < 0 ? j : n - 1 - j;
            if ((horizontal ? labels.at<int>(l, i) : labels.at<int>(i, l)) == chosen)
                return double(i + (step > 0 ? 1 : 0) + (horizontal ? window.x : window.y));
        }
        return std::nan("");
    };
    struct Edge {
        bool horizontal;  // read along rows
        int step;         // outwards
    };
    const Edge edges[4] = {{true, -1}, {false, -1}, {true, 1}, {false, 1}};
    double value[4];
    int read = 0;
    for (int e = 0; e < 4; ++e) {
        const Edge &edge = edges[e];
        const int from = edge.horizontal ? y0 : x0, to = edge.horizontal ? y1 : x1;
        auto sample = [&](int line, double level, double limit, int clearance) {
            const double expected = shapeEdge(edge.horizontal, line, edge.step);
            if (std::isnan(expected))
                return expected;
            const int start = int(expected) - edge.step * (1 + inset) - (edge.step > 0 ? 1 : 0);
            return crossing(map.ink, edge.horizontal, line, start, edge.step, expected, limit, level, clearance);
        };
        // How far the edge takes to rise, from a quarter to three quarters of the ink (the
        // blur), read well away from the corners.
        std::vector<double> rise;
        for (int line = from + inset; line < to - inset; ++line) {
            const double q1 = sample(line, map.paperLevel + (half - map.paperLevel) / 2, 4, 0);
            const double q3 = sample(line, half + (half - map.paperLevel) / 2, 4, 0);
            if (!std::isnan(q1) && !std::isnan(q3))
                rise.push_back(std::abs(q1 - q3));
        }
        const double blur = std::max(1.0, rise.empty() ? 1.0 : median(rise));
        // Then on every line but the blurred corners, with paper after the edge for twice the
        // blur, and apart from the outlines by the blur.
        const int corner = 1 + int(std::ceil(blur));
        std::vector<double> all, clear;
        for (int line = from + corner; line < to - corner; ++line) {
            const double at = sample(line, half, 2, int(std::ceil(2 * blur)));
            if (std::isnan(at))
                continue;
            all.push_back(at);
            if (!nearOutline(search.outlines, edge.horizontal, line, at, search.stroke, blur))
                clear.push_back(at);
        }
        result.clear[e] = clear.size() >= 2;
        value[e] = result.clear[e] ? median(clear) : all.empty() ? std::nan("") : median(all);
        read += std::isnan(value[e]) ? 0 : 1;
    }
    // An edge that could not be read at all is the opened shape's, and no clear one.
    if (read == 0)
        return result;
    if (std::isnan(value[0]))
        value[0] = x0;
    if (std::isnan(value[1]))
        value[1] = y0;
    if (std::isnan(value[2]))
        value[2] = x1;
    if (std::isnan(value[3]))
        value[3] = y1;
    result.edges = QRectF(QPointF(value[0], value[1]), QPointF(value[2], value[3]));
    result.found = true;
    return result;
}
