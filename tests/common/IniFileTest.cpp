#include "common/IniDocument.h"
#include "common/TextFile.h"
#include "common/clsIniFile.h"
#include "common/clsRegIni.h"
#include "common/AtomicFile.h"
#include "common/PathFile.h"
#include "DiskSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>

TEST(IniDocument, ReadingRules)
{
    const IniDocument doc(
        "top=ignored\r\n"
        "[Main]\r\n"
        "  Name  =  value with blanks  \r\n"
        "name=second is ignored\r\n"
        "Empty=\r\n"
        "no equals sign here\r\n"
        "Path=C:\\a=b\r\n"
        "[ other ]\n"
        "k=v\n"
        "[main]\r\n"
        "Late=in a repeated section\r\n"
        "[Last]\r\n"
        "x=1"); // no final line end
    struct Case {
        const char *section, *key;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"MAIN", "name", QString("value with blanks")},
        {"main", "EMPTY", QString("")},
        {"Main", "no equals sign here", std::nullopt},
        {"Main", "Path", QString("C:\\a=b")},
        {"Other", "K", QString("v")},
        {"Main", "Late", std::nullopt},
        {"Main", "top", std::nullopt},
        {"Last", "x", QString("1")},
        {"Missing", "x", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(doc.Value(c.section, c.key), c.expected) << c.section << "/" << c.key;
}

TEST(IniDocument, WritesReplaceInPlaceAndAppendWhereMissing)
{
    IniDocument doc("; comment\r\n[A]\r\nk1 = old\r\nk2=2\r\n\r\n[B]\r\nz=9\r\n");
    doc.SetValue("a", "K1", "new");
    doc.SetValue("A", "k3", "3");
    doc.SetValue("C", "c", "x");
    EXPECT_EQ(doc.ToBytes(), "; comment\r\n[A]\r\nK1=new\r\nk2=2\r\nk3=3\r\n\r\n[B]\r\nz=9\r\n[C]\r\nc=x\r\n");
}

TEST(clsIniFile, ReadWriteThroughTheFile)
{
    const QString path = makeTempDir() + "/Vorn.cfg";
    clsIniFile ini;
    ini.setFileName(path);
    EXPECT_EQ(ini.ReadString("MAIN", "x", "  def  "), "def");
    ASSERT_TRUE(ini.WriteString("MAIN", "Template", "陕西－双色球.tzd"));
    ASSERT_TRUE(ini.WriteString("Import", "LastPath", "D:\\bets\\"));
    ASSERT_TRUE(ini.WriteString("MAIN", "Pause", "200"));
    // GBK bytes, CR LF, keys added at the end of their section
    EXPECT_EQ(FileBytes(path), EncodeGbk("[MAIN]\r\nTemplate=陕西－双色球.tzd\r\nPause=200\r\n"
                                         "[Import]\r\nLastPath=D:\\bets\\\r\n"));
    EXPECT_EQ(ini.ReadString("main", "template", ""), "陕西－双色球.tzd");
    EXPECT_EQ(ini.ReadString("MAIN", "Pause", "", 3), "20"); // buffer of 3 keeps 2 characters
}

TEST(clsIniFile, WriteKeepsOtherBytesAndAFailedWriteChangesNothing)
{
    const QString dir = makeTempDir();
    const QString path = dir + "/a.ini";
    const QByteArray original = "[S]\r\na = 1 \r\n; keep me\r\nb=2\r\n";
    PutFileBytes(path, original);
    clsIniFile ini;
    ini.setFileName(path);
    ASSERT_TRUE(ini.WriteString("S", "b", "3"));
    EXPECT_EQ(FileBytes(path), QByteArray("[S]\r\na = 1 \r\n; keep me\r\nb=3\r\n"));

    // a folder in place of the file cannot be written: false, and nothing else is touched
    const QString blocked = dir + "/blocked.ini";
    QDir().mkpath(blocked);
    ini.setFileName(blocked);
    EXPECT_FALSE(ini.WriteString("S", "k", "v"));
    ini.setFileName(dir + "/no/such/folder/x.ini");
    EXPECT_FALSE(ini.WriteString("S", "k", "v"));
}

TEST(clsIniFile, HostileFilesAreReadByTheSameRules)
{
    const QString dir = makeTempDir();
    clsIniFile ini;

    QByteArray binary;
    for (int i = 0; i < 100000; ++i)
        binary.append(char((i * 131) & 0xFF));
    binary.append("\n[S]\nk=found\n");
    PutFileBytes(dir + "/bin.ini", binary);
    ini.setFileName(dir + "/bin.ini");
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "found");

    const QString longValue(10000, 'x');
    PutFileBytes(dir + "/long.ini", "[S]\nk=" + longValue.toLatin1());
    ini.setFileName(dir + "/long.ini");
    EXPECT_EQ(ini.ReadString("S", "k", "d").size(), 1999);

    PutFileBytes(dir + "/bom.ini", "\xEF\xBB\xBF[S]\r\nk=" + QString("双色球").toUtf8());
    ini.setFileName(dir + "/bom.ini");
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "双色球");

    PutFileBytes(dir + "/nul.ini", QByteArray("[S]\r\nk=ab\0cd\r\n", 14));
    ini.setFileName(dir + "/nul.ini");
    EXPECT_EQ(ini.ReadString("S", "k", "d"), "ab");
}

TEST(clsRegIni, ValuesUnderTheDefaultOrAGivenSubKey)
{
    clsRegIni::SetStoreFile(makeTempDir() + "/reg/registry.ini");
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_LOCAL_MACHINE, "SOFTWARE\\VornPrn");
    EXPECT_EQ(reg.ReadReg("PathFile", "none"), "none");
    ASSERT_TRUE(reg.SaveReg("PathFile", "/opt/vornprn/VornPrn", ""));
    EXPECT_EQ(reg.ReadReg("PathFile", "none", "SOFTWARE\\VornPrn"), "/opt/vornprn/VornPrn");
    EXPECT_EQ(reg.ReadReg("PathFile", "none", "", 5), "none"); // longer than the buffer
    ASSERT_TRUE(reg.SaveReg("Other", "1", "SOFTWARE\\Else"));
    EXPECT_EQ(reg.ReadReg("Other", "none"), "none");
    reg.DeleteRegValue("PathFile");
    EXPECT_EQ(reg.ReadReg("PathFile", "gone"), "gone");
    EXPECT_EQ(reg.ReadReg("Other", "none", "SOFTWARE\\Else"), "1");
    reg.DeleteRegValue("missing", "no\\key");
}

TEST(clsIniFile, WritingAKeyKeepsEveryOtherByte)
{
    struct Case {
        const char *name;
        QByteArray before, after;
    };
    const QByteArray gbkName = EncodeGbk(QStringLiteral("七乐彩"));
    const Case cases[] = {
        {"bytes that are no valid GBK", "[MAIN]\r\nLayoutName=T\xff\x80\r\nX=1\r\n",
         "[MAIN]\r\nLayoutName=T\xff\x80\r\nX=2\r\n"},
        {"LF line ends", "[MAIN]\nA=1\nX=1\n", "[MAIN]\nA=1\nX=2\n"},
        {"a key added to an LF file", "[MAIN]\nA=1\n", "[MAIN]\nA=1\nX=2\n"},
        {"a section added after a last line without end", "[B]\nA=1", "[B]\nA=1\n[MAIN]\nX=2\n"},
        {"a UTF-8 byte-order mark",
         "\xEF\xBB\xBF[MAIN]\r\nName=" + QStringLiteral("七乐彩").toUtf8() + "\r\nX=1\r\n",
         "\xEF\xBB\xBF[MAIN]\r\nName=" + QStringLiteral("七乐彩").toUtf8() + "\r\nX=2\r\n"},
        {"GBK text and a lone \\xff elsewhere", "[A]\r\nN=" + gbkName + "\r\nB=\xff\r\n[MAIN]\r\nX=1\r\n",
         "[A]\r\nN=" + gbkName + "\r\nB=\xff\r\n[MAIN]\r\nX=2\r\n"},
        {"CR alone", "[MAIN]\rX=1\rY=\xff\r", "[MAIN]\rX=2\rY=\xff\r"},
    };
    for (const Case &c : cases) {
        const QString path = makeTempDir() + "/Vorn.cfg";
        PutFileBytes(path, c.before);
        clsIniFile ini;
        ini.setFileName(path);
        ASSERT_TRUE(ini.WriteString("MAIN", "X", "2")) << c.name;
        EXPECT_EQ(FileBytes(path), c.after) << c.name;
    }
}

TEST(clsIniFile, ValuesKeepFullWidthAndOtherNonAsciiSpaces)
{
    const QString path = makeTempDir() + "/a.ini";
    const QString padded = QStringLiteral("\u3000\u3000第{页码}页\u00A0");
    PutFileBytes(path, "[S]\r\nk= \t" + EncodeGbk(QStringLiteral("\u3000七乐彩\u3000")) + " \r\n");
    clsIniFile ini;
    ini.setFileName(path);
    EXPECT_EQ(ini.ReadString("S", "k", ""), QStringLiteral("\u3000七乐彩\u3000"));
    ASSERT_TRUE(ini.WriteString("S", "p", padded));
    EXPECT_EQ(ini.ReadString("S", "p", ""), padded);
    EXPECT_EQ(ini.ReadString("S", "missing", QStringLiteral(" \u3000x ")), QStringLiteral("\u3000x"));
}

TEST(clsIniFile, SeveralKeysReachTheFileInOneWriteOrNotAtAll)
{
    const QString path = makeTempDir() + "/a.ini";
    const QByteArray old = "[S]\r\na=1\r\nb=1\r\nc=1\r\n";
    PutFileBytes(path, old);
    clsIniFile ini;
    ini.setFileName(path);
    {
        // The disk fills up after the first file written: a writer that wrote key by key would
        // leave "a" changed and the others not.
        DiskFullAfter full(0, 1);
        ASSERT_TRUE(ini.WriteStrings("S", {{"a", "2"}, {"b", "2"}, {"c", "2"}}));
    }
    EXPECT_EQ(FileBytes(path), "[S]\r\na=2\r\nb=2\r\nc=2\r\n");
    {
        DiskFullAfter full(5);
        EXPECT_FALSE(ini.WriteStrings("S", {{"a", "3"}, {"b", "3"}}));
    }
    EXPECT_EQ(FileBytes(path), "[S]\r\na=2\r\nb=2\r\nc=2\r\n");
    EXPECT_EQ(LastSaveFailureText(), SaveFailureText(path, ENOSPC));
}

TEST(clsRegIni, StoresTheWholeValueAndSurvivesAFullDisk)
{
    const QString store = makeTempDir() + "/registry.ini";
    clsRegIni::SetStoreFile(store);
    clsRegIni reg;
    reg.Init(clsRegIni::HKEY_LOCAL_MACHINE, "SOFTWARE\\VornPrn");
    const QString padded = QStringLiteral(" \u3000/opt/vorn prn/\u00A0");
    ASSERT_TRUE(reg.SaveReg("PathFile", padded));
    EXPECT_EQ(reg.ReadReg("PathFile", "none"), padded);
    const QByteArray before = FileBytes(store);
    {
        DiskFullAfter full(0);
        EXPECT_FALSE(reg.SaveReg("PathFile", "/elsewhere"));
        reg.DeleteRegValue("PathFile");
    }
    EXPECT_EQ(FileBytes(store), before) << "a full disk never empties the store";
}

TEST(SameFolder, ComparesAsTheFileSystemDoes)
{
    const QString dir = makeTempDir();
    QDir().mkpath(dir + "/PICS");
    QDir().mkpath(dir + "/pics");
    QDir().mkpath(dir + "/Only");
    QFile::link(dir + "/PICS", dir + "/alias");
    struct Case {
        QString a, b;
        bool same;
    };
    const Case cases[] = {
        {dir + "/PICS/", dir + "/PICS/", true},
        {dir + "/PICS/", dir + "\\PICS\\", true},
        {dir + "/PICS/", dir + "/pics/", false},  // two folders on a case-sensitive disk
        {dir + "/Only/", dir + "/only/", false},  // no folder "only" exists here
        {dir + "/PICS/", dir + "/alias/", true},  // one folder under two names
        {"D:\\T\\", "d:\\t\\", false},
        {"", "", true},
        {"", dir + "/", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SameFolder(c.a, c.b), c.same) << c.a.toStdString() << " " << c.b.toStdString();
}
