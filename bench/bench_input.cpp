// Bet input at the sizes users bring: a million-line bet file, and a file of multiple stakes
// expanded by the sample conversion script.
#include "common/MsgBox.h"
#include "input/BetImporter.h"
#include "input/BetList.h"
#include "input/NormalizeLottNumberLine.h"
#include "input/StakeCheck.h"
#include "model/colPLControls.h"
#include "storage/clsPLStoreINI.h"
#include "input/clsScriptRunner.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
QString TwoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// "01 05 12 19 23 31+09" lines with sorted random numbers.
QStringList RandomStakes(int count, int reds, int blues)
{
    QRandomGenerator rng(7);
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        QList<int> red;
        while (red.size() < reds) {
            const int n = int(rng.bounded(1, 34));
            if (!red.contains(n))
                red << n;
        }
        std::sort(red.begin(), red.end());
        QList<int> blue;
        while (blue.size() < blues) {
            const int n = int(rng.bounded(1, 17));
            if (!blue.contains(n))
                blue << n;
        }
        std::sort(blue.begin(), blue.end());
        QStringList r, b;
        for (int n : red)
            r << TwoDigits(n);
        for (int n : blue)
            b << TwoDigits(n);
        lines << r.join(' ') + '+' + b.join(' ');
    }
    return lines;
}

QString WriteGbk(const QString &path, const QStringList &lines)
{
    QStringEncoder gbk("GB18030");
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        for (const QString &line : lines)
            f.write(gbk.encode(line + QStringLiteral("\r\n")));
    return path;
}

void BM_NormalizeMillionLines(benchmark::State &state)
{
    const QStringList lines = RandomStakes(1'000'000, 6, 1);
    for (auto _ : state) {
        QString out;
        for (const QString &line : lines) {
            out.clear();
            AppendNormalizedLottNumberLine(line, false, out);
            benchmark::DoNotOptimize(out.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * lines.size());
}
BENCHMARK(BM_NormalizeMillionLines)->Unit(benchmark::kMillisecond);

void BM_ImportMillionLineFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString file = WriteGbk(dir.filePath("bets.txt"), RandomStakes(1'000'000, 6, 1));
    ImportFolders folders;
    folders.ProgramFolder = dir.path() + '/';
    folders.ScriptFolder = folders.ProgramFolder;
    for (auto _ : state) {
        BetList list;
        BetImporter importer(list, folders);
        importer.setPathFile(file);
        if (!importer.ImportLottNumbers() || list.Count() != 1'000'000)
            state.SkipWithError("import failed");
    }
    state.SetItemsProcessed(state.iterations() * 1'000'000);
}
BENCHMARK(BM_ImportMillionLineFile)->Unit(benchmark::kMillisecond);

// 1,000 lines of 8 red and 2 blue numbers: 28 x 2 stakes each, 56,000 in all.
void BM_ExpandMultipleStakeScript(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString input = WriteGbk(dir.filePath("multiple.txt"), RandomStakes(1000, 8, 2));
    const QString script =
        QStringLiteral(VORN_SOURCE_DIR) + QStringLiteral("/resources/Script/复式展开.cvb");
    for (auto _ : state) {
        QStringList lines;
        if (!RunConversionScript(script, input, &lines) || lines.size() != 56'000)
            state.SkipWithError("script failed");
    }
    state.SetItemsProcessed(state.iterations() * 56'000);
}
BENCHMARK(BM_ExpandMultipleStakeScript)->Unit(benchmark::kMillisecond);
} // namespace

// The check of every stake against the selected template, run after each import and each
// change of template: 100,000 stakes, a tenth of them with a number the slip does not have.
void BM_CheckHundredThousandStakes(benchmark::State &state)
{
    colPLControls layout;
    clsPLStoreINI().LoadFromINI(
        QStringLiteral(VORN_SOURCE_DIR) + QStringLiteral("/resources/投注单文件/陕西－双色球.tzd"), layout);
    QStringList lines = RandomStakes(100'000, 6, 1);
    for (int i = 0; i < lines.size(); i += 10)
        lines[i] += QStringLiteral(" 17");
    BetList list;
    for (int i = 0; i < lines.size(); ++i)
        list.Append(i + 1, NormalizeLottNumberLine(lines[i], false));
    size_t faulty = 0;
    for (auto _ : state) {
        const std::vector<StakeFinding> findings = CheckLottNumbers(list, layout);
        faulty = findings.size();
        benchmark::DoNotOptimize(faulty);
    }
    state.counters["faulty"] = double(faulty);
}
BENCHMARK(BM_CheckHundredThousandStakes)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
