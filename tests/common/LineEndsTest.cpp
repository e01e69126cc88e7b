#include "common/LineEnds.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

TEST(ForEachLine, SplitsAtEveryLineEndAndHandsOverEachEnd)
{
    struct Case {
        QString text;
        QStringList lines, ends;
    };
    const Case cases[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}, {"\r\n", "\n", "\r", ""}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}, {"\r\n", "\r\n", "\r\n"}},
        {"\r\n", {""}, {"\r\n"}},
        {"\n\r", {"", ""}, {"\n", "\r"}}, // LF CR is two ends, not one
        {"x", {"x"}, {""}},
        {"", {}, {}},
    };
    for (const Case &c : cases) {
        QStringList lines, ends;
        ForEachLine(QStringView(c.text), [&](QStringView line, QStringView end) {
            lines << line.toString();
            ends << end.toString();
        });
        EXPECT_EQ(lines, c.lines) << c.text.toStdString();
        EXPECT_EQ(ends, c.ends) << c.text.toStdString();

        // The bytes of a file split the same way.
        QStringList byteLines, byteEnds;
        ForEachLine(c.text.toLatin1(), [&](const QByteArray &line, const QByteArray &end) {
            byteLines << QString::fromLatin1(line);
            byteEnds << QString::fromLatin1(end);
        });
        EXPECT_EQ(byteLines, c.lines) << c.text.toStdString();
        EXPECT_EQ(byteEnds, c.ends) << c.text.toStdString();
    }
}
