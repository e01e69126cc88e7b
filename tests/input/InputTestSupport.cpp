#include "InputTestSupport.h"

#include <QFile>
#include <QStringEncoder>

QString writeBytes(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const QString path = folder + '/' + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QString writeGbkFile(const QString &folder, const QString &name, const QStringList &lines)
{
    QStringEncoder gbk("GB18030");
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += gbk.encode(line) + "\r\n";
    return writeBytes(folder, name, bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i > 0)
            *os << ", ";
        PrintTo(list[i], os);
    }
    *os << '}';
}
