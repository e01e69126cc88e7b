#pragma once
// Helpers of the import tests: files written as users have them (GBK, CR LF).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

QString writeGbkFile(const QString &folder, const QString &name, const QStringList &lines);
QString writeBytes(const QString &folder, const QString &name, const QByteArray &bytes);
QByteArray readBytes(const QString &path);

// Readable failure output for texts (gtest would print QString as raw bytes).
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QStringList &list, std::ostream *os);
