#include "detect/BlockSelection.h"

#include <algorithm>
#include <cmath>

namespace {
// Sizes within this share of each other count as the same size.
constexpr double kSameSize = 0.2;
// Edges within this share of the block's size count as lined up.
constexpr double kAligned = 0.3;
// An outline holding this many others or fewer is a block with digits in it, not a frame.
constexpr int kMostDigits = 3;

bool sameSize(const QRect &a, const QSizeF &b, double tolerance)
{
    return std::abs(a.width() - b.width()) <= tolerance * b.width()
           && std::abs(a.height() - b.height()) <= tolerance * b.height();
}

bool inside(const QRect &inner, const QRect &outer)
{
    return outer.contains(inner) && outer != inner
           && double(inner.width()) * inner.height() < 0.6 * outer.width() * outer.height();
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::nth_element(v.begin(), v.begin() + qsizetype(v.size() / 2), v.end());
    return v[v.size() / 2];
}

QSizeF medianSize(const QList<QRect> &boxes)
{
    std::vector<double> w, h;
    for (const QRect &b : boxes) {
        w.push_back(b.width());
        h.push_back(b.height());
    }
    return QSizeF(median(w), median(h));
}

// Marks the outlines that lie inside a block-shaped outline holding only a few others.
QList<bool> contentOfBlocks(const QList<Outline> &shapes)
{
    QList<bool> content(shapes.size(), false);
    for (qsizetype i = 0; i < shapes.size(); ++i) {
        QList<qsizetype> held;
        for (qsizetype j = 0; j < shapes.size(); ++j)
            if (j != i && inside(shapes[j].box, shapes[i].box))
                held.append(j);
        if (held.size() <= kMostDigits)
            for (qsizetype j : held)
                content[j] = true;
    }
    return content;
}

// The size shared by the most outlines.
QSizeF commonSize(const QList<QRect> &boxes)
{
    qsizetype bestCount = 0;
    QSizeF best;
    for (const QRect &b : boxes) {
        QList<QRect> alike;
        for (const QRect &o : boxes)
            if (sameSize(o, QSizeF(b.size()), kSameSize / 2))
                alike.append(o);
        if (alike.size() > bestCount) {
            bestCount = alike.size();
            best = medianSize(alike);
        }
    }
    return best;
}

bool linedUp(const QRect &a, const QRect &b, const QSizeF &size)
{
    return std::abs(a.top() - b.top()) <= kAligned * size.height()
           || std::abs(a.left() - b.left()) <= kAligned * size.width();
}
} // namespace

bool BlockShaped(const Outline &o)
{
    return o.kind == Outline::Kind::BracketPair
           || (o.kind == Outline::Kind::Closed && o.rectangularity >= 0.8);
}

BlockSelection SelectBlocks(QList<Outline> outlines)
{
    QList<Outline> shapes;
    for (const Outline &o : outlines)
        if (BlockShaped(o))
            shapes.append(o);
    const QList<bool> content = contentOfBlocks(shapes);
    QList<QRect> candidates;
    for (qsizetype i = 0; i < shapes.size(); ++i)
        if (!content[i])
            candidates.append(shapes[i].box);

    BlockSelection s;
    const QSizeF size = commonSize(candidates);
    QList<QRect> alike;
    for (const QRect &b : candidates)
        if (sameSize(b, size, kSameSize))
            alike.append(b);
    for (const QRect &b : alike) {
        const bool alone = std::none_of(alike.begin(), alike.end(), [&](const QRect &o) {
            return o != b && linedUp(b, o, size);
        });
        if (!alone)
            s.boxes.append(b);
    }
    s.size = medianSize(s.boxes);
    return s;
}
