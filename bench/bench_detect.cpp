// Finding the blocks on a slip's picture, from reading the file to the result: a 300-dpi scan
// of a 200 x 100 mm slip and a 600-dpi A4 page, both turned, blurred, noisy and JPEG-compressed
// as a scanner delivers them, and the same slip as a PNG. Then every kind of generated picture
// the detector's tests use, from its pixels to the result, with what was found as counters:
// blocks found of those drawn, blocks invented, the worst position error (µm).
#include "BenchMain.h"
#include "DetectMatch.h"
#include "GeneratedKinds.h"
#include "SlipGenerator.h"
#include "detect/SlipDetector.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QTemporaryDir *folder()
{
    static QTemporaryDir dir;
    return &dir;
}

QString scanFile(const char *name, double dpi, QSizeF pageMm, int jpeg)
{
    slipgen::SlipRecipe s;
    s.dpi = dpi;
    s.pageMm = pageMm;
    s.rotationDeg = 1.5;
    s.blurPx = dpi / 300;
    s.noise = 4;
    s.unevenLight = 0.15;
    s.distractors = true;
    const QString path = folder()->filePath(QString::fromLatin1(name));
    slipgen::Generate(s).picture.save(path, jpeg > 0 ? "JPG" : "PNG", jpeg > 0 ? jpeg : -1);
    return path;
}

void detectFile(benchmark::State &state, const QString &path, int expectBlocks)
{
    for (auto _ : state) {
        const SlipFileDetection r = DetectSlipFile(path, 0);
        if (r.detection.blocks.size() != expectBlocks)
            state.SkipWithError("wrong number of blocks");
        benchmark::DoNotOptimize(r.detection.blocks.size());
    }
}

void SlipScan300dpiJpeg(benchmark::State &state)
{
    static const QString path = scanFile("slip300.jpg", 300, QSizeF(200, 100), 90);
    detectFile(state, path, 196);
}
void SlipScan300dpiPng(benchmark::State &state)
{
    static const QString path = scanFile("slip300.png", 300, QSizeF(200, 100), 0);
    detectFile(state, path, 196);
}
void A4Page600dpiJpeg(benchmark::State &state)
{
    static const QString path = scanFile("a4-600.jpg", 600, QSizeF(210, 297), 90);
    detectFile(state, path, 196);
}
void A4Page600dpiPng(benchmark::State &state)
{
    static const QString path = scanFile("a4-600.png", 600, QSizeF(210, 297), 0);
    detectFile(state, path, 196);
}
// One generated kind: the picture is made once, outside the timing.
void GeneratedKindDetect(benchmark::State &state, const GeneratedKind &kind)
{
    const slipgen::Slip slip = slipgen::Generate(kind.recipe);
    DetectOptions options;
    options.areasBy = slip.groupedByColumns ? AreasBy::Columns : AreasBy::Gaps;
    SlipDetection d;
    for (auto _ : state) {
        d = DetectSlip(slip.picture, kind.recipe.dpi, options);
        benchmark::DoNotOptimize(d.blocks.size());
    }
    const MatchReport r = Compare(slip, d);
    state.counters["drawn"] = r.truth;
    state.counters["found"] = r.found;
    state.counters["invented"] = r.invented + r.twice;
    state.counters["worst_um"] = r.worstPosition * 1000;
    state.counters["marks"] = r.marksFound;
    state.counters["marks_drawn"] = r.marksTruth;
}

void RegisterGeneratedKinds()
{
    for (const GeneratedKind &k : GeneratedKinds())
        benchmark::RegisterBenchmark(k.kind, [&k](benchmark::State &s) { GeneratedKindDetect(s, k); })
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.5);
}

BENCHMARK(SlipScan300dpiJpeg)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(SlipScan300dpiPng)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(A4Page600dpiJpeg)->Unit(benchmark::kMillisecond)->MinTime(4);
BENCHMARK(A4Page600dpiPng)->Unit(benchmark::kMillisecond)->MinTime(4);
} // namespace

int main(int argc, char **argv)
{
    RegisterGeneratedKinds();
    return RunBenchmarksUnder<QGuiApplication>(argc, argv);
}
