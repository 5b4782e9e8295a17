#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <random>

#include "files/Cfilectl.h"
#include "imaging/LeadModel.h"

using imaging::Picture;

namespace {

Picture randomPanelFrame(std::mt19937& random) {
    Picture frame(160, 54, 2);
    std::uniform_int_distribution<int> level(0, 3);
    for (std::uint8_t& p : frame.pixels()) {
        p = static_cast<std::uint8_t>(level(random));
    }
    return frame;
}

// Saving and loading back a full animation: 90 frames of 160 x 54 at 2 bits. Target 2 ms.
void saveAndLoadFullAnimation(benchmark::State& state) {
    std::mt19937 random(11);
    imaging::LeadModel list;
    for (int i = 0; i < 90; ++i) {
        list.InsertBitmapListItem(-1, randomPanelFrame(random));
    }
    imaging::LeadModel loaded;
    imaging::LeadModel work;
    QTemporaryDir dir;
    CustumFileControl control;
    control.SetFileName(QDir(dir.path()).filePath("bench.zma"));
    state.SetLabel("<= 2 ms");
    for (auto _ : state) {
        if (control.Save(list) != CustumFileControl::kOk ||
            control.Load(loaded, work) != CustumFileControl::kOk) {
            state.SkipWithError("save or load failed");
            break;
        }
        benchmark::DoNotOptimize(loaded.BitmapListCount());
    }
}

}  // namespace

BENCHMARK(saveAndLoadFullAnimation)->Unit(benchmark::kMillisecond);
