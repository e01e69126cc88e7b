#include "detect/EdgeProfile.h"

#include <algorithm>
#include <vector>

namespace {
enum class Side { Left, Right, Top, Bottom };

// Mean ink along the edge at each step across it. Steps run from outside (index 0) inwards;
// position(i) gives the edge coordinate of step i's pixel centre.
struct Profile {
    std::vector<double> values;
    double firstCentre = 0; // edge coordinate of step 0's pixel centre
    int direction = 1;      // +1 when stepping increases the coordinate
};

// Rows (or columns) of the box that carry the edge: for a left or right edge the middle of the
// height, away from rounded corners; for a top or bottom edge the columns inked near it.
std::vector<int> support(const cv::Mat &ink, const QRect &box, Side side, int threshold)
{
    std::vector<int> lines;
    const bool vertical = side == Side::Left || side == Side::Right;
    if (vertical) {
        for (int y = box.top() + box.height() * 3 / 10; y <= box.bottom() - box.height() * 3 / 10; ++y)
            lines.push_back(y);
        return lines;
    }
    const int depth = std::max(2, box.height() / 4);
    for (int x = box.left() + box.width() / 10; x <= box.right() - box.width() / 10; ++x) {
        int strongest = 0;
        for (int k = 0; k < depth; ++k) {
            const int y = side == Side::Top ? box.top() + k : box.bottom() - k;
            strongest = std::max(strongest, int(ink.at<uchar>(y, x)));
        }
        if (strongest >= threshold)
            lines.push_back(x);
    }
    return lines;
}

Profile profileOf(const cv::Mat &ink, const QRect &box, Side side, const std::vector<int> &lines,
                  int reach)
{
    Profile p;
    const bool vertical = side == Side::Left || side == Side::Right;
    const int inward = (side == Side::Left || side == Side::Top) ? 1 : -1;
    const int edgePixel = side == Side::Left ? box.left() : side == Side::Right ? box.right()
                          : side == Side::Top ? box.top() : box.bottom();
    const int span = vertical ? box.width() : box.height();
    const int limit = vertical ? ink.cols : ink.rows;
    const int first = edgePixel - inward * reach;
    const int steps = reach + std::max(1, span / 2);
    p.firstCentre = first + 0.5;
    p.direction = inward;
    for (int s = 0; s < steps; ++s) {
        const int at = first + inward * s;
        if (at < 0 || at >= limit) {
            p.values.push_back(-1);
            continue;
        }
        double sum = 0;
        for (int line : lines)
            sum += vertical ? ink.at<uchar>(line, at) : ink.at<uchar>(at, line);
        p.values.push_back(sum / double(lines.size()));
    }
    return p;
}

// Where the profile first rises through half way from paper to the first stroke's peak.
bool crossing(const Profile &p, int paperLevel, int floor, double *edge)
{
    const auto &v = p.values;
    size_t start = 0;
    while (start < v.size() && v[start] < 0)
        ++start;
    // The stroke: the first run above paper, up to its peak.
    double peak = 0;
    size_t peakAt = 0;
    for (size_t i = start; i < v.size(); ++i) {
        if (v[i] > peak) {
            peak = v[i];
            peakAt = i;
        } else if (peak >= floor && v[i] < paperLevel + 0.5 * (peak - paperLevel)) {
            break; // past the first stroke
        }
    }
    const double level = paperLevel + 0.5 * (peak - paperLevel);
    if (peak < floor)
        return false;
    for (size_t i = std::max<size_t>(start + 1, 1); i <= peakAt; ++i) {
        if (v[i] >= level && v[i - 1] < level) {
            const double t = (level - v[i - 1]) / (v[i] - v[i - 1]);
            *edge = p.firstCentre + p.direction * (double(i) - 1 + t);
            return true;
        }
    }
    return false;
}

double edgeOf(const cv::Mat &ink, const QRect &box, Side side, const EdgeSearch &search,
              double fallback)
{
    const std::vector<int> lines = support(ink, box, side, search.floor);
    if (lines.empty())
        return fallback;
    const Profile p = profileOf(ink, box, side, lines, search.reach);
    double e = fallback;
    return crossing(p, search.paperLevel, search.floor, &e) ? e : fallback;
}
} // namespace

QRectF OuterEdges(const cv::Mat &ink, const QRect &box, const EdgeSearch &search)
{
    const double left = edgeOf(ink, box, Side::Left, search, box.left());
    const double right = edgeOf(ink, box, Side::Right, search, box.right() + 1.0);
    const double top = edgeOf(ink, box, Side::Top, search, box.top());
    const double bottom = edgeOf(ink, box, Side::Bottom, search, box.bottom() + 1.0);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}
