#include "print/TemplateCheck.h"

#include "common/FormatMsg.h"
#include "common/VbFormat.h"
#include "model/ElementKind.h"
#include "model/colPLControls.h"
#include "print/PaperArea.h"
#include "print/StakeGeometry.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {

// A rectangle in millimetres, edges in order whatever the sign of the element's size.
struct Box {
    double left, top, right, bottom;
};

Box boxOf(const clsPLControl &e, double dx, double dy)
{
    const double x1 = e.Left() + dx, x2 = e.Left() + e.Width() + dx;
    const double y1 = e.Top() + dy, y2 = e.Top() + e.Height() + dy;
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

double sharedLength(double a1, double a2, double b1, double b2)
{
    return std::min(a2, b2) - std::max(a1, b1);
}

bool overlap(const Box &a, const Box &b)
{
    return sharedLength(a.left, a.right, b.left, b.right) > OverlapToleranceMm
        && sharedLength(a.top, a.bottom, b.top, b.bottom) > OverlapToleranceMm;
}

bool inside(const Box &inner, const Box &outer)
{
    return inner.left >= outer.left - SizeToleranceMm && inner.top >= outer.top - SizeToleranceMm
        && inner.right <= outer.right + SizeToleranceMm
        && inner.bottom <= outer.bottom + SizeToleranceMm;
}

// A block of one stake, as the sweep below sees it.
struct Placed {
    Box box;
    const clsPLControl *element;
    int stake;
};

// Calls f(a, b) for every pair of boxes that overlap, each pair once. Sorting by the left edge
// keeps this near linear for a slip's grid of blocks.
template <typename F>
void forOverlappingPairs(std::vector<Placed> &items, F f)
{
    std::sort(items.begin(), items.end(),
              [](const Placed &a, const Placed &b) { return a.box.left < b.box.left; });
    for (size_t i = 0; i < items.size(); ++i)
        for (size_t j = i + 1; j < items.size(); ++j) {
            if (items[j].box.left >= items[i].box.right - OverlapToleranceMm)
                break;
            if (overlap(items[i].box, items[j].box))
                f(items[i], items[j]);
        }
}

QString mm(double v) { return GeneralDouble(RoundHalfAway(v, 2) + 0.0); }

QString place(const Box &b)
{
    return FormatMsg("", QStringLiteral("（{1}, {2} 毫米）"), {mm(b.left), mm(b.top)});
}

QString blockName(const clsPLControl &e)
{
    return FormatMsg("", QStringLiteral("填涂区 {1} 号码 {2}"), {e.GroupID(), e.FieldValue()});
}

QString elementName(const clsPLControl &e)
{
    return ElementKindOf(e) == ElementKind::NumberBlock
        ? QStringLiteral("填涂块（") + blockName(e) + QStringLiteral("）")
        : QStringLiteral("标记");
}

qint64 commaEntries(const QString &list)
{
    return list.isEmpty() ? 0 : list.count(QLatin1Char(',')) + 1;
}

class Checker {
public:
    explicit Checker(const colPLControls &t)
        : m_t(t),
          m_offsets(t.StakeLocateOffsetStrX(), t.StakeLocateOffsetStrY(), t.StakeCountPerTicket())
    {
        for (const clsPLControl &e : t) {
            const ElementKind kind = ElementKindOf(e);
            if (kind == ElementKind::NumberBlock)
                m_blocks.push_back(&e);
            else if (kind == ElementKind::Mark)
                m_marks.push_back(&e);
        }
    }

    std::vector<TemplateFinding> run()
    {
        offsetLists();
        duplicates();
        overlapsWithinStake();
        missingNumbers();
        areasBeyondCount();
        stakesOverlap();
        outside();
        sizes();
        // The template's own findings first, then the elements' in the template's order (so
        // lbl2 comes before lbl16), each element's in the order they were found.
        QHash<QString, int> order;
        order.insert(TemplatePropertiesKey(), -1);
        int position = 0;
        for (const clsPLControl &e : m_t)
            order.insert(e.KeyName(), position++);
        std::stable_sort(m_out.begin(), m_out.end(), [&order](const TemplateFinding &a, const TemplateFinding &b) {
            return order.value(a.key) < order.value(b.key);
        });
        return std::move(m_out);
    }

private:
    void add(const QString &key, const QString &reason) { m_out.push_back({key, reason}); }
    void addProperty(const QString &reason) { add(TemplatePropertiesKey(), reason); }
    int stakes() const { return m_t.StakeCountPerTicket(); }

    void offsetLists()
    {
        const struct {
            QString list;
            const char *axis;
        } lists[] = {{m_t.StakeLocateOffsetStrX(), "横向"}, {m_t.StakeLocateOffsetStrY(), "纵向"}};
        for (const auto &l : lists) {
            const qint64 n = commaEntries(l.list);
            if (n != 0 && n != stakes())
                addProperty(FormatMsg("", QStringLiteral("各注{1}偏移量有 {2} 项，与每张投注单的 {3} 注不符"),
                                      {QString::fromUtf8(l.axis), n, stakes()}));
        }
    }

    static BlockKey keyOf(const clsPLControl &e)
    {
        return {BlockKeyPart(e.GroupID()), BlockKeyPart(e.FieldValue())};
    }

    void duplicates()
    {
        QHash<BlockKey, std::vector<const clsPLControl *>> byKey;
        for (const clsPLControl *b : m_blocks)
            byKey[keyOf(*b)].push_back(b);
        for (const clsPLControl *b : m_blocks) {
            const auto &same = byKey[keyOf(*b)];
            if (same.size() < 2)
                continue;
            QStringList others;
            for (const clsPLControl *o : same)
                if (o != b)
                    others << o->KeyName();
            add(b->KeyName(), FormatMsg("", QStringLiteral("{1} 重复，与 {2} 相同{3}"),
                                        {blockName(*b), others.join(QStringLiteral("、")),
                                         place(boxOf(*b, 0, 0))}));
        }
    }

    void overlapsWithinStake()
    {
        std::vector<Placed> items;
        for (const clsPLControl *b : m_blocks)
            items.push_back({boxOf(*b, 0, 0), b, 0});
        forOverlappingPairs(items, [this](const Placed &a, const Placed &b) {
            add(a.element->KeyName(), overlapText(*a.element, *b.element, a.box));
            add(b.element->KeyName(), overlapText(*b.element, *a.element, b.box));
        });
    }

    static QString overlapText(const clsPLControl &e, const clsPLControl &other, const Box &at)
    {
        return FormatMsg("", QStringLiteral("{1} 与 {2}（{3}）重叠{4}"),
                         {blockName(e), other.KeyName(), blockName(other), place(at)});
    }

    void missingNumbers()
    {
        std::map<double, std::set<double>> numbers;
        for (const clsPLControl *b : m_blocks) {
            const BlockKey k = keyOf(*b);
            numbers[k.Group].insert(k.Number);
        }
        // Beyond this a range is a typo, not a run of numbers: say how many, not which.
        constexpr double kListableRange = 100000;
        constexpr int kListed = 10;
        for (const auto &[area, present] : numbers) {
            const double first = *present.begin(), last = *present.rbegin();
            const double missing = last - first + 1 - double(present.size());
            if (missing < 1)
                continue;
            QStringList names;
            if (last - first <= kListableRange)
                for (double n = first; n <= last && names.size() < kListed; ++n)
                    if (!present.count(n))
                        names << GeneralDouble(n);
            QString list = names.join(QStringLiteral("、"));
            if (missing > names.size())
                list += FormatMsg("", QStringLiteral("{1}共 {2} 个"),
                                  {names.isEmpty() ? QString() : QStringLiteral("等，"), GeneralDouble(missing)});
            addProperty(FormatMsg("", QStringLiteral("填涂区 {1} 的号码 {2}～{3} 中缺少 {4}"),
                                  {GeneralDouble(area), GeneralDouble(first), GeneralDouble(last), list}));
        }
    }

    void areasBeyondCount()
    {
        const int count = m_t.GroupCount();
        for (const clsPLControl *b : m_blocks) {
            const double area = keyOf(*b).Group;
            if (area < 1 || area > count)
                add(b->KeyName(), FormatMsg("", QStringLiteral("{1}：填涂区 {2} 超出了投注单的 {3} 个填涂区{4}"),
                                            {blockName(*b), GeneralDouble(area), count,
                                             place(boxOf(*b, 0, 0))}));
        }
    }

    void stakesOverlap()
    {
        if (stakes() < 2)
            return;
        std::vector<Placed> items;
        items.reserve(m_blocks.size() * size_t(stakes()));
        for (int k = 0; k < stakes(); ++k)
            for (const clsPLControl *b : m_blocks)
                items.push_back({boxOf(*b, m_offsets.X(k), m_offsets.Y(k)), b, k});
        std::map<std::pair<int, int>, std::pair<const clsPLControl *, const clsPLControl *>> pairs;
        forOverlappingPairs(items, [&pairs](const Placed &a, const Placed &b) {
            if (a.stake == b.stake)
                return;
            const bool inOrder = a.stake < b.stake;
            const auto key = inOrder ? std::pair(a.stake, b.stake) : std::pair(b.stake, a.stake);
            pairs.try_emplace(key, inOrder ? a.element : b.element, inOrder ? b.element : a.element);
        });
        for (const auto &[stakePair, blocks] : pairs)
            addProperty(FormatMsg("", QStringLiteral("第 {1} 注与第 {2} 注的填涂块重叠（第 {1} 注的 {3} 与第 {2} 注的 {4}）"),
                                  {stakePair.first + 1, stakePair.second + 1,
                                   blocks.first->KeyName(), blocks.second->KeyName()}));
    }

    // Blocks are checked at every stake of the ticket, marks once: the print engine repeats only
    // the number blocks. Positions on paper add the layout origin; on the picture they do not,
    // as the designer draws both from the same origin.
    void outside()
    {
        const QRectF sheet = PaperArea(m_t);
        const bool hasPaper = !sheet.isEmpty();
        const Box paper{sheet.left(), sheet.top(), sheet.right(), sheet.bottom()};
        const bool hasPicture = !m_t.BackPicPathFileStored().trimmed().isEmpty();
        const Box picture{m_t.BackPicLeft(), m_t.BackPicTop(), m_t.BackPicLeft() + m_t.BackPicWidth(),
                          m_t.BackPicTop() + m_t.BackPicHeight()};
        auto check = [&](const clsPLControl &e, int stakeCount) {
            for (const auto &[enabled, area, word] :
                 {std::tuple(hasPaper, paper, "纸张"), std::tuple(hasPicture, picture, "底图")}) {
                if (!enabled)
                    continue;
                for (int k = 0; k < stakeCount; ++k) {
                    const Box b = boxOf(e, m_offsets.X(k), m_offsets.Y(k));
                    if (inside(b, area))
                        continue;
                    add(e.KeyName(), FormatMsg("", QStringLiteral("{1}在第 {2} 注超出了{3}{4}"),
                                               {elementName(e), k + 1, QString::fromUtf8(word), place(b)}));
                    break;
                }
            }
        };
        for (const clsPLControl *b : m_blocks)
            check(*b, stakes());
        for (const clsPLControl *m : m_marks)
            check(*m, 1);
    }

    void sizes()
    {
        const double w = m_t.LottNumberWidth(), h = m_t.LottNumberHeight();
        for (const clsPLControl *b : m_blocks) {
            const double bw = std::fabs(b->Width()), bh = std::fabs(b->Height());
            const QString size = FormatMsg("", QStringLiteral("{1}×{2} 毫米"), {mm(bw), mm(bh)});
            if (bw < SmallestBlockMm || bh < SmallestBlockMm)
                add(b->KeyName(), FormatMsg("", QStringLiteral("{1} 太小：{2}，小于 0.5 毫米{3}"),
                                            {blockName(*b), size, place(boxOf(*b, 0, 0))}));
            else if (std::fabs(bw - w) > SizeToleranceMm + 1e-9 || std::fabs(bh - h) > SizeToleranceMm + 1e-9)
                add(b->KeyName(), FormatMsg("", QStringLiteral("{1} 的大小 {2} 与模板的填涂块大小 {3}×{4} 毫米不同{5}"),
                                            {blockName(*b), size, mm(w), mm(h), place(boxOf(*b, 0, 0))}));
        }
    }

    const colPLControls &m_t;
    StakeOffsets m_offsets;
    std::vector<const clsPLControl *> m_blocks;
    std::vector<const clsPLControl *> m_marks;
    std::vector<TemplateFinding> m_out;
};

} // namespace

std::vector<TemplateFinding> CheckTemplate(const colPLControls &layout)
{
    return Checker(layout).run();
}

QString FirstFindingText(const std::vector<TemplateFinding> &findings)
{
    if (findings.empty())
        return {};
    const TemplateFinding &f = findings.front();
    return f.key == TemplatePropertiesKey() ? f.reason : f.key + QStringLiteral("：") + f.reason;
}
