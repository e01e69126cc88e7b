#pragma once
// Helpers of the import tests: files written as users have them (GBK, CR LF).
#include <QByteArray>
#include <QString>
#include <QStringList>

QString writeGbkFile(const QString &folder, const QString &name, const QStringList &lines);
QString writeBytes(const QString &folder, const QString &name, const QByteArray &bytes);
QByteArray readBytes(const QString &path);
