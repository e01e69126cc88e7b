#include "detect/BracketShape.h"

#include <opencv2/core.hpp>

namespace {
// Share of the rows from top to bottom that a column holds ink in.
double columnCover(const cv::Mat &mask, int x)
{
    return cv::countNonZero(mask.col(x)) / double(mask.rows);
}

// How far across (share of the width, from the bar's side) the ink of rows [y0, y1) reaches.
double armReach(const cv::Mat &mask, int y0, int y1, bool fromLeft)
{
    double reach = 0;
    for (int y = y0; y < y1; ++y) {
        const uchar *row = mask.ptr<uchar>(y);
        for (int x = 0; x < mask.cols; ++x) {
            const int at = fromLeft ? x : mask.cols - 1 - x;
            if (row[at])
                reach = std::max(reach, (x + 1) / double(mask.cols));
        }
    }
    return reach;
}

bool isBracket(const cv::Mat &mask, bool barLeft)
{
    const int w = mask.cols, h = mask.rows;
    if (h < 5 || w < 2 || w > 1.5 * h)
        return false;
    bool bar = false;
    for (int i = 0; i < std::max(1, (w + 2) / 3) && !bar; ++i)
        bar = columnCover(mask, barLeft ? i : w - 1 - i) >= 0.85;
    if (!bar)
        return false;
    const int band = std::max(1, h / 4);
    const double top = armReach(mask, 0, band, barLeft);
    const double bottom = armReach(mask, h - band, h, barLeft);
    const double middle = armReach(mask, int(0.35 * h), int(0.65 * h) + 1, barLeft);
    return top >= 0.85 && bottom >= 0.85 && middle <= 0.6;
}
} // namespace

Outline::Kind BracketKind(const cv::Mat &mask)
{
    if (isBracket(mask, true))
        return Outline::Kind::OpenRight;
    if (isBracket(mask, false))
        return Outline::Kind::OpenLeft;
    return Outline::Kind::Closed;
}
