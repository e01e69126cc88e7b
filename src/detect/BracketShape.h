#pragma once
// Whether a shape is a bracket: a bar over its whole height with arms at its top and bottom
// reaching towards one side, and nothing in between on that side.
#include "detect/Outline.h"

#include <opencv2/core.hpp>

// mask: the shape alone (255 inside), cut to its bounding box. Gives OpenRight for "[",
// OpenLeft for "]", Closed when it is neither.
Outline::Kind BracketKind(const cv::Mat &mask);
