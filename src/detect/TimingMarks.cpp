#include "detect/TimingMarks.h"

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
            && markSized(o.box, search.block) && dark(ink, o.box, search.darkInk))
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
