#include "detect/InkBinary.h"

#include <opencv2/imgproc.hpp>
#include <algorithm>
#include <cmath>

int InkNeighbourhood(double pxPerMm)
{
    return std::max(2, int(std::lround(0.4 * pxPerMm)));
}

cv::Mat InkBinary(const InkMap &map, double pxPerMm)
{
    const int r = InkNeighbourhood(pxPerMm);
    cv::Mat localMax;
    cv::dilate(map.smooth, localMax, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(2 * r + 1, 2 * r + 1)));
    // half = paper + (local max - paper) / 2, rounded up
    cv::Mat half;
    localMax.convertTo(half, CV_8U, 0.5, 0.5 + 0.5 * map.paperLevel);
    cv::Mat strong, aboveFloor, binary;
    cv::compare(map.smooth, half, strong, cv::CMP_GE);
    cv::compare(map.smooth, map.floor, aboveFloor, cv::CMP_GE);
    cv::bitwise_and(strong, aboveFloor, binary);
    return binary;
}
