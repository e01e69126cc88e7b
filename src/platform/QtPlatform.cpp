#include "platform/QtPlatform.h"

#include "common/PathFile.h"
#include "platform/QtMsgBox.h"
#include "platform/ScriptProgressWindow.h"
#include "storage/clsMouseCtrl.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QUrl>

namespace {
// Results as the shell reports them: above 32 is success, 2 a file not found, 31 no program.
int DesktopOpen(const QString &path, const QString &folder)
{
    const QUrl url = QUrl::fromUserInput(path, folder, QUrl::AssumeLocalFile);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return 2;
    return QDesktopServices::openUrl(url) ? 42 : 31;
}
} // namespace

void InstallQtPlatformHooks()
{
    InstallQtMsgBoxHandler();
    SetMouseCtrlHandler([](bool wait) {
        if (wait)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    SetShellOpenHandler(&DesktopOpen);
    InstallScriptProgressWindow();
}

bool InstallChineseTranslations(QCoreApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    bool any = false;
    for (const char *catalogue : {"qtbase", "qt"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(chinese, QString::fromLatin1(catalogue), QStringLiteral("_"), folder)) {
            app.installTranslator(translator);
            any = true;
        } else {
            delete translator;
        }
    }
    return any;
}
