// VornPrn: start-up of the desktop program.
#include "app/ProgramFolders.h"
#include "gui/frmMain.h"
#include "gui/frmPLDesigner.h"
#include "common/Blanks.h"
#include "common/MsgBox.h"
#include "common/PathFile.h"
#include "common/clsRegIni.h"
#include "input/BetImporter.h"
#include "platform/AppIcon.h"
#include "platform/QtPlatform.h"
#include "print/PrintFonts.h"

#include <QApplication>
#include <QFont>
#include <QStandardPaths>
#include <clocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // numbers in files are always written with a "."
    QApplication::setApplicationName(AppTitle());
    QApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    // "宋体" is what templates and windows ask for; draw it with the installed CJK family.
    QFont::insertSubstitution(DefaultFontName(), ResolveFontFamily(DefaultFontName()));
    InstallQtPlatformHooks();
    InstallChineseTranslations(app); // Qt's own dialogs and menus in Chinese
    QApplication::setWindowIcon(AppIcon());

    // 1-2: the program's folders and the user data folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const ProgramFolders folders =
        ProgramFolders::ForProgramFolder(QCoreApplication::applicationDirPath(), documents);
    SetFolders(folders);
    EnsureFolder(folders.userData);

    // 4: where the program is, for whoever wants to find it.
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\VornPrn"));
    reg.SaveReg(QStringLiteral("PathFile"), QCoreApplication::applicationFilePath(), QString());

    // The designer alone on one template (or a new one), for a desktop shortcut: it quits when
    // the designer closes.
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (!args.isEmpty() && args.first() == QLatin1String("--design")) {
        const QString given = TrimBlanks(args.mid(1).join(' '));
        colPLControls layout;
        const bool complete = given.isEmpty()
            || frmPLDesigner::LoadForDesign(folders.ResolveTemplate(given), layout);
        frmPLDesigner designer;
        designer.ShowMe(layout, given.isEmpty(), complete);
        return 0;
    }

    // 5: the main window.
    frmMain window;
    window.show();
    window.Form_Load();

    // 6: a bet file named on the command line is imported without the dialog.
    const QString file = TrimBlanks(QCoreApplication::arguments().mid(1).join(' '));
    if (!file.isEmpty() && window.isVisible()) {
        ShowMe_Background(window.Bets(), file, folders.Import());
        window.CheckLottNumbers();
    }
    return app.exec();
}
