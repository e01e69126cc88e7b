// Conversions every numeric field and settings read goes through.
#include "common/IniDocument.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"

#include <benchmark/benchmark.h>

static void BM_ToNumberPlain(benchmark::State &state)
{
    const QVariant v(QStringLiteral("28.5"));
    for (auto _ : state)
        benchmark::DoNotOptimize(ToNumber(v, 0, -1));
}
BENCHMARK(BM_ToNumberPlain);

static void BM_ToNumberExpression(benchmark::State &state)
{
    const QVariant v(QStringLiteral("(120-4.5)/2*3+28.5"));
    for (auto _ : state)
        benchmark::DoNotOptimize(ToNumber(v, 0, -1));
}
BENCHMARK(BM_ToNumberExpression);

static void BM_FormatNumber(benchmark::State &state)
{
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(VbFormatNumber(v, QStringLiteral("#0.00")));
        v += 0.37;
    }
}
BENCHMARK(BM_FormatNumber);

// Parsing a settings text of n sections of 10 keys and reading every key once.
static void BM_IniParseAndRead(benchmark::State &state)
{
    QString text;
    const int sections = int(state.range(0));
    for (int s = 0; s < sections; ++s) {
        text += QStringLiteral("[C%1]\r\n").arg(s);
        for (int k = 0; k < 10; ++k)
            text += QStringLiteral("Key%1=%2\r\n").arg(k).arg(s * 10 + k);
    }
    const QByteArray bytes = text.toLatin1();
    for (auto _ : state) {
        IniDocument doc(bytes);
        for (int s = 0; s < sections; ++s)
            benchmark::DoNotOptimize(doc.Value(QStringLiteral("C%1").arg(s), QStringLiteral("Key9")));
    }
    state.SetItemsProcessed(state.iterations() * sections * 10);
}
BENCHMARK(BM_IniParseAndRead)->Arg(1000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
