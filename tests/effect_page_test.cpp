// The effect page on a real window.
#include <gtest/gtest.h>

#include "tests/support/WindowTest.h"

namespace {

class EffectPageTest : public WindowTest {
  protected:
    bool strengthShown() const { return !form->tbEffect->isHidden(); }
    auto frames() const { return std::pair(framesOf(*form->LeadCLF), framesOf(*form->LeadMNF)); }
    // Output frame `index` as the colour preview shows it.
    imaging::Picture fittedColour(int index) const {
        imaging::LeadModel frame, shown;
        frame.setBitmap(form->LeadCLF->frame(index));
        produce::showFitted(shown, form->LeadEfColor->width(), form->LeadEfColor->height(), frame);
        return *shown.picture();
    }
};

// The preview shows each effect without changing the frames; each undo button takes back one
// applied effect in both lists; negative twice restores them.
TEST_F(EffectPageTest, PreviewApplyAndUndoKeepBothListsAndTheCurrentFrame) {
    addFrames(3);
    form->PageControl1->setCurrentWidget(form->TabSheet2);
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
    EXPECT_EQ(std::pair(frames(), form->tbOutPre->Position()), std::pair(before, 2));
    EXPECT_EQ(*form->LeadEfColor->picture(), fittedColour(1));

    form->cbEffect->setCurrentIndex(4);
    form->abbDesideEfA->click();
    EXPECT_NE(frames(), before);
    EXPECT_EQ(form->cbEffect->currentIndex(), 4) << "the choice stays after applying";
    form->abbDesideEfA->click();
    EXPECT_EQ(frames(), before);

    // Without output frames every choice snaps back to none, without a strength bar.
    form->cbEffect->setCurrentIndex(2);
    ASSERT_TRUE(strengthShown());
    form->abbOutPreClr->click();
    EXPECT_FALSE(form->LeadEfColor->hasBitmap());
    for (int i : {0, 1, 4, 6}) {
        form->cbEffect->setCurrentIndex(i);
        EXPECT_EQ(std::pair(form->cbEffect->currentIndex(), strengthShown()), std::pair(0, false))
            << i;
    }
}

}  // namespace
