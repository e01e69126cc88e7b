#include "storage/clsPLStoreINI.h"
#include "storage/clsMouseCtrl.h"

#include "TestSupport.h"
#include "common/DesignScale.h"
#include "common/AtomicFile.h"
#include "common/TextFile.h"
#include "DiskSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
QString fixture(const QString &name) { return testDataPath("templates/" + name); }

// Loads a file into a new template.
struct Loaded {
    bool ok;
    colPLControls t;
};
Loaded load(const QString &path)
{
    Loaded l;
    l.ok = clsPLStoreINI().LoadFromINI(path, l.t);
    return l;
}
} // namespace

TEST(clsPLStoreINI, HandWrittenFileLoadsToExactlyItsValues)
{
    const QString path = fixture("four_kinds.tzd");
    Loaded l = load(path);
    ASSERT_TRUE(l.ok);
    const colPLControls &t = l.t;
    EXPECT_EQ(t.PathFile(), path);
    EXPECT_EQ(t.PackNameNoUse(), "样例包");
    EXPECT_EQ(t.LayoutName(), "测试－双色球");
    EXPECT_EQ(t.LayoutLeft(), 1.5);
    EXPECT_EQ(t.LayoutTop(), -2.25);
    EXPECT_EQ(t.MarkStyle(), 1);
    EXPECT_EQ(t.LottNumberWidth(), 3.2);
    EXPECT_EQ(t.LottNumberHeight(), 1.6);
    EXPECT_EQ(t.StakeLocateOffsetStrX(), "0, 28.5, 57, 85.5, 114");
    EXPECT_EQ(t.StakeCountPerTicket(), 5);
    EXPECT_EQ(t.GroupCount(), 2);
    EXPECT_EQ(t.BackPicPathFile(), QFileInfo(path).absolutePath() + "/slip.bmp");
    EXPECT_EQ(t.BackPicTop(), 0.5);
    EXPECT_EQ(t.BackPicHeight(), 82.5);
    EXPECT_EQ(t.PaperWidth(), 11906.0f);
    EXPECT_EQ(t.PaperSize(), 9);
    EXPECT_EQ(t.PaperOrientation(), 1);
    EXPECT_EQ(t.PaperMarginLeft(), 283.5f);
    EXPECT_EQ(t.PaperRowSpace(), 4);
    EXPECT_EQ(t.PaperFooterText(), "页脚");
    EXPECT_EQ(t.IsPrintBodyLine(), 1);
    ASSERT_EQ(t.Count(), 4);

    const clsPLControl &block = t.Item("Albl1");
    EXPECT_EQ(block.FieldValue(), "07");
    EXPECT_EQ(block.Top(), 16.1234567890123);
    EXPECT_EQ(block.BackColor(), GetGroupColor("1"));
    EXPECT_FALSE(block.IsAllowResize());
    EXPECT_TRUE(t.Item(2).IsAlwaysPrint());

    const clsPLControl &label = t.Item(3);
    EXPECT_EQ(label.FieldValue(), "{页码}");
    EXPECT_EQ(label.Top(), 64.25);
    EXPECT_EQ(label.BorderStyle(), 1);
    EXPECT_EQ(label.BackColor(), 16777215);
    EXPECT_EQ(label.ForeColor(), 255);
    EXPECT_EQ(label.ZorderSeq(), 3);
    EXPECT_EQ(label.SpaceBetweenChar(), 0.5);
    EXPECT_EQ(label.FormatString(), "#0.0");
    EXPECT_EQ(label.FontName(), "宋体");
    EXPECT_EQ(label.FontBold(), -1);
    EXPECT_EQ(label.FontSize(), 10.5);
    EXPECT_EQ(label.FontStrikethru(), -1);
    EXPECT_EQ(label.Alignment(), 2);
    EXPECT_EQ(label.TempIndex(), 0);
    EXPECT_TRUE(label.IsAllowResize());

    const clsPLControl &line = t.Item("ALINE1");
    EXPECT_EQ(line.Width(), -5.0);
    EXPECT_EQ(line.BorderStyle(), 2);
    EXPECT_EQ(line.ForeColor(), -2147483640);
    EXPECT_EQ(line.BorderWidth(), 1);
    EXPECT_EQ(line.BorderColor(), 8421504);
}

TEST(clsPLStoreINI, SavingALoadedFileGivesItsBytesBack)
{
    Loaded l = load(fixture("four_kinds.tzd"));
    ASSERT_TRUE(l.ok);
    const QString out = makeTempDir() + "/copy.tzd";
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(out, l.t));
    EXPECT_EQ(l.t.PathFile(), out);
    EXPECT_EQ(FileBytes(out), FileBytes(fixture("four_kinds.tzd")));
}

TEST(clsPLStoreINI, SaveLoadSaveIsStableForValuesBuiltInMemory)
{
    colPLControls t;
    t.setLayoutName("体彩－超级大乐透");
    t.setLayoutLeft(0.1 + 0.2);
    t.setBackPicWidth(1.0 / 3.0);
    t.setPaperWidth(1.0f / 3.0f);
    t.setStakeLocateOffsetStrY(QStringLiteral("0，14"));
    clsPLControl c;
    c.setKeyName("lbl1");
    c.setControlType("Label");
    c.setShowType("NormalLable");
    c.setFieldValue("{注序号}");
    c.setLeft(2.0 / 3.0);
    c.setFontSize(1e-7);
    c.setBackColor(-2147483643);
    t.Add(c);

    const QString dir = makeTempDir();
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(dir + "/a.tzd", t));
    Loaded back = load(dir + "/a.tzd");
    ASSERT_TRUE(back.ok);
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(dir + "/b.tzd", back.t));
    EXPECT_EQ(FileBytes(dir + "/a.tzd"), FileBytes(dir + "/b.tzd"));
    EXPECT_EQ(back.t.Item(1).FieldValue(), "{注序号}");
    EXPECT_EQ(back.t.Item(1).BackColor(), -2147483643);
    EXPECT_EQ(back.t.StakeLocateOffsetStrY(), "0,14");
}

TEST(clsPLStoreINI, FileIsGbkWithCrLfAndNoByteOrderMark)
{
    colPLControls t;
    t.setLayoutName("测试－双色球");
    const QString path = makeTempDir() + "/gbk.tzd";
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(path, t));
    const QByteArray bytes = FileBytes(path);
    EXPECT_TRUE(bytes.startsWith("[Base]\r\nPackName=\r\nLayoutName=\xB2\xE2\xCA\xD4\xA3\xAD"
                                 "\xCB\xAB\xC9\xAB\xC7\xF2\r\n"));
    EXPECT_TRUE(bytes.endsWith("ControlCount=0\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 32);
    EXPECT_EQ(bytes.count("\n"), 32);
}

TEST(clsPLStoreINI, HandWrittenFileWithLfAndMixedCaseLoadsByTheReadingRules)
{
    QString reason;
    Loaded l;
    l.ok = clsPLStoreINI().LoadFromINI(fixture("messy_lf.tzd"), l.t, &reason);
    // Its element sections are sketches, not what a writer writes: read as damaged, after Base.
    EXPECT_FALSE(l.ok);
    EXPECT_EQ(reason, "元素节 [Controls1] 缺少 GroupID");
    EXPECT_EQ(l.t.LayoutName(), "乱序模板");
    EXPECT_EQ(l.t.LayoutLeft(), 2.5) << "the first of two keys wins";
    EXPECT_EQ(l.t.LottNumberWidth(), 3.0);
    EXPECT_EQ(l.t.LottNumberHeight(), 1.5);
    EXPECT_EQ(l.t.StakeLocateOffsetStrX(), "0,27,54");
    EXPECT_EQ(l.t.StakeCountPerTicket(), 3);
    EXPECT_EQ(l.t.GroupLottNumberCountStr(), "5,2");
    EXPECT_EQ(l.t.MarkStyle(), 2);
    EXPECT_EQ(l.t.PaperSize(), 4);
    EXPECT_EQ(l.t.Count(), 0) << "no element is made up from a partial or missing section";
}

TEST(clsPLStoreINI, FileWithUtf8ByteOrderMarkIsReadAsUtf8)
{
    Loaded l = load(fixture("utf8_bom.tzd"));
    ASSERT_TRUE(l.ok);
    EXPECT_EQ(l.t.LayoutName(), "七乐彩（UTF-8）");
    ASSERT_EQ(l.t.Count(), 1);
    EXPECT_EQ(l.t.Item(1).FieldValue(), "30");
}

TEST(clsPLStoreINI, MissingEmptyAndBinaryFilesLoadWithoutACrash)
{
    const QString dir = makeTempDir();
    Loaded missing = load(dir + "/none.tzd");
    EXPECT_TRUE(missing.ok);
    EXPECT_EQ(missing.t.PathFile(), dir + "/none.tzd");
    EXPECT_EQ(missing.t.LottNumberWidth(), 3.0);
    EXPECT_EQ(missing.t.StakeCountPerTicket(), 5);

    PutFileBytes(dir + "/empty.tzd", "");
    EXPECT_TRUE(load(dir + "/empty.tzd").ok);

    QByteArray binary;
    quint32 x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1103515245u + 12345u;
        binary += char(x >> 23);
    }
    binary.insert(5000, "\r\n[Base]\r\nControlCount=2\r\n");
    PutFileBytes(dir + "/binary.tzd", binary);
    Loaded b = load(dir + "/binary.tzd");
    EXPECT_LE(b.t.Count(), 2);

    EXPECT_TRUE(load(dir).ok) << "a folder reads like a missing file";
}

TEST(clsPLStoreINI, FileCutInTheMiddleOfASectionIsReportedAndKeepsTheWholeElements)
{
    QByteArray bytes = FileBytes(fixture("four_kinds.tzd"));
    bytes.truncate(bytes.indexOf("BackColor=16777215") + int(strlen("BackColor=16777")));
    const QString path = makeTempDir() + "/cut.tzd";
    PutFileBytes(path, bytes);
    QString reason;
    Loaded l;
    l.ok = clsPLStoreINI().LoadFromINI(path, l.t, &reason);
    EXPECT_FALSE(l.ok);
    EXPECT_EQ(reason, "元素节 [Controls3] 缺少 ForeColor");
    ASSERT_EQ(l.t.Count(), 2) << "the cut element and the missing one are not made up";
    Loaded whole = load(fixture("four_kinds.tzd"));
    EXPECT_EQ(l.t.Item(2).KeyName(), whole.t.Item(2).KeyName());
}

TEST(clsPLStoreINI, SaveIntoAFolderThatCannotBeWrittenRecordsWhyAndShowsNothing)
{
    const QString dir = makeTempDir();
    PutFileBytes(dir + "/plain", "x");
    const QString paths[] = {dir + "/no/such/folder/a.tzd", dir + "/plain/a.tzd"};
    for (const QString &path : paths) {
        ScriptedMsgBox box;
        colPLControls t;
        EXPECT_FALSE(clsPLStoreINI().SaveToINI_Fast(path, t));
        EXPECT_TRUE(box.shown().empty()) << "the window that saves shows the reason, once";
        EXPECT_EQ(LastSaveFailureText(), QStringLiteral("保存文件 %1 失败：文件夹不存在").arg(path));
        EXPECT_FALSE(QFile::exists(path));
    }
}

TEST(clsPLStoreINI, SaveIntoAReadOnlyFolderLeavesTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop the superuser";
    const QString dir = makeTempDir();
    PutFileBytes(dir + "/a.tzd", "old");
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ScriptedMsgBox box;
    colPLControls t;
    EXPECT_FALSE(clsPLStoreINI().SaveToINI_Fast(dir + "/a.tzd", t));
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(box.shown().empty());
    EXPECT_EQ(LastSaveFailureText(), SaveFailureText(dir + "/a.tzd", EACCES));
    EXPECT_EQ(FileBytes(dir + "/a.tzd"), "old");
}

// The same for the superuser, whom no permission stops: a disk mounted read-only.
TEST(clsPLStoreINI, SaveOntoAReadOnlyDiskLeavesTheOldFile)
{
    SmallDisk disk(256);
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString path = disk.path() + "/a.tzd";
    PutFileBytes(path, "old");
    ASSERT_TRUE(disk.makeReadOnly());
    ScriptedMsgBox box;
    colPLControls t;
    EXPECT_FALSE(clsPLStoreINI().SaveToINI_Fast(path, t));
    EXPECT_TRUE(box.shown().empty());
    EXPECT_EQ(LastSaveFailureText(), SaveFailureText(path, EROFS));
    EXPECT_EQ(LastSaveFailureText(), QStringLiteral("保存文件 %1 失败：没有写入权限").arg(path));
    EXPECT_EQ(FileBytes(path), "old");
    EXPECT_EQ(FolderEntries(disk.path()), QStringList{"a.tzd"});
}

TEST(clsPLStoreINI, SaveThatRunsOutOfSpaceLeavesTheOldFile)
{
    const QString path = makeTempDir() + "/a.tzd";
    PutFileBytes(path, "old template");
    colPLControls t;
    for (int i = 0; i < 200; ++i) {
        clsPLControl c;
        c.setKeyName(QString("lbl%1").arg(i));
        t.Add(c);
    }
    // A file size limit makes the disk "full" after 4 KB, for the superuser too.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    ScriptedMsgBox box;
    const bool ok = clsPLStoreINI().SaveToINI_Fast(path, t);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(box.shown().empty());
    EXPECT_EQ(LastSaveFailureText(), SaveFailureText(path, EFBIG));
    EXPECT_EQ(FileBytes(path), "old template");
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files).size(), 1)
        << "no partial file is left beside it";
}

TEST(clsPLStoreINI, LayoutOnlyUpdateChangesThreeLinesAndKeepsTheRest)
{
    const QString path = makeTempDir() + "/a.tzd";
    QFile::copy(fixture("four_kinds.tzd"), path);
    colPLControls t;
    t.setLayoutLeft(-1.5);
    t.setLayoutTop(0.1 + 0.2);
    t.setPaperOrientation(0);
    // Other values of the template are not written.
    t.setLayoutName("changed");
    EXPECT_TRUE(clsPLStoreINI().SaveToINI_LayoutSettingOnly(path, t));

    QByteArray expected = FileBytes(fixture("four_kinds.tzd"));
    expected.replace("LayoutLeft=1.5\r\n", "LayoutLeft=-1.5\r\n");
    expected.replace("LayoutTop=-2.25\r\n", "LayoutTop=0.3\r\n");
    expected.replace("PaperOrientation=1\r\n", "PaperOrientation=0\r\n");
    EXPECT_EQ(FileBytes(path), expected);
}

TEST(clsPLStoreINI, LayoutOnlyUpdateRefusesAMissingTemplateAndCreatesNothing)
{
    const QString dir = makeTempDir();
    colPLControls t;
    t.setLayoutLeft(2);
    t.setPaperOrientation(1);
    for (const QString &path : {dir + "/new.tzd", dir + "/x/y.tzd"}) {
        EXPECT_FALSE(clsPLStoreINI().SaveToINI_LayoutSettingOnly(path, t));
        EXPECT_FALSE(QFileInfo::exists(path));
    }
    EXPECT_EQ(LastSaveFailureText(), "保存文件 " + dir + "/x/y.tzd 失败：模板文件不存在");
    EXPECT_TRUE(QDir(dir).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(clsMouseCtrl, EveryFileOperationShowsTheWaitPointerUntilItEnds)
{
    std::vector<bool> calls;
    MouseCtrlHandler previous = SetMouseCtrlHandler([&](bool wait) { calls.push_back(wait); });
    const QString dir = makeTempDir();
    colPLControls t;
    clsPLStoreINI store;
    {
        ScriptedMsgBox box;
        store.SaveToINI_Fast(dir + "/no/such/a.tzd", t); // fails
    }
    store.SaveToINI_Fast(dir + "/a.tzd", t);
    store.LoadFromINI(dir + "/a.tzd", t);
    store.SaveToINI_LayoutSettingOnly(dir + "/a.tzd", t);
    SetMouseCtrlHandler(previous);
    EXPECT_EQ(calls, (std::vector<bool>{true, false, true, false, true, false, true, false}));

    calls.clear();
    store.LoadFromINI(dir + "/a.tzd", t);
    EXPECT_TRUE(calls.empty()) << "the handler was uninstalled";
}
