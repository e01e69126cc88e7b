#include "app/ProgramFolders.h"
#include "gui/frmMain.h"
#include "gui/frmPLDesigner.h"
#include "storage/clsPLStoreINI.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
// A program folder holding the shipped sample template under the given name.
void programWithTemplate(const QString &name)
{
    const QString dir = makeTempDir();
    QDir().mkpath(dir + "/投注单文件");
    QFile::copy(sourceDir() + "/resources/投注单文件/陕西－双色球.tzd", dir + "/投注单文件/" + name);
    SetFolders(ProgramFolders::ForProgramFolder(dir, dir + "/docs"));
}

// What a user does in the designer: give the template a file and save it there.
void saveAs(colPLControls &layout, const QString &path)
{
    layout.setLayoutName("新彩票");
    ASSERT_TRUE(clsPLStoreINI().SaveToINI_Fast(path, layout));
}
} // namespace

TEST(DesignerFromMainWindow, ANewTemplateSavedInTheTemplateFolderIsListedAndSelected)
{
    ScriptedMsgBox box;
    programWithTemplate("a.tzd");
    frmMain w;
    w.Form_Load();
    bool sawNew = false;
    w.setDesignerRunner([&](colPLControls &layout, bool isNew, bool complete) {
        sawNew = isNew && complete && layout.Count() == 0;
        saveAs(layout, Folders().templates + "新.tzd");
    });
    w.findChild<QPushButton *>("cmdLottNew")->click();
    EXPECT_TRUE(sawNew);
    auto *list = w.findChild<QComboBox *>("icboLottType");
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), "新.tzd");
    EXPECT_EQ(w.CurrentTemplate().LayoutName(), "新彩票");
    EXPECT_TRUE(box.texts().isEmpty());
}

TEST(DesignerFromMainWindow, ATemplateSavedElsewhereIsReportedAndTheListKeepsItsFolder)
{
    ScriptedMsgBox box;
    programWithTemplate("a.tzd");
    frmMain w;
    w.Form_Load();
    const QString elsewhere = makeTempDir() + "/x.tzd";
    w.setDesignerRunner([&](colPLControls &layout, bool, bool) { saveAs(layout, elsewhere); });
    w.cmdLottSetting_Click();
    const QString expected = QString("该投注单设计文件不在系统要求的目录下，将不能正确加载，请将其拷贝到目录 [%1] 中！")
                                 .arg(Folders().templates);
    EXPECT_EQ(box.texts(), QStringList({expected}));
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Plain);
    EXPECT_EQ(w.findChild<QComboBox *>("icboLottType")->currentText(), "a.tzd");
}

TEST(DesignerFromMainWindow, TheSelectedTemplateOpensWithWhatWasRead)
{
    ScriptedMsgBox box;
    programWithTemplate("a.tzd");
    frmMain w;
    w.Form_Load();
    int elements = -1;
    w.setDesignerRunner([&](colPLControls &layout, bool isNew, bool complete) {
        EXPECT_FALSE(isNew);
        EXPECT_TRUE(complete);
        elements = layout.Count();
    });
    w.findChild<QPushButton *>("cmdLottSetting")->click();
    EXPECT_EQ(elements, w.CurrentTemplate().Count());
    EXPECT_GT(elements, 40);
    EXPECT_TRUE(box.texts().isEmpty());
}

TEST(DesignerFromMainWindow, ATemplateThatCannotBeReadStillOpensTheDesignerWithItsMessage)
{
    struct Case {
        const char *name;
        QByteArray content; // empty: no file at all
        QString reason;     // what the reader says is wrong, on a line of its own
    };
    for (const Case &c : {Case{"broken.tzd", "[Base]\r\nControlCount=99999\r\n", "元素个数不能超过 32767 个！"},
                          Case{"cut.tzd", "[Base]\r\nControlCount=1\r\n", "缺少元素节 [Controls1]（元素个数为 1）"},
                          Case{"gone.tzd", {}, {}}}) {
        ScriptedMsgBox box;
        const QString path = makeTempDir() + "/" + c.name;
        if (!c.content.isEmpty()) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.content);
        }
        colPLControls layout;
        EXPECT_FALSE(frmPLDesigner::LoadForDesign(path, layout)) << c.name;
        const QString shown = QString("投注单模板文件 %1 不能打开！").arg(path);
        EXPECT_EQ(box.texts(), QStringList({c.reason.isEmpty() ? shown : shown + "\n" + c.reason})) << c.name;
        EXPECT_EQ(box.shown()[0].style, MsgStyle::Plain);
        EXPECT_EQ(layout.PathFile(), path);
        EXPECT_EQ(QFile::exists(path), !c.content.isEmpty()); // reading never creates or changes it
    }
}
