// PDF, PNG and JSON output on a disk that fills up: the old file stays, the reason is given.
#include "print/DocumentOutput.h"
#include "print/DocumentSurface.h"

#include "DiskSupport.h"
#include "TestSupport.h"
#include "common/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>

namespace {
PrintDocument twoPages()
{
    DocumentSurface s;
    s.StartDoc();
    s.setBrushColor(0);
    s.DrawRectangle(0, 0, 1440, 1440);
    s.TextBox(QStringLiteral("第1页"), 2000, 2000, 3000, 400);
    s.NewPage();
    s.DrawLine(0, 0, 5000, 5000);
    s.EndDoc();
    return s.Document();
}
} // namespace

TEST(OutputOnAFullDisk, PdfAndPngKeepTheOldFilesAndSayWhy)
{
    const PrintDocument doc = twoPages();
    for (qint64 limit : {qint64(0), qint64(100), qint64(5000)}) {
        const QString dir = makeTempDir();
        PutFileBytes(dir + "/out.pdf", "old pdf");
        QDir().mkpath(dir + "/pages");
        PutFileBytes(dir + "/pages/page-0001.png", "old png");
        QString pdfFailure, pngFailure;
        {
            DiskFullAfter full(limit);
            EXPECT_FALSE(WriteDocumentPdf(doc, dir + "/out.pdf", &pdfFailure)) << limit;
            EXPECT_FALSE(WriteDocumentPngs(doc, dir + "/pages", 300, &pngFailure)) << limit;
        }
        EXPECT_EQ(pdfFailure, SaveFailureText(dir + "/out.pdf", ENOSPC));
        EXPECT_EQ(pngFailure, SaveFailureText(QDir(dir + "/pages").filePath("page-0001.png"), ENOSPC));
        EXPECT_EQ(FileBytes(dir + "/out.pdf"), "old pdf");
        EXPECT_EQ(FileBytes(dir + "/pages/page-0001.png"), "old png");
        EXPECT_EQ(FolderEntries(dir), (QStringList{"out.pdf", "pages"}));
        EXPECT_EQ(FolderEntries(dir + "/pages"), QStringList{"page-0001.png"});
    }
}

TEST(OutputOnAFullDisk, AFinishedPdfReplacesTheOldOneWhole)
{
    const QString dir = makeTempDir();
    PutFileBytes(dir + "/out.pdf", "old pdf");
    ASSERT_TRUE(WriteDocumentPdf(twoPages(), dir + "/out.pdf"));
    const QByteArray pdf = FileBytes(dir + "/out.pdf");
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(FolderEntries(dir), QStringList{"out.pdf"});
}

TEST(OutputOnAFullDisk, CommandLineJsonOnASmallDiskKeepsTheOldFile)
{
    if (!CliBuilt())
        GTEST_SKIP() << "vornprn-cli is not built";
    SmallDisk disk(256);
    if (!disk.mounted())
        GTEST_SKIP() << disk.skipReason().toStdString();
    const QString json = disk.path() + "/layout.json";
    const QByteArray old(5000, 'j');
    PutFileBytes(json, old);
    disk.fill();
    const CliRun run = RunCli({"layout", "--template", "陕西－双色球.tzd", "--test", "--json", json});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(), SaveFailureText(json, ENOSPC));
    EXPECT_EQ(FileBytes(json), old);
}
