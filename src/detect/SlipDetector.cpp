#include "detect/SlipDetector.h"

#include "detect/AnalysisView.h"
#include "detect/AreaGrouping.h"
#include "detect/BlockGrid.h"
#include "detect/BlockSelection.h"
#include "detect/BracketPairs.h"
#include "detect/EdgeProfile.h"
#include "detect/FindOutlines.h"
#include "detect/InkBinary.h"
#include "detect/InkMap.h"
#include "detect/PaperColour.h"
#include "detect/SkewEstimate.h"
#include "detect/Straighten.h"
#include "detect/TimingMarks.h"

#include <opencv2/imgproc.hpp>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kMmPerInch = 25.4;
// Fewer blocks than this in the longest row or column is no grid.
constexpr int kFewestInLine = 3;

struct Found {
    QList<Outline> outlines;
    BlockSelection blocks;
};

Found findShapes(const InkMap &map, double pxPerMm)
{
    Found f;
    const cv::Mat bin = InkBinary(map, pxPerMm);
    f.outlines = FindOutlines(bin, pxPerMm);
    PairBrackets(f.outlines);
    f.blocks = SelectBlocks(f.outlines);
    return f;
}

QList<QPointF> centresOf(const QList<QRect> &boxes)
{
    QList<QPointF> c;
    for (const QRect &b : boxes)
        c.append(QRectF(b).center());
    return c;
}

bool looksLikeGrid(const BlockGrid &g)
{
    QList<int> inRow(g.rows.size(), 0), inColumn(g.columns.size(), 0);
    for (const BlockGrid::Cell &c : g.cells) {
        ++inRow[c.row];
        ++inColumn[c.column];
    }
    const int most = std::max(inRow.isEmpty() ? 0 : *std::max_element(inRow.begin(), inRow.end()),
                              inColumn.isEmpty() ? 0 : *std::max_element(inColumn.begin(), inColumn.end()));
    return most >= kFewestInLine;
}

// Marks of one column are one printed size: they share their left and right edges and their
// height (the median), each centred where it was measured.
QList<QRectF> markEdges(const cv::Mat &ink, const QList<QRect> &boxes, const EdgeSearch &search)
{
    QList<QRectF> edges;
    QList<double> lefts;
    double width = 0;
    for (const QRect &b : boxes) {
        edges.append(OuterEdges(ink, b, search));
        lefts.append(edges.last().left());
        width = std::max(width, edges.last().width());
    }
    int columns = 0;
    const QList<int> column = GroupPositions(lefts, 0.3 * width, &columns);
    for (int c = 0; c < columns; ++c) {
        double l = 0, r = 0;
        std::vector<double> heights;
        for (qsizetype i = 0; i < edges.size(); ++i)
            if (column[i] == c) {
                l += edges[i].left();
                r += edges[i].right();
                heights.push_back(edges[i].height());
            }
        const double n = double(heights.size());
        std::nth_element(heights.begin(), heights.begin() + qsizetype(heights.size() / 2), heights.end());
        const double h = heights[heights.size() / 2];
        for (qsizetype i = 0; i < edges.size(); ++i)
            if (column[i] == c)
                edges[i] = QRectF(l / n, edges[i].center().y() - h / 2, (r - l) / n, h);
    }
    return edges;
}

QRectF scaled(const QRectF &r, double k)
{
    return QRectF(r.left() * k, r.top() * k, r.width() * k, r.height() * k);
}
} // namespace

SlipDetection DetectSlip(const QImage &picture, double dpi, const DetectOptions &options)
{
    SlipDetection d;
    d.dpi = dpi;
    if (picture.isNull() || !(dpi > 0))
        return d;
    d.size = QSizeF(picture.width() * kMmPerInch / dpi, picture.height() * kMmPerInch / dpi);
    const AnalysisView view = MakeAnalysisView(picture, dpi);
    const cv::Mat &rgb = view.rgb;
    const double pxPerMm = view.pxPerMm;
    const double mmPerPx = 1 / pxPerMm;

    InkMap map = MakeInkMap(rgb, pxPerMm);
    Found f = findShapes(map, pxPerMm);
    if (f.blocks.boxes.size() < kFewestInLine)
        return d;
    double angle = EstimateSkew(centresOf(f.blocks.boxes), f.blocks.size);
    if (NegligibleRotation(angle, cv::Size(rgb.cols, rgb.rows)))
        angle = 0;
    if (angle != 0) {
        StraightenInkMap(map, angle, view.centre);
        f = findShapes(map, pxPerMm);
    }
    d.angle = angle;

    EdgeSearch search;
    search.paperLevel = map.paperLevel;
    search.floor = map.floor;
    search.reach = std::max(3, int(std::lround(0.3 * pxPerMm)));
    QList<QRectF> edges;
    for (const QRect &b : f.blocks.boxes)
        edges.append(OuterEdges(map.ink, b, search));
    const BlockGrid grid = FitGrid(edges, f.blocks.size);
    if (!looksLikeGrid(grid))
        return d;
    d.block = QSizeF(grid.size.width() * mmPerPx, grid.size.height() * mmPerPx);
    for (const BlockGrid::Cell &c : grid.cells) {
        DetectedBlock b;
        b.rect = scaled(grid.rectOf(c), mmPerPx);
        b.row = c.row;
        b.column = c.column;
        d.blocks.append(b);
    }
    MarkSearch marks;
    marks.block = grid.size;
    marks.darkInk = map.paperLevel + (map.strongest - map.paperLevel) / 2;
    marks.floor = map.floor;
    for (const QRectF &m : markEdges(map.ink, FindTimingMarks(f.outlines, map.smooth, marks), search))
        d.marks.append(scaled(m, mmPerPx));
    GroupSlipBlocks(d, options.areasBy, options.stakeCount);
    return d;
}

QColor SlipPaperColour(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const cv::Mat view(rgb.height(), rgb.width(), CV_8UC3, const_cast<uchar *>(rgb.constBits()),
                       size_t(rgb.bytesPerLine()));
    return PaperColour(view);
}

SlipFileDetection DetectSlipFile(const QString &path, double dpi, const DetectOptions &options)
{
    SlipFileDetection r;
    const SlipPicture p = ReadSlipPicture(path, dpi, AnalysisReduction(dpi > 0 ? dpi : 1e9));
    r.problem = p.problem;
    if (p.problem != PictureProblem::None)
        return r;
    const double pictureDpi = p.imageDpi();
    r.detection = DetectSlip(p.image, pictureDpi, options);
    r.detection.dpi = p.dpi;
    return r;
}
