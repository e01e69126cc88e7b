#pragma once
// The bet list: the stakes the next print job puts on paper, one entry per stake, in import
// order (never sorted). Each entry has its stake index (the number of the source line it came
// from, not renumbered by deletions) and its bet line. The main window shows it in a
// QTableView through this model; the import fills it, the print job reads it.
#include "input/BetEntries.h"
#include "input/StakeCheck.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class BetList : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColumnIndex = 0, ColumnValue = 1, ColumnCount = 2 };
    // Column keys and their widths in twips, as the list view sets its columns up.
    static QString ColumnKey(int column);
    static int ColumnWidthTwips(int column);

    explicit BetList(QObject *parent = nullptr);

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    int Count() const { return int(m_entries.size()); }
    // Row is counted from 0.
    QString StakeIndex(int row) const { return QString::number(m_entries.StakeIndex(row)); }
    qint32 StakeIndexNumber(int row) const { return m_entries.StakeIndex(row); }
    QString BetLine(int row) const { return m_entries.BetLine(row).toString(); }
    QStringView BetLineView(int row) const { return m_entries.BetLine(row); }

    // The print job's stake lines: the bet lines of entries first .. last (counted from 1, both
    // included) as an array whose element 0 stays empty.
    QStringList StakeLines(int first, int last) const;

    // Adds one entry at the end; an empty bet line is not added.
    bool Append(qint32 stakeIndex, const QString &betLine);
    // Adds a whole import at the end in one step.
    void AppendEntries(BetEntries &&entries);
    void Clear();

    // The selected state of each entry, kept in step with the view's selection.
    void SetSelected(int row, bool selected);
    void SetSelectedRange(int first, int last, bool selected);
    void ClearSelection();
    bool IsSelected(int row) const;
    int SelectedCount() const;
    // Removes the selected entries, walking from the last to the first so that a removal never
    // shifts an entry not yet visited. Returns how many were removed.
    int RemoveSelected();

    // The stakes that would not print right with the current template (sorted by row). They
    // are shown in the list (colour and a tooltip with the reason); a deletion keeps the rest
    // with their entries, a new import or a clear drops them until the next check.
    void SetFindings(std::vector<StakeFinding> findings);
    const std::vector<StakeFinding> &Findings() const { return m_findings; }
    int FindingCount() const { return int(m_findings.size()); }
    // The reason for entry `row`, "" when it prints right.
    QString FindingReason(int row) const;

private:
    const StakeFinding *FindingOf(int row) const;
    void KeepFindingsOfRemaining(const std::vector<bool> &removed);

    BetEntries m_entries;
    std::vector<bool> m_selected; // one flag per entry
    std::vector<StakeFinding> m_findings;
};
