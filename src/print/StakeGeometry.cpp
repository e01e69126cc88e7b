#include "print/StakeGeometry.h"
#include "model/ElementKind.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "model/colPLControls.h"

#include <algorithm>

namespace {
// Counts beyond this come only from broken templates; no stake line is that long.
constexpr double MaxGroupCount = 1.0e12;
} // namespace

GroupPositionTable::GroupPositionTable(const QString &groupLottNumberCountStr)
{
    const QStringList entries = groupLottNumberCountStr.split(QLatin1Char(','));
    qint64 end = 0;
    for (int g = 0; g < entries.size(); ++g) {
        const double count = std::min(ToNumber(entries[g], 0, 0), MaxGroupCount);
        if (count <= 0)
            continue;
        end += qint64(count);
        m_ends.push_back(end);
        m_groups.push_back(g + 1);
    }
}

qint64 GroupPositionTable::GroupOf(qint64 position) const
{
    const auto it = std::upper_bound(m_ends.begin(), m_ends.end(), position);
    return it == m_ends.end() ? 0 : m_groups[size_t(it - m_ends.begin())];
}

StakeOffsets::StakeOffsets(const QString &strX, const QString &strY, int stakeCount)
    : m_x(build(strX, stakeCount)), m_y(build(strY, stakeCount))
{
}

std::vector<double> StakeOffsets::build(const QString &list, int stakeCount)
{
    std::vector<double> offsets(size_t(std::max(stakeCount, 0)), 0.0);
    if (list.isEmpty())
        return offsets;
    const QStringList entries = list.split(QLatin1Char(','));
    const double first = ToNumber(entries.first(), 0);
    for (int k = 0; k < stakeCount && k < entries.size(); ++k)
        offsets[size_t(k)] = ToNumber(entries[k], 0) - first;
    return offsets;
}

double BlockKeyPart(const QString &text)
{
    // "+ 0.0" makes a negative zero the plain zero, as "0" formats both.
    return RoundHalfAway(ToNumber(text, 0), 0) + 0.0;
}

LottNumberIndex::LottNumberIndex(const colPLControls &layout)
{
    for (const clsPLControl &el : layout) {
        if (ElementKindOf(el) != ElementKind::NumberBlock)
            continue;
        const BlockKey key{BlockKeyPart(el.GroupID()), BlockKeyPart(el.FieldValue())};
        if (!m_blocks.contains(key))
            m_blocks.insert(key, &el);
    }
}
