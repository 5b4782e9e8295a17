// The effect page on a real window: choosing an effect and its strength, the preview, applying
// to every output frame and undoing it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabWidget>

#include "app/PicMUnit1.h"
#include "imaging/LeadModel.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"
#include "produce/PicMCut.h"
#include "tests/support/WindowTest.h"

namespace {

class EffectPageTest : public WindowTest {
  protected:
    void showFrames(int count) {
        addFrames(count);
        form->PageControl1->setCurrentWidget(form->TabSheet2);
    }
    bool strengthShown() const { return !form->tbEffect->isHidden(); }
    // Both lists' frames, colour then panel.
    std::vector<imaging::Picture> frames() const {
        std::vector<imaging::Picture> all;
        for (const imaging::LeadModel* list : {form->LeadCLF.get(), form->LeadMNF.get()}) {
            for (int i = 0; i < list->frameCount(); ++i) {
                all.push_back(list->frame(i));
            }
        }
        return all;
    }
    // Output frame `index` as the colour preview shows it.
    imaging::Picture fittedColour(int index) const {
        imaging::LeadModel frame, shown;
        frame.setBitmap(form->LeadCLF->frame(index));
        produce::showFitted(shown, form->LeadEfColor->width(), form->LeadEfColor->height(), frame);
        return *shown.picture();
    }
};

// The preview shows the current frame with each effect without changing the frames; every
// effect with a strength starts at zero.
TEST_F(EffectPageTest, PreviewShowsEachEffectWithoutChangingTheFrames) {
    showFrames(3);
    form->tbOutPre->setPosition(2);
    const auto before = frames();
    const imaging::Picture plain = *form->LeadEfColor->picture();
    EXPECT_EQ(plain, fittedColour(1));
    for (int i : {1, 2, 3, 4, 5, 6}) {
        form->cbEffect->setCurrentIndex(i);
        EXPECT_EQ(strengthShown(), i <= 3) << i;
        if (i <= 3) {
            EXPECT_EQ(form->tbEffect->Position(), 0) << i;
            form->tbEffect->setPosition(700);
        }
        EXPECT_NE(*form->LeadEfColor->picture(), plain) << i;
        EXPECT_EQ(form->LeadEfMono->picture()->bits(), 2) << i;
    }
    EXPECT_EQ(frames(), before);
    EXPECT_EQ(
        std::tuple(form->tbEffect->Min(), form->tbEffect->Max(), form->tbEffect->ticks().size()),
        std::tuple(-1000, 1000, 11u));
    EXPECT_FALSE(form->sbDesideEf->isVisible());
}

// Each undo button takes back one applied effect in both lists; negative twice restores them.
TEST_F(EffectPageTest, ApplyingAndUndoingKeepBothListsAndTheCurrentFrame) {
    showFrames(3);
    form->tbOutPre->setPosition(2);
    const auto before = frames();
    form->cbEffect->setCurrentIndex(1);
    form->tbEffect->setPosition(600);
    form->abbDesideEfA->click();
    EXPECT_EQ(form->tbEffect->Position(), 0) << "the strength goes back after applying";
    const auto brighter = frames();
    ASSERT_NE(brighter, before);
    form->cbEffect->setCurrentIndex(3);
    form->tbEffect->setPosition(-800);
    form->abbDesideEfA->click();
    ASSERT_NE(frames(), brighter);
    form->abbUndo->click();
    EXPECT_EQ(frames(), brighter);
    form->abbUndo2->click();
    EXPECT_EQ(frames(), before);
    form->abbUndo->click();  // nothing left: only shows the frame again
    EXPECT_EQ(frames(), before);
    EXPECT_EQ(form->tbOutPre->Position(), 2);
    EXPECT_EQ(*form->LeadEfColor->picture(), fittedColour(1));

    form->cbEffect->setCurrentIndex(4);
    form->abbDesideEfA->click();
    EXPECT_NE(frames(), before);
    EXPECT_EQ(form->cbEffect->currentIndex(), 4) << "the choice stays after applying";
    form->abbDesideEfA->click();
    EXPECT_EQ(frames(), before);
}

TEST_F(EffectPageTest, WithoutOutputFramesEveryChoiceSnapsBackToNone) {
    showFrames(0);
    for (int i : {1, 4, 6}) {
        form->cbEffect->setCurrentIndex(i);
        EXPECT_EQ(form->cbEffect->currentIndex(), 0);
        EXPECT_FALSE(strengthShown());
    }
    addFrames(1);
    form->cbEffect->setCurrentIndex(2);
    ASSERT_TRUE(strengthShown());
    form->abbOutPreClr->click();
    EXPECT_EQ(form->cbEffect->currentIndex(), 0);
    EXPECT_FALSE(strengthShown()) << "no strength bar for no effect once the frames went";
    EXPECT_FALSE(form->LeadEfColor->hasBitmap());
}

}  // namespace
