#include "app/ProgramFolders.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
void touch(const QString &path, const QByteArray &bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An installed program under a prefix of its own, the user's folders under a home of its own.
struct InstalledTree {
    QString root = makeTempDir();
    QString prefix = root + "/usr";
    QString data = root + "/home/.local/share/VornPrn";
    QString config = root + "/home/.config/VornPrn";
    ProgramFolders folders()
    {
        return ProgramFolders::ForInstalled(prefix + "/bin", prefix + "/share/vornprn", data, config,
                                            root + "/home/Documents");
    }
};
} // namespace

TEST(ProgramFolders, InstalledOrPortableIsDecidedByTheLayoutAroundTheProgram)
{
    struct Case {
        const char *what;
        QStringList folders; // made under the prefix; "bin" always exists
        QStringList files;
        bool installed;
    };
    const std::vector<Case> cases = {
        {"share/vornprn beside bin", {"share/vornprn"}, {}, true},
        {"templates next to the program as well", {"share/vornprn", "bin/投注单文件"}, {}, false},
        {"nothing around the program", {}, {}, false},
        {"share without vornprn", {"share/other"}, {}, false},
        {"share/vornprn is a file", {"share"}, {"share/vornprn"}, false},
        {"a build folder: templates next to the program only", {"bin/投注单文件"}, {}, false},
    };
    for (const Case &c : cases) {
        const QString prefix = makeTempDir();
        QDir().mkpath(prefix + "/bin");
        for (const QString &f : c.folders)
            QDir().mkpath(prefix + "/" + f);
        for (const QString &f : c.files)
            touch(prefix + "/" + f);
        const QString shared = ProgramFolders::InstalledSharedFolder(prefix + "/bin");
        EXPECT_EQ(!shared.isEmpty(), c.installed) << c.what;
        if (c.installed)
            EXPECT_EQ(shared, prefix + "/share/vornprn/") << c.what;
        const ProgramFolders f = ProgramFolders::ForExecutableFolder(prefix + "/bin", QString());
        EXPECT_EQ(f.installed, c.installed) << c.what;
        if (c.installed) {
            EXPECT_EQ(f.templates, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                                       + "/VornPrn/投注单文件/") << c.what;
            EXPECT_EQ(f.SettingsFile(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                                            + "/VornPrn/Vorn.cfg") << c.what;
        } else {
            EXPECT_EQ(f.templates, prefix + "/bin/投注单文件/") << c.what;
        }
    }
}

TEST(ProgramFolders, InstalledReadsWhatShipsAndKeepsTheUsersOwnInTheirFolders)
{
    InstalledTree t;
    const ProgramFolders f = t.folders();
    EXPECT_TRUE(f.installed);
    EXPECT_EQ(f.program, t.prefix + "/bin/");
    EXPECT_EQ(f.templates, t.data + "/投注单文件/");
    EXPECT_EQ(f.scripts, t.data + "/Script/");
    EXPECT_EQ(f.shippedTemplates, t.prefix + "/share/vornprn/投注单文件/");
    EXPECT_EQ(f.shippedScripts, t.prefix + "/share/vornprn/Script/");
    EXPECT_EQ(f.SettingsFile(), t.config + "/Vorn.cfg");
    EXPECT_EQ(f.HelpFile(), t.prefix + "/share/vornprn/help/index.html");
    EXPECT_EQ(f.imageCur, t.prefix + "/share/vornprn/Image/Cur/");
    EXPECT_EQ(f.userData, t.root + "/home/Documents/VornPrn/");
    const ImportFolders import = f.Import();
    EXPECT_EQ(import.SettingsPathFile(), t.config + "/Vorn.cfg");
    EXPECT_EQ(import.DebugOutPathFile(), t.data + "/debugout.txt");
    EXPECT_EQ(import.ScriptFolder, t.data + "/Script/");

    const ProgramFolders portable = ProgramFolders::ForProgramFolder("/opt/vorn", QString());
    EXPECT_FALSE(portable.installed);
    EXPECT_EQ(portable.shippedTemplates, portable.templates);
    EXPECT_EQ(portable.Import().DebugOutPathFile(), "/opt/vorn/debugout.txt");
    EXPECT_EQ(portable.HelpFile(), "/opt/vorn/help/index.html");
}

TEST(ProgramFolders, TheTemplateListHoldsEveryNameOnceAndTheUsersCopyWins)
{
    InstalledTree t;
    const ProgramFolders f = t.folders();
    for (const char *name : {"b.tzd", "Shared.tzd", "a.tzd"})
        touch(f.shippedTemplates + name);
    for (const char *name : {"Shared.tzd", "mine.tzd", "B.tzd"})
        touch(f.templates + name);
    touch(f.templates + "notes.txt");
    EXPECT_EQ(f.TemplateNames(), QStringList({"B.tzd", "Shared.tzd", "a.tzd", "b.tzd", "mine.tzd"}));

    struct Case {
        const char *name;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"Shared.tzd", f.templates + "Shared.tzd"},
        {"mine.tzd", f.templates + "mine.tzd"},
        {"a.tzd", f.shippedTemplates + "a.tzd"},
        {"none.tzd", f.templates + "none.tzd"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(f.TemplatePath(c.name), c.expected) << c.name;
        EXPECT_EQ(f.IsShipped(c.expected), c.expected.startsWith(f.shippedTemplates)) << c.name;
    }
    EXPECT_EQ(f.ResolveTemplate("a.tzd"), f.shippedTemplates + "a.tzd");
    EXPECT_EQ(f.ResolveTemplate("Shared.tzd"), f.templates + "Shared.tzd");
    EXPECT_EQ(f.ResolveTemplate("none.tzd"), "none.tzd");
    EXPECT_EQ(f.ResolveTemplate("/x/a.tzd"), "/x/a.tzd");
}

TEST(ProgramFolders, AScriptIsTheUsersWhenTheyHaveItElseTheShippedOne)
{
    InstalledTree t;
    const ProgramFolders f = t.folders();
    touch(f.shippedScripts + "复式展开.cvb");
    touch(f.shippedScripts + "both.cvb");
    touch(f.scripts + "both.cvb");
    touch(f.scripts + "mine.cvb");
    EXPECT_EQ(f.ScriptFolderOf("复式展开"), f.shippedScripts);
    EXPECT_EQ(f.ScriptFolderOf("both"), f.scripts);
    EXPECT_EQ(f.ScriptFolderOf("mine"), f.scripts);
    EXPECT_EQ(f.ScriptFolderOf("none"), f.scripts);
    EXPECT_TRUE(f.IsShipped(f.shippedScripts + "both.cvb"));
    EXPECT_FALSE(f.IsShipped(f.scripts + "both.cvb"));

    // Portable, the shipped folders are the user's own: nothing is read-only.
    const ProgramFolders portable = ProgramFolders::ForProgramFolder(t.root, QString());
    EXPECT_FALSE(portable.IsShipped(portable.shippedTemplates + "a.tzd"));
}
