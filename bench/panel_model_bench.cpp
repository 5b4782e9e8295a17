#include <benchmark/benchmark.h>

#include "app/CropEditing.h"
#include "bench/PhotoLike.h"
#include "imaging/LeadModel.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"

using namespace imaging;

namespace {

const produce::ChannelLevels kLevels{{0, 85, 170, 255}, {0, 85, 170, 255}, {0, 85, 170, 255}};

// The pictures of the window's crop preview.
struct PreviewModels {
    LeadModel viewer, work, grey, colourPreview, monoPreview;
};

// The whole preview of a crop while a frame is dragged: crop to panel size, fit into the colour
// preview, reduce to panel greys, tint, fit into the panel preview.
void previewCrop(PreviewModels& m, const CropFrame& rect) {
    produce::cropToPanel(rect, 100, m.viewer, m.work, 160, 54);
    produce::showFitted(m.colourPreview, 340, 92, m.work);
    m.grey.setBitmapFrom(m.work);
    produce::reduceToPanel(m.grey, 3);
    produce::tintPanelPalette(m.grey, 52, kLevels);
    produce::showFitted(m.monoPreview, 340, 92, m.grey);
    m.work.releaseBitmap();
}

// The preview over a large picture. Target 0.2 ms: it runs on every mouse move of a drag.
void previewCropOfLargePicture(benchmark::State& state) {
    state.SetLabel("<= 0.2 ms");
    PreviewModels m;
    m.viewer.setBitmap(bench::photoLike(4000, 3000));
    CropFrame rect;
    rect.Right = 3000;
    rect.Bottom = 1013;
    for (auto _ : state) {
        rect.Left = (rect.Left + 1) % 64;  // a drag moves the frame a pixel per step
        rect.Right = rect.Left + 3000;
        previewCrop(m, rect);
    }
}

// One step of dragging a crop frame over a 4000 x 3000 picture shown at 100 %: the frame's
// arithmetic (move, view following) and its preview. Target 0.3 ms a mouse move.
void dragStepOnLargePicture(benchmark::State& state) {
    state.SetLabel("<= 0.3 ms");
    PreviewModels m;
    m.viewer.setBitmap(bench::photoLike(4000, 3000));
    app::ViewerGeometry view;
    view.pictureWidth = 4000;
    view.pictureHeight = 3000;
    view.controlWidth = 900;
    view.controlHeight = 600;
    CropFrame rect;
    rect.Right = 3000;
    rect.Bottom = 1013;
    int step = 1;
    for (auto _ : state) {
        if (rect.Right + step > 4000 || rect.Left + step < 0) {
            step = -step;  // back and forth across the picture
        }
        app::dragFrame(rect, view, app::kZoneInside, 0.0F, step, 0);
        previewCrop(m, rect);
    }
}

// Target 5 ms for the 90 frames a generation may add.
void addNinetyOutputFrames(benchmark::State& state) {
    state.SetLabel("<= 5 ms");
    const Picture frame = bench::photoLike(160, 54);
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
BENCHMARK(dragStepOnLargePicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(addNinetyOutputFrames)->Unit(benchmark::kMillisecond);
