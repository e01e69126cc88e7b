#pragma once
// The designer's commands, each defined once: its action's name, its texts, its icon, its keys,
// what it does and the rule that enables it (and, for a switch, whether it is on). The window
// makes one QAction of each (DesignerActions); the toolbar and the right-click menu show those
// actions in the orders below, and their keys work anywhere in the window.
#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

class frmPLDesigner;

struct DesignerCommand {
    QString name;     // the action's object name, e.g. "cmdAddLottNumber"
    QString tip;      // the toolbar's tooltip
    QString menuKey;  // the right-click menu's key, e.g. "ADD-LOTTNUMBER"; empty: not in the menu
    QString menuText; // the right-click menu's caption, with its access key
    QString icon;     // resource path of the SVG icon
    QList<QKeySequence> keys;
    std::function<void(frmPLDesigner &)> run;
    // Empty: always enabled.
    std::function<bool(frmPLDesigner &)> enabled;
    // Empty: a plain command; otherwise a switch that is on while this holds.
    std::function<bool(frmPLDesigner &)> checked;
};

const std::vector<DesignerCommand> &DesignerCommands();

// The toolbar: command names in order, "-" a separator.
const QStringList &DesignerToolBarOrder();

// The right-click menu in order: a command's menu key, "-" a separator, or a sub-menu (key and
// caption) whose entries name it as their parent.
struct DesignerMenuEntry {
    DesignerMenuEntry(const char *key, const char *parent = "", const char *caption = "")
        : key(QString::fromLatin1(key)), parent(QString::fromLatin1(parent)), caption(QString::fromUtf8(caption))
    {
    }
    QString key;
    QString parent;  // empty: the top level
    QString caption; // a sub-menu's caption; empty for commands and separators
};
const std::vector<DesignerMenuEntry> &DesignerMenuOrder();
