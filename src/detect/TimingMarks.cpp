#include "detect/TimingMarks.h"

#include <opencv2/imgproc.hpp>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kSameSize = 0.2;
constexpr double kAligned = 0.3;

// A bar, not a band or a speck: its sides within a few block sizes, its short side no thinner
// than a third of a block's.
bool markSized(const QRect &r, const QSizeF &block)
{
    const double shortSide = std::min(block.width(), block.height());
    return std::min(r.width(), r.height()) >= shortSide / 3 && r.width() <= 4 * block.width()
           && r.height() <= 4 * block.height();
}

bool dark(const cv::Mat &ink, const QRect &r, int darkInk)
{
    const cv::Rect inner(r.x() + r.width() / 4, r.y() + r.height() / 4, std::max(1, r.width() / 2),
                         std::max(1, r.height() / 2));
    return cv::mean(ink(inner))[0] >= darkInk;
}

// A bar stands on bare paper: the ring around it is nearly free of ink. (The pieces of a dark
// band that its lettering cuts apart touch each other across thin strokes.)
bool standsAlone(const cv::Mat &ink, const QRect &r, int floor)
{
    const cv::Rect all(0, 0, ink.cols, ink.rows);
    const cv::Rect bar(r.x(), r.y(), r.width(), r.height());
    auto grown = [&](int by) { return cv::Rect(bar.x - by, bar.y - by, bar.width + 2 * by, bar.height + 2 * by) & all; };
    // The bar's own blurred edge is left out of the ring.
    const int edge = 2, margin = std::max(2, std::min(r.width(), r.height()) / 2);
    const cv::Rect inner = grown(edge), outer = grown(edge + margin);
    cv::Mat inked;
    cv::compare(ink(outer), floor, inked, cv::CMP_GE);
    const int ring = outer.area() - inner.area();
    const int ringInk = cv::countNonZero(inked) - cv::countNonZero(inked(inner - outer.tl()));
    return ring > 0 && ringInk <= 0.1 * ring;
}

bool alike(const QRect &a, const QRect &b)
{
    return std::abs(a.width() - b.width()) <= kSameSize * std::max(a.width(), b.width()) + 1
           && std::abs(a.height() - b.height()) <= kSameSize * std::max(a.height(), b.height()) + 1;
}

bool linedUp(const QRect &a, const QRect &b)
{
    return std::abs(a.left() - b.left()) <= kAligned * a.width()
           || std::abs(a.top() - b.top()) <= kAligned * a.height();
}
} // namespace

QList<QRect> FindTimingMarks(const QList<Outline> &outlines, const cv::Mat &ink,
                             const MarkSearch &search)
{
    QList<QRect> bars;
    for (const Outline &o : outlines)
        if (o.kind == Outline::Kind::Solid && o.rectangularity >= 0.85
            && markSized(o.box, search.block) && dark(ink, o.box, search.darkInk)
            && standsAlone(ink, o.box, search.floor))
            bars.append(o.box);
    QList<QRect> marks;
    for (const QRect &b : bars) {
        const bool company = std::any_of(bars.begin(), bars.end(), [&](const QRect &o) {
            return o != b && alike(o, b) && linedUp(o, b);
        });
        if (company)
            marks.append(b);
    }
    std::sort(marks.begin(), marks.end(), [](const QRect &a, const QRect &b) {
        return std::pair(a.top(), a.left()) < std::pair(b.top(), b.left());
    });
    return marks;
}
