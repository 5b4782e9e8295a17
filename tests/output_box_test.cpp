// The frame editing box and the players on a real window: playing, stepping and deleting
// output frames, the frame number field, the panel player and its keys, and generation from
// crops set with the mouse.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

#include "app/PicMUnit1.h"
#include "imaging/LeadModel.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "produce/PicMCutGenerate.h"
#include "store/Framectl.h"
#include "store/TdlgIns.h"
#include "store/Undoctl.h"
#include "tests/support/ToolRun.h"
#include "tests/support/WindowTest.h"
#include "tools/CfilePanelFiles.h"

namespace {

// Each added frame is a plain colour whose red channel tells its number.
int redOf(const imaging::Picture& p) {
    return imaging::redOf(p.colourAt(0, 0));
}

class OutputBoxTest : public WindowTest {
  protected:
    // The number of the output frame the colour preview shows.
    int shownFrame() const {
        return form->LeadColor->hasBitmap() ? redOf(*form->LeadColor->picture()) / 10 : 0;
    }
    void typeFrame(const QString& text) { form->OutPreFrm->setText(text); }
    // A 640 x 480 picture with a different colour at every pixel, loaded as input.
    QString loadGradient() {
        QImage image(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 3 + y) % 256));
            }
        }
        EXPECT_TRUE(image.save(path("gradient.png")));
        load(path("gradient.png"));
        setScale("100");
        return path("gradient.png");
    }
    // Presses the crop button, drags its frame by the middle and releases the button.
    void moveCrop(TABitBtn* button, const CropFrame& f, int dx, int dy) {
        button->click();
        drag(form->LeadIn->DstLeft() + (f.Left + f.Right) / 2,
             form->LeadIn->DstTop() + (f.Top + f.Bottom) / 2, dx, dy);
        button->click();
    }
    void generate(int frames, int method = 0) {
        form->MkFrm->setText(QString::number(frames));
        form->cbCutK->setCurrentIndex(method);
        form->abbExecute->click();
    }
    void showPage(QWidget* page) { form->PageControl1->setCurrentWidget(page); }
};

struct PlayerStep {
    const char* what;
    std::function<void(TForm1&)> act;
    int position;
    bool playing;
    bool paused;
};

// Each step acts, then the position, the buttons and the timer show the state it leads to.
void runSteps(TForm1& form, const std::vector<PlayerStep>& steps, TTrackBar* bar, TABitBtn* play,
              TABitBtn* pause, QTimer* timer) {
    for (const PlayerStep& s : steps) {
        s.act(form);
        EXPECT_EQ(std::tuple(bar->Position(), play->Down(), pause->Down(), timer->isActive()),
                  std::tuple(s.position, s.playing, s.paused, s.playing && !s.paused))
            << s.what;
    }
}

TEST_F(OutputBoxTest, OutputPlayerFollowsItsStateTable) {
    addFrames(3);
    form->tbOutPre->setPosition(2);
    auto click = [](TABitBtn* TForm1::*b) { return [b](TForm1& f) { (f.*b)->click(); }; };
    auto tick = [](TForm1& f) { f.OutPreOnTimer(); };
    runSteps(
        *form,
        {{"pause while stopped", click(&TForm1::abbOutPrePause), 2, false, false},
         {"play starts at 1", click(&TForm1::abbOutPrePlay), 1, true, false},
         {"tick", tick, 2, true, false},
         {"pause", click(&TForm1::abbOutPrePause), 2, true, true},
         {"tick while paused is not delivered; step works", click(&TForm1::abbOutPreNext), 3, true,
          true},
         {"play resumes", click(&TForm1::abbOutPrePlay), 3, true, false},
         {"past the end without repeat", tick, 3, false, false},
         {"play again", click(&TForm1::abbOutPrePlay), 1, true, false},
         {"tick", tick, 2, true, false},
         {"play while playing restarts", click(&TForm1::abbOutPrePlay), 1, true, false},
         {"repeat on", click(&TForm1::abbOutPreRep), 1, true, false},
         {"tick", tick, 2, true, false},
         {"tick", tick, 3, true, false},
         {"past the end with repeat", tick, 1, true, false},
         {"back at the first frame does nothing", click(&TForm1::abbOutPreBack), 1, true, false},
         {"stop keeps the frame", click(&TForm1::abbOutPreStop), 1, false, false}},
        form->tbOutPre, form->abbOutPrePlay, form->abbOutPrePause, form->TimerOutPre);
    EXPECT_EQ(shownFrame(), 1);
}

// While a player runs, the commands that change frames are off; they come back when it stops.
TEST_F(OutputBoxTest, RunningPlayersDisableTheFrameCommands) {
    addFrames(2);
    EXPECT_TRUE(form->abbOutPreDel->isEnabled());
    form->abbOutPrePlay->click();
    EXPECT_FALSE(form->abbOutPreDel->isEnabled());
    EXPECT_FALSE(form->abbFSave->isEnabled());
    form->OutPreOnTimer();
    form->OutPreOnTimer();
    EXPECT_TRUE(form->abbOutPreDel->isEnabled());
    showPage(form->TabSheet4);
    form->abbPPlay->click();
    EXPECT_FALSE(form->abbOutPreDel->isEnabled());
    showPage(form->TabSheet1);
    EXPECT_FALSE(form->abbPPlay->Down()) << "leaving the panel page stops its player";
    EXPECT_TRUE(form->abbOutPreDel->isEnabled());
}

// The restart flag makes the first tick show frame 1, wherever the bar stood.
TEST_F(OutputBoxTest, PanelPlayerShowsFrameOneOnItsFirstTick) {
    addFrames(3);
    showPage(form->TabSheet4);
    auto tick = [](TForm1& f) { f.PanelOnTimer(); };
    auto click = [](TABitBtn* TForm1::*b) { return [b](TForm1& f) { (f.*b)->click(); }; };
    form->LeadImgWk->releaseBitmap();
    runSteps(*form,
             {{"play", click(&TForm1::abbPPlay), 1, true, false},
              {"first tick at 1", tick, 1, true, false}},
             form->tbPanel, form->abbPPlay, form->abbPPause, form->TimerP);
    EXPECT_EQ(form->TimerP->property("Tag").toInt(), 0);
    ASSERT_TRUE(form->LeadImgWk->hasBitmap()) << "frame 1 shown directly";
    EXPECT_EQ(*form->LeadImgWk->picture(), form->LeadMNF->frame(0));
    runSteps(*form,
             {{"second tick", tick, 2, true, false},
              {"tick", tick, 3, true, false},
              {"restart from 3", click(&TForm1::abbPPlay), 3, true, false},
              {"first tick goes to 1", tick, 1, true, false},
              {"pause while playing", click(&TForm1::abbPPause), 1, true, true},
              {"stop", click(&TForm1::abbPStop), 1, false, false},
              {"pause while stopped", click(&TForm1::abbPPause), 1, false, false}},
             form->tbPanel, form->abbPPlay, form->abbPPause, form->TimerP);
    EXPECT_EQ(*form->LeadImgWk->picture(), form->LeadMNF->frame(0));
    EXPECT_EQ(form->tbOutPre->Position(), 1) << "the device player leaves the current frame";
}

// Every key but Ctrl+Q acts on the panel page only.
TEST_F(OutputBoxTest, PanelKeysActOnThePanelPageOnly) {
    addFrames(3);
    for (QWidget* page : {form->TabSheet1, form->TabSheet2, form->TabSheet3}) {
        showPage(page);
        for (QAction* a : {form->ActStart, form->ActPause, form->ActRepeat, form->ActNext}) {
            a->trigger();
        }
        EXPECT_EQ(
            std::tuple(form->abbPPlay->Down(), form->abbPRep->Down(), form->tbPanel->Position()),
            std::tuple(false, false, 1));
    }
    showPage(form->TabSheet4);
    auto key = [](QAction* TForm1::*a) { return [a](TForm1& f) { (f.*a)->trigger(); }; };
    runSteps(*form,
             {{"next", key(&TForm1::ActNext), 2, false, false},
              {"next", key(&TForm1::ActNext), 3, false, false},
              {"next at the end", key(&TForm1::ActNext), 3, false, false},
              {"back", key(&TForm1::ActBack), 2, false, false},
              {"repeat", key(&TForm1::ActRepeat), 2, false, false},
              {"start", key(&TForm1::ActStart), 2, true, false},
              {"pause", key(&TForm1::ActPause), 2, true, true},
              {"pause again resumes", key(&TForm1::ActPause), 2, true, false},
              {"stop", key(&TForm1::ActStop), 2, false, false}},
             form->tbPanel, form->abbPPlay, form->abbPPause, form->TimerP);
    EXPECT_TRUE(form->abbPRep->Down());
}

TEST_F(OutputBoxTest, FrameNumberFieldTakesOnlyFramesThatExist) {
    addFrames(5);
    form->tbOutPre->setPosition(3);
    for (const char* text : {"0", "6", "1a", "", "99999999999"}) {
        typeFrame(QString::fromLatin1(text));
        EXPECT_EQ(form->tbOutPre->Position(), 3) << text;
        form->OutPreFrmExit();
        EXPECT_EQ(form->OutPreFrm->text(), QStringLiteral("3")) << text;
    }
    typeFrame(QStringLiteral("004"));
    EXPECT_EQ(std::tuple(form->tbOutPre->Position(), shownFrame(), form->OutPreFrm->text()),
              std::tuple(4, 4, QStringLiteral("4")));
}

TEST_F(OutputBoxTest, DeletingFramesMovesTheLaterOnesUpAndEmptiesTheHistory) {
    addFrames(5);
    form->UndoControl->Push(0, 5, form->LeadCLF.get(), form->LeadMNF.get());
    form->tbOutPre->setPosition(5);
    form->abbOutPreDel->click();
    EXPECT_EQ(std::tuple(form->tbOutPre->Max(), form->tbOutPre->Position(), shownFrame(),
                         form->UndoControl->Count()),
              std::tuple(4, 4, 4, 0));
    form->tbOutPre->setPosition(2);
    form->abbOutPreDel->click();
    EXPECT_EQ(std::tuple(form->tbOutPre->Max(), form->tbOutPre->Position(), shownFrame(),
                         form->tbPanel->Max()),
              std::tuple(3, 2, 3, 3));
    EXPECT_EQ(form->LeadMNF->BitmapListCount(), 3);
    EXPECT_EQ(redOf(form->LeadCLF->frame(2)), 40);

    form->cbEffect->setCurrentIndex(2);
    for (int i = 0; i < 3; ++i) {
        form->abbOutPreDel->click();
    }
    EXPECT_FALSE(form->LeadMNF->hasBitmapList());
    EXPECT_FALSE(form->LeadCLF->hasBitmapList());
    EXPECT_EQ(
        std::tuple(form->tbOutPre->Max(), form->tbPanel->Max(), form->cbEffect->currentIndex()),
        std::tuple(1, 1, 0));
    EXPECT_FALSE(form->LeadColor->hasBitmap());
    for (TABitBtn* off :
         {form->abbOutPreDel, form->abbOutPrePlay, form->abbPPlay, form->abbFSave}) {
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    }
}

TEST_F(OutputBoxTest, TicksOfTheFrameRange) {
    addFrames(25);
    const std::vector<int> ticks{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23};
    EXPECT_EQ(form->tbOutPre->ticks(), ticks);
    EXPECT_EQ(form->tbPanel->ticks(), ticks);
}

TEST_F(OutputBoxTest, FrameCountFieldTakesOneToNinety) {
    loadGradient();
    form->MkFrm->setText(QStringLiteral("2"));
    EXPECT_TRUE(form->abbCutE->isEnabled());
    for (const char* text : {"0", "91", "1a", ""}) {
        form->MkFrm->setText(QString::fromLatin1(text));
        EXPECT_EQ(form->udGetFrm->Position(), 2) << text;
        form->MkFrmExit();
        EXPECT_EQ(form->MkFrm->text(), QStringLiteral("2")) << text;
    }
    form->MkFrm->setText(QStringLiteral("1"));
    EXPECT_FALSE(form->abbCutE->isEnabled()) << "one frame has no end";
}

// The frames `pixmora-tool make` writes for a file, the window's crops and a method.
std::vector<imaging::Picture> madeByTool(const QString& out, const QString& file,
                                         const TForm1& form, int method, int frames) {
    const auto rect = [](const CropFrame& f) {
        return QStringLiteral("%1,%2,%3,%4").arg(f.Left).arg(f.Top).arg(f.Right).arg(f.Bottom);
    };
    tools::CfilePanelFiles files;
    const ToolResult made = runToolWith(
        files, {QStringLiteral("make"), QStringLiteral("--start"), file,
                QStringLiteral("--start-rect"), rect(form.StartRect), QStringLiteral("--end"), file,
                QStringLiteral("--end-rect"), rect(form.EndRect), QStringLiteral("--zoom"),
                form.cbScale->currentText(), QStringLiteral("--method"), QString::number(method),
                QStringLiteral("--frames"), QString::number(frames), out});
    EXPECT_EQ(made.code, 0) << made.err.toStdString();
    std::vector<imaging::Picture> read;
    files.readFrames(out, [&](const tools::PanelFrame& f) {
        read.push_back(f.picture);
        return 0;
    });
    return read;
}

// Crops set with the mouse, every method: the window's frames are byte for byte those the
// command line makes from the same file and crops, and the output player walks through them.
TEST_F(OutputBoxTest, GenerationFromMouseCropsWithEveryMethod) {
    const QString file = loadGradient();
    form->MkFrm->setText(QStringLiteral("6"));
    moveCrop(form->abbCutS, form->StartRect, 30, 40);
    moveCrop(form->abbCutE, form->EndRect, 300, 200);
    ASSERT_NE(form->StartRect.Left, form->EndRect.Left);
    for (int method = 0; method < produce::kMethodCount; ++method) {
        form->abbOutPreClr->click();
        form->UndoControl->Push(0, 0, nullptr, nullptr);
        generate(6, method);
        ASSERT_EQ(form->outputFrameCount(), 6) << method;
        EXPECT_EQ(std::tuple(form->tbOutPre->Position(), form->tbOutPre->Max(),
                             form->UndoControl->Count()),
                  std::tuple(6, 6, 0));
        const std::vector<imaging::Picture> made =
            madeByTool(path("made.zma"), file, *form, method, 6);
        ASSERT_EQ(made.size(), 6U);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(form->LeadMNF->frame(i), made[i]) << method << " frame " << i;
        }
        form->abbOutPrePlay->click();
        for (int n = 2; n <= 6; ++n) {
            form->OutPreOnTimer();
            EXPECT_EQ(*form->LeadGrWk->picture(), form->LeadMNF->frame(n - 1));
        }
        form->OutPreOnTimer();
        EXPECT_FALSE(form->abbOutPrePlay->Down());
    }
}

// With frames held, the question decides where the new ones go; 90 frames is the limit, and a
// refused run still empties the history.
TEST_F(OutputBoxTest, GenerationInsertsWhereAskedUpToNinetyFrames) {
    loadGradient();
    generate(3);
    form->tbOutPre->setPosition(2);
    const imaging::Picture third = form->LeadMNF->frame(2);
    dialogs.dialogActions.push_back([](QDialog& d) {
        static_cast<TdlgIns&>(d).btnOKClick();  // "after the current frame" is preselected
        return d.result();
    });
    generate(2);
    EXPECT_EQ(dialogs.dialogsShown, QStringList{QStringLiteral("dlgIns")});
    EXPECT_EQ(std::tuple(form->outputFrameCount(), form->tbOutPre->Position()), std::tuple(5, 4));
    EXPECT_EQ(form->LeadMNF->frame(4), third);

    generate(75);  // asked, left unanswered: before the current frame
    ASSERT_EQ(form->outputFrameCount(), 80);
    form->UndoControl->Push(0, 1, nullptr, form->LeadMNF.get());
    generate(11);
    EXPECT_EQ(
        std::tuple(form->outputFrameCount(), form->UndoControl->Count(), dialogs.messages.size()),
        std::tuple(80, 0, std::size_t{1}));
    EXPECT_EQ(dialogs.messages[0].text, form->ErrorTexts[9]);
    EXPECT_TRUE(form->abbFLoad->isEnabled());
    generate(10);
    EXPECT_EQ(form->outputFrameCount(), 90);
    EXPECT_FALSE(form->abbFLoad->isEnabled());
}

// Clearing the frames while a crop is edited shows that crop in the previews again.
TEST_F(OutputBoxTest, ClearingDuringCropEditingPreviewsTheCrop) {
    loadGradient();
    generate(2);
    form->abbCutS->click();
    form->abbOutPreClr->click();
    EXPECT_TRUE(form->abbCutS->Down());
    EXPECT_EQ(form->outputFrameCount(), 0);
    EXPECT_TRUE(form->LeadColor->hasBitmap());
    EXPECT_TRUE(form->LeadMono->hasBitmap());
}

// The end crop lies in another file than the frame shown; afterwards the input commands still
// act on the file shown.
TEST_F(OutputBoxTest, GenerationLeavesTheShownInputFileCurrent) {
    loadGradient();
    QImage second(320, 240, QImage::Format_RGB32);
    second.fill(Qt::blue);
    ASSERT_TRUE(second.save(path("second.png")));
    dialogs.fileAnswers.push_back(path("second.png"));
    form->abbInPic->click();  // unanswered: in front of the gradient
    form->GoToInputFrame(1);
    form->MkFrm->setText(QStringLiteral("3"));
    form->abbCutE->click();
    form->abbCutE->click();
    form->GoToInputFrame(2);
    ASSERT_EQ(form->EndRect.FrameNo, 1);
    generate(3);
    ASSERT_EQ(form->outputFrameCount(), 3);
    form->abbDelPic->click();
    EXPECT_EQ(form->InputFrames->Head->FileName, path("second.png"));
}

}  // namespace
