#include "common/clsRegIni.h"
#include "gui/WindowMemory.h"
#include "TestSupport.h"

#include <QSplitter>
#include <QWidget>
#include <gtest/gtest.h>

TEST(WindowMemory, RecentFilesLatestFirstOnceEachAndAtMostSix)
{
    clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini");
    EXPECT_TRUE(RecentBetFiles().isEmpty());
    for (int i = 1; i <= 8; ++i)
        AddRecentBetFile(QStringLiteral("/bets/%1.txt").arg(i));
    AddRecentBetFile("/bets/5.txt");
    EXPECT_EQ(RecentBetFiles(), (QStringList{"/bets/5.txt", "/bets/8.txt", "/bets/7.txt", "/bets/6.txt",
                                             "/bets/4.txt", "/bets/3.txt"}));
}

TEST(WindowMemory, PlacementAndSplitterComeBack)
{
    clsRegIni::SetStoreFile(makeTempDir() + "/registry.ini");
    QWidget window;
    auto *splitter = new QSplitter(&window);
    splitter->addWidget(new QWidget);
    splitter->addWidget(new QWidget);
    window.resize(700, 500);
    splitter->resize(700, 500);
    splitter->setSizes({500, 200});
    const QList<int> sizes = splitter->sizes();
    SaveWindowPlacement(&window, "Test", splitter);

    QWidget again;
    auto *splitterAgain = new QSplitter(&again);
    splitterAgain->addWidget(new QWidget);
    splitterAgain->addWidget(new QWidget);
    splitterAgain->resize(700, 500);
    RestoreWindowPlacement(&again, "Test", splitterAgain);
    EXPECT_EQ(again.size(), QSize(700, 500));
    EXPECT_EQ(splitterAgain->sizes(), sizes);

    QWidget unknown;
    unknown.resize(321, 123);
    RestoreWindowPlacement(&unknown, "Never saved");
    EXPECT_EQ(unknown.size(), QSize(321, 123));
}
