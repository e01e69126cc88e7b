#include "app/MainSettings.h"
#include "app/ProgramFolders.h"
#include "common/TextFile.h"
#include "DiskSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
QString writeCfg(const QString &body)
{
    const QString path = makeTempDir() + "/Vorn.cfg";
    EXPECT_TRUE(WriteWholeTextFile(path, body));
    return path;
}
} // namespace

TEST(MainSettings, MissingFileGivesTheDefaults)
{
    const MainSettings s = MainSettings::Load(makeTempDir() + "/none.cfg");
    EXPECT_EQ(s.markGray, 100);
    EXPECT_FALSE(s.printMark);
    EXPECT_TRUE(s.printText);
    EXPECT_EQ(s.pauseText, "200");
    EXPECT_EQ(s.range, MainSettings::RangeAll);
    EXPECT_EQ(s.paperStart, "1");
    EXPECT_EQ(s.lottNumberEnd, "5");
    EXPECT_EQ(s.selectFile, "陕西－双色球.tzd");
}

TEST(MainSettings, LoadRules)
{
    struct Case {
        const char *body;
        std::function<void(const MainSettings &)> check;
    };
    const Case cases[] = {
        {"PRINTRANGE=3", [](const MainSettings &s) { EXPECT_EQ(s.range, MainSettings::RangeByStake); }},
        {"PRINTRANGE=x", [](const MainSettings &s) { EXPECT_EQ(s.range, MainSettings::RangeByStake); }},
        {"PRINTRANGE=2", [](const MainSettings &s) { EXPECT_EQ(s.range, MainSettings::RangeByPage); }},
        {"PRINT_PAUSE_ON=abc", [](const MainSettings &s) { EXPECT_EQ(s.pauseText, "200"); }},
        {"PRINT_PAUSE_ON=10*5", [](const MainSettings &s) { EXPECT_EQ(s.pauseText, "50"); }},
        {"MARKGRAY=", [](const MainSettings &s) { EXPECT_EQ(s.markGray, 100); }},
        {"MARKGRAY=250", [](const MainSettings &s) { EXPECT_EQ(s.markGray, 100); }},
        {"PAPEREND=", [](const MainSettings &s) { EXPECT_EQ(s.paperEnd, "0"); }},
        {"MARKGRAY=abc", [](const MainSettings &s) { EXPECT_EQ(s.markGray, 100); }},
        {"MARKGRAY=40", [](const MainSettings &s) { EXPECT_EQ(s.markGray, 40); }},
        {"PRINTMARK=true", [](const MainSettings &s) { EXPECT_FALSE(s.printMark); }},
        {"PRINTMARK=1", [](const MainSettings &s) { EXPECT_TRUE(s.printMark); }},
        {"PRINTTEXT=0", [](const MainSettings &s) { EXPECT_FALSE(s.printText); }},
        {"PAPERSTART=zz", [](const MainSettings &s) { EXPECT_EQ(s.paperStart, "0"); }},
        {"LOTTNUMBEREND=2.5", [](const MainSettings &s) { EXPECT_EQ(s.lottNumberEnd, "3"); }},
        {"SELECTFILE=七乐彩.tzd", [](const MainSettings &s) { EXPECT_EQ(s.selectFile, "七乐彩.tzd"); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.body);
        c.check(MainSettings::Load(writeCfg(QString("[MAIN]\r\n") + QString::fromUtf8(c.body) + "\r\n")));
    }
}

TEST(MainSettings, SaveWritesEveryKeyInOrderAndKeepsOtherSections)
{
    const QString path = writeCfg("[Import]\r\nIncludeIndex=2\r\n");
    MainSettings s;
    s.markGray = 35;
    s.printMark = true;
    s.pauseText = "10*2";
    s.range = MainSettings::RangeByPage;
    s.selectFile = "福彩3D.tzd";
    ASSERT_TRUE(s.Save(path));
    const TextReadResult r = ReadWholeTextFile(path);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "[Import]\r\nIncludeIndex=2\r\n[MAIN]\r\nMARKGRAY=35\r\nPRINTMARK=1\r\n"
                      "PRINTTEXT=1\r\nPRINT_PAUSE_ON=10*2\r\nPRINTRANGE=2\r\nPAPERSTART=1\r\n"
                      "PAPEREND=1\r\nLOTTNUMBERSTART=1\r\nLOTTNUMBEREND=5\r\nSELECTFILE=福彩3D.tzd\r\n");
    const MainSettings back = MainSettings::Load(path);
    EXPECT_EQ(back.pauseText, "20");
    EXPECT_EQ(back.markGray, 35);
    EXPECT_EQ(back.range, MainSettings::RangeByPage);
}

TEST(ProgramFolders, FoldersUnderTheProgramFolder)
{
    const ProgramFolders f = ProgramFolders::ForProgramFolder("/opt/vorn", "/home/u/Documents/");
    EXPECT_EQ(f.program, "/opt/vorn/");
    EXPECT_EQ(f.templates, "/opt/vorn/投注单文件/");
    EXPECT_EQ(f.scripts, "/opt/vorn/Script/");
    EXPECT_EQ(f.imageCur, "/opt/vorn/Image/Cur/");
    EXPECT_EQ(f.userData, "/home/u/Documents/VornPrn/");
    EXPECT_EQ(f.SettingsFile(), "/opt/vorn/Vorn.cfg");
    const QString deep = makeTempDir() + "/a/b/c";
    EXPECT_TRUE(EnsureFolder(deep));
    EXPECT_TRUE(QDir(deep).exists());
}

TEST(MainSettings, SaveOnAFullDiskKeepsEveryKeyAndForeignByteOfTheOldFile)
{
    const QString path = makeTempDir() + "/Vorn.cfg";
    const QByteArray old = "[MAIN]\r\nMARKGRAY=40\r\nSELECTFILE=a.tzd\r\n[Import]\r\nLastPath=/b\xff\r\n";
    PutFileBytes(path, old);
    MainSettings s = MainSettings::Load(path);
    s.markGray = 70;
    for (qint64 limit : {qint64(0), qint64(20), qint64(60)}) {
        DiskFullAfter full(limit);
        EXPECT_FALSE(s.Save(path)) << limit;
        EXPECT_EQ(FileBytes(path), old) << limit;
    }
    ASSERT_TRUE(s.Save(path));
    const QByteArray saved = FileBytes(path);
    EXPECT_TRUE(saved.contains("MARKGRAY=70\r\n"));
    EXPECT_TRUE(saved.endsWith("[Import]\r\nLastPath=/b\xff\r\n")) << "an untouched line keeps its bytes";
}
