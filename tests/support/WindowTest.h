#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <functional>
#include <memory>

#include "app/PicMUnit1.h"
#include "imaging/Picture.h"
#include "imaging/TLEAD.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolderTest.h"

// A real main window, its settings and the shipped catalogue in a temporary folder (the
// catalogue gives the zoom, method and effect lists), every dialog answered through
// ScriptedDialogs, and mouse events sent to its input viewer. PIXMORA_DATA_DIR names the
// folder of the shipped data.
class WindowTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(PIXMORA_DATA_DIR "/pixmora.MSG"), path("pixmora.MSG")));
        form = std::make_unique<TForm1>(path("pixmora"));
        form->resize(1280, 800);
        form->show();
    }

    // Loads a file through the open dialog; `answer` acts on the insert-position dialog when
    // it is asked.
    void load(const QString& file, std::function<int(QDialog&)> answer = {}) {
        dialogs.fileAnswers.push_back(file);
        if (answer) {
            dialogs.dialogActions.push_back(std::move(answer));
        }
        form->abbInPic->click();
    }
    // Output frames 1 .. count added at the end, the current one shown. Frame n has red 10 × n
    // everywhere, green rising across the frame and scattered blue dots, so effects change it.
    void addFrames(int count) {
        for (int n = 1; n <= count; ++n) {
            imaging::Picture p(form->PanelWidth, form->PanelHeight);
            for (int y = 0; y < p.height(); ++y) {
                for (int x = 0; x < p.width(); ++x) {
                    const int blue = (x * 7 + y * 13) % 5 == 0 ? 200 : 40;
                    p.setColourAt(x, y, imaging::makeColour(10 * n, x * 255 / p.width(), blue));
                }
            }
            form->AddOutputFrame(p, form->outputFrameCount());
        }
        form->RefreshFrameRange();
        form->tbOutPreOnChange();
        form->UpdateAvailability(Availability::kNoOutput);
    }
    void setScale(const char* percent) {
        form->cbScale->setCurrentIndex(form->cbScale->findText(QString::fromLatin1(percent)));
    }
    // A mouse event at (x, y) on `on` (the input viewer unless given), the left button held
    // from press to release.
    void mouse(QEvent::Type type, int x, int y, TLEAD* on = nullptr) {
        TLEAD* target = on != nullptr ? on : form->LeadIn;
        const QPointF at(x, y);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    // Hovers over (x, y), then drags from there by (dx, dy) in two steps.
    void drag(int x, int y, int dx, int dy) {
        mouse(QEvent::MouseMove, x, y);
        mouse(QEvent::MouseButtonPress, x, y);
        mouse(QEvent::MouseMove, x + dx / 2, y + dy / 2);
        mouse(QEvent::MouseMove, x + dx, y + dy);
        mouse(QEvent::MouseButtonRelease, x + dx, y + dy);
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};
