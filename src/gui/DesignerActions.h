#pragma once
// The designer's commands as actions of its window: one QAction for each entry of the command
// table, named after it, whose keys work anywhere in the window (and in the windows that lend
// it their keys). The toolbar holds the same actions; the right-click menu is built from them
// each time it opens, with their captions, keys, states and switches.
#include <QObject>
#include <QHash>
#include <QList>
#include <vector>

struct DesignerCommand;
class KdPopupMenu;
class QAction;
class QToolBar;
class QWidget;
class frmPLDesigner;

class DesignerActions : public QObject {
    Q_OBJECT
public:
    explicit DesignerActions(frmPLDesigner &window);

    // The action of a command by its name, or nullptr.
    QAction *Action(const QString &name) const;
    // Runs the command behind a right-click menu key (nothing for an unknown key).
    void RunMenuKey(const QString &key);
    // Takes every command's state (enabled, on or off) from its rule.
    void Refresh();
    void FillToolBar(QToolBar &bar) const;
    // Empties the menu and fills it in its order, each entry as its command now stands.
    void FillMenu(KdPopupMenu &menu);
    // Lets another window of the designer take the designer's keys while it is active.
    void LendKeys(QWidget &window) const;

private:
    struct Entry {
        const DesignerCommand *command;
        QAction *action;
    };
    const Entry *find(const QHash<QString, int> &index, const QString &key) const;
    void run(const Entry &entry);

    frmPLDesigner &m_window;
    std::vector<Entry> m_entries;
    QHash<QString, int> m_byName;
    QHash<QString, int> m_byMenuKey;
};
