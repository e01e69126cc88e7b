#pragma once
// Which pixels are print: at least half as strongly inked as the strongest ink close by, and
// above the paper's noise. Half the local contrast puts the edge of a blurred stroke where its
// profile crosses half its height, keeps the pale tint inside a box out of its outline, and
// keeps a solid mark solid.
#include "detect/InkMap.h"

// Radius of "close by" in pixels: a little more than a stroke is wide.
int InkNeighbourhood(double pxPerMm);

cv::Mat InkBinary(const InkMap &map, double pxPerMm);
