#include "gui/KdPopupMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Once the menu is up, chooses the item with this caption (in the top menu or an open sub-menu);
// when the menu is still open afterwards (a greyed item), or no caption is given, dismisses it
// with Escape.
void answerMenu(const QString &caption)
{
    QTimer::singleShot(50, [caption] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *a : menu->actions()) {
            if (!caption.isEmpty() && a->text() == caption) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
            }
        }
        QTimer::singleShot(50, [open = QPointer<QMenu>(menu)] {
            if (open && QApplication::activePopupWidget() == open)
                QTest::keyClick(open, Qt::Key_Escape);
        });
    });
}

void fill(KdPopupMenu &m)
{
    m.AddMenu("批量添加(&L)", "BATCH");
    m.AddMenu("-", "SPLITTER0");
    m.AddMenu("删除选中项(&D)", "DELETE-CURRENT");
    m.AddMenu("7", "7"); // a key made of digits
}
} // namespace

TEST(KdPopupMenu, SeparatorIsStoredAsSeparatorAndItsKeyStillWorks)
{
    KdPopupMenu m;
    fill(m);
    EXPECT_EQ(m.GetMenuCaption("SPLITTER0"), "/separator/");
    const QList<QAction *> actions = m.TopMenu()->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_FALSE(actions[0]->isSeparator());
    m.SetEnable("SPLITTER0", false);
    EXPECT_FALSE(m.GetEnable("SPLITTER0"));
    EXPECT_FALSE(actions[1]->isEnabled());
}

TEST(KdPopupMenu, StateChangesReachTheNativeItemsAndUnknownKeysAreIgnored)
{
    KdPopupMenu m;
    fill(m);
    QAction *del = m.TopMenu()->actions()[2];
    m.SetEnable("DELETE-CURRENT", false);
    m.SetChecked("BATCH", true);
    m.SetMenuCaption("7", "seven");
    EXPECT_FALSE(del->isEnabled());
    EXPECT_FALSE(m.GetEnable("DELETE-CURRENT"));
    EXPECT_TRUE(m.GetChecked("BATCH"));
    EXPECT_TRUE(m.TopMenu()->actions()[0]->isChecked());
    EXPECT_EQ(m.TopMenu()->actions()[3]->text(), "seven");
    EXPECT_EQ(m.GetMenuCaption("7"), "seven");
    // Keys compare as the program's collections do: without regard to case.
    EXPECT_EQ(m.GetMenuCaption("batch"), "批量添加(&L)");

    m.SetEnable("NOPE", false);
    m.SetChecked("NOPE", true);
    m.SetMenuCaption("NOPE", "x");
    EXPECT_EQ(m.GetMenuCaption("NOPE"), "");
    EXPECT_FALSE(m.GetChecked("NOPE"));
    EXPECT_EQ(m.ItemCount(), 4);
}

TEST(KdPopupMenu, SubMenuHangsUnderItsParent)
{
    KdPopupMenu m;
    m.AddMenu("文件", "FILE");
    m.AddMenu("保存", "SAVE", "FILE");
    m.AddMenu("另存为", "SAVEAS", "FILE");
    m.AddMenu("孤儿", "ORPHAN", "NO-SUCH-PARENT");
    const QList<QAction *> top = m.TopMenu()->actions();
    ASSERT_EQ(top.size(), 1);
    QMenu *sub = top[0]->menu();
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(sub->actions().size(), 2);
    EXPECT_EQ(sub->actions()[1]->text(), "另存为");
    EXPECT_EQ(m.GetMenuCaption("ORPHAN"), "");
}

TEST(KdPopupMenu, ChoosingAnItemReturnsItsKeyAndRaisesClickOnlyWhenAsked)
{
    struct Case {
        const char *caption;
        bool raiseClick;
        bool disable;
        QString expected;
        int clicks;
    };
    const Case cases[] = {
        {"删除选中项(&D)", true, false, "DELETE-CURRENT", 1},
        {"7", true, false, "7", 1},
        {"删除选中项(&D)", false, false, "DELETE-CURRENT", 0},
        {"", true, false, "", 0},                  // dismissed
        {"删除选中项(&D)", true, true, "", 0},     // greyed: cannot be chosen
    };
    QWidget host;
    host.resize(300, 300);
    host.show();
    for (const Case &c : cases) {
        KdPopupMenu m;
        fill(m);
        if (c.disable)
            m.SetEnable("DELETE-CURRENT", false);
        QSignalSpy clicks(&m, &KdPopupMenu::mnuClick);
        answerMenu(QString::fromUtf8(c.caption));
        EXPECT_EQ(m.PopUpMenu(150, 150, &host, c.raiseClick), c.expected) << c.caption;
        ASSERT_EQ(clicks.size(), c.clicks) << c.caption;
        if (c.clicks)
            EXPECT_EQ(clicks[0][0].toString(), c.expected);
    }
}

TEST(KdPopupMenu, BeforePopmenuCanSuppressTheMenu)
{
    KdPopupMenu m;
    fill(m);
    QObject::connect(&m, &KdPopupMenu::BeforePopmenu, [](bool *cancel) { *cancel = true; });
    bool shown = false;
    QObject::connect(m.TopMenu(), &QMenu::aboutToShow, [&] { shown = true; });
    QSignalSpy clicks(&m, &KdPopupMenu::mnuClick);
    EXPECT_EQ(m.PopUpMenu(0, 0, nullptr, true), "");
    EXPECT_FALSE(shown);
    EXPECT_EQ(clicks.size(), 0);
}

TEST(KdPopupMenu, AfterRemoveAllMenusTheSameKeysCanBeAddedAgain)
{
    KdPopupMenu m;
    fill(m);
    m.SetEnable("DELETE-CURRENT", false);
    m.RemoveAllMenus();
    EXPECT_EQ(m.ItemCount(), 0);
    EXPECT_TRUE(m.TopMenu()->actions().isEmpty());
    EXPECT_EQ(m.GetMenuCaption("BATCH"), "");
    fill(m);
    EXPECT_EQ(m.ItemCount(), 4);
    EXPECT_TRUE(m.GetEnable("DELETE-CURRENT"));
    QWidget host;
    host.resize(200, 200);
    host.show();
    answerMenu("7");
    EXPECT_EQ(m.PopUpMenu(0, 0, &host, false), "7");
}

TEST(KdPopupMenu, TheDropDownButtonShowsTheMenuAndReportsTheChoice)
{
    KdPopupMenu m;
    m.setCaption("操作");
    fill(m);
    m.resize(120, 24);
    m.show();
    QSignalSpy clicks(&m, &KdPopupMenu::mnuClick);
    answerMenu("批量添加(&L)");
    auto *button = m.findChild<QWidget *>("cmdPopUpMenu");
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks[0][0].toString(), "BATCH");
    EXPECT_EQ(m.Caption(), "操作");
}

TEST(KdPopupMenu, TwipsBecomePixelsAtTheScreenResolution)
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    EXPECT_EQ(KdPopupMenu::TwipToPixelX(1440), long(dpi + 0.5));
    EXPECT_EQ(KdPopupMenu::TwipToPixelX(0), 0);
}
