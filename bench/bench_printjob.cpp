// "开始打印" on a shop's night of bets: 100,000 stakes with a pause of 20,000 pages, from the
// click to the first batch shown in the preview, and the parts of that time.
#include "BenchMain.h"
#include "app/PrintJob.h"
#include "app/ProgramFolders.h"
#include "common/MsgBox.h"
#include "common/Quitting.h"
#include "common/clsRegIni.h"
#include "gui/PreviewWidget.h"
#include "gui/frmMain.h"
#include "gui/frmPLPreview.h"
#include "input/BetList.h"
#include "print/PrintDocument.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {
const QString kSample = QStringLiteral("陕西－双色球.tzd");

QString TwoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

void FillStakes(BetList &list, int count)
{
    QRandomGenerator rng(11);
    for (int i = 1; i <= count; ++i) {
        QStringList numbers;
        for (int k = 0; k < 6; ++k)
            numbers << TwoDigits(int(rng.bounded(1, 34)));
        numbers << TwoDigits(int(rng.bounded(1, 17)));
        list.Append(i, numbers.join(' '));
    }
}

struct ProgramFolder {
    ProgramFolder()
    {
        QDir().mkpath(dir.path() + QStringLiteral("/投注单文件"));
        QFile::copy(QStringLiteral(VORN_SOURCE_DIR) + QStringLiteral("/resources/投注单文件/") + kSample,
                    dir.path() + QStringLiteral("/投注单文件/") + kSample);
        SetFolders(ProgramFolders::ForProgramFolder(dir.path(), dir.path() + QStringLiteral("/docs")));
        clsRegIni::SetStoreFile(dir.path() + QStringLiteral("/registry.ini"));
    }
    QTemporaryDir dir;
};

// Every message box answered as a user who wants the job printed; the handler before it back.
MsgBoxHandler AnswerEveryBox()
{
    return SetMsgBoxHandler([](const QString &, MsgStyle style) {
        return style == MsgStyle::OkCancel || style == MsgStyle::Information ? MsgAnswer::Ok : MsgAnswer::Yes;
    });
}

// The main window shown with 100,000 checked stakes and a pause every 20,000 pages.
void LoadNightOfBets(frmMain &w)
{
    w.show();
    w.Form_Load();
    FillStakes(w.Bets(), 100'000);
    w.CheckLottNumbers();
    w.findChild<QLineEdit *>("txtPrintPaustPaper")->setText(QStringLiteral("20000"));
}

// The job alone: the check, the batch cut and the layout of the first 100,000 stakes.
void BM_PrintJobFirstBatchLaidOut(benchmark::State &state)
{
    ProgramFolder folder;
    BetList list;
    FillStakes(list, 100'000);
    PrintJobOptions o;
    o.templatePath = Folders().templates + kSample;
    o.pause = QStringLiteral("20000");
    PrintJobCallbacks cb;
    cb.showBatch = [](PrintDocument &, const QString &) { return false; };
    cb.message = [](const QString &, MsgStyle) { return MsgAnswer::Ok; };
    cb.confirmFaultyStakes = [](const QString &) { return true; };
    for (auto _ : state)
        benchmark::DoNotOptimize(PrintLottNumbers(list, o, cb).batches);
}
BENCHMARK(BM_PrintJobFirstBatchLaidOut)->Unit(benchmark::kMillisecond)->Iterations(5);

// From the click on "开始打印" to the first batch painted in the preview window.
void BM_PrintClickToPreview(benchmark::State &state)
{
    ProgramFolder folder;
    const MsgBoxHandler previous = AnswerEveryBox();
    frmMain w;
    LoadNightOfBets(w);
    auto *print = w.findChild<QPushButton *>("cmdPrint");
    frmPLPreview &preview = w.PreviewWindow();
    QElapsedTimer clock;
    qint64 shownAfter = 0;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!preview.isVisible() || preview.vsp()->lastPaintedPages() == 0)
            return;
        shownAfter = clock.nsecsElapsed();
        preview.setPrinted(true);
        preview.reject();
    });
    for (auto _ : state) {
        watch.start();
        clock.start();
        print->click();
        watch.stop();
        state.SetIterationTime(double(shownAfter) / 1e9);
    }
    SetMsgBoxHandler(previous);
}
BENCHMARK(BM_PrintClickToPreview)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// The same on a window that has not shown its preview window yet (the first job of a day).
void BM_FirstPrintClickToPreview(benchmark::State &state)
{
    ProgramFolder folder;
    const MsgBoxHandler previous = AnswerEveryBox();
    for (auto _ : state) {
        state.PauseTiming();
        frmMain w;
        LoadNightOfBets(w);
        QApplication::processEvents();
        QElapsedTimer clock;
        qint64 shownAfter = 0;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto *preview = w.findChild<frmPLPreview *>();
            if (!preview || !preview->isVisible() || preview->vsp()->lastPaintedPages() == 0)
                return;
            shownAfter = clock.nsecsElapsed();
            preview->setPrinted(true);
            preview->reject();
        });
        watch.start();
        clock.start();
        w.findChild<QPushButton *>("cmdPrint")->click();
        watch.stop();
        state.SetIterationTime(double(shownAfter) / 1e9);
        w.mnuFileExit_Click();
        state.ResumeTiming();
    }
    SetMsgBoxHandler(previous);
}
BENCHMARK(BM_FirstPrintClickToPreview)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
} // namespace

int main(int argc, char **argv) { return RunBenchmarksUnder<QApplication>(argc, argv); }
