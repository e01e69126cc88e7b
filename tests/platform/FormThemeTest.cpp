#include "common/DesignScale.h"
#include "platform/FormTheme.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMainWindow>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

TEST(FormTheme, PaletteCodes)
{
    struct Case {
        int code;
        qint32 ref;
    };
    const Case cases[] = {
        {1, SysButtonFace}, {3, SysButtonFace}, {8, SysButtonFace}, {5, RGB(255, 255, 255)},
        {10, RGB(255, 255, 255)}, {12, RGB(255, 255, 255)}, {7, RGB(0, 255, 198)},
        {14, RGB(217, 244, 251)}, {16, RGB(245, 245, 245)}, {17, SysHighlightText},
        {18, SysHighlight}, {19, RGB(255, 255, 0)}, {20, RGB(255, 128, 64)}, {21, RGB(0, 0, 255)},
        {0, RGB(1, 1, 1)}, {4, RGB(1, 1, 1)}, {9, RGB(1, 1, 1)}, {99, RGB(1, 1, 1)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(GetThemeColor(c.code), c.ref) << c.code;
    EXPECT_EQ(ResolveColor(RGB(255, 128, 64)), QColor(255, 128, 64));
    EXPECT_EQ(ResolveColor(SysButtonFace), QApplication::palette().color(QPalette::Button));
}

TEST(FormTheme, StyleTagFieldsAndDefaults)
{
    const StyleTag none = ParseStyleTag("");
    EXPECT_EQ(none.textColor, 0);
    EXPECT_EQ(none.backColor, 1);
    EXPECT_EQ(none.captionMsgNo, 1);
    const StyleTag full = ParseStyleTag("20,14,300,301,free,text");
    EXPECT_EQ(full.textColor, 20);
    EXPECT_EQ(full.backColor, 14);
    EXPECT_EQ(full.captionMsgNo, 300);
    EXPECT_EQ(full.toolTipMsgNo, 301);
    EXPECT_EQ(full.freeText, "free");
    EXPECT_EQ(ParseStyleTag("x,").textColor, 0); // unreadable numbers take their defaults
    EXPECT_EQ(ParseStyleTag("21").backColor, 1);
}

TEST(FormTheme, LabelsTextBoxesButtonsAndMenus)
{
    QMainWindow window;
    window.setWindowTitle("VornPrn");
    auto *central = new QWidget(&window);
    window.setCentralWidget(central);
    auto *link = new QLabel("主页{crlf}链接", central);
    link->setProperty("Tag", "21");
    auto *plain = new QLabel("plain", central);
    auto *coloured = new QLabel("coloured", central);
    coloured->setProperty("Tag", "0,14");
    auto *box = new QLineEdit(central);
    auto *tagged = new QLineEdit(central);
    tagged->setProperty("Tag", "20,14");
    auto *button = new QPushButton("开始{CRLF}打印", central);
    button->setToolTip("tip{crlf}two");
    auto *list = new QTableView(central);
    QMenu *file = window.menuBar()->addMenu("文件(&F)");
    QAction *quit = file->addAction("退出{crlf}(&X)");

    ApplyFormTheme(&window);

    EXPECT_EQ(link->text(), "主页\r\n链接");
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(plain->palette().color(QPalette::WindowText), QColor(1, 1, 1));
    EXPECT_FALSE(plain->font().underline());
    EXPECT_FALSE(plain->autoFillBackground()); // on its frame's background
    EXPECT_TRUE(coloured->autoFillBackground());
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor(1, 1, 1));
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(tagged->palette().color(QPalette::Text), QColor(255, 128, 64));
    EXPECT_EQ(tagged->palette().color(QPalette::Base), QColor(217, 244, 251));
    EXPECT_EQ(button->text(), "开始\r\n打印");
    EXPECT_EQ(button->toolTip(), "tip\r\ntwo");
    EXPECT_EQ(list->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(quit->text(), "退出\r\n(&X)");
    EXPECT_EQ(button->font().family(), "宋体");
    EXPECT_EQ(button->font().pointSize(), 9);
}
