#include "common/PathFile.h"
#include "common/TextFile.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(SplitPathFile, FoldersFileBaseAndExtension)
{
    struct Case {
        const char *path, *folder, *file, *base, *ext;
    };
    const Case cases[] = {
        {"D:\\slips\\a.b.tzd", "D:\\slips\\", "a.b.tzd", "a.b", "tzd"},
        {"readme", "", "readme", "readme", ""},
        {"/opt/vorn/投注单文件/陕西－双色球.tzd", "/opt/vorn/投注单文件/", "陕西－双色球.tzd", "陕西－双色球", "tzd"},
        {"D:\\slips\\", "D:\\slips\\", "", "", ""},
        {"C:", "C:", "", "", ""},
        {"", "", "", "", ""},
        {"a/b\\c.txt", "a/b\\", "c.txt", "c", "txt"},
        {".hidden", "", ".hidden", "", "hidden"},
    };
    for (const Case &c : cases) {
        const PathParts p = SplitPathFile(QString::fromUtf8(c.path));
        EXPECT_EQ(p.folder, QString::fromUtf8(c.folder)) << c.path;
        EXPECT_EQ(p.fileName, QString::fromUtf8(c.file)) << c.path;
        EXPECT_EQ(p.baseName, QString::fromUtf8(c.base)) << c.path;
        EXPECT_EQ(p.extension, QString::fromUtf8(c.ext)) << c.path;
    }
}

TEST(StripNull, CutsAtNulAndTrims)
{
    EXPECT_EQ(StripNull(QString("ab") + QChar(0) + "cd", false), "ab");
    EXPECT_EQ(StripNull("  ab  ", true), "ab");
    EXPECT_EQ(StripNull("  ab  ", false), "  ab  ");
    EXPECT_EQ(DefaultFontName(), "宋体");
}

namespace {
int g_shellResult = 0;
QString g_shellPath;
int fakeShell(const QString &path, const QString &)
{
    g_shellPath = path;
    return g_shellResult;
}
} // namespace

TEST(ShellOpen, ResultsMapToTheirMessages)
{
    ScriptedMsgBox box;
    ShellOpenHandler previous = SetShellOpenHandler(&fakeShell);
    struct Case {
        int result;
        const char *message; // nullptr = success, no box
    };
    const Case cases[] = {
        {42, nullptr},
        {2, "没有找到对应的文件，或者用以查看该文件的程序不存在！"},
        {3, "没有找到对应的文件，或者用以查看该文件的程序不存在！"},
        {27, "没有程序关联到对应的文件类型！"},
        {31, "没有程序关联到对应的文件类型！"},
        {5, "打开文件错误！"},
        {32, "打开文件错误！"},
    };
    for (const Case &c : cases) {
        g_shellResult = c.result;
        const size_t before = box.shown().size();
        EXPECT_EQ(ShellOpen("  /tmp/x.txt "), c.message == nullptr);
        EXPECT_EQ(g_shellPath, "/tmp/x.txt");
        if (c.message) {
            ASSERT_EQ(box.shown().size(), before + 1);
            EXPECT_EQ(box.shown().back().text, QString::fromUtf8(c.message));
            EXPECT_EQ(box.shown().back().style, MsgStyle::Plain);
        } else {
            EXPECT_EQ(box.shown().size(), before);
        }
    }
    SetShellOpenHandler(previous);
}

TEST(TextFile, DecodesGbkAndByteOrderMarksAndSplitsAnyLineEnd)
{
    const QString text = "陕西－双色球 01 02";
    EXPECT_EQ(DecodeText(EncodeGbk(text)), text);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + text.toUtf8()), text);
    QByteArray le("\xFF\xFE", 2);
    for (QChar c : text)
        le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    EXPECT_EQ(DecodeText(le), text);

    EXPECT_EQ(JoinCrLf({"a", "b"}), "a\r\nb\r\n");
}

TEST(TextFile, WriteIsAtomicAndReadReportsMissingFiles)
{
    const QString dir = makeTempDir();
    const QString path = dir + "/bets.txt";
    ASSERT_TRUE(WriteWholeTextFile(path, JoinCrLf({"01 02", "红球"})));
    const TextReadResult r = ReadWholeTextFile(path);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "01 02\r\n红球\r\n");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), EncodeGbk("01 02\r\n红球\r\n"));
    f.close();

    QString error;
    EXPECT_FALSE(WriteWholeTextFile(dir + "/missing/x.txt", "x", &error));
    EXPECT_FALSE(error.isEmpty());
    const TextReadResult missing = ReadWholeTextFile(dir + "/none.txt");
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
}
