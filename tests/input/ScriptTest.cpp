#include "InputTestSupport.h"
#include "TestSupport.h"
#include "common/PathFile.h"
#include "common/clsIniFile.h"
#include "input/BetImporter.h"
#include "input/BetList.h"
#include "input/clsScriptRunner.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QStringList Entries(const BetList &list)
{
    QStringList out;
    for (int row = 0; row < list.Count(); ++row)
        out << list.StakeIndex(row) + ':' + list.BetLine(row);
    return out;
}

QString shippedScript(const QString &name)
{
    return sourceDir() + "/resources/Script/" + name + ".cvb";
}

// A program folder with a script folder holding the given scripts.
struct ScriptFolder {
    ScriptFolder()
    {
        folders.ProgramFolder = makeTempDir() + '/';
        folders.ScriptFolder = folders.ProgramFolder + "Script/";
        QDir().mkpath(folders.ScriptFolder);
    }
    ScriptFolder(const QString &name, const QStringList &code) : ScriptFolder()
    {
        writeGbkFile(folders.ScriptFolder, name + ".cvb", code);
    }
    QString input(const QStringList &lines) const
    {
        return writeGbkFile(folders.ProgramFolder, "input.txt", lines);
    }
    ImportFolders folders;
};

// A script that never ends fails these tests within a minute instead of the 30-minute limit.
bool importWith(BetList &list, const ScriptFolder &sf, const QString &script, const QString &input)
{
    BetImporter importer(list, sf.folders);
    importer.setScriptTimeLimitMs(60000);
    importer.setMode(ImportMode::Special);
    importer.setScriptName(script);
    importer.setPathFile(input);
    return importer.ImportLottNumbers();
}

TEST(clsScriptValue, SetArrayReturnGrowsWithEmptyElements)
{
    clsScriptValue v;
    EXPECT_TRUE(v.GetArrayReturn().isEmpty());
    EXPECT_TRUE(v.SetArrayReturn(2, "c"));
    EXPECT_TRUE(v.SetArrayReturn(0, "a"));
    EXPECT_EQ(v.GetArrayReturn(), (QStringList{"a", "", "c"}));
    EXPECT_FALSE(v.SetArrayReturn(-1, "x"));
    EXPECT_FALSE(v.SetArrayReturn(clsScriptValue::kMaxOutputLines, "x"));
    EXPECT_EQ(v.GetArrayReturn().size(), 3);
}

TEST(clsScriptRunner, ScriptSeesTheInputWithCrLfAndObjOnly)
{
    ScriptedMsgBox box;
    clsScriptRunner runner;
    runner.setScriptCode("obj.SetArrayReturn 0, Len(obj.Source)\r\n"
                         "obj.SetArrayReturn 1, Replace(obj.Source, vbCrLf, \"|\")\r\n"
                         "obj.Result = \"spare\"");
    ASSERT_TRUE(runner.RunScript(QStringLiteral("01 02\r\n红\r\n")));
    EXPECT_EQ(runner.ScriptValue().GetArrayReturn(), (QStringList{"10", QStringLiteral("01 02|红|")}));
    EXPECT_EQ(runner.ScriptValue().Result(), "spare");

    runner.setScriptCode("SetArrayReturn 0, \"1\"");
    EXPECT_FALSE(runner.RunScript(QString()));
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_TRUE(box.shown()[0].text.startsWith(QStringLiteral("执行代码错误:")));
}

struct FailingScript {
    const char *name;
    const char *code;
};

class ScriptFailure : public ::testing::TestWithParam<FailingScript> {};

// Syntax errors, run-time errors and endless loops all stop the import with the engine's
// description after "执行代码错误:".
TEST_P(ScriptFailure, StopsTheImportWithTheEnginesDescription)
{
    ScriptedMsgBox box;
    ScriptFolder sf("bad", QString::fromUtf8(GetParam().code).split('\n'));
    BetList list;
    list.Append(1, "01");
    BetImporter importer(list, sf.folders);
    importer.setMode(ImportMode::Special);
    importer.setScriptName("bad");
    importer.setPathFile(sf.input({"1 2 3"}));
    importer.setScriptTimeLimitMs(300);
    EXPECT_FALSE(importer.ImportLottNumbers());
    EXPECT_EQ(list.Count(), 1); // the list as it was before the import
    ASSERT_EQ(box.shown().size(), 1u);
    const QString text = box.shown()[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("执行代码错误:"))) << text.toStdString();
    EXPECT_GT(text.size(), QStringLiteral("执行代码错误:").size());
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptFailure,
    ::testing::Values(FailingScript{"Syntax", "If Then\nEnd"},
                      FailingScript{"RunTime", "Dim a\na = 1 / 0\nobj.SetArrayReturn 0, a"},
                      FailingScript{"NegativeIndex", "obj.SetArrayReturn -1, \"1 2 3\""},
                      FailingScript{"EndlessLoop", "Do\nLoop"},
                      FailingScript{"DeepRecursion", "Sub R()\nR\nEnd Sub\nR"}),
    [](const auto &info) { return std::string(info.param.name); });

// The window's progress handler for the length of a test, recording what it was told.
struct RecordedProgress {
    explicit RecordedProgress(int stopAtQuestion) : stopAt(stopAtQuestion)
    {
        previous = SetScriptProgressHandler([this](bool finished) {
            (finished ? ends : questions)++;
            return finished || questions < stopAt;
        });
    }
    ~RecordedProgress() { SetScriptProgressHandler(std::move(previous)); }
    int stopAt;
    int questions = 0;
    int ends = 0;
    ScriptProgressHandler previous;
};

// Stopped by the user, a script ends the import quietly and leaves the list as it was; either
// way the handler hears once that the run ended.
TEST(ScriptImport, StoppedFromTheWindowLeavesTheListWithoutAMessage)
{
    ScriptedMsgBox box;
    RecordedProgress progress(2);
    ScriptFolder sf("spin", {"Do", "Loop"});
    BetList list;
    list.Append(1, "01");
    EXPECT_FALSE(importWith(list, sf, "spin", sf.input({"1 2 3"})));
    EXPECT_EQ(progress.questions, 2);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_TRUE(box.shown().empty()) << box.texts().join('|').toStdString();
    EXPECT_EQ(Entries(list), QStringList{"1:01"});
}

TEST(ScriptImport, AFinishedRunTellsTheProgressHandlerOnce)
{
    RecordedProgress progress(1000000);
    ScriptFolder sf("one", {"For i = 1 To 100000: x = x + i: Next", "obj.SetArrayReturn 0, \"1,2,3\""});
    BetList list;
    EXPECT_TRUE(importWith(list, sf, "one", sf.input({"x"})));
    EXPECT_GE(progress.questions, 1);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(list.Count(), 1);
}

TEST(ScriptImport, ASingleLineAtIndexTwoGetsStakeIndexThree)
{
    ScriptFolder sf("one", {"obj.SetArrayReturn 2, \"3,8,14,20,27,33+16\""});
    BetList list;
    EXPECT_TRUE(importWith(list, sf, "one", sf.input({"x"})));
    EXPECT_EQ(Entries(list), QStringList{"3:03 08 14 20 27 33 16"});
}

TEST(ScriptImport, ScriptLinesNeverTakeAnIndexOfTheirOwn)
{
    // Even with the index option remembered, script output is read without an index.
    ScriptFolder sf("idx", {"obj.SetArrayReturn 0, \"1,05,12,23\""});
    BetList list;
    EXPECT_TRUE(importWith(list, sf, "idx", sf.input({"x"})));
    EXPECT_EQ(Entries(list), QStringList{"1:01 05 12 23"});
}

TEST(ScriptImport, NothingStoredFailsWithItsMessage)
{
    ScriptedMsgBox box;
    ScriptFolder sf("silent", {"Dim x", "x = obj.Source"});
    BetList list;
    EXPECT_FALSE(importWith(list, sf, "silent", sf.input({"1 2 3"})));
    EXPECT_EQ(box.texts(), QStringList{QStringLiteral("运行转换脚本没有得到输出结果!")});
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
}

// A missing script is named as the user chose it, not as a path the user never typed.
TEST(ScriptImport, MissingScriptAsksForAnotherChoiceAndLeavesTheList)
{
    ScriptedMsgBox box;
    ScriptFolder sf;
    BetList list;
    list.Append(5, "01 02");
    EXPECT_FALSE(importWith(list, sf, "没有的脚本", sf.input({"1 2 3"})));
    ASSERT_EQ(box.texts(), QStringList{QStringLiteral("没有找到转换脚本 没有的脚本，请重新选择彩票软件！")});
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
    EXPECT_EQ(list.Count(), 1);
}

TEST(ScriptImport, OnlyEmptyOutputLinesGiveNoOutputAndLeaveTheList)
{
    ScriptedMsgBox box;
    ScriptFolder sf("blank", {"obj.SetArrayReturn 2, \"--\""});
    BetList list;
    list.Append(5, "01 02");
    EXPECT_FALSE(importWith(list, sf, "blank", sf.input({"1 2 3"})));
    EXPECT_EQ(box.texts(), QStringList{QStringLiteral("运行转换脚本没有得到输出结果!")});
    EXPECT_EQ(list.Count(), 1);
}

// The shell-open handler is a plain function: it records into a global.
QStringList g_opened;
int RecordOpen(const QString &path, const QString &)
{
    g_opened << path;
    return 33;
}

TEST(TestAction, WritesDebugOutReplacingTheOldOneAndLeavesTheListAlone)
{
    ScriptedMsgBox box;
    g_opened.clear();
    const ShellOpenHandler previous = SetShellOpenHandler(&RecordOpen);
    ScriptFolder sf("two", {"obj.SetArrayReturn 0, \"红\"", "obj.SetArrayReturn 2, obj.Source"});
    const QString out = sf.folders.DebugOutPathFile();
    writeBytes(sf.folders.ProgramFolder, "debugout.txt", QByteArray(500, 'o'));
    BetList list;
    list.Append(7, "07");
    BetImporter importer(list, sf.folders);
    importer.setMode(ImportMode::NotIncludeIndex); // the test runs the script whatever the mode
    importer.setScriptName("two");
    importer.setPathFile(sf.input({"a"}));
    EXPECT_TRUE(importer.Test());
    SetShellOpenHandler(previous);

    EXPECT_EQ(readBytes(out), QByteArray("\xBA\xEC\r\n\r\na\r\n\r\n"));
    EXPECT_EQ(box.texts(), QStringList{QStringLiteral(
                               "该按钮仅供具有脚本开发能力的用户使用, 可以开发针对某种特殊格式的转换脚本, "
                               "测试转换脚本输出文件保存到: \r\n[%1]")
                                           .arg(out)});
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Information);
    EXPECT_EQ(g_opened, QStringList{out});
    EXPECT_EQ(Entries(list), QStringList{"7:07"});
    clsIniFile ini;
    ini.setFileName(sf.folders.SettingsPathFile());
    EXPECT_EQ(ini.ReadString("Import", "SpecialScript", ""), "two");
    EXPECT_EQ(ini.ReadString("Import", "IncludeIndex", ""), "0");
}

TEST(TestAction, AFailingScriptWritesNothing)
{
    ScriptedMsgBox box;
    ScriptFolder sf("bad", {"x = ("});
    BetList list;
    BetImporter importer(list, sf.folders);
    importer.setScriptName("bad");
    importer.setPathFile(sf.input({"a"}));
    EXPECT_FALSE(importer.Test());
    EXPECT_FALSE(QFile::exists(sf.folders.DebugOutPathFile()));
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_TRUE(box.shown()[0].text.startsWith(QStringLiteral("执行代码错误:")));
}

// The conversion scripts we ship, each pinned on an input of its own.
struct SampleScriptCase {
    const char *name;
    const char16_t *script;
    std::vector<const char16_t *> input;
    std::vector<const char16_t *> output;
};

void PrintTo(const SampleScriptCase &c, std::ostream *os) { *os << c.name; }

class SampleScript : public ::testing::TestWithParam<SampleScriptCase> {};

TEST_P(SampleScript, GivesItsOutputLines)
{
    ScriptedMsgBox box;
    const SampleScriptCase &c = GetParam();
    QStringList input;
    for (const char16_t *line : c.input)
        input << QString::fromUtf16(line);
    QStringList expected;
    for (const char16_t *line : c.output)
        expected << QString::fromUtf16(line);
    QStringList lines;
    ASSERT_TRUE(RunConversionScript(shippedScript(QString::fromUtf16(c.script)),
                                    writeGbkFile(makeTempDir(), "in.txt", input), &lines));
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(box.shown().empty()) << box.texts().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, SampleScript,
    ::testing::Values(
        SampleScriptCase{"Label",
                         u"冒号标签格式",
                         {u"双色球投注单", u"第1注:03 07 12 19 25 31+09", u"单式：1,5,12,19,23,31+16", u"",
                          u"没有冒号 01 02 03", u"第4注:"},
                         {u"", u"03 07 12 19 25 31 09", u"1,5,12,19,23,31 16"}},
        SampleScriptCase{"Multiple",
                         u"复式展开",
                         {u"01 02 03 04 05 06 07+08 09", u"01 02 03 04 05+06", u"10,11，12 13 14 15+16"},
                         {u"01 02 03 04 05 06 08", u"01 02 03 04 05 06 09", u"01 02 03 04 05 07 08",
                          u"01 02 03 04 05 07 09", u"01 02 03 04 06 07 08", u"01 02 03 04 06 07 09",
                          u"01 02 03 05 06 07 08", u"01 02 03 05 06 07 09", u"01 02 04 05 06 07 08",
                          u"01 02 04 05 06 07 09", u"01 03 04 05 06 07 08", u"01 03 04 05 06 07 09",
                          u"02 03 04 05 06 07 08", u"02 03 04 05 06 07 09", u"10 11 12 13 14 15 16"}},
        SampleScriptCase{"Multiplier",
                         u"倍数展开",
                         {u"03 07 12 19 25 31+09 x3", u"01 02 03 04 05 06+07", u"",
                          u"01 02 03 04 05 06+08 ×0", u"01 02 03 04 05 06+09 X2", u"01 02 03 04 05 06+10 x"},
                         {u"03 07 12 19 25 31+09", u"03 07 12 19 25 31+09", u"03 07 12 19 25 31+09",
                          u"01 02 03 04 05 06+07", u"01 02 03 04 05 06+09", u"01 02 03 04 05 06+09",
                          u"01 02 03 04 05 06+10 x"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SampleScript, MultiplierCapsAt99)
{
    QStringList lines;
    ASSERT_TRUE(RunConversionScript(shippedScript(QStringLiteral("倍数展开")),
                                    writeGbkFile(makeTempDir(), "in.txt", {"01 02 03 x500"}), &lines));
    EXPECT_EQ(lines.size(), 99);
}

// Each sample input of samples/ through its script and the import: stake counts and ends.
struct SampleFileCase {
    const char16_t *script;
    const char16_t *file;
    int count;
    const char16_t *first;
    const char16_t *last;
};

class SampleFile : public ::testing::TestWithParam<SampleFileCase> {};

TEST_P(SampleFile, ImportsThroughItsScript)
{
    ScriptedMsgBox box;
    const SampleFileCase &c = GetParam();
    ImportFolders folders;
    folders.ProgramFolder = makeTempDir() + '/';
    folders.ScriptFolder = sourceDir() + "/resources/Script/";
    BetList list;
    BetImporter importer(list, folders);
    importer.setMode(ImportMode::Special);
    importer.setScriptName(QString::fromUtf16(c.script));
    importer.setPathFile(sourceDir() + "/samples/" + QString::fromUtf16(c.file));
    ASSERT_TRUE(importer.ImportLottNumbers());
    ASSERT_EQ(list.Count(), c.count);
    EXPECT_EQ(list.StakeIndex(0) + ':' + list.BetLine(0), QString::fromUtf16(c.first));
    EXPECT_EQ(list.StakeIndex(c.count - 1) + ':' + list.BetLine(c.count - 1), QString::fromUtf16(c.last));
    EXPECT_TRUE(box.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Samples, SampleFile,
    ::testing::Values(SampleFileCase{u"冒号标签格式", u"脚本输入-冒号标签.txt", 200,
                                     u"3:13 16 17 18 21 27 05", u"202:11 13 17 18 22 30 16"},
                      SampleFileCase{u"复式展开", u"脚本输入-复式.txt", 1273,
                                     u"1:08 09 10 16 18 24 01", u"1273:18 20 26 28 30 33 13"},
                      SampleFileCase{u"倍数展开", u"脚本输入-倍数.txt", 360,
                                     u"1:02 05 08 16 22 25 08", u"360:01 05 20 22 25 31 05"}));
} // namespace
