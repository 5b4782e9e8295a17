#include <benchmark/benchmark.h>

#include <cstdint>

#include "imaging/Filters.h"
#include "imaging/Rotate.h"

namespace {

// A 24-bit picture with a fixed pseudo-random pattern, so no filter sees a uniform picture.
imaging::Picture noisyPicture(int width, int height) {
    imaging::Picture p(width, height);
    std::uint32_t seed = 1;
    for (std::uint8_t& v : p.pixels()) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<std::uint8_t>(seed >> 24);
    }
    return p;
}

template <typename Filter>
void runOnPicture(benchmark::State& state, int width, int height, Filter filter) {
    const imaging::Picture source = noisyPicture(width, height);
    for (auto _ : state) {
        imaging::Picture p = source;
        benchmark::DoNotOptimize(filter(p));
        benchmark::DoNotOptimize(p.pixels().data());
    }
}

constexpr int kPanelWidth = 160;
constexpr int kPanelHeight = 54;

void BM_PanelIntensity(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::intensity(p, 300); });
}
void BM_PanelContrast(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::contrast(p, 300); });
}
void BM_PanelSharpen(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::sharpen(p, 500); });
}
void BM_PanelSoften(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::sharpen(p, -500); });
}
void BM_PanelInvert(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::invert(p); });
}
void BM_PanelMedian3(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::median(p, 3); });
}
void BM_PanelHistoEqualize(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::histoEqualize(p); });
}
void BM_PanelRotate90(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::rotate(p, 9000, 0); });
}
void BM_PanelRotate30(benchmark::State& s) {
    runOnPicture(s, kPanelWidth, kPanelHeight, [](auto& p) { return imaging::rotate(p, 3000, 0); });
}
void BM_LargeMedian3(benchmark::State& s) {
    runOnPicture(s, 1600, 1200, [](auto& p) { return imaging::median(p, 3); });
}

}  // namespace

BENCHMARK(BM_PanelIntensity);
BENCHMARK(BM_PanelContrast);
BENCHMARK(BM_PanelSharpen);
BENCHMARK(BM_PanelSoften);
BENCHMARK(BM_PanelInvert);
BENCHMARK(BM_PanelMedian3);
BENCHMARK(BM_PanelHistoEqualize);
BENCHMARK(BM_PanelRotate90);
BENCHMARK(BM_PanelRotate30);
BENCHMARK(BM_LargeMedian3)->Unit(benchmark::kMillisecond);
