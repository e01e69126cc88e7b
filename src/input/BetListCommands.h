#pragma once
// What the main window's buttons do to the bet list, below the window: the confirmations go
// through MsgBox, the window refreshes its status label afterwards.
#include <QString>

class BetList;

// "共 {1} 注, {2} 页": the count of entries and the pages they fill at `stakesPerTicket`
// stakes per ticket (a value below 1 counts as 1); "，其中 {1} 注有误" follows when `faulty`
// stakes would not print right, and "，模板有 {1} 处问题" when the template itself has findings.
QString LottNumberStatusText(int count, int stakesPerTicket, int faulty = 0, int templateFindings = 0);

// "清除": asks, and on Yes removes every entry. Returns whether the list was cleared.
bool ClearLottNumbers(BetList &list);

// Delete selected: with no selection shows the hint; otherwise asks with the count and on Yes
// removes the selected entries. Returns how many were removed.
int DeleteSelectedLottNumbers(BetList &list);
