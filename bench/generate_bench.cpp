// Generating a run of panel frames. A move over ninety frames from a 4000 x 3000 still, from
// a large start crop to a smaller end crop elsewhere (both crops and the whole run into fresh
// output lists): target at most 30 ms. A dissolve over ninety frames of 160 x 54: at most 10 ms.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QTemporaryDir>

#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "produce/PicMCutGenerate.h"
#include "store/Framectl.h"

namespace {

constexpr int kStillWidth = 4000;
constexpr int kStillHeight = 3000;
constexpr int kRunFrames = 90;

// A photo-like still: colour gradients with fine detail, written as a JPEG.
bool writeStill(const QString& file) {
    QImage image(kStillWidth, kStillHeight, QImage::Format_RGB32);
    for (int y = 0; y < kStillHeight; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kStillWidth; ++x) {
            const int detail = ((x * 7) ^ (y * 13)) & 31;
            row[x] = qRgb((x / 16 + detail) & 255, (y / 12 + 2 * detail) & 255, (x + y) / 28 & 255);
        }
    }
    return image.save(file, "JPEG", 90);
}

// The output lists and work pictures of one run, all empty.
struct Outputs {
    imaging::LeadModel colour, panel, work, overlay, start, end;
    produce::OutputLists lists{colour, panel, work, overlay};
    produce::GenerationWork gen{start, end};
};

produce::GenerationRequest request(int method) {
    produce::GenerationRequest r;
    r.method = method;
    r.frames = kRunFrames;
    return r;
}

void BM_MoveNinetyFramesFromLargeStill(benchmark::State& state) {
    state.SetLabel("<= 30 ms");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("still.jpg"));
    store::TFrameControl input;
    if (!dir.isValid() || !writeStill(file) || input.InsertAfter(file) != imaging::kOk) {
        state.SkipWithError("cannot write or load the still");
        return;
    }
    produce::GenerationRequest r = request(0);
    r.start = {0, 0, 3200, 1080, 1};
    r.end = {2400, 1800, 2880, 1962, 1};
    for (auto _ : state) {
        Outputs run;
        if (produce::cropStartAndEnd(r, input, run.gen, run.lists) != imaging::kOk ||
            produce::produceRun(r, input, run.gen, run.lists, 0) != imaging::kOk ||
            run.colour.BitmapListCount() != kRunFrames) {
            state.SkipWithError("the move failed");
            return;
        }
        benchmark::DoNotOptimize(run.panel.picture());
    }
}

void BM_DissolveNinetyFrames(benchmark::State& state) {
    state.SetLabel("<= 10 ms");
    const produce::GenerationRequest r = request(2);
    imaging::Picture a(r.panelWidth, r.panelHeight), b(r.panelWidth, r.panelHeight);
    for (int y = 0; y < r.panelHeight; ++y) {
        for (int x = 0; x < r.panelWidth; ++x) {
            a.setColourAt(x, y, imaging::makeColour(x, y * 4, 90));
            b.setColourAt(x, y, imaging::makeColour(250 - x, 60, y * 4));
        }
    }
    store::TFrameControl input;
    for (auto _ : state) {
        Outputs run;
        run.start.setBitmap(a);
        run.end.setBitmap(b);
        run.overlay.setBitmap(imaging::Picture(r.panelWidth, r.panelHeight));
        if (produce::produceRun(r, input, run.gen, run.lists, 0) != imaging::kOk ||
            run.colour.BitmapListCount() != kRunFrames) {
            state.SkipWithError("the dissolve failed");
            return;
        }
        benchmark::DoNotOptimize(run.panel.picture());
    }
}

}  // namespace

BENCHMARK(BM_MoveNinetyFramesFromLargeStill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DissolveNinetyFrames)->Unit(benchmark::kMillisecond);
