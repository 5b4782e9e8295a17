// One tick of the output player on a real window: the next frame shown in the colour and
// panel previews and painted. Target 1 ms a tick, a tenth of the player's 100 ms interval.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/PicMUnit1.h"
#include "bench/PhotoLike.h"
#include "imaging/Picture.h"

namespace {

void outputPlayerTick(benchmark::State& state) {
    state.SetLabel("<= 1 ms");
    QTemporaryDir dir;
    TForm1 form(dir.filePath(QStringLiteral("pixmora")));
    form.resize(1280, 800);
    form.show();
    for (int i = 0; i < 90; ++i) {
        form.AddOutputFrame(bench::photoLike(form.PanelWidth, form.PanelHeight, i), i);
    }
    form.RefreshFrameRange();
    form.tbOutPreOnChange();
    form.UpdateAvailability(Availability::kNoOutput);
    form.abbOutPreRep->setDown(true);
    form.abbOutPrePlay->click();
    for (auto _ : state) {
        form.OutPreOnTimer();
        QApplication::processEvents();
    }
    form.abbOutPreStop->click();
}
BENCHMARK(outputPlayerTick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
