// What a user of an installed VornPrn does in the designer, for the install test: it runs as that
// user (HOME of its own, the program folder read-only) and saves templates as the designer's
// own commands save them.
//     vorn_installed_designer_probe PREFIX/bin
// Prints "saved PATH" for every template saved and "settings PATH" for the settings written
// when the main window closed; exit 1 (with the reason on stderr) when anything went wrong,
// a message box other than the saves' own included.
#include "app/ProgramFolders.h"
#include "gui/frmMain.h"
#include "gui/frmPLDesigner.h"
#include "common/MsgBox.h"
#include "storage/clsPLStoreINI.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>
#include <clocale>
#include <cstdio>

namespace {
QStringList g_problems;

void say(const QString &line) { std::printf("%s\n", line.toUtf8().constData()); }

// The layout name the file holds, or "" when it does not load.
QString layoutNameIn(const QString &path)
{
    colPLControls layout;
    return clsPLStoreINI().LoadFromINI(path, layout) ? layout.LayoutName() : QString();
}

void expectSaved(const QString &path, const QString &layoutName)
{
    if (layoutNameIn(path) != layoutName)
        g_problems << QStringLiteral("%1 does not hold the template \"%2\"").arg(path, layoutName);
    else
        say(QStringLiteral("saved ") + path);
}

// From the main window: a shipped template (the user's copy of it deleted) renamed in the
// designer and saved with "保存".
void designShippedTemplate(frmMain &window, const QString &name, const QString &newName)
{
    QFile::remove(Folders().templates + name);
    auto *list = window.findChild<QComboBox *>(QStringLiteral("icboLottType"));
    list->setCurrentIndex(list->findText(name));
    emit list->activated(list->currentIndex());
    auto *poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [poll, newName] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *designer = qobject_cast<frmPLDesigner *>(modal);
        if (!designer) {
            // The designer opens on the template's settings first: the user closes them.
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            return;
        }
        poll->stop();
        designer->windows().lottProperty = [newName](colPLControls &layout, bool) {
            layout.setLayoutName(newName);
            return frmPLDesigner::PropertiesRun::Accepted;
        };
        designer->cmdPLProperty_Click();
        if (!designer->cmdSave_Click())
            g_problems << QStringLiteral("the designer did not save");
        designer->reject();
    });
    poll->start(50);
    window.cmdLottSetting_Click();
    delete poll;
    expectSaved(Folders().templates + name, newName);
}

// The designer alone (`VornPrn --design`): a new template saved where the save dialog proposes.
void saveNewTemplate(const QString &layoutName)
{
    frmPLDesigner designer;
    designer.windows().saveFile = [](const QString &folder, const QString &proposed) {
        return folder + proposed + QStringLiteral(".tzd");
    };
    colPLControls layout;
    layout.setLayoutName(layoutName);
    designer.Load(layout, true);
    if (!designer.cmdSave_Click())
        g_problems << QStringLiteral("the new template was not saved");
    expectSaved(Folders().templates + layoutName + QStringLiteral(".tzd"), layoutName);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc != 2) {
        std::fputs("usage: vorn_installed_designer_probe PREFIX/bin\n", stderr);
        return 2;
    }
    QStringList messages;
    SetMsgBoxHandler([&messages](const QString &text, MsgStyle) {
        messages << text;
        return MsgAnswer::Ok;
    });
    const ProgramFolders folders = ProgramFolders::ForExecutableFolder(
        QString::fromLocal8Bit(argv[1]), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folders.installed) {
        std::fprintf(stderr, "%s is not the program folder of an installed VornPrn\n", argv[1]);
        return 2;
    }
    SetFolders(folders);
    {
        frmMain window;
        window.show();
        window.Form_Load();
        designShippedTemplate(window, QStringLiteral("福彩3D.tzd"), QStringLiteral("我的福彩3D"));
        window.mnuFileExit_Click();
    }
    if (QFileInfo::exists(folders.SettingsFile()))
        say(QStringLiteral("settings ") + folders.SettingsFile());
    saveNewTemplate(QStringLiteral("我的投注单"));
    // Each save confirms itself; nothing else may be said.
    const QStringList expected(2, QStringLiteral("布局保存成功！"));
    if (messages != expected)
        g_problems << QStringLiteral("message boxes: ") + messages.join(QStringLiteral(" | "));
    for (const QString &problem : g_problems)
        std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
    return g_problems.isEmpty() ? 0 : 1;
}
