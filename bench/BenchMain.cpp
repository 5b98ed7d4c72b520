// The one entry point of the native benchmark program; each bench file only registers its benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
