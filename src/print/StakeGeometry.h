#pragma once
// What a job needs to place the numbers of a stake line: which fill area each position of
// the line belongs to, how far each stake of a ticket is shifted, and which number block
// stands for a group and a number.
#include <QHash>
#include <QString>
#include <vector>

class clsPLControl;
class colPLControls;

// Twips per millimetre on the print surface.
constexpr double PrintScale = 56.7;

// Positions of a stake line and their fill areas, from GroupLottNumberCountStr: "6,1" gives
// positions 0 to 5 in group 1 and position 6 in group 2. Entries of 0 or less add nothing.
class GroupPositionTable {
public:
    explicit GroupPositionTable(const QString &groupLottNumberCountStr);
    qint64 PositionCount() const { return m_ends.empty() ? 0 : m_ends.back(); }
    // The group number of a position; 0 for a position beyond the table.
    qint64 GroupOf(qint64 position) const;

private:
    std::vector<qint64> m_ends;   // one past the last position of each contributing entry
    std::vector<qint64> m_groups; // that entry's group number (its place in the list + 1)
};

// The millimetre offsets of the stakes of a ticket, relative to the first entry of each list;
// a stake beyond a list's entries gets 0.
class StakeOffsets {
public:
    StakeOffsets(const QString &strX, const QString &strY, int stakeCount);
    double X(int stake) const { return at(m_x, stake); }
    double Y(int stake) const { return at(m_y, stake); }

private:
    static std::vector<double> build(const QString &list, int stakeCount);
    static double at(const std::vector<double> &v, int i)
    {
        return i >= 0 && size_t(i) < v.size() ? v[size_t(i)] : 0.0;
    }
    std::vector<double> m_x, m_y;
};

// Group and number as whole numbers, as the keys "g|v" of the number block index compare them.
struct BlockKey {
    double Group;
    double Number;
    bool operator==(const BlockKey &) const = default;
};
inline size_t qHash(const BlockKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.Group, k.Number);
}
// A group or number text as a whole number: the numeric conversion (0 when unreadable),
// rounded as the "0" number format rounds.
double BlockKeyPart(const QString &text);

// The number blocks of a template by group and number; the first block of a key wins. The
// template must outlive the index and stay unchanged.
class LottNumberIndex {
public:
    explicit LottNumberIndex(const colPLControls &layout);
    const clsPLControl *Find(const BlockKey &key) const { return m_blocks.value(key, nullptr); }
    int Count() const { return int(m_blocks.size()); }

private:
    QHash<BlockKey, const clsPLControl *> m_blocks;
};
