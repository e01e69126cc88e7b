#include "common/TextFile.h"
#include "input/BetList.h"
#include "gui/frmPImportLottNumbers.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
ImportFolders foldersIn(const QString &dir)
{
    QDir().mkpath(dir + "/Script");
    ImportFolders f;
    f.ProgramFolder = dir + "/";
    f.ScriptFolder = dir + "/Script/";
    f.UserDataFolder = dir + "/";
    return f;
}
} // namespace

TEST(frmPImportLottNumbers, EmptyPathAsksForAFileThenImports)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir();
    const ImportFolders folders = foldersIn(dir);
    WriteWholeTextFile(dir + "/Script/a.cvb", "x = 1\r\n");
    const QString bets = dir + "/bets.txt";
    WriteWholeTextFile(bets, "01,02,03,04,05,06,07\r\n\r\n1 2 3 4 5 6 8\r\n");
    BetList list;
    frmPImportLottNumbers dialog(folders);
    dialog.setFileChooser([&](const QString &) { return bets; });
    bool accepted = false;
    QTimer::singleShot(0, &dialog, [&] {
        auto *path = dialog.findChild<QLineEdit *>("txtPathFile");
        auto *ok = dialog.findChild<QPushButton *>("cmdOK");
        ASSERT_NE(path, nullptr);
        path->clear();
        ok->click(); // empty: the hint, then the browse dialog fills the path
        EXPECT_EQ(path->text(), bets);
        EXPECT_TRUE(dialog.isVisible());
        ok->click();
    });
    accepted = dialog.ShowMe(list);
    EXPECT_TRUE(accepted);
    ASSERT_FALSE(box.shown().empty());
    EXPECT_EQ(box.shown()[0].text, "请选择文件！");
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Plain);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.StakeIndex(1), "3");
    EXPECT_EQ(list.BetLine(1), "01 02 03 04 05 06 08");
    // OK remembered the choices for the next time
    EXPECT_TRUE(ReadWholeTextFile(dir + "/Vorn.cfg").text.contains("LastPathFile=" + bets));
}

TEST(frmPImportLottNumbers, OnlyTheSpecialFormatEnablesTheScriptChooser)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir();
    const ImportFolders folders = foldersIn(dir);
    WriteWholeTextFile(dir + "/Script/b.cvb", "");
    WriteWholeTextFile(dir + "/Script/A.cvb", "");
    BetList list;
    frmPImportLottNumbers dialog(folders);
    QTimer::singleShot(0, &dialog, [&] {
        auto *chooser = dialog.findChild<QComboBox *>("icboScript");
        EXPECT_FALSE(chooser->isEnabled());
        ASSERT_EQ(chooser->count(), 2);
        EXPECT_EQ(chooser->itemText(0), "A");
        EXPECT_EQ(chooser->currentText(), "请选择彩票软件...");
        dialog.findChild<QRadioButton *>("optSpecial")->click();
        EXPECT_TRUE(chooser->isEnabled());
        chooser->hidePopup();
        dialog.findChild<QRadioButton *>("optIncludeIndex")->click();
        EXPECT_FALSE(chooser->isEnabled());
        dialog.findChild<QPushButton *>("cmdCancel")->click();
    });
    EXPECT_FALSE(dialog.ShowMe(list));
    EXPECT_TRUE(box.shown().empty());
}
