// The script engine against CPython on five programs, in the same run on the same machine:
// (a) a conversion script over a 200,000-line bet file, (b) 10,000,000 rounds of integer
// arithmetic, (c) building a string of 1,000,000 pieces with &, (d) a recursive Fibonacci(25),
// (e) a realistic conversion script (split each line, pad and compare the numbers, build the
// output with &, a Dictionary against duplicates) over the same file.
// Last, how far past its deadline a script ends whatever it runs (the sandbox's promise: at
// most 50 ms), for scripts that spend their time in long built-ins.
// Each benchmark times the engine (the reported time) and python3 running the equivalent
// program; the counters give the medians in milliseconds and engine/python. The Python
// programs keep their variables in a function, as Python programs are written (and as
// CPython's in-place string append needs).
#include "vbscript/Coerce.h"
#include "vbscript/Engine.h"
#include "vbscript/HostObject.h"
#include "vbscript/ScriptError.h"

#include "PythonRatio.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

struct Program {
    QString vbs;
    QString python; // prints the milliseconds its work took (startup not counted)
};

// "  01 05 12 19 23 31+09  " with doubled spaces now and then, comments and blank lines.
QString BetFile(int count)
{
    QRandomGenerator rng(11);
    QString text;
    text.reserve(count * 28);
    for (int i = 0; i < count; ++i) {
        if (i % 1000 == 0)
            text += QStringLiteral("# batch %1\r\n\r\n").arg(i / 1000);
        QString line = QStringLiteral("  ");
        for (int k = 0; k < 6; ++k) {
            line += QStringLiteral("%1").arg(rng.bounded(1, 34), 2, 10, QLatin1Char('0'));
            if (k < 5)
                line += rng.bounded(10) == 0 ? QStringLiteral("  ") : QStringLiteral(" ");
        }
        line += QStringLiteral("+%1 \r\n").arg(rng.bounded(1, 17), 2, 10, QLatin1Char('0'));
        text += line;
    }
    return text;
}

const Program kConversion{
    QStringLiteral(R"(lines = Split(obj.Source, vbCrLf)
n = 0
For i = 0 To UBound(lines)
    s = Trim(lines(i))
    If Len(s) > 0 Then
        If Left(s, 1) <> "#" Then
            p = InStr(s, "+")
            If p > 0 Then
                s = Replace(Replace(Mid(s, 1, p - 1), "  ", " "), " ", ",") & "|" & Mid(s, p + 1)
                obj.SetArrayReturn n, s
                n = n + 1
            End If
        End If
    End If
Next
)"),
    QStringLiteral(R"(import sys, time
src = open(sys.argv[1], encoding="utf-8", newline="").read()
def main(src):
    out = []
    lines = src.split("\r\n")
    n = 0
    for i in range(0, len(lines)):
        s = lines[i].strip(" ")
        if len(s) > 0:
            if s[0] != "#":
                p = s.find("+") + 1
                if p > 0:
                    s = s[0:p - 1].replace("  ", " ").replace(" ", ",") + "|" + s[p:]
                    out.append(s)
                    n = n + 1
    return out
t = time.perf_counter()
main(src)
print((time.perf_counter() - t) * 1000)
)")};

const Program kArithmetic{
    QStringLiteral(R"(total = 0
For i = 1 To 10000000
    total = total + i Mod 7
Next
)"),
    QStringLiteral(R"(import time
def main():
    total = 0
    for i in range(1, 10000001):
        total = total + i % 7
    return total
t = time.perf_counter()
main()
print((time.perf_counter() - t) * 1000)
)")};

const Program kConcat{
    QStringLiteral(R"(s = ""
For i = 1 To 1000000
    s = s & "ab"
Next
)"),
    QStringLiteral(R"(import time
def main():
    s = ""
    for i in range(1, 1000001):
        s = s + "ab"
    return s
t = time.perf_counter()
main()
print((time.perf_counter() - t) * 1000)
)")};

const Program kFibonacci{
    QStringLiteral(R"(Function Fib(n)
    If n < 2 Then
        Fib = n
    Else
        Fib = Fib(n - 1) + Fib(n - 2)
    End If
End Function
r = Fib(25)
)"),
    QStringLiteral(R"(import time
def fib(n):
    if n < 2:
        return n
    else:
        return fib(n - 1) + fib(n - 2)
t = time.perf_counter()
r = fib(25)
print((time.perf_counter() - t) * 1000)
)")};

const Program kRealistic{
    QStringLiteral(R"(lines = Split(obj.Source, vbCrLf)
Set seen = CreateObject("Scripting.Dictionary")
n = 0
For i = 0 To UBound(lines)
    s = Trim(lines(i))
    If Len(s) > 0 And Left(s, 1) <> "#" Then
        p = InStr(s, "+")
        If p > 0 Then
            nums = Split(Trim(Replace(Mid(s, 1, p - 1), "  ", " ")), " ")
            out = ""
            ok = True
            For k = 0 To UBound(nums)
                v = Right("0" & nums(k), 2)
                If v < 1 Or v > 33 Then ok = False
                If k > 0 Then out = out & ","
                out = out & v
            Next
            b = Right("0" & Mid(s, p + 1), 2)
            If b < 1 Or b > 16 Then ok = False
            out = out & "|" & b
            If ok And Not seen.Exists(out) Then
                seen.Add out, n
                obj.SetArrayReturn n, out
                n = n + 1
            End If
        End If
    End If
Next
)"),
    QStringLiteral(R"(import sys, time
src = open(sys.argv[1], encoding="utf-8", newline="").read()
def main(src):
    result = []
    seen = {}
    lines = src.split("\r\n")
    n = 0
    for i in range(0, len(lines)):
        s = lines[i].strip(" ")
        if len(s) > 0 and s[0] != "#":
            p = s.find("+") + 1
            if p > 0:
                nums = s[0:p - 1].replace("  ", " ").strip(" ").split(" ")
                out = ""
                ok = True
                for k in range(0, len(nums)):
                    v = ("0" + nums[k])[-2:]
                    if int(v) < 1 or int(v) > 33:
                        ok = False
                    if k > 0:
                        out = out + ","
                    out = out + v
                b = ("0" + s[p:])[-2:]
                if int(b) < 1 or int(b) > 16:
                    ok = False
                out = out + "|" + b
                if ok and out not in seen:
                    seen[out] = n
                    result.append(out)
                    n = n + 1
    return result
t = time.perf_counter()
main(src)
print((time.perf_counter() - t) * 1000)
)")};

// Runs the script as the program runs conversion scripts: "obj" with Source and
// SetArrayReturn. Returns milliseconds, or -1 on failure.
double RunEngine(const QString &code, const QString &input, QString *error)
{
    QString source = input;
    std::vector<QString> lines;
    auto obj = std::make_shared<vbs::HostObject>(QStringLiteral("clsScriptValue"));
    obj->addProperty(QStringLiteral("Source"), [&] { return vbs::Value::string(source); },
                     [&](const vbs::Value &v) { source = vbs::toStr(v); });
    obj->addMethod(QStringLiteral("SetArrayReturn"), 2, 2, [&](const std::vector<vbs::Value> &a) {
        const int32_t i = vbs::toLong(a[0]);
        if (i < 0)
            vbs::raise(vbs::Err::SubscriptOutOfRange);
        if (size_t(i) >= lines.size())
            lines.resize(size_t(i) + 1);
        lines[size_t(i)] = vbs::toStr(a[1]);
        return vbs::Value();
    });
    vbs::Engine engine;
    engine.addObject(QStringLiteral("obj"), obj);
    QElapsedTimer clock;
    clock.start();
    const bool ok = engine.run(code, QDeadlineTimer(600000));
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!ok) {
        *error = engine.failure().description;
        return -1;
    }
    return ms;
}

// Runs the Python program with python3; returns the milliseconds it reports, or -1.
double RunPython(const QTemporaryDir &dir, const QString &code, const QString &inputPath)
{
    const QString path = dir.filePath(QStringLiteral("program.py"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    f.write(code.toUtf8());
    f.close();
    QProcess p;
    p.start(QStringLiteral("python3"), {path, inputPath});
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return -1;
    bool ok = false;
    const double ms = QString::fromUtf8(p.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? ms : -1;
}

void Compare(benchmark::State &state, const Program &program, const QString &input = QString())
{
    QTemporaryDir dir;
    const QString inputPath = dir.filePath(QStringLiteral("input.txt"));
    {
        QFile f(inputPath);
        if (f.open(QIODevice::WriteOnly))
            f.write(input.toUtf8());
    }
    std::vector<double> engineMs, pythonMs;
    for (auto _ : state) {
        QString error;
        const double e = RunEngine(program.vbs, input, &error);
        if (e < 0) {
            state.SkipWithError(("engine failed: " + error).toStdString().c_str());
            return;
        }
        state.SetIterationTime(e / 1000.0);
        const double p = RunPython(dir, program.python, inputPath);
        if (p < 0) {
            state.SkipWithError("python3 failed");
            return;
        }
        engineMs.push_back(e);
        pythonMs.push_back(p);
    }
    ReportPythonRatio(state, engineMs, pythonMs);
}

void BM_ConversionScript200kLines(benchmark::State &state)
{
    Compare(state, kConversion, BetFile(200'000));
}
BENCHMARK(BM_ConversionScript200kLines)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_IntegerLoop10M(benchmark::State &state) { Compare(state, kArithmetic); }
BENCHMARK(BM_IntegerLoop10M)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_StringAppend1M(benchmark::State &state) { Compare(state, kConcat); }
BENCHMARK(BM_StringAppend1M)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_RecursiveFib25(benchmark::State &state) { Compare(state, kFibonacci); }
BENCHMARK(BM_RecursiveFib25)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

void BM_RealisticScript200kLines(benchmark::State &state)
{
    Compare(state, kRealistic, BetFile(200'000));
}
BENCHMARK(BM_RealisticScript200kLines)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

// Scripts that would run far longer than their deadline, most of it inside built-ins.
const char *const kPastDeadline[] = {
    // a pattern that backtracks for tens of milliseconds per search
    "Set re = New RegExp\r\nre.Pattern = \"(a+)+b|x\"\r\nre.Global = True\r\n"
    "For i = 1 To 200: s = s & String(22, \"a\") & \"x\": Next\r\nSet m = re.Execute(s)",
    "Set re = New RegExp\r\nre.Pattern = \"(a+)+b|x\"\r\nre.Global = True\r\n"
    "For i = 1 To 200: s = s & String(22, \"a\") & \"x\": Next\r\nt = re.Replace(s, \"y\")",
    "On Error Resume Next\r\nSet re = New RegExp\r\nre.Pattern = \"(a+)+b|x\"\r\n"
    "s = String(22, \"a\") & \"x\"\r\nFor i = 1 To 100000: r = re.Test(s): Next",
    // long string work
    "Do: s = Replace(String(15000000, \".\"), \".\", \"x=1:\"): Loop",
    "s = String(4000000, \"a b \")\r\nDo: a = Split(s, \" \"): t = Join(a, \",\"): Loop",
    // script code where the deadline strikes
    "Class T\r\nPrivate Sub Class_Terminate\r\nDo: Loop\r\nEnd Sub\r\nEnd Class\r\n"
    "Set x = New T\r\nSet x = Nothing",
    "Function F(n)\r\nF = n + 1\r\nEnd Function\r\nDo: x = F(x): Loop",
    "Do: s = s & \"ab\": If Len(s) > 100000 Then s = \"\"\r\nLoop",
};

// The largest and the median overshoot of a 200 ms deadline over those scripts.
void BM_DeadlineOvershoot(benchmark::State &state)
{
    constexpr int kDeadlineMs = 200;
    std::vector<double> overshoot;
    for (auto _ : state) {
        for (const char *script : kPastDeadline) {
            vbs::Engine engine;
            QElapsedTimer clock;
            clock.start();
            const bool ok = engine.run(QString::fromUtf8(script), QDeadlineTimer(kDeadlineMs));
            const double ms = clock.nsecsElapsed() / 1e6;
            if (ok || engine.failure().number != vbs::Err::Timeout) {
                state.SkipWithError(("did not time out: " + engine.failure().description).toStdString().c_str());
                return;
            }
            overshoot.push_back(ms - kDeadlineMs);
        }
        state.SetIterationTime(*std::max_element(overshoot.begin(), overshoot.end()) / 1000.0);
    }
    state.counters["max_overshoot_ms"] = *std::max_element(overshoot.begin(), overshoot.end());
    state.counters["median_overshoot_ms"] = Median(overshoot);
}
BENCHMARK(BM_DeadlineOvershoot)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
