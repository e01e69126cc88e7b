#include "detect/InkMap.h"

#include "detect/Straighten.h"

#include <opencv2/imgproc.hpp>
#include <algorithm>
#include <cmath>

namespace {
// Paper colour is looked for over windows this wide: wider than a solid timing mark or a
// header band's height, narrower than the light's changes across a scan.
constexpr double kPaperWindowMm = 12.0;
// The background is estimated on a coarse copy of the picture (about this many mm per pixel).
constexpr double kPaperSampleMm = 0.5;

cv::Mat paperOf(const cv::Mat &channel, double pxPerMm)
{
    const int step = std::max(1, int(std::lround(kPaperSampleMm * pxPerMm)));
    cv::Mat coarse;
    cv::resize(channel, coarse, cv::Size(std::max(1, channel.cols / step),
                                         std::max(1, channel.rows / step)),
               0, 0, cv::INTER_AREA);
    const int k = std::max(3, int(std::lround(kPaperWindowMm / kPaperSampleMm)) | 1);
    cv::dilate(coarse, coarse, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(k, k)));
    cv::blur(coarse, coarse, cv::Size(k, k));
    cv::Mat full;
    cv::resize(coarse, full, channel.size(), 0, 0, cv::INTER_LINEAR);
    return full;
}
} // namespace

InkMap MakeInkMap(const cv::Mat &rgb, double pxPerMm)
{
    cv::Mat channels[3];
    cv::split(rgb, channels);
    InkMap map;
    map.ink = cv::Mat::zeros(rgb.size(), CV_8U);
    for (cv::Mat &c : channels) {
        cv::Mat drop;
        cv::subtract(paperOf(c, pxPerMm), c, drop); // saturates at 0 where brighter
        cv::max(map.ink, drop, map.ink);
    }
    // A light smoothing takes the grain of the paper and the sensor out of single pixels; being
    // symmetric, it leaves the half-height crossing of an edge where it was.
    cv::GaussianBlur(map.ink, map.smooth, cv::Size(3, 3), 0.7);
    MeasureInkLevels(map);
    return map;
}

void MeasureInkLevels(InkMap &map)
{
    if (map.smooth.empty())
        return;
    int histSize = 256;
    float range[] = {0, 256};
    const float *ranges[] = {range};
    cv::Mat hist;
    cv::calcHist(&map.smooth, 1, nullptr, cv::Mat(), hist, 1, &histSize, ranges);
    const double total = double(map.smooth.total());
    auto percentile = [&](double q) {
        double seen = 0;
        for (int v = 0; v < 256; ++v) {
            seen += hist.at<float>(v);
            if (seen >= q * total)
                return v;
        }
        return 255;
    };
    // Paper covers most of a slip: the median is the paper, the spread around it its noise.
    map.paperLevel = percentile(0.5);
    double deviation = 0, seen = 0;
    for (int d = 0; d < 256; ++d) {
        const int lo = map.paperLevel - d, hi = map.paperLevel + d;
        seen += (lo >= 0 ? hist.at<float>(lo) : 0) + (hi < 256 && d > 0 ? hist.at<float>(hi) : 0);
        if (seen >= 0.5 * total) {
            deviation = d;
            break;
        }
    }
    const double sigma = 1.4826 * std::max(0.5, deviation);
    // Five noise deviations above paper (stray specks that pass are far too small to be an
    // outline), and never less than a contrast the eye would not see as print (5 % of full
    // scale).
    map.floor = std::min(250, map.paperLevel + std::max(13, int(std::ceil(5 * sigma))));
    map.strongest = std::max(map.floor, percentile(0.999));
}

void StraightenInkMap(InkMap &map, double angleDeg, cv::Point2d centre)
{
    map.ink = StraightenMap(map.ink, angleDeg, centre);
    map.smooth = StraightenMap(map.smooth, angleDeg, centre);
}
