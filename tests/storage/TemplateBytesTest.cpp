// What a save does to the bytes of a template file: nothing beyond the lines it changes, and
// nothing at all when the disk is full.
#include "storage/clsPLStoreINI.h"

#include "DiskSupport.h"
#include "TestSupport.h"
#include "common/AtomicFile.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>

namespace {
QByteArray fixtureBytes() { return FileBytes(testDataPath("templates/four_kinds.tzd")); }

colPLControls layoutOf(double left, double top, qint32 orientation)
{
    colPLControls t;
    t.setLayoutLeft(left);
    t.setLayoutTop(top);
    t.setPaperOrientation(orientation);
    return t;
}

// The fixture with its three layout lines as the update writes them.
QByteArray withLayout(QByteArray bytes, const QByteArray &end)
{
    bytes.replace("LayoutLeft=1.5" + end, "LayoutLeft=-1.5" + end);
    bytes.replace("LayoutTop=-2.25" + end, "LayoutTop=4" + end);
    bytes.replace("PaperOrientation=1" + end, "PaperOrientation=0" + end);
    return bytes;
}

colPLControls manyElements(int count)
{
    colPLControls t;
    for (int i = 0; i < count; ++i) {
        clsPLControl c;
        c.setKeyName(QStringLiteral("lbl%1").arg(i));
        c.setFieldValue(QStringLiteral("文字%1").arg(i));
        t.Add(c);
    }
    return t;
}
} // namespace

TEST(LayoutOnlyUpdate, ChangesOnlyItsThreeLinesWhateverTheFileHolds)
{
    const QByteArray crlf = fixtureBytes();
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    QByteArray oddBytes = crlf;
    oddBytes.replace(oddBytes.indexOf("LayoutName="), 0, "LayoutName=T\xff\x80\r\n");
    const QByteArray bom = "\xEF\xBB\xBF" + DecodeText(crlf).toUtf8();
    struct Case {
        const char *name;
        QByteArray before, after;
    };
    const Case cases[] = {
        {"GBK with CR LF", crlf, withLayout(crlf, "\r\n")},
        {"LF line ends", lf, withLayout(lf, "\n")},
        {"bytes that are no valid GBK", oddBytes, withLayout(oddBytes, "\r\n")},
        {"a UTF-8 byte-order mark", bom, withLayout(bom, "\r\n")},
    };
    for (const Case &c : cases) {
        const QString path = makeTempDir() + "/a.tzd";
        PutFileBytes(path, c.before);
        ASSERT_TRUE(clsPLStoreINI().SaveToINI_LayoutSettingOnly(path, layoutOf(-1.5, 4, 0)))
            << c.name;
        EXPECT_EQ(FileBytes(path), c.after) << c.name;
    }
}

TEST(LayoutOnlyUpdate, WritesTheThreeKeysTogetherOrNotAtAll)
{
    const QString path = makeTempDir() + "/a.tzd";
    PutFileBytes(path, fixtureBytes());
    {
        // Only one file gets written before the disk is full: one write must hold all three.
        DiskFullAfter full(0, 1);
        ASSERT_TRUE(clsPLStoreINI().SaveToINI_LayoutSettingOnly(path, layoutOf(-1.5, 4, 0)));
    }
    EXPECT_EQ(FileBytes(path), withLayout(fixtureBytes(), "\r\n"));

    const QByteArray before = FileBytes(path);
    // The new file is one byte shorter ("2.5" for "-1.5"): two bytes short is still short.
    for (qint64 limit : {qint64(0), qint64(41), qint64(before.size() - 2)}) {
        DiskFullAfter full(limit);
        EXPECT_FALSE(clsPLStoreINI().SaveToINI_LayoutSettingOnly(path, layoutOf(2.5, 1, 1)));
        EXPECT_EQ(FileBytes(path), before) << limit;
        EXPECT_EQ(LastSaveFailureText(), SaveFailureText(path, ENOSPC));
    }
    EXPECT_EQ(FolderEntries(QFileInfo(path).absolutePath()), QStringList{"a.tzd"});
}

TEST(FullWriter, ADiskThatFillsUpMidWriteLeavesTheOldTemplate)
{
    const QString path = makeTempDir() + "/a.tzd";
    PutFileBytes(path, fixtureBytes());
    colPLControls t = manyElements(300);
    for (qint64 limit : {qint64(0), qint64(4095), qint64(4096), qint64(16383), qint64(50000)}) {
        DiskFullAfter full(limit);
        EXPECT_FALSE(clsPLStoreINI().SaveToINI_Fast(path, t)) << limit;
        EXPECT_EQ(FileBytes(path), fixtureBytes()) << limit;
        EXPECT_EQ(LastSaveFailureText(), QStringLiteral("保存文件 %1 失败：磁盘空间不足").arg(path));
    }
    EXPECT_EQ(FolderEntries(QFileInfo(path).absolutePath()), QStringList{"a.tzd"});
}

TEST(FullWriter, FullWidthSpacesInValuesComeBackAndAreWrittenBack)
{
    const QString path = makeTempDir() + "/a.tzd";
    QByteArray bytes = fixtureBytes();
    const QByteArray name = EncodeGbk(QStringLiteral("LayoutName=\u3000七乐彩\u3000\r\n"));
    bytes.replace(bytes.indexOf("LayoutName="), bytes.indexOf("\r\n", bytes.indexOf("LayoutName=")) + 2 - bytes.indexOf("LayoutName="), name);
    const int fv = int(bytes.indexOf("FieldValue="));
    bytes.replace(fv, bytes.indexOf("\r\n", fv) + 2 - fv,
                  EncodeGbk(QStringLiteral("FieldValue=\u3000\u3000第{页码}页 \r\n")));
    PutFileBytes(path, bytes);

    colPLControls t;
    ASSERT_TRUE(clsPLStoreINI().LoadFromINI(path, t));
    EXPECT_EQ(t.LayoutName(), QStringLiteral("\u3000七乐彩\u3000"));
    EXPECT_EQ(t.Item(1).FieldValue(), QStringLiteral("\u3000\u3000第{页码}页"));

    const QString copy = makeTempDir() + "/b.tzd";
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(copy, t));
    const QByteArray saved = FileBytes(copy);
    EXPECT_TRUE(saved.contains(name));
    EXPECT_TRUE(saved.contains(EncodeGbk(QStringLiteral("FieldValue=\u3000\u3000第{页码}页\r\n"))));
}

TEST(FullWriter, APictureIsStoredByNameOnlyWhenTheFileSystemFindsItBesideTheTemplate)
{
    const QString dir = makeTempDir();
    QDir().mkpath(dir + "/PICS");
    QDir().mkpath(dir + "/pics");
    PutFileBytes(dir + "/PICS/slip.jpg", "jpeg");
    struct Case {
        QString templatePath;
        QString stored;
    };
    const Case cases[] = {
        {dir + "/PICS/a.tzd", "slip.jpg"},
        {dir + "/pics/a.tzd", dir + "/PICS/slip.jpg"}, // another folder on this disk
        {dir + "/a.tzd", dir + "/PICS/slip.jpg"},
    };
    for (const Case &c : cases) {
        colPLControls t;
        t.setBackPicPathFile(dir + "/PICS/slip.jpg");
        ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(c.templatePath, t));
        EXPECT_TRUE(FileBytes(c.templatePath).contains(EncodeGbk("BackPicPathFile=" + c.stored + "\r\n")))
            << c.templatePath.toStdString();
        colPLControls back;
        clsPLStoreINI().LoadFromINI(c.templatePath, back);
        EXPECT_TRUE(QFile::exists(back.BackPicPathFile())) << "the stored picture is found again";
    }
}

TEST(FullWriter, SmallDiskReproductionsFromTheCommandLine)
{
    if (!CliBuilt())
        GTEST_SKIP() << "vornprn-cli is not built";
    SmallDisk disk(256);
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString big = disk.path() + "/big.tzd";
    const QString small = disk.path() + "/small.tzd";
    const QString source = makeTempDir() + "/source.tzd";
    colPLControls many = manyElements(60);
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(big, many));
    PutFileBytes(small, fixtureBytes());
    PutFileBytes(source, fixtureBytes());
    const QByteArray bigBefore = FileBytes(big);
    const QByteArray smallBefore = FileBytes(small);
    ASSERT_GT(bigBefore.size(), 8000);
    disk.fill();

    const CliRun layout = RunCli({"template", "set-layout", big, "--left", "2.5", "--top", "1",
                                  "--orientation", "1"});
    EXPECT_EQ(layout.exitCode, 1);
    EXPECT_EQ(layout.err.trimmed(), QStringLiteral("保存文件 %1 失败：磁盘空间不足").arg(big));
    EXPECT_EQ(FileBytes(big), bigBefore);

    const CliRun save = RunCli({"template", "save", source, small});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_EQ(save.err.trimmed(), QStringLiteral("保存文件 %1 失败：磁盘空间不足").arg(small));
    EXPECT_EQ(FileBytes(small), smallBefore);
    EXPECT_EQ(FolderEntries(disk.path()), (QStringList{"big.tzd", "filler", "small.tzd"}));
}
