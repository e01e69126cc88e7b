#pragma once
// Turning a scan back by its rotation, about the picture's centre, at the same resolution and
// size, so that millimetres measured on the straightened picture are the slip's own.
#include <QColor>
#include <QImage>
#include <opencv2/core.hpp>

// An angle this small moves no point of a picture of that size by a visible amount (a
// quarter of a pixel): it is taken as no rotation.
bool NegligibleRotation(double angleDeg, const cv::Size &size);

// map turned back by angleDeg (see SlipDetection::angle); what comes in from outside is 0.
// centre: the picture's centre in this map's pixels (edge coordinates).
cv::Mat StraightenMap(const cv::Mat &map, double angleDeg, cv::Point2d centre);

// The picture turned back by angleDeg, corners filled with paper.
QImage StraightenPicture(const QImage &picture, double angleDeg, const QColor &paper);
