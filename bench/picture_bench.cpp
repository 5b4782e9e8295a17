#include <benchmark/benchmark.h>

#include "imaging/Picture.h"

static void BM_TrueColourOfPanelFrame(benchmark::State& state) {
    const imaging::Picture panel(160, 54, 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(imaging::toTrueColour(panel));
    }
}
BENCHMARK(BM_TrueColourOfPanelFrame);
