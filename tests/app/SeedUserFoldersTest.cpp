#include "app/ProgramFolders.h"
#include "app/SeedUserFolders.h"
#include "app/ShippedTemplateCopy.h"
#include "common/TextFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray bytesOf(const QString &path)
{
    QByteArray bytes;
    ReadWholeFile(path, &bytes);
    return bytes;
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// An installed program whose shipped folders hold two templates, a picture and a script.
ProgramFolders installedWithSamples()
{
    const QString root = makeTempDir();
    const ProgramFolders f = ProgramFolders::ForInstalled(root + "/usr/bin", root + "/usr/share/vornprn",
                                                          root + "/data/VornPrn", root + "/config/VornPrn",
                                                          QString());
    put(f.shippedTemplates + "a.tzd", "[Base]\r\nLayoutName=a\r\nBackPicPathFile=a.bmp\r\n");
    put(f.shippedTemplates + "a.bmp", "BM-a");
    put(f.shippedTemplates + "b.tzd", "[Base]\r\nLayoutName=b\r\n");
    put(f.shippedScripts + "s.cvb", "' script\r\n");
    return f;
}
} // namespace

TEST(SeedUserFolders, TheFirstStartCopiesEverySampleAndTheNextChangesNothing)
{
    const ProgramFolders f = installedWithSamples();
    const SeedOutcome first = SeedUserFolders(f, "1.0");
    EXPECT_EQ(first.copied, QStringList({f.templates + "a.bmp", f.templates + "a.tzd", f.templates + "b.tzd",
                                         f.scripts + "s.cvb"}));
    EXPECT_TRUE(first.offered.isEmpty());
    EXPECT_TRUE(first.failed.isEmpty());
    EXPECT_EQ(bytesOf(f.templates + "a.tzd"), bytesOf(f.shippedTemplates + "a.tzd"));
    EXPECT_EQ(bytesOf(f.scripts + "s.cvb"), bytesOf(f.shippedScripts + "s.cvb"));
    EXPECT_TRUE(QFileInfo(f.settings).isDir());

    const SeedOutcome second = SeedUserFolders(f, "1.0");
    EXPECT_TRUE(second.copied.isEmpty());
    EXPECT_TRUE(second.offered.isEmpty());
    EXPECT_EQ(filesIn(f.templates), QStringList({"a.bmp", "a.tzd", "b.tzd"}));
}

TEST(SeedUserFolders, AUsersFileIsNeverOverwrittenAndANewerSampleIsPutBesideIt)
{
    const ProgramFolders f = installedWithSamples();
    put(f.templates + "a.tzd", "[Base]\r\nLayoutName=mine\r\n"); // made before the first start
    SeedOutcome out = SeedUserFolders(f, "1.0");
    EXPECT_EQ(bytesOf(f.templates + "a.tzd"), "[Base]\r\nLayoutName=mine\r\n");
    EXPECT_EQ(out.offered, QStringList({f.templates + "a（新版 1.0）.tzd"}));
    EXPECT_EQ(bytesOf(f.templates + "a（新版 1.0）.tzd"), bytesOf(f.shippedTemplates + "a.tzd"));

    // The user edits b; version 2.0 ships a new b and the same a.
    put(f.templates + "b.tzd", "[Base]\r\nLayoutName=b, edited\r\n");
    put(f.shippedTemplates + "b.tzd", "[Base]\r\nLayoutName=b2\r\n");
    out = SeedUserFolders(f, "2.0");
    EXPECT_EQ(out.offered, QStringList({f.templates + "b（新版 2.0）.tzd"}));
    EXPECT_TRUE(out.copied.isEmpty());
    EXPECT_EQ(bytesOf(f.templates + "b.tzd"), "[Base]\r\nLayoutName=b, edited\r\n");
    EXPECT_EQ(filesIn(f.templates),
              QStringList({"a.bmp", "a.tzd", "a（新版 1.0）.tzd", "b.tzd", "b（新版 2.0）.tzd"}));
}

TEST(SeedUserFolders, ASampleTheUserDeletedStaysDeletedUntilANewVersionShips)
{
    const ProgramFolders f = installedWithSamples();
    SeedUserFolders(f, "1.0");
    ASSERT_TRUE(QFile::remove(f.templates + "b.tzd"));
    EXPECT_TRUE(SeedUserFolders(f, "1.0").copied.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(f.templates + "b.tzd"));

    put(f.shippedTemplates + "b.tzd", "[Base]\r\nLayoutName=b2\r\n");
    EXPECT_EQ(SeedUserFolders(f, "2.0").copied, QStringList({f.templates + "b.tzd"}));
    EXPECT_EQ(bytesOf(f.templates + "b.tzd"), "[Base]\r\nLayoutName=b2\r\n");
}

TEST(SeedUserFolders, AnOfferedCopyTheUserChangedIsLeftAlone)
{
    const ProgramFolders f = installedWithSamples();
    put(f.templates + "a.tzd", "mine");
    put(f.templates + OfferedName("a.tzd", "1.0"), "kept");
    const SeedOutcome out = SeedUserFolders(f, "1.0");
    EXPECT_TRUE(out.offered.isEmpty());
    EXPECT_EQ(bytesOf(f.templates + "a（新版 1.0）.tzd"), "kept");
}

TEST(SeedUserFolders, OfferedNamesKeepTheExtension)
{
    struct Case {
        const char *name, *version, *offered;
    };
    const std::vector<Case> cases = {
        {"陕西－双色球.tzd", "0.2.0", "陕西－双色球（新版 0.2.0）.tzd"},
        {"复式展开.cvb", "1.0", "复式展开（新版 1.0）.cvb"},
        {"a.b.bmp", "1.0", "a.b（新版 1.0）.bmp"},
        {"README", "1.0", "README（新版 1.0）"},
        {"a.tzd", "", "a（新版）.tzd"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(OfferedName(c.name, c.version), QString::fromUtf8(c.offered)) << c.name;
}

TEST(SeedUserFolders, APortableProgramAndAnUnwritableDataFolderChangeNothing)
{
    const QString root = makeTempDir();
    put(root + "/投注单文件/a.tzd", "[Base]\r\n");
    const ProgramFolders portable = ProgramFolders::ForProgramFolder(root, QString());
    const SeedOutcome none = SeedUserFolders(portable, "1.0");
    EXPECT_TRUE(none.copied.isEmpty() && none.offered.isEmpty() && none.failed.isEmpty());
    EXPECT_EQ(filesIn(root), QStringList());

    // The data folder's place is taken by a file: the copies fail, with their reasons.
    ProgramFolders f = installedWithSamples();
    put(f.userOwn.chopped(1), "a file");
    f.templates = f.userOwn + "投注单文件/";
    const SeedOutcome failed = SeedUserFolders(f, "1.0");
    EXPECT_TRUE(failed.copied.isEmpty());
    EXPECT_FALSE(failed.failed.isEmpty());
}

TEST(ShippedTemplateCopy, AShippedTemplateIsChangedAsTheUsersCopyWithItsPicture)
{
    const ProgramFolders f = installedWithSamples();
    QString reason;
    EXPECT_EQ(WritableTemplatePath(f, f.shippedTemplates + "a.tzd", &reason), f.templates + "a.tzd");
    EXPECT_EQ(bytesOf(f.templates + "a.tzd"), bytesOf(f.shippedTemplates + "a.tzd"));
    EXPECT_EQ(bytesOf(f.templates + "a.bmp"), "BM-a");

    // The user's copy is used as it is; a picture of the user's is not replaced.
    put(f.templates + "a.tzd", "mine");
    EXPECT_EQ(WritableTemplatePath(f, f.shippedTemplates + "a.tzd", &reason), f.templates + "a.tzd");
    EXPECT_EQ(bytesOf(f.templates + "a.tzd"), "mine");
    put(f.templates + "a.bmp", "BM-mine");
    QFile::remove(f.templates + "a.tzd");
    WritableTemplatePath(f, f.shippedTemplates + "a.tzd", &reason);
    EXPECT_EQ(bytesOf(f.templates + "a.bmp"), "BM-mine");

    // A template without a picture brings none; one not shipped is changed where it is.
    EXPECT_EQ(WritableTemplatePath(f, f.shippedTemplates + "b.tzd", &reason), f.templates + "b.tzd");
    EXPECT_EQ(filesIn(f.templates), QStringList({"a.bmp", "a.tzd", "b.tzd"}));
    EXPECT_EQ(WritableTemplatePath(f, "/elsewhere/c.tzd", &reason), "/elsewhere/c.tzd");
}

TEST(ShippedTemplateCopy, ACopyThatCannotBeWrittenGivesNoPathAndSaysWhy)
{
    ProgramFolders f = installedWithSamples();
    put(f.userOwn + "blocked", "a file");
    f.templates = f.userOwn + "blocked/投注单文件/";
    QString reason;
    EXPECT_EQ(WritableTemplatePath(f, f.shippedTemplates + "a.tzd", &reason), QString());
    EXPECT_FALSE(reason.isEmpty());
}
