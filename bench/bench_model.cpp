// The template's element list at designer sizes: clearing 10,000 elements, removing 1,000 of
// 30,000 by key (a deleted selection), adding 10,000 elements one by one (a loaded file or a
// batch dialog). Each must stay well under 10 ms.
#include "model/colPLControls.h"

#include <benchmark/benchmark.h>
#include <optional>
#include <vector>

namespace {
clsPLControl element(int i)
{
    clsPLControl c;
    c.setKeyName(QStringLiteral("lbl%1").arg(i + 1));
    c.setControlType(QStringLiteral("Label"));
    c.setShowType(QStringLiteral("LottNumber"));
    c.setGroupID(QString::number(i % 9 + 1));
    c.setFieldValue(QStringLiteral("%1").arg(i % 100, 2, 10, QLatin1Char('0')));
    c.setLeft(3.25 + (i % 100) * 4.7);
    c.setTop(12.5 + (i / 100) * 2.35);
    c.setWidth(3);
    c.setHeight(1.5);
    return c;
}

const std::vector<clsPLControl> &elements()
{
    static const std::vector<clsPLControl> all = [] {
        std::vector<clsPLControl> v;
        for (int i = 0; i < 30000; ++i)
            v.push_back(element(i));
        return v;
    }();
    return all;
}

colPLControls filled(int n)
{
    colPLControls t;
    for (int i = 0; i < n; ++i)
        t.Add(elements()[size_t(i)]);
    return t;
}

void BM_ClearElements(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        colPLControls t = filled(10000);
        state.ResumeTiming();
        t.RemoveAll();
        benchmark::DoNotOptimize(t.Count());
    }
}
BENCHMARK(BM_ClearElements)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RemoveElementsByKey(benchmark::State &state)
{
    QStringList keys;
    for (int i = 0; i < 30000; i += 30)
        keys << colPLControls::KeyOf(elements()[size_t(i)].KeyName());
    std::optional<colPLControls> t;
    for (auto _ : state) {
        state.PauseTiming();
        t.reset(); // the last run's template goes outside the timing
        t.emplace(filled(30000));
        state.ResumeTiming();
        for (const QString &key : keys)
            t->Remove(key);
        // The designer walks the list by position right after a removal.
        benchmark::DoNotOptimize(t->Item(1).Left());
        benchmark::DoNotOptimize(t->Count());
    }
    state.counters["removed"] = double(keys.size());
}
BENCHMARK(BM_RemoveElementsByKey)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_AddElements(benchmark::State &state)
{
    elements();
    for (auto _ : state) {
        colPLControls t;
        for (int i = 0; i < 10000; ++i)
            t.Add(elements()[size_t(i)]);
        benchmark::DoNotOptimize(t.Count());
    }
}
BENCHMARK(BM_AddElements)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

BENCHMARK_MAIN();
