#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <random>

#include "files/Cfilectl.h"
#include "imaging/TLEAD.h"

using imaging::Picture;

namespace {

// The imaging control is a widget, so a QApplication (offscreen) must exist first.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "panel_file_bench";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(argc, argv);
    }
}

Picture randomPanelFrame(std::mt19937& random) {
    Picture frame(160, 54, 2);
    std::uniform_int_distribution<int> level(0, 3);
    for (std::uint8_t& p : frame.pixels()) {
        p = static_cast<std::uint8_t>(level(random));
    }
    return frame;
}

// Saving and loading back a full animation: 90 frames of 160 x 54 at 2 bits.
void saveAndLoadFullAnimation(benchmark::State& state) {
    ensureApplication();
    std::mt19937 random(11);
    TLEAD list;
    for (int i = 0; i < 90; ++i) {
        list.InsertBitmapListItem(-1, randomPanelFrame(random));
    }
    TLEAD loaded;
    TLEAD work;
    QTemporaryDir dir;
    CustumFileControl control;
    control.SetFileName(QDir(dir.path()).filePath("bench.zma"));
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
