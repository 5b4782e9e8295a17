// The effect page's commands: choosing an effect and its strength, the preview of the current
// output frame, applying the effect to every output frame and undoing that.
#include <QComboBox>
#include <QSignalBlocker>
#include <vector>

#include "app/PicMUnit1.h"
#include "imaging/Status.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"
#include "produce/PicMCutEffect.h"
#include "store/Undoctl.h"

namespace {

constexpr int kStrengthMin = -1000;
constexpr int kStrengthMax = 1000;
constexpr int kStrengthTickStep = 200;

std::vector<int> strengthTicks() {
    std::vector<int> ticks;
    for (int t = kStrengthMin; t <= kStrengthMax; t += kStrengthTickStep) {
        ticks.push_back(t);
    }
    return ticks;
}

}  // namespace

// Without output frames there is nothing to preview: the choice goes back to none. Every new
// choice of a strength effect starts at strength 0.
void TForm1::cbEffectChange() {
    if (!LeadCLF->hasBitmapList()) {
        if (cbEffect->currentIndex() != 0) {
            cbEffect->setCurrentIndex(0);
        }
        UpdateAvailability(Availability::kEffectStrength);
        return;
    }
    UpdateAvailability(Availability::kEffectStrength);
    if (produce::effectHasStrength(cbEffect->currentIndex())) {
        const QSignalBlocker blocker(tbEffect);
        tbEffect->setMin(kStrengthMin);
        tbEffect->setMax(kStrengthMax);
        tbEffect->setPosition(0);
        tbEffect->setTicks(strengthTicks());
    }
    EffectChange();
}

// The preview works on copies: the stored frames never change here.
void TForm1::EffectChange() {
    if (!LeadCLF->hasBitmap()) {
        if (LeadEfColor->hasBitmap()) {
            LeadEfColor->releaseBitmap();
            LeadEfMono->releaseBitmap();
        }
        return;
    }
    LeadGrWk->setBitmapFrom(*LeadCLF);
    produce::applyEffect(*LeadGrWk, cbEffect->currentIndex(), tbEffect->Position());
    ShowFitted(LeadEfColor, *LeadGrWk);
    const int code = sliderColorCode();
    ReduceToPanel();
    TintPanelPalette(*LeadGrWk, code);
    ShowFitted(LeadEfMono, *LeadGrWk);
}

void TForm1::abbDesideEfAClick() {
    const int count = LeadCLF->BitmapListCount();
    if (count == 0) {
        return;
    }
    UndoControl->Push(0, count, LeadCLF.get(), LeadMNF.get());
    const int status =
        produce::applyEffectToAll(outputLists(), cbEffect->currentIndex(), tbEffect->Position(),
                                  produce::ditherForChoice(cbDither->currentIndex()));
    tbOutPreOnChange();
    cbEffectChange();
    if (status != imaging::kOk) {
        ShowError(status);
    }
}

void TForm1::ExeUndo() {
    UndoControl->Undo(LeadCLF.get(), LeadMNF.get());
    tbOutPreOnChange();
}
