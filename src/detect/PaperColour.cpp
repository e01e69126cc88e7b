#include "detect/PaperColour.h"

#include <opencv2/imgproc.hpp>

QColor PaperColour(const cv::Mat &rgb)
{
    if (rgb.empty())
        return Qt::white;
    int median[3] = {255, 255, 255};
    int histSize = 256;
    float range[] = {0, 256};
    const float *ranges[] = {range};
    for (int c = 0; c < 3; ++c) {
        cv::Mat hist;
        cv::calcHist(&rgb, 1, &c, cv::Mat(), hist, 1, &histSize, ranges);
        double seen = 0;
        for (int v = 0; v < 256; ++v) {
            seen += hist.at<float>(v);
            if (seen >= 0.5 * double(rgb.total())) {
                median[c] = v;
                break;
            }
        }
    }
    return QColor(median[0], median[1], median[2]);
}
