// The designer's commands are one action each, shared by the toolbar, the right-click menu and
// the keyboard.
#include "DesignerFixture.h"
#include "gui/DesignerActions.h"
#include "gui/DesignerCommands.h"
#include "canvas/TemplateUndoStack.h"
#include "gui/KdPopupMenu.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QUndoStack>
#include <map>

TEST_F(DesignerTest, EveryCommandIsOneActionThatToolbarMenuAndKeysShare)
{
    w->Load(m_layout, false);
    QToolBar *bar = w->findChild<QToolBar *>("tbrCommands");
    ASSERT_NE(bar, nullptr);
    const QList<QAction *> onToolbar = bar->actions();
    std::map<QString, QString> ownerOfKey;
    for (const DesignerCommand &c : DesignerCommands()) {
        SCOPED_TRACE(c.name.toStdString());
        const QList<QAction *> named = w->findChildren<QAction *>(c.name);
        ASSERT_EQ(named.size(), 1);
        QAction *a = named.first();
        EXPECT_EQ(a, w->Actions().Action(c.name));
        EXPECT_EQ(a->toolTip(), c.tip);
        EXPECT_EQ(a->shortcuts(), c.keys);
        // Keys work in the window wherever its focus is.
        if (!c.keys.isEmpty())
            EXPECT_TRUE(w->actions().contains(a));
        // Two commands on one key would both stay silent.
        for (const QKeySequence &k : c.keys) {
            const QString key = k.toString();
            EXPECT_EQ(ownerOfKey.count(key), 0u) << key.toStdString() << " also " << ownerOfKey[key].toStdString();
            ownerOfKey[key] = c.name;
        }
        EXPECT_EQ(onToolbar.count(a), DesignerToolBarOrder().count(c.name));
    }
    // The menu shows each command's caption and key, and is as enabled as the action is.
    w->Canvas().SelectKeys({"B1"});
    w->Actions().FillMenu(w->PopMenu());
    for (const DesignerMenuEntry &m : DesignerMenuOrder()) {
        if (m.key == "-" || !m.caption.isEmpty())
            continue;
        const DesignerCommand *c = nullptr;
        for (const DesignerCommand &d : DesignerCommands())
            if (d.menuKey == m.key)
                c = &d;
        ASSERT_NE(c, nullptr) << m.key.toStdString();
        QAction *a = w->Actions().Action(c->name);
        const QString shown = w->PopMenu().GetMenuCaption(m.key);
        EXPECT_TRUE(shown.startsWith(c->menuText)) << shown.toStdString();
        EXPECT_EQ(shown.contains('\t'), !c->keys.isEmpty()) << shown.toStdString();
        EXPECT_EQ(w->PopMenu().GetEnable(m.key), a->isEnabled()) << m.key.toStdString();
    }
}

TEST_F(DesignerTest, CommandsAreEnabledByTheirRulesAsTheSelectionAndTheStackChange)
{
    w->Load(m_layout, false);
    auto on = [&](const char *name) { return w->Actions().Action(name)->isEnabled(); };
    struct Case {
        const char *step;
        std::function<void()> run;
        // undo, copy, paste, delete, align, distribute
        bool expected[6];
    };
    const std::vector<Case> cases = {
        {"nothing selected", [] {}, {false, false, false, false, false, false}},
        {"one selected", [&] { w->Canvas().SelectKeys({"B1"}); }, {false, true, false, true, false, false}},
        {"two selected", [&] { w->Canvas().SelectKeys({"B1", "B2"}); }, {false, true, false, true, true, false}},
        {"three selected", [&] { w->Canvas().SelectKeys({"B1", "B2", "L1"}); }, {false, true, false, true, true, true}},
        {"copied", [&] { w->CopySelection(); }, {false, true, true, true, true, true}},
        {"duplicated", [&] { w->DuplicateSelection(); }, {true, true, true, true, true, true}},
        {"undone", [&] { w->Undo().Stack().undo(); w->Canvas().SelectKeys({}); }, {false, false, true, false, false, false}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.step);
        c.run();
        EXPECT_EQ(on("cmdUndo"), c.expected[0]);
        EXPECT_EQ(on("cmdCopy"), c.expected[1]);
        EXPECT_EQ(on("cmdCut"), c.expected[1]);
        EXPECT_EQ(on("cmdDuplicate"), c.expected[1]);
        EXPECT_EQ(on("cmdPaste"), c.expected[2]);
        EXPECT_EQ(on("cmdDeleteCurrent"), c.expected[3]);
        EXPECT_EQ(on("cmdAlignmentLeft"), c.expected[4]);
        EXPECT_EQ(on("cmdSizeSameHeight"), c.expected[4]);
        EXPECT_EQ(on("cmdDistributeVertical"), c.expected[5]);
    }
}
