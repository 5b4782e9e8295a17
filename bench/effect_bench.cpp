// The frame effects: each effect applied to ninety 160 x 54 output frames (at most 20 ms each),
// and one preview of the effect page (at most 0.3 ms).
#include <benchmark/benchmark.h>

#include "bench/PhotoLike.h"
#include "imaging/LeadModel.h"
#include "imaging/MemoryReuse.h"
#include "imaging/Status.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"
#include "produce/PicMCutEffect.h"

using namespace imaging;

namespace {

// The window's setting, made before any benchmark runs.
const bool kMemoryReused = (imaging::reuseFreedPictureMemory(), true);

constexpr int kPanelWidth = 160;
constexpr int kPanelHeight = 54;
constexpr int kFrames = 90;
constexpr int kBurkes = 3;
const produce::ChannelLevels kLevels = produce::kDefaultChannelLevels;

struct Outputs {
    LeadModel colour, panel, work, overlay;
    produce::OutputLists lists{colour, panel, work, overlay};
};

// The argument is the effect; brightness, contrast and sharpen at strength 500.
void applyEffectToNinetyFrames(benchmark::State& state) {
    state.SetLabel("<= 20 ms");
    const int effect = static_cast<int>(state.range(0));
    Outputs out;
    for (int i = 0; i < kFrames; ++i) {
        produce::addOutputFrame(out.lists, bench::photoLike(kPanelWidth, kPanelHeight, i), i,
                                kBurkes);
    }
    const LeadModel colour = out.colour, panel = out.panel;
    for (auto _ : state) {
        state.PauseTiming();
        out.colour = colour;
        out.panel = panel;
        state.ResumeTiming();
        if (produce::applyEffectToAll(out.lists, effect, 500, kBurkes) != kOk) {
            state.SkipWithError("the effect failed");
            return;
        }
        benchmark::DoNotOptimize(out.panel.picture());
    }
}

// What the effect page does when the strength moves: the current frame copied, the effect,
// reduction, tint and both previews fitted into 340 x 92.
void previewOneEffect(benchmark::State& state) {
    state.SetLabel("<= 0.3 ms");
    const int effect = static_cast<int>(state.range(0));
    LeadModel frames, grey, colourPreview, monoPreview;
    frames.setBitmap(bench::photoLike(kPanelWidth, kPanelHeight, 0));
    int strength = -500;
    for (auto _ : state) {
        strength = strength == 500 ? -500 : strength + 10;
        grey.setBitmapFrom(frames);
        produce::applyEffect(grey, effect, strength);
        produce::showFitted(colourPreview, 340, 92, grey);
        produce::reduceToPanel(grey, kBurkes);
        produce::tintPanelPalette(grey, 52, kLevels);
        produce::showFitted(monoPreview, 340, 92, grey);
        benchmark::DoNotOptimize(monoPreview.picture());
    }
}

}  // namespace

BENCHMARK(applyEffectToNinetyFrames)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);
BENCHMARK(previewOneEffect)->Arg(3)->Arg(6)->Unit(benchmark::kMicrosecond);
