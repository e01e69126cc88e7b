// vornprn-cli-full: the engine of VornPrn without a window, every command of vornprn-cli. Users
// run it as vornprn-cli, which starts it for every command but `script`.
#include "cli/CliRunCommandLine.h"
#include "common/FreedMemory.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <unistd.h>

int main(int argc, char **argv)
{
    KeepFreedMemoryForReuse();
    // Layout needs fonts and images, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        // Keeps Qt from warning about a missing runtime folder on every run.
        const QByteArray dir = QDir::tempPath().toLocal8Bit() + "/runtime-vornprn-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromLocal8Bit(dir));
        QFile::setPermissions(QString::fromLocal8Bit(dir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    return CliRunCommandLine(QCoreApplication::arguments().mid(1));
}
