// Finding the blocks on a slip's picture, from reading the file to the result: a 300-dpi scan
// of a 200 x 100 mm slip and a 600-dpi A4 page, both turned, blurred, noisy and JPEG-compressed
// as a scanner delivers them, and the same slip as a PNG.
#include "BenchMain.h"
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
BENCHMARK(SlipScan300dpiJpeg)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(SlipScan300dpiPng)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(A4Page600dpiJpeg)->Unit(benchmark::kMillisecond)->MinTime(4);
BENCHMARK(A4Page600dpiPng)->Unit(benchmark::kMillisecond)->MinTime(4);
} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarksUnder<QGuiApplication>(argc, argv);
}
