// The frame editing box, the output and panel players and generation, on a real window.
#include <gtest/gtest.h>

#include <QAction>

#include "produce/PicMCutGenerate.h"
#include "tests/support/MemoryPanelFiles.h"
#include "tests/support/ToolRun.h"
#include "tests/support/WindowTest.h"

namespace {

using Act = std::function<void(TForm1&)>;
Act click(TABitBtn* TForm1::*button) {
    return [button](TForm1& f) { (f.*button)->click(); };
}
Act key(QAction* TForm1::*action) {
    return [action](TForm1& f) { (f.*action)->trigger(); };
}
const Act outputTick = [](TForm1& f) { f.OutPreOnTimer(); };
const Act panelTick = [](TForm1& f) { f.PanelOnTimer(); };

struct PlayerStep {
    const char* what;
    Act act;
    int position;
    bool playing, paused;
};

class OutputBoxTest : public WindowTest {
  protected:
    // The number of the output frame the colour preview shows (added frame n is red 10 × n).
    int shownFrame() const { return imaging::redOf(form->LeadColor->Get_Pixel(0, 0)) / 10; }
    // A 640 x 480 picture with a different colour at every pixel, loaded as input at 100 %.
    QString loadGradient() {
        const QString file = picture("gradient.png", 640, 480, [](int x, int y) {
            return qRgb(x % 256, y % 256, (x * 3 + y) % 256);
        });
        load(file);
        setScale("100");
        return file;
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
    // Each step acts, then the output (or panel) player shows its state; while either plays,
    // the frames can be neither deleted nor saved.
    void runSteps(bool panel, const std::vector<PlayerStep>& steps) {
        TTrackBar* bar = panel ? form->tbPanel : form->tbOutPre;
        TABitBtn* play = panel ? form->abbPPlay : form->abbOutPrePlay;
        TABitBtn* pause = panel ? form->abbPPause : form->abbOutPrePause;
        QTimer* timer = panel ? form->TimerP : form->TimerOutPre;
        for (const PlayerStep& s : steps) {
            s.act(*form);
            EXPECT_EQ(std::tuple(bar->Position(), play->Down(), pause->Down(), timer->isActive(),
                                 form->abbOutPreDel->isEnabled(), form->abbFSave->isEnabled()),
                      std::tuple(s.position, s.playing, s.paused, s.playing && !s.paused,
                                 !s.playing, !s.playing))
                << s.what;
        }
    }
};

// The output player, then the panel player and its keys, whose first tick after play shows
// frame 1 wherever the bar stood.
TEST_F(OutputBoxTest, PlayersFollowTheirStateTables) {
    addFrames(3);
    form->tbOutPre->setPosition(2);
    runSteps(false, {{"pause while stopped", click(&TForm1::abbOutPrePause), 2, false, false},
                     {"play starts at 1", click(&TForm1::abbOutPrePlay), 1, true, false},
                     {"tick", outputTick, 2, true, false},
                     {"pause", click(&TForm1::abbOutPrePause), 2, true, true},
                     {"step while paused", click(&TForm1::abbOutPreNext), 3, true, true},
                     {"play resumes", click(&TForm1::abbOutPrePlay), 3, true, false},
                     {"past the end without repeat", outputTick, 3, false, false},
                     {"repeat on", click(&TForm1::abbOutPreRep), 3, false, false},
                     {"play again", click(&TForm1::abbOutPrePlay), 1, true, false},
                     {"tick", outputTick, 2, true, false},
                     {"tick", outputTick, 3, true, false},
                     {"past the end with repeat", outputTick, 1, true, false},
                     {"back at the first", click(&TForm1::abbOutPreBack), 1, true, false},
                     {"stop keeps the frame", click(&TForm1::abbOutPreStop), 1, false, false}});
    EXPECT_EQ(shownFrame(), 1);

    // Every panel key but Ctrl+Q acts on the panel page only.
    showPage(form->TabSheet2);
    for (QAction* a : {form->ActStart, form->ActPause, form->ActRepeat, form->ActNext}) {
        a->trigger();
    }
    EXPECT_EQ(std::tuple(form->abbPPlay->Down(), form->abbPRep->Down(), form->tbPanel->Position()),
              std::tuple(false, false, 1));
    showPage(form->TabSheet4);
    form->LeadImgWk->releaseBitmap();
    runSteps(true, {{"play", click(&TForm1::abbPPlay), 1, true, false},
                    {"first tick at 1", panelTick, 1, true, false}});
    ASSERT_TRUE(form->LeadImgWk->hasBitmap()) << "frame 1 shown directly";
    EXPECT_EQ(*form->LeadImgWk->picture(), form->LeadMNF->frame(0));
    runSteps(true, {{"second tick", panelTick, 2, true, false},
                    {"tick", panelTick, 3, true, false},
                    {"restart from 3", click(&TForm1::abbPPlay), 3, true, false},
                    {"first tick goes to 1", panelTick, 1, true, false},
                    {"stop", click(&TForm1::abbPStop), 1, false, false},
                    {"next key", key(&TForm1::ActNext), 2, false, false},
                    {"next key", key(&TForm1::ActNext), 3, false, false},
                    {"next key at the end", key(&TForm1::ActNext), 3, false, false},
                    {"back key", key(&TForm1::ActBack), 2, false, false},
                    {"repeat key", key(&TForm1::ActRepeat), 2, false, false},
                    {"start key", key(&TForm1::ActStart), 2, true, false},
                    {"pause key", key(&TForm1::ActPause), 2, true, true},
                    {"pause key again resumes", key(&TForm1::ActPause), 2, true, false},
                    {"stop key", key(&TForm1::ActStop), 2, false, false}});
    EXPECT_TRUE(form->abbPRep->Down());
    EXPECT_EQ(*form->LeadImgWk->picture(), form->LeadMNF->frame(1));
    EXPECT_EQ(form->tbOutPre->Position(), 1) << "the panel player leaves the current frame";
    // Leaving the panel page stops its player; the text page allows no new input.
    form->ActStart->trigger();
    showPage(form->TabSheet3);
    EXPECT_FALSE(form->abbPPlay->Down() || form->TimerP->isActive() || form->abbInPic->isEnabled());
    EXPECT_TRUE(form->abbOutPreDel->isEnabled());
    showPage(form->TabSheet1);
    EXPECT_TRUE(form->abbInPic->isEnabled());
}

// Deleting frames moves the later ones up and empties the history.
TEST_F(OutputBoxTest, DeletingFramesAndTheNumberFields) {
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
                         form->tbPanel->Max(), form->LeadMNF->BitmapListCount()),
              std::tuple(3, 2, 3, 3, 3));
    EXPECT_EQ(std::pair(form->tbOutPre->ticks(), form->tbPanel->ticks()),
              std::pair(std::vector{1, 2}, std::vector{1, 2}));
    EXPECT_EQ(imaging::redOf(form->LeadCLF->frame(2).colourAt(0, 0)), 40);

    form->cbEffect->setCurrentIndex(2);
    for (int i = 0; i < 3; ++i) {
        form->abbOutPreDel->click();
    }
    EXPECT_EQ(
        std::tuple(form->tbOutPre->Max(), form->tbPanel->Max(), form->cbEffect->currentIndex()),
        std::tuple(1, 1, 0));
    EXPECT_FALSE(form->LeadMNF->hasBitmapList() || form->LeadCLF->hasBitmapList() ||
                 form->LeadColor->hasBitmap() || form->abbOutPreDel->isEnabled() ||
                 form->abbOutPrePlay->isEnabled() || form->abbPPlay->isEnabled() ||
                 form->abbFSave->isEnabled());

    // The number fields refuse numbers past their range. One frame has no end crop: its
    // editing ends.
    loadGradient();
    addFrames(5);
    form->tbOutPre->setPosition(3);
    form->OutPreFrm->setText(QStringLiteral("6"));
    form->OutPreFrmExit();
    EXPECT_EQ(std::pair(form->tbOutPre->Position(), form->OutPreFrm->text()),
              std::pair(3, QStringLiteral("3")));
    form->OutPreFrm->setText(QStringLiteral("004"));
    EXPECT_EQ(std::tuple(form->tbOutPre->Position(), shownFrame(), form->OutPreFrm->text()),
              std::tuple(4, 4, QStringLiteral("4")));
    form->MkFrm->setText(QStringLiteral("2"));
    form->MkFrm->setText(QStringLiteral("91"));
    form->MkFrmExit();
    EXPECT_EQ(std::pair(form->udGetFrm->Position(), form->MkFrm->text()),
              std::pair(2, QStringLiteral("2")));
    form->abbCutE->click();
    ASSERT_TRUE(form->EndRect.Shown);
    form->MkFrm->setText(QStringLiteral("1"));
    EXPECT_FALSE(form->abbCutE->isEnabled() || form->abbCutE->Down() || form->EndRect.Shown);
}

// Crops set with the mouse, every method: the window's frames are byte for byte those
// `pixmora-tool make` makes from the same file and crops.
TEST_F(OutputBoxTest, GenerationFromMouseCropsWithEveryMethod) {
    const QString file = loadGradient();
    form->MkFrm->setText(QStringLiteral("6"));
    moveCrop(form->abbCutS, form->StartRect, 30, 40);
    moveCrop(form->abbCutE, form->EndRect, 300, 200);
    const auto rect = [](const CropFrame& f) {
        return QStringLiteral("%1,%2,%3,%4").arg(f.Left).arg(f.Top).arg(f.Right).arg(f.Bottom);
    };
    for (int method = 0; method < produce::kMethodCount; ++method) {
        form->abbOutPreClr->click();
        form->UndoControl->Push(0, 0, nullptr, nullptr);
        generate(6, method);
        ASSERT_EQ(form->outputFrameCount(), 6) << method;
        EXPECT_EQ(std::tuple(form->tbOutPre->Position(), form->tbOutPre->Max(),
                             form->UndoControl->Count()),
                  std::tuple(6, 6, 0));
        MemoryPanelFiles files;
        const ToolResult made = runToolWith(
            files, {"make", "--start", file, "--start-rect", rect(form->StartRect), "--end", file,
                    "--end-rect", rect(form->EndRect), "--zoom", form->cbScale->currentText(),
                    "--method", QString::number(method), "--frames", "6", "made.zma"});
        ASSERT_EQ(made.code, 0) << made.err.toStdString();
        const std::vector<tools::PanelFrame>& frames = files.stored["made.zma"];
        ASSERT_EQ(frames.size(), 6U);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(form->LeadMNF->frame(i), frames[i].picture) << method << " frame " << i;
        }
    }
}

// An end crop in another file leaves the input commands on the file shown. The question places
// new frames; 90 is the limit, and a refused run still empties the history. Clearing the frames
// while a crop is edited shows that crop in the previews again.
TEST_F(OutputBoxTest, GenerationInsertsWhereAskedUpToNinetyFrames) {
    loadGradient();
    load(still("second.png", 320, 240));  // unanswered: in front of the gradient
    form->GoToInputFrame(1);
    form->MkFrm->setText(QStringLiteral("3"));
    form->abbCutE->click();
    form->abbCutE->click();
    form->GoToInputFrame(2);
    generate(3);
    ASSERT_EQ(std::pair(form->EndRect.FrameNo, form->outputFrameCount()), std::pair(1, 3));
    form->abbDelPic->click();
    EXPECT_EQ(form->InputFrames->Head->FileName, path("second.png"));

    form->tbOutPre->setPosition(2);
    const imaging::Picture third = form->LeadMNF->frame(2);
    dialogs.dialogActions.push_back(pressOk());
    generate(2);
    EXPECT_EQ(dialogs.dialogsShown.size(), 2);
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

    form->abbCutS->click();
    form->abbOutPreClr->click();
    EXPECT_EQ(std::tuple(form->outputFrameCount(), form->abbCutS->Down(),
                         form->LeadColor->hasBitmap(), form->LeadMono->hasBitmap()),
              std::tuple(0, true, true, true));
}

}  // namespace
