// The printer path through a real spooler: "开始打印" in the main window prints the sample bets
// on a queue of a private CUPS scheduler, and the PDF the queue writes has the paper the job
// asked for and every filled block where `vornprn-cli layout --json` puts it for that printer
// (its offset included), to a pixel at 600 dpi.
#include "PdfPages.h"
#include "PrivateCupsScheduler.h"
#include "TestSupport.h"
#include "app/PrinterOffsets.h"
#include "app/ProgramFolders.h"
#include "common/TextFile.h"
#include "common/clsIniFile.h"
#include "common/clsRegIni.h"
#include "gui/frmMain.h"
#include "gui/frmPLPreview.h"
#include "input/BetList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

namespace {
const QString kSample = QStringLiteral("陕西－双色球.tzd");
constexpr int kDpi = 600;

struct Job {
    const char *what;
    QString templateName;
    QString queue;
    PrinterOffset offset;    // the queue's own
    QSizeF paperPoints;      // the paper the job must come out on
    double pagePointsSlack;  // how far the written page may differ from it
};

// The sample template, and a copy of it on custom slip paper with an offset of its own.
void makeTemplates(const QString &folder)
{
    QDir().mkpath(folder);
    const QString shipped = sourceDir() + "/resources/投注单文件/";
    QFile::copy(shipped + kSample, folder + kSample);
    QFile::copy(shipped + "陕西－双色球.bmp", folder + "陕西－双色球.bmp");
    QFile::copy(shipped + kSample, folder + "slip.tzd");
    clsIniFile ini;
    ini.setFileName(folder + "slip.tzd");
    ini.WriteStrings("Base", {{"PaperSize", "256"}, {"PaperWidth", "10206"}, {"PaperHeight", "5386.5"},
                                    {"LayoutLeft", "2"}, {"LayoutTop", "1.5"}});
}

// Runs vornprn-cli with the test's configuration folder; stdout.
QByteArray runCli(const QString &configHome, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configHome);
    p.setProcessEnvironment(env);
    p.start(binDir() + "/vornprn-cli", args);
    p.waitForFinished(300000);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return p.readAllStandardOutput();
}

// "开始打印" with the window's own preview; the printer dialog is accepted as it opens (on the
// printer the job goes to).
void printFromMainWindow(frmMain &w)
{
    frmPLPreview &preview = w.PreviewWindow();
    int dialogs = 0;
    preview.setPrinterDialog([&](QPrinter &, int) {
        ++dialogs;
        return true;
    });
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (preview.isVisible())
            preview.cmdPrint_Click();
    });
    answer.start();
    w.findChild<QPushButton *>("cmdPrint")->click();
    answer.stop();
    EXPECT_EQ(dialogs, 1);
}

// The media the job asked the spooler for, in points, from the scheduler's log.
QSizeF askedMedia(const QStringList &optionLines)
{
    static const QRegularExpression custom(QStringLiteral("media=Custom\\.([0-9.]+)x([0-9.]+)"));
    for (const QString &line : optionLines)
        if (const auto m = custom.match(line); m.hasMatch())
            return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    return QSizeF();
}

// Where the ink of a block lies along one axis through (x, y): its centre and its length in
// pixels, from the coverage of every pixel of the dark run and of its partly covered neighbours,
// so that an edge between two pixels is measured where it is, not rounded to either.
struct InkSpan {
    double centre = 0, length = 0;
};
InkSpan inkSpan(const QImage &page, int x, int y, bool horizontal)
{
    const int limit = horizontal ? page.width() : page.height();
    auto coverage = [&](int i) {
        if (i < 0 || i >= limit)
            return 0.0;
        return (255 - page.pixelColor(horizontal ? i : x, horizontal ? y : i).value()) / 255.0;
    };
    int lo = horizontal ? x : y, hi = lo;
    while (coverage(lo - 1) > 0.5)
        --lo;
    while (coverage(hi + 1) > 0.5)
        ++hi;
    InkSpan span;
    double moment = 0;
    for (int i = lo - 1; i <= hi + 1; ++i) {
        span.length += coverage(i);
        moment += (i + 0.5) * coverage(i);
    }
    span.centre = span.length > 0 ? moment / span.length : -1;
    return span;
}

// Every filled block of a page of the layout lies within one pixel of where the page shows it.
int checkBlocks(const QImage &page, const QJsonArray &ops, const char *what, int pageNo)
{
    const double scale = kDpi / 1440.0;
    int checked = 0;
    for (const QJsonValue &v : ops) {
        const QJsonObject op = v.toObject();
        if (op["op"] != "rect" || op["brushColor"].toInt() != 0)
            continue;
        const double x1 = op["x1"].toDouble() * scale, x2 = op["x2"].toDouble() * scale;
        const double y1 = op["y1"].toDouble() * scale, y2 = op["y2"].toDouble() * scale;
        const int cx = int(std::floor((x1 + x2) / 2)), cy = int(std::floor((y1 + y2) / 2));
        const InkSpan across = inkSpan(page, cx, cy, true), down = inkSpan(page, cx, cy, false);
        const std::string where = std::string(what) + " page " + std::to_string(pageNo) + " block at "
                                  + std::to_string(x1) + "," + std::to_string(y1) + " px";
        EXPECT_NEAR(across.centre, (x1 + x2) / 2, 1.0) << where;
        EXPECT_NEAR(down.centre, (y1 + y2) / 2, 1.0) << where;
        // The block's outline is a hairline: one pixel of the rendering, half of it outside.
        EXPECT_NEAR(across.length, x2 - x1 + 1, 0.75) << where;
        EXPECT_NEAR(down.length, y2 - y1 + 1, 0.75) << where;
        ++checked;
    }
    return checked;
}
} // namespace

TEST(Spooler, StartPrintingOnACupsQueueWritesThePaperAndBlocksOfTheLayout)
{
    if (const QString missing = PdfToolsMissing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    if (!CliBuilt())
        GTEST_SKIP() << "vornprn-cli is not built";
    PrivateCupsScheduler cups;
    QString whyNot;
    if (!cups.Start(&whyNot))
        GTEST_SKIP() << "cannot run a CUPS scheduler here: " << whyNot.toStdString();

    ScriptedMsgBox box; // continue questions and the closing notice: OK
    const QString dir = makeTempDir();
    makeTemplates(dir + "/投注单文件/");
    SetFolders(ProgramFolders::ForProgramFolder(dir, dir + "/docs"));
    // The window and the command line share the test's own user settings.
    const QString configHome = dir + "/config";
    clsRegIni::SetStoreFile(configHome + "/VornPrn/registry.ini");
    const QString bets = sourceDir() + "/samples/陕西－双色球.txt";

    const Job jobs[] = {
        // No paper in the template: the queue's own (A4) stays.
        {"sample on A4", kSample, "vorn_a4", {1.5, -0.7}, {595.276, 841.89}, 0.01},
        // Custom slip paper. Qt's PDF gives the page whole points, so the written page may be
        // short of the asked paper by less than a point; the paper asked is checked exactly.
        {"custom slip", "slip.tzd", "vorn_slip", {-0.8, 1.1}, {10206 / 20.0, 5386.5 / 20.0}, 0.5},
    };
    for (const Job &job : jobs) {
        const QString pdf = cups.Folder() + "/" + job.queue + ".pdf";
        ASSERT_TRUE(cups.AddPdfQueue(job.queue, pdf, &whyNot)) << whyNot.toStdString();
        ASSERT_TRUE(SavePrinterOffset(job.queue, job.offset));
        ASSERT_TRUE(SaveLastPrinter(job.queue));
        WriteWholeTextFile(dir + "/Vorn.cfg", "[MAIN]\r\nSELECTFILE=" + job.templateName
                                                   + "\r\nPRINTRANGE=2\r\nPAPERSTART=1\r\nPAPEREND=3\r\n");
        frmMain w;
        w.show();
        w.Form_Load();
        ASSERT_EQ(w.JobPrinter(), job.queue) << job.what << ": the queue is not among the system's printers";
        w.ImportBetFile(bets, false);
        ASSERT_GT(w.Bets().Count(), 15);
        printFromMainWindow(w);
        ASSERT_TRUE(cups.WaitUntilIdle(job.queue, 60000)) << job.what;
        ASSERT_TRUE(QFileInfo(pdf).size() > 0) << job.what << ": the queue wrote nothing";

        const QList<QSizeF> pages = PdfPageSizes(pdf);
        ASSERT_EQ(pages.size(), 3) << job.what;
        for (const QSizeF &page : pages) {
            EXPECT_NEAR(page.width(), job.paperPoints.width(), job.pagePointsSlack) << job.what;
            EXPECT_NEAR(page.height(), job.paperPoints.height(), job.pagePointsSlack) << job.what;
        }
        if (job.templateName == "slip.tzd") {
            const QSizeF asked = askedMedia(cups.JobOptionLines());
            EXPECT_NEAR(asked.width(), job.paperPoints.width(), 0.01) << job.what;
            EXPECT_NEAR(asked.height(), job.paperPoints.height(), 0.01) << job.what;
        }

        const QJsonObject layout = QJsonDocument::fromJson(
            runCli(configHome, {"layout", "--template", dir + "/投注单文件/" + job.templateName, "--bets", bets,
                                "--marks", "off", "--printer", job.queue, "--json", "-"})).object();
        const QJsonArray layoutPages = layout["pages"].toArray();
        ASSERT_GE(layoutPages.size(), pages.size());
        int checked = 0;
        for (int p = 0; p < pages.size(); ++p) {
            const QImage page = PdfPageGray(pdf, p + 1, kDpi);
            ASSERT_FALSE(page.isNull()) << job.what;
            checked += checkBlocks(page, layoutPages[p].toObject()["ops"].toArray(), job.what, p + 1);
        }
        EXPECT_GE(checked, 15 * 7) << job.what; // seven numbers for each of the 15 stakes
    }
}
