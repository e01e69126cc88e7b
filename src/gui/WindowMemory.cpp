#include "gui/WindowMemory.h"

#include "common/clsRegIni.h"

#include <QSplitter>
#include <QWidget>

namespace {
clsRegIni UserStore(const QString &subKey)
{
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_CURRENT_USER, QStringLiteral("SOFTWARE\\VornPrn\\") + subKey);
    return reg;
}

QByteArray Decode(const QString &text) { return QByteArray::fromBase64(text.toLatin1()); }
QString Encode(const QByteArray &bytes) { return QString::fromLatin1(bytes.toBase64()); }
} // namespace

void RestoreWindowPlacement(QWidget *window, const QString &name, QSplitter *splitter)
{
    clsRegIni reg = UserStore(QStringLiteral("Windows"));
    const QByteArray geometry = Decode(reg.ReadReg(name + QStringLiteral("Geometry"), QString()));
    if (!geometry.isEmpty())
        window->restoreGeometry(geometry);
    if (splitter) {
        const QByteArray state = Decode(reg.ReadReg(name + QStringLiteral("Splitter"), QString()));
        if (!state.isEmpty())
            splitter->restoreState(state);
    }
}

void SaveWindowPlacement(const QWidget *window, const QString &name, const QSplitter *splitter)
{
    clsRegIni reg = UserStore(QStringLiteral("Windows"));
    reg.SaveReg(name + QStringLiteral("Geometry"), Encode(window->saveGeometry()));
    if (splitter)
        reg.SaveReg(name + QStringLiteral("Splitter"), Encode(splitter->saveState()));
}

QStringList RecentBetFiles()
{
    clsRegIni reg = UserStore(QStringLiteral("RecentFiles"));
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = reg.ReadReg(QStringLiteral("File%1").arg(i), QString());
        if (!file.isEmpty())
            files << file;
    }
    return files;
}

QStringList AddRecentBetFile(const QString &path)
{
    QStringList files = RecentBetFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    clsRegIni reg = UserStore(QStringLiteral("RecentFiles"));
    for (int i = 1; i <= kRecentFileCount; ++i)
        reg.SaveReg(QStringLiteral("File%1").arg(i), files.value(i - 1));
    return files;
}
