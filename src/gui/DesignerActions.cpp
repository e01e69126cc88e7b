#include "gui/DesignerActions.h"

#include "gui/DesignerCommands.h"
#include "gui/KdPopupMenu.h"
#include "gui/frmPLDesigner.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

DesignerActions::DesignerActions(frmPLDesigner &window) : QObject(&window), m_window(window)
{
    for (const DesignerCommand &c : DesignerCommands()) {
        auto *a = new QAction(QIcon(c.icon), c.menuText.isEmpty() ? c.tip : c.menuText, &window);
        a->setObjectName(c.name);
        a->setToolTip(c.tip);
        a->setShortcuts(c.keys);
        a->setCheckable(bool(c.checked));
        window.addAction(a);
        const int position = int(m_entries.size());
        m_entries.push_back({&c, a});
        m_byName.insert(c.name, position);
        if (!c.menuKey.isEmpty())
            m_byMenuKey.insert(c.menuKey, position);
        connect(a, &QAction::triggered, this, [this, position] { run(m_entries[size_t(position)]); });
    }
    Refresh();
}

const DesignerActions::Entry *DesignerActions::find(const QHash<QString, int> &index, const QString &key) const
{
    const auto it = index.constFind(key);
    return it == index.constEnd() ? nullptr : &m_entries[size_t(*it)];
}

QAction *DesignerActions::Action(const QString &name) const
{
    const Entry *e = find(m_byName, name);
    return e ? e->action : nullptr;
}

void DesignerActions::run(const Entry &entry)
{
    entry.command->run(m_window);
    Refresh();
}

void DesignerActions::RunMenuKey(const QString &key)
{
    // A chosen menu entry runs even when its rule has changed since the menu opened: the
    // command itself says when there is nothing to do.
    if (const Entry *e = find(m_byMenuKey, key))
        run(*e);
}

void DesignerActions::Refresh()
{
    for (const Entry &e : m_entries) {
        if (e.command->enabled)
            e.action->setEnabled(e.command->enabled(m_window));
        if (e.command->checked)
            e.action->setChecked(e.command->checked(m_window));
    }
}

void DesignerActions::FillToolBar(QToolBar &bar) const
{
    for (const QString &name : DesignerToolBarOrder()) {
        if (name == QLatin1String("-"))
            bar.addSeparator();
        else if (QAction *a = Action(name))
            bar.addAction(a);
    }
}

void DesignerActions::FillMenu(KdPopupMenu &menu)
{
    Refresh();
    menu.RemoveAllMenus();
    int separators = 0;
    for (const DesignerMenuEntry &m : DesignerMenuOrder()) {
        if (m.key == QLatin1String("-")) {
            menu.AddMenu(QStringLiteral("-"), QStringLiteral("SPLITTER%1").arg(++separators), m.parent);
            continue;
        }
        if (!m.caption.isEmpty()) {
            menu.AddMenu(m.caption, m.key, m.parent);
            continue;
        }
        const Entry *e = find(m_byMenuKey, m.key);
        if (!e)
            continue;
        QString caption = e->command->menuText;
        if (!e->command->keys.isEmpty())
            caption += QLatin1Char('\t') + e->command->keys.first().toString(QKeySequence::NativeText);
        menu.AddMenu(caption, m.key, m.parent);
        menu.SetEnable(m.key, e->action->isEnabled());
        if (e->action->isCheckable())
            menu.SetChecked(m.key, e->action->isChecked());
    }
}

void DesignerActions::LendKeys(QWidget &window) const
{
    for (const Entry &e : m_entries)
        if (!e.command->keys.isEmpty())
            window.addAction(e.action);
}
