// The batch number-block dialog's run: 10,000 blocks onto a canvas that already holds 10,000
// elements, each block added with the canvas's own key and joining the selection.
#include "BenchMain.h"
#include "canvas/KdPLDesinger.h"
#include "common/DesignScale.h"
#include "common/clsRegIni.h"
#include "dialogs/CanvasSink.h"
#include "dialogs/LottNumberDialogs.h"
#include "dialogs/MarkDialogs.h"
#include "model/colPLControls.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
const QString kFont = QStringLiteral("宋体");

// A run of `count` blocks numbered from 1, stepping 0.1 mm right and 0.02 mm down from `top`.
AddBatchLottNumberFields rowRun(int count, const QString &top)
{
    return {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("5"), top, false,
            QStringLiteral("1"), QString::number(count), QStringLiteral("0.1"),
            QStringLiteral("0.02")};
}

// 9,000 blocks and 1,000 marks, as the dialogs make them.
void fillCanvas(KdPLDesinger &canvas, const colPLControls &layout)
{
    CanvasSink sink(canvas);
    RunAddBatchLottNumber(rowRun(9000, "5"), layout, sink, kFont);
    RunAddBatchMark({"2", "2", "1", "1", "0", "0.25", "1000"}, sink, kFont);
}

void BM_BatchOf10000BlocksOnto10000(benchmark::State &state)
{
    QTemporaryDir dir;
    clsRegIni::SetStoreFile(dir.path() + QStringLiteral("/registry.ini"));
    SetDesignScale(0);
    colPLControls layout;
    int added = 0;
    std::unique_ptr<KdPLDesinger> canvas;
    for (auto _ : state) {
        state.PauseTiming();
        canvas = std::make_unique<KdPLDesinger>(); // the last one goes away outside the timing
        fillCanvas(*canvas, layout);
        CanvasSink sink(*canvas);
        state.ResumeTiming();
        const DialogRun run = RunAddBatchLottNumber(rowRun(10000, "40"), layout, sink, kFont);
        added = run.addedKeys.size();
    }
    state.counters["added"] = added;
}
BENCHMARK(BM_BatchOf10000BlocksOnto10000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv) { return RunBenchmarksUnder<QGuiApplication>(argc, argv); }
