#pragma once
// Sub-pixel edges: where the ink profile across an edge crosses half the height of the stroke
// behind it, between paper outside and the stroke.
#include <QRect>
#include <QRectF>
#include <opencv2/core.hpp>

struct EdgeSearch {
    int paperLevel = 0; // ink of bare paper
    int floor = 1;      // ink that is surely print
    int reach = 3;      // pixels searched beyond the box on either side of an edge
};

// The outer edges of the shape whose integer bounding box is box, in edge coordinates (pixel i
// spans [i, i + 1)). An edge whose profile cannot be read keeps the box's own edge.
QRectF OuterEdges(const cv::Mat &ink, const QRect &box, const EdgeSearch &search);
