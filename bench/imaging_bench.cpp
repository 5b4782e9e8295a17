#include <benchmark/benchmark.h>

#include <random>

#include "imaging/Dither.h"
#include "imaging/Resample.h"

using namespace imaging;

namespace {

const std::vector<Colour> kFourGreys{0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};

// A grey plane with smooth gradients and noise, like the value plane of a photograph.
Picture photoLikeGreyPlane(int w, int h) {
    Picture p(w, h, 8);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-12, 12);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int v = (x * 255 / w + y * 255 / h) / 2 + noise(random);
            p.row(y)[x] = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
        }
    }
    return p;
}

Picture photoLikeColour(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.setColourAt(x, y, makeColour(x & 255, y & 255, (x ^ y) & 255));
        }
    }
    return p;
}

// Targets: on a 1600 x 1200 plane 6 ms (Burkes), 13 ms (JJN), 2 ms (none, ordered); on a
// panel frame 30 us whatever the method.
std::string reductionTarget(int method, int width) {
    if (width <= 160) {
        return "<= 30 us";
    }
    switch (method) {
        case kDitherBurkes:
            return "<= 6 ms";
        case kDitherJarvis:
            return "<= 13 ms";
        default:
            return "<= 2 ms";
    }
}

void reduceToFourGreys(benchmark::State& state) {
    const int method = static_cast<int>(state.range(0));
    state.SetLabel(reductionTarget(method, static_cast<int>(state.range(1))));
    const Picture plane =
        photoLikeGreyPlane(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    Picture out;
    for (auto _ : state) {
        changeColourResolution(plane, 2, kPaletteUser, method, 4, kFourGreys, &out);
        benchmark::DoNotOptimize(out.pixels().data());
    }
}

// Target 10 us: a crop preview runs on every mouse move of a drag.
void cropOfLargePictureToPanel(benchmark::State& state) {
    state.SetLabel("<= 10 us");
    const Picture source = photoLikeColour(4000, 3000);
    Picture out;
    int offset = 0;
    for (auto _ : state) {
        offset = (offset + 1) % 64;  // a drag moves the rectangle a pixel or two per step
        cropResized(source, 300 + offset, 200 + offset, 3000, 1012, 160, 54, &out);
        benchmark::DoNotOptimize(out.pixels().data());
    }
}

}  // namespace

// Arguments: dither method (0 none, 3 Burkes, 6 Jarvis-Judice-Ninke, 7 ordered), width, height.
BENCHMARK(reduceToFourGreys)
    ->ArgNames({"dither", "w", "h"})
    ->ArgsProduct({{kDitherBurkes, kDitherJarvis, kDitherNone, kDitherOrdered}, {1600}, {1200}})
    ->ArgsProduct({{kDitherBurkes, kDitherJarvis, kDitherNone, kDitherOrdered}, {160}, {54}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(cropOfLargePictureToPanel)->Unit(benchmark::kMicrosecond);
