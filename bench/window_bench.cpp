// The window's work that must keep up with the user, on a real window with 90 output frames:
// - one tick of the output player: the next frame shown in both previews and painted; target
//   1 ms, a tenth of the player's 100 ms interval;
// - the text preview, redrawn on every keystroke and mouse move: three lines at 36 points,
//   outlined and turned 30 degrees; target 2 ms;
// - stamping that text into all 90 frames; target 20 ms;
// - one tick of the panel player: the next frame tinted and fitted into the device's display
//   area, the information area tinted, painted; target 1 ms;
// - laying out the panel page for the shipped device, as registering a description does;
//   target 10 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "app/PicMUnit1.h"
#include "bench/PhotoLike.h"
#include "imaging/Picture.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"

namespace {

// The window of a program folder that holds the shipped device picture.
std::unique_ptr<TForm1> makeForm(const QTemporaryDir& dir) {
    QFile::copy(QStringLiteral(PIXMORA_DATA_DIR "/panels/Panel.bmp"),
                dir.filePath(QStringLiteral("Panel.bmp")));
    return std::make_unique<TForm1>(dir.filePath(QStringLiteral("pixmora")));
}

// A shown window holding 90 output frames.
struct Window {
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;

    Window() : form(makeForm(dir)) {
        form->resize(1280, 800);
        form->show();
        for (int i = 0; i < 90; ++i) {
            form->AddOutputFrame(bench::photoLike(form->PanelWidth, form->PanelHeight, i), i);
        }
        form->RefreshFrameRange();
        form->tbOutPreOnChange();
        form->UpdateAvailability(Availability::kNoOutput);
    }
    // The text page with three outlined lines at 36 points, turned 30 degrees.
    void setUpText() {
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        form->Memo1->setPlainText(QStringLiteral("Pixmora\nfour greys\n160 x 54"));
        form->udFont->setPosition(36);
        form->cbFEffect->setCurrentIndex(1);
        form->tbFontAngle->setPosition(30);
    }
};

void outputPlayerTick(benchmark::State& state) {
    state.SetLabel("<= 1 ms");
    Window w;
    w.form->abbOutPreRep->setDown(true);
    w.form->abbOutPrePlay->click();
    for (auto _ : state) {
        w.form->OutPreOnTimer();
        QApplication::processEvents();
    }
    w.form->abbOutPreStop->click();
}
BENCHMARK(outputPlayerTick)->Unit(benchmark::kMillisecond);

void drawTextPreview(benchmark::State& state) {
    state.SetLabel("<= 2 ms");
    Window w;
    w.setUpText();
    for (auto _ : state) {
        w.form->DrawFont();
    }
}
BENCHMARK(drawTextPreview)->Unit(benchmark::kMillisecond);

void stampTextIntoNinetyFrames(benchmark::State& state) {
    state.SetLabel("<= 20 ms");
    Window w;
    w.setUpText();
    for (auto _ : state) {
        w.form->abbInsFAClick();
        state.PauseTiming();
        w.form->ExeUndo();
        state.ResumeTiming();
    }
}
BENCHMARK(stampTextIntoNinetyFrames)->Unit(benchmark::kMillisecond);

void panelPlayerTick(benchmark::State& state) {
    state.SetLabel("<= 1 ms");
    Window w;
    w.form->PageControl1->setCurrentWidget(w.form->TabSheet4);
    w.form->abbPRep->setDown(true);
    w.form->abbPPlay->click();
    for (auto _ : state) {
        w.form->PanelOnTimer();
        QApplication::processEvents();
    }
    w.form->abbPStop->click();
}
BENCHMARK(panelPlayerTick)->Unit(benchmark::kMillisecond);

void buildPanelPreview(benchmark::State& state) {
    state.SetLabel("<= 10 ms");
    Window w;
    w.form->PageControl1->setCurrentWidget(w.form->TabSheet4);
    for (auto _ : state) {
        w.form->BuildPanelPreview();
        QApplication::processEvents();
    }
}
BENCHMARK(buildPanelPreview)->Unit(benchmark::kMillisecond);

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
