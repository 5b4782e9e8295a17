// Text images: drawing one as the text page does on every change of its controls (at most
// 5 ms), and laying one over ninety 160 x 54 panel frames (at most 5 ms).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "imaging/LeadModel.h"
#include "imaging/Picture.h"
#include "imaging/Status.h"
#include "text/TextImage.h"

using namespace imaging;

namespace {

constexpr int kPanelWidth = 160;
constexpr int kPanelHeight = 54;
constexpr int kFrames = 90;

text::TextSettings threeLines(int angle) {
    text::TextSettings s;
    s.lines = {QStringLiteral("Pixmora"), QStringLiteral("panel text"), QStringLiteral("0123")};
    s.fontName = QStringLiteral("DejaVu Sans");
    s.pointSize = 36;
    s.bold = true;
    s.decoration = text::kOutline;
    s.textColour = 3;
    s.outlineColour = 1;
    s.angle = angle;
    return s;
}

// The argument is the angle: upright, and a slant that resamples the whole drawing.
void drawTextImage(benchmark::State& state) {
    state.SetLabel("<= 5 ms");
    const text::TextSettings s = threeLines(static_cast<int>(state.range(0)));
    LeadModel image, mask;
    for (auto _ : state) {
        if (text::buildTextImage(s, image, mask) != kOk) {
            state.SkipWithError("drawing failed");
            return;
        }
        benchmark::DoNotOptimize(mask.picture());
    }
}

Picture levelFrame(int seed) {
    Picture p(kPanelWidth, kPanelHeight, 2);
    for (int y = 0; y < kPanelHeight; ++y) {
        for (int x = 0; x < kPanelWidth; ++x) {
            p.row(y)[x] = static_cast<std::uint8_t>((x / 3 + y + seed) % 4);
        }
    }
    return p;
}

void layOverNinetyFrames(benchmark::State& state) {
    state.SetLabel("<= 5 ms");
    LeadModel image, mask;
    text::TextSettings s = threeLines(0);
    s.pointSize = 18;
    if (text::buildTextImage(s, image, mask) != kOk) {
        state.SkipWithError("drawing failed");
        return;
    }
    std::vector<LeadModel> frames(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        frames[i].setBitmap(levelFrame(i));
    }
    for (auto _ : state) {
        for (LeadModel& frame : frames) {
            if (text::layOver(frame, 20, 4, *image.picture(), *mask.picture()) != kOk) {
                state.SkipWithError("laying over failed");
                return;
            }
        }
        benchmark::DoNotOptimize(frames.back().picture());
    }
}

}  // namespace

BENCHMARK(drawTextImage)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(layOverNinetyFrames)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
