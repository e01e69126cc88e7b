// Every seed and every earlier finding of the fuzzers goes through its reader again: what a
// fuzzer once found stays fixed. (scripts/fuzz.sh keeps new findings under fuzz/findings/; a
// finding is fixed, then its input moves to fuzz/regressions/<target>/.)
#include "FuzzEntries.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace {
QStringList inputsOf(const QString &name)
{
    QStringList folders = FuzzSeedFolders(sourceDir(), name);
    folders << QStringLiteral("fuzz/regressions/") + name;
    QStringList files;
    for (const QString &folder : folders) {
        QDirIterator it(sourceDir() + "/" + folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    files.sort();
    return files;
}
} // namespace

TEST(FuzzRegressions, EverySeedAndFindingHoldsItsReadersPromise)
{
    for (const FuzzEntry &entry : FuzzEntries()) {
        const QStringList files = inputsOf(QString::fromLatin1(entry.name));
        // The corpus of the target plus every folder seed-folders.txt names for it.
        EXPECT_GT(files.size(), FuzzSeedFolders(sourceDir(), QString::fromLatin1(entry.name)).size())
            << entry.name << " lacks seeds";
        for (const QString &path : files) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
            EXPECT_TRUE(entry.run(f.readAll())) << entry.name << ": " << path.toStdString();
        }
    }
}

TEST(FuzzRegressions, TheEntriesCatchTheFaultsTheyGuard)
{
    // Inputs near the faults the entries guard: bytes that are no valid GBK, LF line ends and a
    // byte-order mark in INI files, full-width spaces in a template, odd separators in bets,
    // an unbalanced expression, a script that never ends.
    const std::pair<const char *, QByteArray> cases[] = {
        {"ini", "[MAIN]\nSELECTFILE=T\xff\x80\n"},
        {"ini", "\xEF\xBB\xBF[Base]\r\nLayoutLeft=1\r\n"},
        {"template", "[Base]\r\nLayoutName=\xA1\xA1x\r\nControlCount=1\r\n[Controls1]\r\nKeyName=a\r\n"},
        {"bets", "01 , 02 ,, 03\r\n\xA3\xB0\xA3\xB1 02\r\n"},
        {"eval", "((1+2)*3"},
        {"script_run", "Do\r\nLoop"},
    };
    for (const auto &[name, input] : cases)
        EXPECT_TRUE(FindFuzzEntry(name)->run(input)) << name;
}
