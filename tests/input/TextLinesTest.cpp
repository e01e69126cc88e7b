#include "InputTestSupport.h"
#include "DiskSupport.h"
#include "TestSupport.h"
#include "common/TextFile.h"
#include "input/TextLines.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QString fixture(const QString &name) { return testDataPath("input/" + name); }

class ReadLinesInEveryEncoding : public ::testing::TestWithParam<const char *> {};

TEST_P(ReadLinesInEveryEncoding, GivesTheSameLines)
{
    ScriptedMsgBox box;
    EXPECT_EQ(ReadTextLines(fixture(GetParam())),
              (QStringList{QStringLiteral("05，红，12"), QStringLiteral("1 2 3")}));
    EXPECT_TRUE(box.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(ByteOrderMarks, ReadLinesInEveryEncoding,
                         ::testing::Values("utf8-bom.txt", "utf16le-bom.txt", "utf16be-bom.txt"));

TEST(ReadTextLines, ReadsGbkText)
{
    EXPECT_EQ(ReadTextLines(fixture("标准-汉字.txt")),
              (QStringList{QStringLiteral("05，红，12；23"), QStringLiteral("第1注"),
                           QStringLiteral("　08 09 10")}));
}

TEST(ReadTextLines, AcceptsEveryLineEnd)
{
    EXPECT_EQ(ReadTextLines(fixture("混合换行.txt")),
              (QStringList{"01 02 03", "04 05 06", "07 08 09", "10 11 12"}));
}

TEST(ReadTextLines, KeepsEmptyLinesButNoneAfterTheLastLineEnd)
{
    const QString dir = makeTempDir();
    EXPECT_EQ(ReadTextLines(writeBytes(dir, "a.txt", "1\r\n\r\n\n3\r\n")),
              (QStringList{"1", "", "", "3"}));
    EXPECT_EQ(ReadTextLines(writeBytes(dir, "b.txt", "\r\n")), QStringList{""});
    EXPECT_TRUE(ReadTextLines(fixture("空文件.txt")).isEmpty());
}

// The reader decodes a megabyte at a time: a CR LF or a GBK character cut by the chunk border
// must come out whole.
TEST(ReadTextLines, LineEndsAndCharactersAcrossTheChunkBorder)
{
    const QString dir = makeTempDir();
    const int chunk = 1 << 20;
    QByteArray crlf(chunk - 1, 'a');
    crlf += "\r\nb\r\n";
    EXPECT_EQ(ReadTextLines(writeBytes(dir, "crlf.txt", crlf)),
              (QStringList{QString(chunk - 1, 'a'), "b"}));

    QByteArray gbk(chunk - 1, 'a');
    gbk += "\xBA\xEC\r\n"; // 红, its two bytes on both sides of the border
    EXPECT_EQ(ReadTextLines(writeBytes(dir, "gbk.txt", gbk)),
              QStringList{QString(chunk - 1, 'a') + QStringLiteral("红")});
}

TEST(ReadTextFile, EndsEveryLineWithCrLf)
{
    EXPECT_EQ(ReadTextFile(fixture("混合换行.txt")),
              QStringLiteral("01 02 03\r\n04 05 06\r\n07 08 09\r\n10 11 12\r\n"));
    EXPECT_EQ(ReadTextFile(fixture("空文件.txt")), QString());
}

// Every kind of line end, alone and together, and line ends cut by the megabyte chunk border
// (a CR LF split, a lone CR as the chunk's last character, an LF as the next chunk's first).
TEST(ReadTextFile, GivesEveryLineFollowedByCrLf)
{
    const QString dir = makeTempDir();
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"", ""},
        {"a", "a\r\n"},
        {"a\r\n", "a\r\n"},
        {"a\n", "a\r\n"},
        {"a\r", "a\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
        {"\n\n", "\r\n\r\n"},
        {"\r\r", "\r\n\r\n"},
        {"\n\r", "\r\n\r\n"},
        {"a\rb\nc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
        {"12\r\n\n\r34 ", "12\r\n\r\n\r\n34 \r\n"},
        {"\xBA\xEC\r\xBA\xEC", QStringLiteral("红\r\n红\r\n")},
    };
    int n = 0;
    for (const auto &c : cases) {
        const QString path = writeBytes(dir, QStringLiteral("%1.txt").arg(n++), c.bytes);
        EXPECT_EQ(ReadTextFile(path).toStdString(), c.text.toStdString()) << c.bytes.toStdString();
    }

    const int chunk = 1 << 20;
    const QByteArray a(chunk - 1, 'a');
    const QString aa(chunk - 1, 'a');
    const struct {
        QByteArray bytes;
        QString text;
    } borders[] = {
        {a + "\r\nb", aa + "\r\nb\r\n"},
        {a + "\rb", aa + "\r\nb\r\n"},
        {a + "\r\r\n", aa + "\r\n\r\n"},
        {a + "x\nb\r", aa + "x\r\nb\r\n"},
        {a + "\n\n", aa + "\r\n\r\n"},
        {a + "\xBA\xEC\r", aa + QStringLiteral("红\r\n")},
    };
    for (const auto &c : borders) {
        const QString path = writeBytes(dir, QStringLiteral("%1.txt").arg(n++), c.bytes);
        const QString text = ReadTextFile(path);
        EXPECT_EQ(text.size(), c.text.size()) << n;
        EXPECT_TRUE(text == c.text) << n << ": " << text.right(8).toStdString();
    }
}

TEST(ReadTextFile, MissingFileShowsPathAndReasonAndGivesEmptyText)
{
    ScriptedMsgBox box;
    const QString path = makeTempDir() + "/没有.txt";
    EXPECT_EQ(ReadTextFile(path), QString());
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_TRUE(box.shown()[0].text.startsWith(path + ":")) << box.shown()[0].text.toStdString();
    EXPECT_GT(box.shown()[0].text.size(), path.size() + 1);
    EXPECT_EQ(box.shown()[0].style, MsgStyle::Exclamation);
}

TEST(ReadTextLines, RefusesABinaryFile)
{
    ScriptedMsgBox box;
    EXPECT_TRUE(ReadTextLines(fixture("二进制.dat")).isEmpty());
    EXPECT_EQ(box.texts(),
              QStringList{fixture("二进制.dat") + QStringLiteral(":文件中含有二进制数据，不是文本文件。")});
}

TEST(ReadTextLines, RefusesAFileOver256MegabytesNamingItsSize)
{
    ScriptedMsgBox box;
    const QString path = makeTempDir() + "/big.txt";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxTextFileBytes + 1)); // sparse: costs no disk
    }
    EXPECT_TRUE(ReadTextLines(path).isEmpty());
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_TRUE(box.shown()[0].text.contains(QStringLiteral("268435457 字节")))
        << box.shown()[0].text.toStdString();
}

TEST(ForEachTextLine, ReportsFailureInsteadOfShowingIt)
{
    ScriptedMsgBox box;
    QString failure;
    int lines = 0;
    EXPECT_FALSE(ForEachTextLine(fixture("二进制.dat"), [&](QStringView) { ++lines; }, &failure));
    EXPECT_TRUE(failure.endsWith(QStringLiteral("不是文本文件。")));
    EXPECT_TRUE(box.shown().empty());
}

TEST(WriteTextLines, WritesGbkWithCrLfAndReplacesTheOldFile)
{
    const QString dir = makeTempDir();
    const QString path = writeBytes(dir, "out.txt", QByteArray(100, 'x'));
    EXPECT_TRUE(WriteTextLines({QStringLiteral("红 01"), QString(), "02"}, path));
    EXPECT_EQ(readBytes(path), QByteArray("\xBA\xEC 01\r\n\r\n02\r\n"));
    EXPECT_TRUE(WriteTextLines({}, path));
    EXPECT_EQ(readBytes(path), QByteArray());
}

TEST(WriteTextLines, UnwritablePathShowsWhyAndFails)
{
    ScriptedMsgBox box;
    const QString path = makeTempDir() + "/no/such/folder/out.txt";
    EXPECT_FALSE(WriteTextLines({"1"}, path));
    ASSERT_EQ(box.shown().size(), 1u);
    EXPECT_EQ(box.shown()[0].text, QStringLiteral("保存文件 %1 失败：文件夹不存在").arg(path));
}

TEST(WriteTextLines, AFullDiskShowsWhyOnceAndKeepsTheOldOutput)
{
    const QString path = makeTempDir() + "/debugout.txt";
    ASSERT_TRUE(WriteTextLines({"old"}, path));
    for (qint64 limit : {qint64(0), qint64(3), qint64(4096)}) {
        ScriptedMsgBox box;
        DiskFullAfter full(limit);
        EXPECT_FALSE(WriteTextLines(QStringList(2000, QStringLiteral("01 02 03")), path));
        ASSERT_EQ(box.shown().size(), 1u);
        EXPECT_EQ(box.shown()[0].text, QStringLiteral("保存文件 %1 失败：磁盘空间不足").arg(path));
        EXPECT_EQ(readBytes(path), "old\r\n") << limit;
    }
}
} // namespace

namespace {
QByteArray Utf16(const QString &text, bool littleEndian)
{
    QByteArray out;
    for (QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        out += littleEndian ? QByteArray{&lo, 1} + QByteArray{&hi, 1} : QByteArray{&hi, 1} + QByteArray{&lo, 1};
    }
    return out;
}

// Bet files as users bring them; the program's own files (scripts) stay GBK.
TEST(ReadBetFile, EncodingsWithoutAByteOrderMark)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        QStringList lines;       // as a bet file
        QStringList programLines; // as one of the program's own files; empty: not checked
    };
    const QString chinese = QStringLiteral("# 第1期 红球");
    const Case cases[] = {
        {"utf-8", chinese.toUtf8() + "\r\n01 02\r\n", {chinese, "01 02"}, {}},
        {"gbk", EncodeGbk(chinese) + "\r\n01 02\r\n", {chinese, "01 02"}, {chinese, "01 02"}},
        {"ascii", "01 02\n03\n", {"01 02", "03"}, {"01 02", "03"}},
        {"utf-16le", Utf16(chinese + "\r\n01 02\r\n", true), {chinese, "01 02"}, {}},
        {"utf-16be", Utf16(chinese + "\r\n01 02\r\n", false), {chinese, "01 02"}, {}},
        // two NULs in 31 bytes: under a tenth
        {"stray nuls", QByteArray("01 0\0" "2\r\n03\0\r\n04 05 06 07 08 09\r\n", 31),
         {"01 02", "03", "04 05 06 07 08 09"}, {}},
    };
    const QString dir = makeTempDir();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedMsgBox box;
        const QString path = writeBytes(dir, QString::fromLatin1(c.name) + ".txt", c.bytes);
        EXPECT_EQ(ReadTextLines(path, TextFileKind::BetFile), c.lines);
        EXPECT_TRUE(box.shown().empty());
        if (c.programLines.size() == c.lines.size())
            EXPECT_EQ(ReadTextLines(path), c.programLines);
    }
}

TEST(ReadBetFile, UtfEightIsDecidedByTheFirstBytesThatAreNotAscii)
{
    // A megabyte of ASCII first, then UTF-8 across the chunk border.
    QByteArray bytes(1 << 20, '1');
    bytes[(1 << 20) - 2] = '\r';
    bytes[(1 << 20) - 1] = '\n';
    bytes += QStringLiteral("红 01\r\n").toUtf8();
    const QStringList lines = ReadTextLines(writeBytes(makeTempDir(), "late.txt", bytes), TextFileKind::BetFile);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], QStringLiteral("红 01"));
}

TEST(ReadBetFile, MostlyNulsIsStillBinaryButAProgramFileRefusesAnyNul)
{
    ScriptedMsgBox box;
    const QString dir = makeTempDir();
    QByteArray binary = "01 02\r\n";
    binary += QByteArray(100, '\0') + QByteArray(100, 'x');
    const QString binaryPath = writeBytes(dir, "binary.dat", binary);
    EXPECT_TRUE(ReadTextLines(binaryPath, TextFileKind::BetFile).isEmpty());
    const QString strayPath = writeBytes(dir, "stray.txt", QByteArray("01\0 02 03 04 05 06 07\r\n", 24));
    EXPECT_EQ(ReadTextLines(strayPath, TextFileKind::BetFile), QStringList{"01 02 03 04 05 06 07"});
    EXPECT_TRUE(ReadTextLines(strayPath).isEmpty());
    EXPECT_EQ(box.texts(), (QStringList{binaryPath + QStringLiteral(":文件中含有二进制数据，不是文本文件。"),
                                        strayPath + QStringLiteral(":文件中含有二进制数据，不是文本文件。")}));
}

TEST(ForEachTextLine, FailuresAreToldInTheProgramsOwnWords)
{
    const QString dir = makeTempDir();
    QString failure;
    EXPECT_FALSE(ForEachTextLine(dir + "/none.txt", [](QStringView) {}, &failure));
    EXPECT_EQ(failure, dir + QStringLiteral("/none.txt:文件不存在。"));
    EXPECT_FALSE(ForEachTextLine(dir, [](QStringView) {}, &failure));
    EXPECT_TRUE(failure.startsWith(dir + ":")) << failure.toStdString();
    EXPECT_FALSE(failure.contains(QStringLiteral("No such"))) << failure.toStdString();
}
} // namespace
