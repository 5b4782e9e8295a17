#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <tuple>

#include "app/PicMUnit1.h"
#include "imaging/LeadModel.h"
#include "imaging/Picture.h"
#include "imaging/TLEAD.h"
#include "platform/TPanel.h"
#include "platform/TStatusBar.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "produce/PicMCut.h"
#include "store/Framectl.h"
#include "store/TdlgIns.h"
#include "store/Undoctl.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolderTest.h"

// A real main window with its settings and the shipped catalogue (which gives the zoom, method
// and effect lists) in a temporary folder, every dialog answered through ScriptedDialogs, and
// mouse events sent to its input viewer. PIXMORA_DATA_DIR names the shipped data's folder.
class WindowTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_TRUE(
            QFile::copy(QStringLiteral(PIXMORA_DATA_DIR "/pixmora.MSG"), path("pixmora.MSG")));
        openWindow();
    }
    void openWindow() {
        form = std::make_unique<TForm1>(path("pixmora"));
        form->resize(1280, 800);
        form->show();
    }

    // Loads a file; `answer` acts on the insert-position dialog when it is asked.
    void load(const QString& file, std::function<int(QDialog&)> answer = {}) {
        dialogs.fileAnswers.push_back(file);
        if (answer) {
            dialogs.dialogActions.push_back(std::move(answer));
        }
        form->abbInPic->click();
    }
    // An answer to the insert-position question: OK, with "before" chosen when asked for;
    // `asked` receives the frame count it shows.
    static std::function<int(QDialog&)> pressOk(bool before = false, QString* asked = nullptr) {
        return [=](QDialog& d) {
            auto& dialog = static_cast<TdlgIns&>(d);
            if (asked != nullptr) {
                *asked = dialog.Label2->text();
            }
            dialog.rbPos1->setChecked(before);
            dialog.btnOKClick();
            return d.result();
        };
    }
    // A picture file whose pixel (x, y) has the colour `at` gives.
    QString picture(const char* name, int width, int height,
                    const std::function<QRgb(int, int)>& at) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int i = 0; i < width * height; ++i) {
            image.setPixel(i % width, i / width, at(i % width, i / width));
        }
        EXPECT_TRUE(image.save(path(name)));
        return path(name);
    }
    QString still(const char* name, int width, int height) {
        return picture(name, width, height, [](int, int) { return qRgb(200, 30, 60); });
    }
    static std::vector<imaging::Picture> framesOf(const imaging::LeadModel& list) {
        std::vector<imaging::Picture> all;
        for (int i = 0; i < list.frameCount(); ++i) {
            all.push_back(list.frame(i));
        }
        return all;
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
    // A mouse event on `on` (the input viewer unless given), the left button held till release.
    void mouse(QEvent::Type type, int x, int y, TLEAD* on = nullptr) {
        TLEAD* target = on != nullptr ? on : form->LeadIn;
        const QPointF at(x, y);
        QMouseEvent event(type, at, target->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
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
