// The script sandbox's two promises, measured over every case of the sandbox and limits corpus
// files (tests/vbscript/corpus) and over the scripts below, each with the limits its case
// names (the engine's 1 GB budget and a 5 s deadline otherwise):
// - a run that reaches its deadline ends within 50 ms of it;
// - the resident memory a run adds never passes its budget by more than 10 % or 16 MB,
//   whichever is larger.
// Counters: the largest overshoot of a deadline (ms) and the largest excess over the budget
// (MB, negative when every run stayed under it); a broken bound fails the benchmark, naming the
// script.
#include "BenchMain.h"
#include "CorpusFile.h"
#include "ScriptHarness.h"

#include "vbscript/ScriptError.h"

#include <QCoreApplication>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

CorpusCase Script(const char *name, const char *source, int deadlineMs, int memoryMb)
{
    CorpusCase c;
    c.name = name;
    c.script = QString::fromUtf8(source);
    c.deadlineMs = deadlineMs;
    c.memoryMb = memoryMb;
    return c;
}

// Scripts that once broke the promises: each did its work inside one statement, where the
// limits were not looked at.
std::vector<CorpusCase> Repros()
{
    return {
        Script("copy_on_write_of_a_large_array",
               "Dim a(3999999): Dim c(50): For j = 0 To 50: c(j) = a: c(j)(0) = j: Next", 1000, 256),
        Script("upper_case_in_a_loop", "s = String(10000000, \"a\"): Do: x = UCase(s): Loop", 500, 0),
        Script("one_upper_case_of_60M_characters", "s = String(60000000, \"a\"): x = UCase(s)", 100, 0),
        Script("dictionary_growth",
               "Set d = CreateObject(\"Scripting.Dictionary\")\r\nFor i = 1 To 4000000: d.Add \"k\" & i, i: Next",
               20000, 256),
        Script("redim_preserve_growth", "Do: n = n + 100000: ReDim Preserve a(n): Loop", 20000, 256),
    };
}

void BM_SandboxBounds(benchmark::State &state)
{
    std::vector<CorpusCase> scripts = loadCorpus(QStringLiteral("sandbox.cases"));
    for (CorpusCase &c : loadCorpus(QStringLiteral("limits.cases")))
        scripts.push_back(std::move(c));
    for (CorpusCase &c : Repros())
        scripts.push_back(std::move(c));
    double worstOvershootMs = -1e9, worstExcessMb = -1e9;
    QStringList broken;
    for (auto _ : state) {
        for (const CorpusCase &c : scripts) {
            const ScriptRun run = runScript(c.script, QStringLiteral("line one\r\nline two\r\n"),
                                            c.deadlineMs, c.memoryMb);
            if (run.peakAddedBytes < 0) {
                state.SkipWithError("the system keeps no mark of the most memory held");
                return;
            }
            const double excessMb = (run.peakAddedBytes - run.budgetBytes) / 1048576.0;
            const double allowedMb = std::max(run.budgetBytes * 0.1, 16.0 * 1048576) / 1048576.0;
            worstExcessMb = std::max(worstExcessMb, excessMb);
            QString line = QStringLiteral("%1: %2 ms, +%3 MB of %4 MB")
                               .arg(QString::fromStdString(c.name))
                               .arg(run.elapsedNs / 1e6, 0, 'f', 1)
                               .arg(run.peakAddedBytes / 1048576.0, 0, 'f', 1)
                               .arg(run.budgetBytes / 1048576);
            if (!run.ok && run.failure.number == vbs::Err::Timeout) {
                const double overshootMs = run.elapsedNs / 1e6 - c.deadlineMs;
                worstOvershootMs = std::max(worstOvershootMs, overshootMs);
                line += QStringLiteral(", deadline %1 ms passed by %2 ms").arg(c.deadlineMs).arg(overshootMs, 0, 'f', 1);
                if (overshootMs > 50)
                    broken << line;
            }
            if (excessMb > allowedMb)
                broken << line;
            std::fprintf(stderr, "%s\n", line.toUtf8().constData());
        }
    }
    state.counters["max_overshoot_ms"] = worstOvershootMs;
    state.counters["max_over_budget_mb"] = worstExcessMb;
    state.counters["scripts"] = double(scripts.size());
    if (!broken.isEmpty())
        state.SkipWithError(("bound broken: " + broken.join(QStringLiteral("; "))).toStdString().c_str());
}
BENCHMARK(BM_SandboxBounds)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarksUnder<QCoreApplication>(argc, argv);
}
