#include "InputTestSupport.h"
#include "DiskSupport.h"
#include "TestSupport.h"
#include "common/clsIniFile.h"
#include "input/BetImporter.h"
#include "input/BetList.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QString fixture(const QString &name) { return testDataPath("input/" + name); }

QStringList Entries(const BetList &list)
{
    QStringList out;
    for (int row = 0; row < list.Count(); ++row)
        out << list.StakeIndex(row) + ':' + list.BetLine(row);
    return out;
}

// A program folder of its own per test, with an empty script folder.
struct ProgramFolder {
    ProgramFolder()
    {
        folders.ProgramFolder = makeTempDir() + '/';
        folders.ScriptFolder = folders.ProgramFolder + "Script/";
        folders.UserDataFolder = "/home/user/文档/VornPrn/";
        QDir().mkpath(folders.ScriptFolder);
    }
    QString Cfg() const { return folders.SettingsPathFile(); }
    QString Read(const QString &key) const
    {
        clsIniFile ini;
        ini.setFileName(Cfg());
        return ini.ReadString("Import", key, "<missing>");
    }
    void Write(const QString &key, const QString &value) const
    {
        clsIniFile ini;
        ini.setFileName(Cfg());
        ini.WriteString("Import", key, value);
    }
    ImportFolders folders;
};

BetList &ListWithOldContent(BetList &list)
{
    list.Append(99, "01 02 03");
    return list;
}

TEST(ImportLottNumbers, EmptyLinesUseUpTheirStakeIndex)
{
    ProgramFolder pf;
    BetList list;
    BetImporter importer(ListWithOldContent(list), pf.folders);
    importer.setPathFile(fixture("标准-第三行空.txt"));
    EXPECT_TRUE(importer.ImportLottNumbers());
    EXPECT_EQ(Entries(list), (QStringList{"1:01 05 12 19 23 31 09", "2:03 08 14 20 27 33 16",
                                          "4:02 04 06 08 10 12 01"}));
}

TEST(ImportLottNumbers, IndexModeDropsTheFilesOwnIndex)
{
    ProgramFolder pf;
    BetList list;
    BetImporter importer(list, pf.folders);
    importer.setPathFile(fixture("标准-含注序号.txt"));
    importer.setMode(ImportMode::IncludeIndex);
    EXPECT_TRUE(importer.ImportLottNumbers());
    EXPECT_EQ(Entries(list), (QStringList{"1:03 07 12 19 25 31 09", "2:01 02 03 04 05 06 07",
                                          "3:01 02 03"}));
}

TEST(ImportLottNumbers, GbkTextPassesThrough)
{
    ProgramFolder pf;
    BetList list;
    BetImporter importer(list, pf.folders);
    importer.setPathFile(fixture("标准-汉字.txt"));
    EXPECT_TRUE(importer.ImportLottNumbers());
    EXPECT_EQ(Entries(list), (QStringList{QStringLiteral("1:05 红 12 23"), QStringLiteral("2:第 1 注"),
                                          QStringLiteral("3:　08 09 10")}));
}

struct FailureCase {
    const char *name;
    QByteArray bytes;        // the file's content; a null array for a missing file
    const char16_t *message; // what the one message box shows after "PATH:" or "文件 PATH "
};

class ImportFailure : public ::testing::TestWithParam<FailureCase> {};

// A failed standard import says why, reports false, and leaves the list as it was.
TEST_P(ImportFailure, LeavesTheListAsItWas)
{
    ScriptedMsgBox box;
    ProgramFolder pf;
    BetList list;
    BetImporter importer(ListWithOldContent(list), pf.folders);
    const QString file = pf.folders.ProgramFolder + "bets.txt";
    if (!GetParam().bytes.isNull())
        writeBytes(pf.folders.ProgramFolder, "bets.txt", GetParam().bytes);
    importer.setPathFile(file);
    EXPECT_FALSE(importer.ImportLottNumbers());
    EXPECT_EQ(Entries(list), QStringList{"99:01 02 03"});
    ASSERT_EQ(box.shown().size(), 1u);
    const QString text = box.shown()[0].text;
    EXPECT_TRUE(text.startsWith(file + ":") || text.startsWith(QStringLiteral("文件 ") + file))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(QString::fromUtf16(GetParam().message))) << text.toStdString();
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
}

QByteArray MostlyNuls()
{
    QByteArray bytes = "01 02 03\r\n";
    bytes += QByteArray(200, '\0');
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportFailure,
    ::testing::Values(FailureCase{"Missing", QByteArray(), u"文件不存在。"},
                      FailureCase{"Binary", MostlyNuls(), u"文件中含有二进制数据，不是文本文件。"},
                      FailureCase{"Empty", QByteArray(""), u"是空的，没有可导入的投注号码！"},
                      FailureCase{"SeparatorsOnly", QByteArray("\r\n---\r\n , \r\n"),
                                  u"中没有可导入的投注号码！"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ImportSettings, ReadWithDefaultsAndModeMapping)
{
    ProgramFolder pf;
    ImportSettings s = ReadImportSettings(pf.Cfg(), pf.folders.UserDataFolder);
    EXPECT_EQ(s.LastPath, pf.folders.UserDataFolder);
    EXPECT_EQ(s.LastPathFile, QString());
    EXPECT_EQ(s.Mode, ImportMode::NotIncludeIndex);
    EXPECT_EQ(s.SpecialScript, QStringLiteral("请选择彩票软件..."));

    const std::pair<const char *, ImportMode> modes[] = {
        {"1", ImportMode::IncludeIndex}, {"2", ImportMode::Special},
        {"1+1", ImportMode::Special},    {"3", ImportMode::NotIncludeIndex},
        {"abc", ImportMode::NotIncludeIndex}, {"-1", ImportMode::NotIncludeIndex}};
    for (const auto &[text, mode] : modes) {
        pf.Write("IncludeIndex", text);
        EXPECT_EQ(ReadImportSettings(pf.Cfg(), "").Mode, mode) << text;
    }
}

TEST(ImportSettings, PathsAreReadUpTo499Characters)
{
    ProgramFolder pf;
    const QString longPath = "/" + QString(600, 'p');
    pf.Write("LastPathFile", longPath);
    pf.Write("SpecialScript", QString(2500, 's'));
    const ImportSettings s = ReadImportSettings(pf.Cfg(), "");
    EXPECT_EQ(s.LastPathFile, longPath.left(499));
    EXPECT_EQ(s.SpecialScript, QString(1999, 's'));
}

TEST(ImportSettings, SavedTogetherOrNotAtAllOnAFullDisk)
{
    ProgramFolder pf;
    pf.Write("LastPathFile", QStringLiteral("\u3000/bets/a.txt"));
    EXPECT_EQ(ReadImportSettings(pf.Cfg(), "").LastPathFile, QStringLiteral("\u3000/bets/a.txt"))
        << "a full-width space is part of the path";
    const ImportSettings before = ReadImportSettings(pf.Cfg(), "");
    {
        DiskFullAfter full(10);
        EXPECT_FALSE(SaveImportSettings(pf.Cfg(), "/new.txt", ImportMode::Special, "x"));
    }
    const ImportSettings after = ReadImportSettings(pf.Cfg(), "");
    EXPECT_EQ(after.LastPathFile, before.LastPathFile);
    EXPECT_EQ(after.Mode, before.Mode);
    EXPECT_EQ(after.SpecialScript, before.SpecialScript);
}

TEST(BetImporterDialog, LoadTakesTheRememberedState)
{
    ScriptedMsgBox box;
    ProgramFolder pf;
    pf.Write("LastPathFile", "/data/bets.txt");
    pf.Write("IncludeIndex", "2");
    pf.Write("SpecialScript", "不存在的脚本");
    writeBytes(pf.folders.ScriptFolder, "b.cvb", "");
    BetList list;
    BetImporter importer(list, pf.folders);
    QStringList scripts;
    importer.Load(&scripts);
    EXPECT_EQ(importer.PathFile(), "/data/bets.txt");
    EXPECT_EQ(importer.Mode(), ImportMode::Special);
    EXPECT_EQ(importer.ScriptName(), QStringLiteral("不存在的脚本"));
    EXPECT_EQ(scripts, QStringList{"b"});
    EXPECT_EQ(importer.ScriptPathFile(), pf.folders.ScriptFolder + QStringLiteral("不存在的脚本.cvb"));
    EXPECT_TRUE(box.shown().empty());
}

TEST(BetImporterDialog, OkWithAnEmptyPathAsksForAFileAndBrowses)
{
    ScriptedMsgBox box;
    ProgramFolder pf;
    BetList list;
    ListWithOldContent(list);
    BetImporter importer(list, pf.folders);
    importer.setPathFile("   ");
    int browsed = 0;
    EXPECT_FALSE(importer.Ok([&] { ++browsed; }));
    EXPECT_EQ(browsed, 1);
    EXPECT_EQ(box.texts(), QStringList{QStringLiteral("请选择文件！")});
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Plain);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_FALSE(QFile::exists(pf.Cfg()));
}

TEST(BetImporterDialog, OkSavesTheChoicesThenImports)
{
    ProgramFolder pf;
    BetList list;
    BetImporter importer(list, pf.folders);
    importer.setPathFile(fixture("标准-含注序号.txt"));
    importer.setMode(ImportMode::IncludeIndex);
    importer.setScriptName("某软件");
    EXPECT_TRUE(importer.Ok({}));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(pf.Read("LastPathFile"), fixture("标准-含注序号.txt"));
    EXPECT_EQ(pf.Read("IncludeIndex"), "1");
    EXPECT_EQ(pf.Read("SpecialScript"), QStringLiteral("某软件"));
    EXPECT_EQ(pf.Read("LastPath"), "<missing>");
}

TEST(BetImporterDialog, BrowseRemembersTheFolderWithItsSeparator)
{
    ProgramFolder pf;
    BetList list;
    BetImporter importer(list, pf.folders);
    EXPECT_EQ(importer.LastPath(), pf.folders.UserDataFolder);
    importer.BrowseChosen("/data/彩票/bets.txt");
    EXPECT_EQ(importer.PathFile(), QStringLiteral("/data/彩票/bets.txt"));
    EXPECT_EQ(importer.LastPath(), QStringLiteral("/data/彩票/"));
}

TEST(ShowMe_Background, ImportsWithTheRememberedModeAndWritesNothing)
{
    ProgramFolder pf;
    writeBytes(pf.folders.ScriptFolder, "a.cvb", "");
    pf.Write("IncludeIndex", "1");
    pf.Write("LastPathFile", "/old/path.txt");
    const QByteArray before = readBytes(pf.Cfg());
    BetList list;
    EXPECT_TRUE(ShowMe_Background(list, fixture("标准-含注序号.txt"), pf.folders));
    EXPECT_EQ(list.BetLine(2), "01 02 03");
    EXPECT_EQ(readBytes(pf.Cfg()), before);
}

TEST(ShowMe_Background, ReturnsTrueEvenWhenTheImportFails)
{
    ScriptedMsgBox box;
    ProgramFolder pf;
    BetList list;
    EXPECT_TRUE(ShowMe_Background(list, pf.folders.ProgramFolder + "none.txt", pf.folders));
    EXPECT_EQ(list.Count(), 0);
    // The empty script folder is reported on load, then the missing file.
    ASSERT_EQ(box.shown().size(), 2u);
    EXPECT_EQ(box.shown()[0].text,
              QStringLiteral("未在 [%1] 目录找到任何的转换脚本文件!").arg(pf.folders.ScriptFolder));
}

TEST(ListScriptFiles, SortsByCodeUnitsAndDropsTheExtension)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir() + '/';
    for (const char *name : {"b.cvb", "B.cvb", "中文.cvb", "a b.cvb", "Z.CVB", "x.txt", "cvb"})
        writeBytes(dir, QString::fromUtf8(name), "");
    QDir().mkpath(dir + "folder.cvb");
    QStringList names;
    EXPECT_TRUE(ListScriptFiles(dir, &names));
    EXPECT_EQ(names, (QStringList{"B", "Z", "a b", "b", QStringLiteral("中文")}));
    EXPECT_TRUE(box.shown().empty());
}

TEST(ListScriptFiles, EmptyOrMissingFolderIsReportedEveryTime)
{
    ScriptedMsgBox box;
    const QString missing = makeTempDir() + "/Script/";
    QStringList names{"kept"};
    EXPECT_FALSE(ListScriptFiles(missing, &names));
    EXPECT_FALSE(ListScriptFiles(missing, &names));
    EXPECT_EQ(names, QStringList{"kept"});
    const QString text = QStringLiteral("未在 [%1] 目录找到任何的转换脚本文件!").arg(missing);
    EXPECT_EQ(box.texts(), (QStringList{text, text}));
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
}
} // namespace
