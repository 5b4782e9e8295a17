#include <benchmark/benchmark.h>

#include "imaging/LeadModel.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"

using namespace imaging;

namespace {

const produce::ChannelLevels kLevels{{0, 85, 170, 255}, {0, 85, 170, 255}, {0, 85, 170, 255}};

Picture photoLike(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = p.row(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x * 7 + y);
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 5);
            row[3 * x + 2] = static_cast<std::uint8_t>((x ^ y) * 3);
        }
    }
    return p;
}

// The whole preview of a crop while a frame is dragged over a large picture: crop to panel
// size, fit into the colour preview, reduce to panel greys, tint, fit into the panel preview.
// Target 0.2 ms: it runs on every mouse move of a drag.
void previewCropOfLargePicture(benchmark::State& state) {
    state.SetLabel("<= 0.2 ms");
    LeadModel viewer, work, grey, colourPreview, monoPreview;
    viewer.setBitmap(photoLike(4000, 3000));
    CropFrame rect;
    rect.Right = 3000;
    rect.Bottom = 1013;
    for (auto _ : state) {
        rect.Left = (rect.Left + 1) % 64;  // a drag moves the frame a pixel per step
        rect.Right = rect.Left + 3000;
        produce::cropToPanel(rect, 100, viewer, work, 160, 54);
        produce::showFitted(colourPreview, 340, 92, work);
        grey.setBitmapFrom(work);
        produce::reduceToPanel(grey, 3);
        produce::tintPanelPalette(grey, 52, kLevels);
        produce::showFitted(monoPreview, 340, 92, grey);
        work.releaseBitmap();
    }
}

// Target 5 ms for the 90 frames a generation may add.
void addNinetyOutputFrames(benchmark::State& state) {
    state.SetLabel("<= 5 ms");
    const Picture frame = photoLike(160, 54);
    for (auto _ : state) {
        LeadModel colour, panel, work, overlay;
        const produce::OutputLists lists{colour, panel, work, overlay};
        for (int i = 0; i < 90; ++i) {
            produce::addOutputFrame(lists, frame, i, 3);
        }
        benchmark::DoNotOptimize(panel.BitmapListCount());
    }
}

}  // namespace

BENCHMARK(previewCropOfLargePicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(addNinetyOutputFrames)->Unit(benchmark::kMillisecond);
