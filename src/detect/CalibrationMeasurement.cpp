#include "detect/CalibrationMeasurement.h"

#include "common/FormatMsg.h"
#include "detect/AffineFit.h"
#include "detect/AnalysisView.h"
#include "detect/BlockRegistration.h"
#include "detect/InkMap.h"
#include "detect/PictureMessages.h"
#include "detect/PrintedMark.h"
#include "detect/SlipDetector.h"

#include <QtMath>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
double median(std::vector<double> v)
{
    if (v.empty())
        return std::nan("");
    std::nth_element(v.begin(), v.begin() + qsizetype(v.size() / 2), v.end());
    return v[v.size() / 2];
}

QRectF scaled(const QRectF &r, double k)
{
    return QRectF(r.left() * k, r.top() * k, r.width() * k, r.height() * k);
}

// The width of the boxes' side strokes, pixels: on the middle line of each box, from the
// outer edge inwards, where the ink rises past half its height and falls below it again.
double strokeWidth(const InkMap &map, const QList<QRectF> &boxes)
{
    std::vector<double> widths;
    for (const QRectF &b : boxes) {
        const int row = int(b.center().y());
        if (row < 0 || row >= map.ink.rows)
            continue;
        for (const int step : {1, -1}) {
            const double outer = step > 0 ? b.left() : b.right();
            const int from = int(std::floor(outer)) - 2 * step, reach = int(b.width() / 3);
            std::vector<double> v;
            for (int i = 0; i < reach; ++i) {
                const int x = from + i * step;
                v.push_back(x >= 0 && x < map.ink.cols ? map.ink.at<uchar>(row, x) : 0);
            }
            if (v.empty())
                continue;
            const double peak = *std::max_element(v.begin(), v.end());
            if (peak < map.floor)
                continue;
            const double half = map.paperLevel + (peak - map.paperLevel) / 2;
            double rise = -1, fall = -1;
            for (size_t i = 1; i < v.size() && fall < 0; ++i) {
                const double t = (half - v[i - 1]) / (v[i] - v[i - 1]);
                if (rise < 0 && v[i - 1] < half && v[i] >= half)
                    rise = double(i - 1) + t;
                else if (rise >= 0 && v[i - 1] >= half && v[i] < half)
                    fall = double(i - 1) + t;
            }
            if (fall > rise && rise >= 0)
                widths.push_back(fall - rise);
        }
        if (widths.size() >= 60)
            break;
    }
    const double w = median(widths);
    return std::isnan(w) ? 1.0 : w;
}

// The centre of a mark along one axis from its two edges: when only one was read clear of
// the outlines, from that one and the mark's width (the box's, grown by the toner spread).
double centreOf(double lo, double hi, bool loClear, bool hiClear, double width)
{
    if (loClear == hiClear)
        return (lo + hi) / 2;
    return loClear ? lo + width / 2 : hi - width / 2;
}
} // namespace

int CalibrationMeasurement::foundCount() const
{
    return int(std::count_if(marks.begin(), marks.end(), [](const MeasuredMark &m) { return m.found; }));
}

CalibrationMeasurement MeasureCalibration(const QImage &picture, double dpi, const CalibrationTarget &target)
{
    CalibrationMeasurement m;
    m.dpi = dpi;
    for (const CalibrationMarkTarget &t : target.marks) {
        MeasuredMark k;
        k.key = t.key;
        k.stake = t.stake;
        m.marks.append(k);
    }
    if (!target.blocks.isEmpty())
        m.block = target.blocks.first().size();

    const SlipDetection slip = DetectSlip(picture, dpi);
    if (!slip.found()) {
        m.problem = CalibrationProblem::NoBoxes;
        return m;
    }
    m.angle = slip.angle;
    QList<QRectF> found;
    for (const DetectedBlock &b : slip.blocks)
        found.append(b.rect);
    const BlockRegistration reg = RegisterBlocks(target.blocks, found);
    if (!reg.ok) {
        m.problem = CalibrationProblem::NoRegistration;
        return m;
    }
    const QTransform toSlip = reg.toPicture.inverted();

    const AnalysisView view = MakeAnalysisView(picture, dpi);
    InkMap map = MakeInkMap(view.rgb, view.pxPerMm);
    if (slip.angle != 0)
        StraightenInkMap(map, slip.angle, view.centre);
    const double px = view.pxPerMm;
    QList<QRectF> boxesPx;
    for (const QRectF &b : target.blocks)
        boxesPx.append(scaled(reg.toPicture.mapRect(b), px));
    const double stroke = strokeWidth(map, boxesPx);

    std::vector<PrintedMark> printed;
    std::vector<double> spread; // how much wider than its box a mark printed, per side, pixels
    for (const CalibrationMarkTarget &t : target.marks) {
        MarkSearch search;
        search.box = boxesPx.value(t.block);
        search.stroke = stroke;
        const QRectF around = search.box.adjusted(-2 * search.box.width(), -2 * search.box.height(),
                                                  2 * search.box.width(), 2 * search.box.height());
        for (const QRectF &b : boxesPx)
            if (b.intersects(around))
                search.outlines.append(b);
        printed.push_back(FindPrintedMark(map, search));
        const PrintedMark &p = printed.back();
        if (p.found && p.clear[0] && p.clear[2])
            spread.push_back((p.edges.width() - search.box.width()) / 2);
        if (p.found && p.clear[1] && p.clear[3])
            spread.push_back((p.edges.height() - search.box.height()) / 2);
    }
    // Without a mark whose two edges on one axis were read clear, the toner is taken to print the
    // block's own size: a one-sided reading is then off by the spread, a few hundredths of a mm.
    const double e = spread.empty() ? 0.0 : median(spread);

    QList<QPointF> boxCentres, markCentres;
    for (qsizetype i = 0; i < target.marks.size(); ++i) {
        const PrintedMark &p = printed[size_t(i)];
        MeasuredMark &out = m.marks[i];
        const QRectF box = target.blocks.value(target.marks[i].block);
        const QRectF boxPx = boxesPx.value(target.marks[i].block);
        out.box = reg.toPicture.mapRect(box);
        out.boxCentre = reg.toPicture.map(box.center());
        if (!p.found)
            continue;
        const QRectF &r = p.edges;
        const QPointF centrePx(centreOf(r.left(), r.right(), p.clear[0], p.clear[2], boxPx.width() + 2 * e),
                               centreOf(r.top(), r.bottom(), p.clear[1], p.clear[3], boxPx.height() + 2 * e));
        out.found = true;
        out.markCentre = centrePx / px;
        out.mark = scaled(r, 1 / px);
        const QPointF inSlip = toSlip.map(out.markCentre);
        out.dx = inSlip.x() - box.center().x();
        out.dy = inSlip.y() - box.center().y();
        boxCentres.append(box.center());
        markCentres.append(inSlip);
    }
    QTransform printedMap;
    if (!FitAffine(boxCentres, markCentres, &printedMap)) {
        m.problem = CalibrationProblem::TooFewMarks;
        return m;
    }
    for (const MeasuredMark &k : m.marks)
        if (k.found)
            m.shift += QPointF(k.dx, k.dy);
    m.shift /= m.foundCount();
    for (const MeasuredMark &k : m.marks)
        if (k.found)
            m.residual = std::max(m.residual, std::hypot(k.dx - m.shift.x(), k.dy - m.shift.y()));
    // x' = m11 x + m21 y, y' = m12 x + m22 y; y runs down, so a turn that looks counter-clockwise
    // moves the x axis up (m12 < 0) and the y axis right (m21 > 0).
    m.scaleX = 100 * std::hypot(printedMap.m11(), printedMap.m12());
    m.scaleY = 100 * std::hypot(printedMap.m21(), printedMap.m22());
    m.skew = qRadiansToDegrees(std::atan2(printedMap.m21() - printedMap.m12(), printedMap.m11() + printedMap.m22()));
    return m;
}

CalibrationFileMeasurement MeasureCalibrationFile(const QString &path, double dpi, const CalibrationTarget &target)
{
    CalibrationFileMeasurement r;
    const SlipPicture p = ReadSlipPicture(path, dpi, AnalysisReduction(dpi > 0 ? dpi : 1e9));
    r.problem = p.problem;
    if (p.problem != PictureProblem::None)
        return r;
    r.measurement = MeasureCalibration(p.image, p.imageDpi(), target);
    r.measurement.dpi = p.dpi;
    return r;
}

QString CalibrationProblemText(CalibrationProblem problem)
{
    switch (problem) {
    case CalibrationProblem::None: return QString();
    case CalibrationProblem::NoBoxes: return NoBlocksFoundText();
    case CalibrationProblem::NoRegistration: return QStringLiteral("图片中的填涂块与模板的填涂块对不上，请确认扫描的是这个模板的投注单");
    case CalibrationProblem::TooFewMarks: return QStringLiteral("没有在图片中找到足够的校准标记（至少需要三个，且不在一条直线上）");
    }
    return QString();
}

QString MissingMarkText(const MeasuredMark &mark)
{
    return FormatMsg("", QStringLiteral("没有找到 {1}（第 {2} 注）的校准标记"), {mark.key, mark.stake});
}
