// Benchmarks of the history list's search: prefix hits, misses with their full fallback scan, and IndexOf.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/PrefixSearch.h"
#include "core/SearchEntries.h"

namespace {

// Sorted texts that look like sent messages; byte order and case-insensitive order agree here.
std::vector<std::string> Messages(int count)
{
    std::vector<std::string> store;
    store.reserve(count);
    for (int i = 0; i < count; ++i) {
        char text[48];
        snprintf(text, sizeof text, "Mesaj %06d: toplantı saat %02d", i, i % 24);
        store.push_back(text);
    }
    return store;
}

void PrefixHit(benchmark::State& state)
{
    const auto store = Messages(static_cast<int>(state.range(0)));
    TVectorEntries entries(store);
    const std::string probe = store[store.size() / 3].substr(0, 12);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPrefix(entries, probe, false));
}

// A miss costs the bisection and then the scan over every entry: the fallback's worst case.
void PrefixMiss(benchmark::State& state)
{
    const auto store = Messages(static_cast<int>(state.range(0)));
    TVectorEntries entries(store);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPrefix(entries, "mesaj x", false));
}

void IndexOfLast(benchmark::State& state)
{
    const auto store = Messages(static_cast<int>(state.range(0)));
    TVectorEntries entries(store);
    const std::string text = store.back();
    for (auto _ : state)
        benchmark::DoNotOptimize(IndexOf(entries, text));
}

}

BENCHMARK(PrefixHit)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(PrefixMiss)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(IndexOfLast)->Arg(1000)->Arg(10000)->Arg(100000);
