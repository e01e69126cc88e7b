#pragma once
// The colour of a slip's paper: per channel, the value most of the picture has.
#include <QColor>
#include <opencv2/core.hpp>

QColor PaperColour(const cv::Mat &rgb);
