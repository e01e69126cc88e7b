#pragma once
// How strongly each pixel is inked: the largest drop of any colour channel below the local paper
// colour. Red, pink, blue, green and black ink all stand out this way on white or tinted paper,
// and uneven light drops out with the paper estimate.
#include <opencv2/core.hpp>

struct InkMap {
    cv::Mat ink;          // CV_8U, 0 = paper: the pixels as they are, for measuring edges
    cv::Mat smooth;       // the same lightly smoothed, for telling print from paper
    int paperLevel = 0;   // the ink value of bare paper (noise sits around it)
    int floor = 0;        // below this a pixel is paper whatever its neighbourhood
    int strongest = 0;    // the ink of the darkest strokes (a high percentile)
};

// rgb: CV_8UC3 pixels; pxPerMm: their resolution. The paper colour is estimated over windows a
// few millimetres wide, wider than any solid mark or stroke.
InkMap MakeInkMap(const cv::Mat &rgb, double pxPerMm);

// The noise levels of an ink map's smoothed copy (paper level, floor, strongest ink).
void MeasureInkLevels(InkMap &map);

// The map turned back by angleDeg about centre (see StraightenMap); its levels are kept.
void StraightenInkMap(InkMap &map, double angleDeg, cv::Point2d centre);
