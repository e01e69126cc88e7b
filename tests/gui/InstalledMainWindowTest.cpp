// The main window of an installed program: the shipped templates are read where they ship, the
// user's own are listed with them and everything the user changes lands in the user's folder.
#include "app/ProgramFolders.h"
#include "gui/frmMain.h"
#include "common/TextFile.h"
#include "common/clsRegIni.h"
#include "input/BetList.h"
#include "storage/clsPLStoreINI.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
const QString kSample = QStringLiteral("陕西－双色球.tzd");

QByteArray bytesOf(const QString &path)
{
    QByteArray bytes;
    ReadWholeFile(path, &bytes);
    return bytes;
}

// The shipped sample saved under another name and layout name into a folder.
void templateNamed(const QString &folder, const QString &file, const QString &layoutName)
{
    QDir().mkpath(folder);
    colPLControls layout;
    clsPLStoreINI store;
    ASSERT_TRUE(store.LoadFromINI(sourceDir() + "/resources/投注单文件/" + kSample, layout));
    layout.setLayoutName(layoutName);
    ASSERT_TRUE(store.SaveToINI_Fast(folder + file, layout));
}

// An installed program shipping a.tzd and b.tzd; the user has a b.tzd of their own and c.tzd.
ProgramFolders installed()
{
    const QString root = makeTempDir();
    const ProgramFolders f = ProgramFolders::ForInstalled(root + "/usr/bin", root + "/usr/share/vornprn",
                                                          root + "/home/data/VornPrn",
                                                          root + "/home/config/VornPrn", root + "/home/Documents");
    templateNamed(f.shippedTemplates, "a.tzd", "shipped a");
    templateNamed(f.shippedTemplates, "b.tzd", "shipped b");
    templateNamed(f.templates, "b.tzd", "user's b");
    templateNamed(f.templates, "c.tzd", "user's c");
    QDir().mkpath(f.settings);
    SetFolders(f);
    clsRegIni::SetStoreFile(f.settings + "registry.ini");
    return f;
}

QStringList listed(frmMain &w)
{
    auto *list = w.findChild<QComboBox *>("icboLottType");
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->itemText(i);
    return names;
}

void select(frmMain &w, const QString &name)
{
    auto *list = w.findChild<QComboBox *>("icboLottType");
    list->setCurrentIndex(list->findText(name));
    emit list->activated(list->currentIndex()); // as the user's choice does
}
} // namespace

TEST(InstalledMainWindow, TheListShowsTheUsersAndTheShippedTemplatesOnceEachTheUsersWinning)
{
    ScriptedMsgBox box;
    const ProgramFolders f = installed();
    frmMain w;
    w.Form_Load();
    EXPECT_EQ(listed(w), QStringList({"a.tzd", "b.tzd", "c.tzd"}));
    struct Case {
        const char *name, *layoutName;
    };
    for (const Case &c : std::vector<Case>{{"a.tzd", "shipped a"}, {"b.tzd", "user's b"}, {"c.tzd", "user's c"}}) {
        select(w, c.name);
        EXPECT_EQ(w.CurrentTemplate().LayoutName(), QString::fromUtf8(c.layoutName)) << c.name;
    }
    EXPECT_TRUE(box.texts().isEmpty());
}

TEST(InstalledMainWindow, ATemplateFromTheCommandLineIsSelectedOrCopiedIntoTheUsersFolder)
{
    ScriptedMsgBox box;
    const ProgramFolders f = installed();
    frmMain w;
    w.Form_Load();
    const QString elsewhere = makeTempDir() + "/";
    templateNamed(elsewhere, "外来.tzd", "from elsewhere");

    struct Case {
        QString path;
        const char *selected, *layoutName;
    };
    const std::vector<Case> cases = {
        {f.shippedTemplates + "a.tzd", "a.tzd", "shipped a"},
        {f.templates + "c.tzd", "c.tzd", "user's c"},
        {elsewhere + "外来.tzd", "外来.tzd", "from elsewhere"},
    };
    for (const Case &c : cases) {
        w.OpenStartupFile(c.path);
        EXPECT_EQ(w.findChild<QComboBox *>("icboLottType")->currentText(), QString::fromUtf8(c.selected));
        EXPECT_EQ(w.CurrentTemplate().LayoutName(), QString::fromUtf8(c.layoutName));
    }
    EXPECT_EQ(bytesOf(f.templates + "外来.tzd"), bytesOf(elsewhere + "外来.tzd"));
    EXPECT_EQ(QDir(f.templates).entryList(QDir::Files), QStringList({"b.tzd", "c.tzd", "外来.tzd"}));
    EXPECT_EQ(QDir(f.shippedTemplates).entryList(QDir::Files), QStringList({"a.tzd", "b.tzd"}));
    EXPECT_TRUE(box.texts().isEmpty());
}

TEST(InstalledMainWindow, ABetFileFromTheCommandLineIsImported)
{
    ScriptedMsgBox box;
    installed();
    frmMain w;
    w.Form_Load();
    w.OpenStartupFile(sourceDir() + "/samples/陕西－双色球.txt");
    EXPECT_GT(w.Bets().Count(), 0);
}

TEST(InstalledMainWindow, SavingTheLayoutOfAShippedTemplateWritesTheUsersCopy)
{
    ScriptedMsgBox box;
    const ProgramFolders f = installed();
    const QByteArray shipped = bytesOf(f.shippedTemplates + "a.tzd");
    frmMain w;
    w.show();
    w.Form_Load();
    select(w, "a.tzd");
    w.findChild<QLineEdit *>("txtLayoutLeft")->setText("2.5");
    w.findChild<QPushButton *>("cmdSaveLayout")->click();
    EXPECT_EQ(bytesOf(f.shippedTemplates + "a.tzd"), shipped);
    EXPECT_TRUE(QString::fromLatin1(bytesOf(f.templates + "a.tzd")).contains("LayoutLeft=2.5\r\n"));
    EXPECT_EQ(w.TemplatePath(), f.templates + "a.tzd");
    EXPECT_TRUE(box.texts().isEmpty());
}

TEST(InstalledMainWindow, TheDesignerOpensAShippedTemplateAsTheUsersCopy)
{
    ScriptedMsgBox box;
    const ProgramFolders f = installed();
    frmMain w;
    w.Form_Load();
    select(w, "a.tzd");
    QString designed;
    w.setDesignerRunner([&](colPLControls &layout, bool isNew, bool complete) {
        EXPECT_FALSE(isNew);
        EXPECT_TRUE(complete);
        designed = layout.PathFile();
        layout.setLayoutName("designed");
        ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(layout.PathFile(), layout));
    });
    w.cmdLottSetting_Click();
    EXPECT_EQ(designed, f.templates + "a.tzd");
    EXPECT_EQ(w.CurrentTemplate().LayoutName(), "designed");
    EXPECT_TRUE(box.texts().isEmpty()) << box.texts().join('\n').toStdString();
}
