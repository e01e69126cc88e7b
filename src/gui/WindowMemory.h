#pragma once
// What a user's desktop remembers between runs: the size, position and splitters of the
// windows, and the bet files imported last. These belong to the user, not to the program
// folder, so they live in the registry stand-in (under the current user), never in "Vorn.cfg".
#include <QString>
#include <QStringList>

class QSplitter;
class QWidget;

// The window's size and position (and, when given, its splitter) as it was last closed.
// Nothing happens when nothing was saved yet.
void RestoreWindowPlacement(QWidget *window, const QString &name, QSplitter *splitter = nullptr);
void SaveWindowPlacement(const QWidget *window, const QString &name, const QSplitter *splitter = nullptr);

// The bet files imported last, the latest first, at most kRecentFileCount.
constexpr int kRecentFileCount = 6;
QStringList RecentBetFiles();
// Puts the file first (once) and returns the new list.
QStringList AddRecentBetFile(const QString &path);
