#include "input/BetList.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace {
// Beyond this many separate runs of selected rows one reset is cheaper for the view than
// announcing every run.
constexpr int kMaxAnnouncedRuns = 32;
} // namespace

QString BetList::ColumnKey(int column)
{
    return column == ColumnIndex ? QStringLiteral("Index") : QStringLiteral("Value");
}

int BetList::ColumnWidthTwips(int column)
{
    return column == ColumnIndex ? 1000 : 5000;
}

BetList::BetList(QObject *parent) : QAbstractTableModel(parent) {}

int BetList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count();
}

int BetList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BetList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= Count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == ColumnIndex)
            return StakeIndex(index.row());
        if (index.column() == ColumnValue)
            return BetLine(index.row());
        return {};
    case Qt::ToolTipRole:
        if (const StakeFinding *f = FindingOf(index.row()))
            return f->reason;
        return {};
    case Qt::ForegroundRole:
        if (FindingOf(index.row()))
            return QBrush(QColor(0xB0, 0x00, 0x00));
        return {};
    case Qt::BackgroundRole:
        if (FindingOf(index.row()))
            return QBrush(QColor(0xFF, 0xE4, 0xE1));
        return {};
    default:
        return {};
    }
}

void BetList::SetFindings(std::vector<StakeFinding> findings)
{
    if (m_findings.empty() && findings.empty())
        return;
    m_findings = std::move(findings);
    if (Count() > 0)
        emit dataChanged(index(0, 0), index(Count() - 1, ColumnCount - 1),
                         {Qt::ToolTipRole, Qt::ForegroundRole, Qt::BackgroundRole});
}

const StakeFinding *BetList::FindingOf(int row) const
{
    const auto it = std::lower_bound(m_findings.begin(), m_findings.end(), row,
                                     [](const StakeFinding &f, int r) { return f.row < r; });
    return it != m_findings.end() && it->row == row ? &*it : nullptr;
}

QString BetList::FindingReason(int row) const
{
    const StakeFinding *f = FindingOf(row);
    return f ? f->reason : QString();
}

void BetList::KeepFindingsOfRemaining(const std::vector<bool> &removed)
{
    if (m_findings.empty())
        return;
    // Rows move up by the number of removed rows before them.
    std::vector<int> removedBefore(removed.size() + 1, 0);
    for (size_t i = 0; i < removed.size(); ++i)
        removedBefore[i + 1] = removedBefore[i] + (removed[i] ? 1 : 0);
    std::vector<StakeFinding> kept;
    kept.reserve(m_findings.size());
    for (StakeFinding &f : m_findings) {
        if (removed[size_t(f.row)])
            continue;
        f.row -= removedBefore[size_t(f.row)];
        kept.push_back(std::move(f));
    }
    m_findings = std::move(kept);
}

QVariant BetList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == ColumnIndex)
        return QStringLiteral("注序号");
    if (section == ColumnValue)
        return QStringLiteral("投注号码");
    return {};
}

QStringList BetList::StakeLines(int first, int last) const
{
    first = std::max(first, 1);
    last = std::min(last, Count());
    QStringList lines;
    lines.reserve(std::max(0, last - first + 1) + 1);
    lines << QString();
    for (int i = first; i <= last; ++i)
        lines << BetLine(i - 1);
    return lines;
}

bool BetList::Append(qint32 stakeIndex, const QString &betLine)
{
    if (betLine.isEmpty())
        return false;
    beginInsertRows({}, Count(), Count());
    m_entries.Append(stakeIndex, betLine);
    m_selected.push_back(false);
    endInsertRows();
    return true;
}

void BetList::AppendEntries(BetEntries &&entries)
{
    if (entries.isEmpty())
        return;
    const int first = Count();
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    m_entries.AppendAll(std::move(entries));
    m_selected.resize(size_t(m_entries.size()), false);
    endInsertRows();
}

void BetList::Clear()
{
    beginResetModel();
    m_entries.clear();
    m_selected = {};
    m_findings = {};
    endResetModel();
}

void BetList::SetSelected(int row, bool selected)
{
    if (row >= 0 && row < Count())
        m_selected[size_t(row)] = selected;
}

void BetList::SetSelectedRange(int first, int last, bool selected)
{
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    if (first <= last)
        std::fill(m_selected.begin() + first, m_selected.begin() + last + 1, selected);
}

void BetList::ClearSelection()
{
    std::fill(m_selected.begin(), m_selected.end(), false);
}

bool BetList::IsSelected(int row) const
{
    return row >= 0 && row < Count() && m_selected[size_t(row)];
}

int BetList::SelectedCount() const
{
    return int(std::count(m_selected.begin(), m_selected.end(), true));
}

int BetList::RemoveSelected()
{
    // Runs of selected rows, last run first.
    std::vector<std::pair<int, int>> runs;
    for (int row = Count() - 1; row >= 0; --row) {
        if (!m_selected[size_t(row)])
            continue;
        int first = row;
        while (first > 0 && m_selected[size_t(first - 1)])
            --first;
        runs.emplace_back(first, row);
        row = first;
    }
    KeepFindingsOfRemaining(m_selected);
    int removed = 0;
    if (runs.size() > size_t(kMaxAnnouncedRuns)) {
        beginResetModel();
        const int before = Count();
        m_entries.RemoveFlagged(m_selected);
        removed = before - Count();
        m_selected.assign(size_t(Count()), false);
        endResetModel();
        return removed;
    }
    for (const auto &[first, last] : runs) {
        beginRemoveRows({}, first, last);
        m_entries.RemoveRange(first, last - first + 1);
        m_selected.erase(m_selected.begin() + first, m_selected.begin() + last + 1);
        removed += last - first + 1;
        endRemoveRows();
    }
    return removed;
}
