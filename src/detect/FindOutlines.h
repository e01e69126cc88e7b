#pragma once
// The printed shapes of a binary picture that can be blocks or marks, from its contours.
#include "detect/Outline.h"

#include <QList>
#include <opencv2/core.hpp>

// pxPerMm bounds the shapes looked at: nothing under half a millimetre, nothing over 40 mm.
QList<Outline> FindOutlines(const cv::Mat &binary, double pxPerMm);
