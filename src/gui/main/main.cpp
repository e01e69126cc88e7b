// VornPrn: start-up of the desktop program.
#include "app/ProgramFolders.h"
#include "app/SeedUserFolders.h"
#include "app/ShippedTemplateCopy.h"
#include "app/StartupRequest.h"
#include "gui/SingleInstance.h"
#include "gui/frmMain.h"
#include "gui/frmPLDesigner.h"
#include "common/FreedMemory.h"
#include "common/MsgBox.h"
#include "common/PathFile.h"
#include "common/clsRegIni.h"
#include "platform/AppIcon.h"
#include "platform/QtPlatform.h"
#include "print/PrintFonts.h"

#include <QApplication>
#include <QFont>
#include <QStandardPaths>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <functional>

namespace {
// --help and --version need no display: they are answered before any window system is opened
// (the build makes the manual page from them on a machine without one).
int printAndQuit(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    return 0;
}

// The designer alone on one template (or a new one), for a desktop shortcut: it quits when
// the designer closes.
int runDesignerAlone(const ProgramFolders &folders, const QString &given)
{
    QString path = folders.ResolveTemplate(given);
    if (!given.isEmpty()) {
        const QString writable = WritableTemplatePath(folders, path, nullptr);
        if (!writable.isEmpty())
            path = writable; // a shipped template is designed as the user's copy
    }
    colPLControls layout;
    const bool complete = given.isEmpty() || frmPLDesigner::LoadForDesign(path, layout);
    frmPLDesigner designer;
    designer.ShowMe(layout, given.isEmpty(), complete);
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const StartupRequest request = ParseStartup(args);
    if (request.kind == StartupRequest::Help)
        return printAndQuit(StartupUsage());
    if (request.kind == StartupRequest::Version)
        return printAndQuit(QStringLiteral("VornPrn " VORN_VERSION "\n"));

    KeepFreedMemoryForReuse();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always written with a "."
    QApplication::setApplicationName(AppTitle());
    QApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("vornprn"));

    // 1-2: the program's folders (installed or portable, by the layout around the program file)
    // and the user data folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const ProgramFolders folders =
        ProgramFolders::ForExecutableFolder(QCoreApplication::applicationDirPath(), documents);
    SetFolders(folders);
    EnsureFolder(folders.userData);

    // A file for a VornPrn that already runs goes to its window.
    SingleInstance instance(SingleInstance::NameFor(folders.settings));
    if (request.HandsOff() && instance.HandOff(request.file))
        return 0;

    // "宋体" is what templates and windows ask for; draw it with the installed CJK family.
    QFont::insertSubstitution(DefaultFontName(), ResolveFontFamily(DefaultFontName()));
    InstallQtPlatformHooks();
    InstallChineseTranslations(app); // Qt's own dialogs and menus in Chinese
    QApplication::setWindowIcon(AppIcon());

    // Installed: the user's own folders, with the shipped samples brought in.
    const SeedOutcome seeded = SeedUserFolders(folders, QStringLiteral(VORN_VERSION));
    if (!seeded.failed.isEmpty())
        MsgBox(seeded.failed.join(QLatin1Char('\n')), MsgStyle::Exclamation);

    // 4: where the program is, for whoever wants to find it.
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\VornPrn"));
    reg.SaveReg(QStringLiteral("PathFile"), QCoreApplication::applicationFilePath(), QString());

    if (request.kind == StartupRequest::Design)
        return runDesignerAlone(folders, request.file);

    // 5: the main window.
    frmMain window;
    window.show();
    window.Form_Load();

    // Files handed over by later starts; a dialog that is open finishes first.
    std::function<void(const QString &)> takeHandedFile = [&](const QString &file) {
        if (QApplication::activeModalWidget()) {
            QTimer::singleShot(300, &window, [&, file] { takeHandedFile(file); });
            return;
        }
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window.raise();
        window.activateWindow();
        window.OpenStartupFile(file);
    };
    QObject::connect(&instance, &SingleInstance::FileReceived, &window, takeHandedFile);
    instance.Listen();

    // 6: a file named on the command line: a bet file is imported without the dialog, a
    // template selected.
    if (window.isVisible())
        window.OpenStartupFile(request.file);
    return app.exec();
}
