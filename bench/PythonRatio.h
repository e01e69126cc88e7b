#pragma once
// Timings of our engine against python3 doing the same work: the medians of both and their
// ratio as the benchmark's counters (engine_ms, python_ms, ratio).
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

inline void ReportPythonRatio(benchmark::State &state, const std::vector<double> &engineMs,
                              const std::vector<double> &pythonMs)
{
    const double e = Median(engineMs), p = Median(pythonMs);
    state.counters["engine_ms"] = e;
    state.counters["python_ms"] = p;
    state.counters["ratio"] = p > 0 ? e / p : 0;
}
