// Whole processes, as a user runs them: `vornprn-cli script` against python3 doing the same
// work, start-up included. (a) The shipped colon-label conversion script over a 200,000-line
// bet file; (b) a program of an integer loop, string appends and a recursive Fibonacci. Each
// pair must print the same text; the counters give the median wall times in milliseconds and
// engine/python.
#include "PythonRatio.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// "第12注:03 07 12 19 25 31+09", a third of them with the full-width colon, and a heading
// without a colon every 500 lines.
QString ColonLabelFile(int count)
{
    QRandomGenerator rng(5);
    QString text;
    text.reserve(count * 32);
    for (int i = 0; i < count; ++i) {
        if (i % 500 == 0)
            text += QStringLiteral("第%1批\r\n").arg(i / 500);
        QStringList numbers;
        for (int k = 0; k < 6; ++k)
            numbers << QStringLiteral("%1").arg(rng.bounded(1, 34), 2, 10, QLatin1Char('0'));
        text += QStringLiteral("第%1注%2%3+%4\r\n")
                    .arg(i + 1)
                    .arg(i % 3 == 0 ? QStringLiteral("：") : QStringLiteral(":"))
                    .arg(numbers.join(QLatin1Char(' ')))
                    .arg(rng.bounded(1, 17), 2, 10, QLatin1Char('0'));
    }
    return text;
}

// What 冒号标签格式.cvb does, printed as `vornprn-cli script` prints the output array.
const char kColonLabelPython[] = R"(import sys
def main(path):
    src = open(path, encoding="utf-8", newline="").read()
    lines = src.split("\r\n")
    out = {}
    for i in range(len(lines)):
        text = lines[i].replace("\uff1a", ":")
        p = text.find(":") + 1
        if p > 0:
            text = text[p:].replace("+", " ").strip(" ")
            if text != "":
                out[i] = text
    n = max(out) + 1 if out else 0
    sys.stdout.write("".join((out.get(i, "") + "\n") for i in range(n)))
main(sys.argv[1])
)";

const char kMixedScript[] = R"(Function Fib(n)
    If n < 2 Then
        Fib = n
    Else
        Fib = Fib(n - 1) + Fib(n - 2)
    End If
End Function
total = 0
For i = 1 To 3000000
    total = total + i Mod 7
Next
s = ""
For i = 1 To 1000000
    s = s & "ab"
Next
obj.SetArrayReturn 0, total
obj.SetArrayReturn 1, Len(s)
obj.SetArrayReturn 2, Fib(25)
)";

const char kMixedPython[] = R"(def fib(n):
    if n < 2:
        return n
    else:
        return fib(n - 1) + fib(n - 2)
def main():
    total = 0
    for i in range(1, 3000001):
        total = total + i % 7
    s = ""
    for i in range(1, 1000001):
        s = s + "ab"
    print(total)
    print(len(s))
    print(fib(25))
main()
)";

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Runs the program to its end; the wall time in milliseconds, or -1 when it failed.
double TimeProcess(const QString &program, const QStringList &args, QByteArray *output)
{
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return -1;
    const double ms = clock.nsecsElapsed() / 1e6;
    *output = p.readAllStandardOutput();
    return ms;
}

void Compare(benchmark::State &state, const QStringList &engineArgs, const QStringList &pythonArgs)
{
    const QString cli = QStringLiteral(VORN_BIN_DIR "/vornprn-cli");
    std::vector<double> engineMs, pythonMs;
    for (auto _ : state) {
        QByteArray engineOut, pythonOut;
        const double e = TimeProcess(cli, engineArgs, &engineOut);
        const double p = TimeProcess(QStringLiteral("python3"), pythonArgs, &pythonOut);
        if (e < 0 || p < 0) {
            state.SkipWithError(e < 0 ? "vornprn-cli failed" : "python3 failed");
            return;
        }
        if (engineOut != pythonOut) {
            state.SkipWithError("the two programs printed different texts");
            return;
        }
        state.SetIterationTime(e / 1000.0);
        engineMs.push_back(e);
        pythonMs.push_back(p);
    }
    ReportPythonRatio(state, engineMs, pythonMs);
}

void BM_ColonLabelScript200kLinesProcess(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("bets.txt"));
    const QString python = dir.filePath(QStringLiteral("colon.py"));
    if (!WriteFile(input, ColonLabelFile(200'000).toUtf8()) || !WriteFile(python, kColonLabelPython)) {
        state.SkipWithError("cannot write the inputs");
        return;
    }
    const QString script = QStringLiteral(VORN_BIN_DIR "/Script/冒号标签格式.cvb");
    Compare(state, {QStringLiteral("script"), script, input}, {python, input});
}
BENCHMARK(BM_ColonLabelScript200kLinesProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_MixedProgramProcess(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("empty.txt"));
    const QString script = dir.filePath(QStringLiteral("mixed.cvb"));
    const QString python = dir.filePath(QStringLiteral("mixed.py"));
    if (!WriteFile(input, "\r\n") || !WriteFile(script, kMixedScript) || !WriteFile(python, kMixedPython)) {
        state.SkipWithError("cannot write the inputs");
        return;
    }
    Compare(state, {QStringLiteral("script"), script, input}, {python});
}
BENCHMARK(BM_MixedProgramProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
