#include "common/PathFile.h"
#include "common/Blanks.h"
#include "common/MsgBox.h"

#include <QFile>
#include <sys/stat.h>
#include <QFileInfo>

namespace {
bool isSeparator(QChar c) { return c == '\\' || c == '/'; }

// Without a window there is no program to open anything with; the desktop program installs
// the real opener from platform/.
int defaultShellOpen(const QString &path, const QString &)
{
    return QFileInfo::exists(path) || path.contains(QLatin1String("://")) ? 31 : 2;
}

ShellOpenHandler &handlerSlot()
{
    static ShellOpenHandler handler = &defaultShellOpen;
    return handler;
}
} // namespace

PathParts SplitPathFile(const QString &path)
{
    PathParts p;
    if (TrimBlanks(path).endsWith(':')) {
        p.folder = path;
        return p;
    }
    if (path.isEmpty())
        return p;
    int last = -1;
    for (int i = int(path.size()) - 1; i >= 0; --i) {
        if (isSeparator(path[i])) {
            last = i;
            break;
        }
    }
    p.folder = path.left(last + 1);
    p.fileName = path.mid(last + 1);
    const int dot = int(p.fileName.lastIndexOf('.'));
    if (dot >= 0) {
        p.baseName = p.fileName.left(dot);
        p.extension = p.fileName.mid(dot + 1);
    } else {
        p.baseName = p.fileName;
    }
    return p;
}

bool SameFolder(const QString &a, const QString &b)
{
    QString x = a, y = b;
    x.replace(QLatin1Char('\\'), QLatin1Char('/'));
    y.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (x == y)
        return true;
    if (x.isEmpty() || y.isEmpty())
        return false;
    struct stat sx {}, sy {};
    return ::stat(QFile::encodeName(x).constData(), &sx) == 0 && S_ISDIR(sx.st_mode)
           && ::stat(QFile::encodeName(y).constData(), &sy) == 0 && S_ISDIR(sy.st_mode)
           && sx.st_dev == sy.st_dev && sx.st_ino == sy.st_ino;
}

QString StripNull(const QString &text, bool trim)
{
    const int nul = int(text.indexOf(QChar(0)));
    const QString cut = nul >= 0 ? text.left(nul) : text;
    return trim ? TrimBlanks(cut) : cut;
}

int ShellOpenResult(const QString &path)
{
    const QString trimmed = TrimBlanks(path);
    return handlerSlot()(trimmed, SplitPathFile(trimmed).folder);
}

bool ShellOpen(const QString &path)
{
    const int result = ShellOpenResult(path);
    if (result > 32)
        return true;
    if (result == 2 || result == 3)
        MsgBox(QStringLiteral("没有找到对应的文件，或者用以查看该文件的程序不存在！"), MsgStyle::Plain);
    else if (result == 27 || result == 31)
        MsgBox(QStringLiteral("没有程序关联到对应的文件类型！"), MsgStyle::Plain);
    else
        MsgBox(QStringLiteral("打开文件错误！"), MsgStyle::Plain);
    return false;
}

ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler)
{
    ShellOpenHandler previous = handlerSlot();
    handlerSlot() = handler ? handler : &defaultShellOpen;
    return previous;
}

QString DefaultFontName() { return QStringLiteral("宋体"); }
