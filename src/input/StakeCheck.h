#pragma once
// Bets checked against a slip template before any paper is used: every stake of the bet list
// is read the way the print engine will lay it out (the same positions, fill areas and block
// keys), and the stakes that would not print right are reported with the reason in the words
// the main window and `vornprn-cli check` show.
#include "print/StakeGeometry.h"

#include <QString>
#include <QStringView>
#include <vector>

class BetList;
class colPLControls;

// One stake that would not print right.
struct StakeFinding {
    int row = 0;    // the entry in the bet list, counted from 0
    QString reason; // one reason per problem, joined by "；"
};

// The check of single bet lines against one template. The template must outlive the checker
// and stay unchanged.
class StakeChecker {
public:
    explicit StakeChecker(const colPLControls &layout);

    // The reasons the bet line would not print right, joined by "；"; "" when it prints right.
    // A line shorter than the slip's positions is fine, and "*" (a position left empty) too.
    QString Check(QStringView betLine) const;

private:
    GroupPositionTable m_groups;
    LottNumberIndex m_index;
};

// Every stake of the list that would not print right, in list order.
std::vector<StakeFinding> CheckLottNumbers(const BetList &list, const colPLControls &layout);

