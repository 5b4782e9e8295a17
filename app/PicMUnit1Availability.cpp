// Which commands are available, and what a change of page does.
#include <QComboBox>
#include <QTabWidget>
#include <array>
#include <vector>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "store/Framectl.h"

Availability::State TForm1::availabilityState() const {
    Availability::State s;
    s.inputFrames = InputFrames->Total;
    s.inputPlaying = abbInFramePlay->Down();
    s.framesToMake = udGetFrm->Position();
    s.hasOutputList = LeadMNF->hasBitmapList();
    s.outputFrames = LeadMNF->BitmapListCount();
    s.outputPlaying = abbOutPrePlay->Down();
    s.panelPlaying = abbPPlay->Down();
    s.pageIndex = PageControl1->currentIndex();
    return s;
}

void TForm1::UpdateAvailability(int reason) {
    if (reason == Availability::kEffectStrength) {
        showEffectStrengthBar();
        return;
    }
    DisableFlags.update(reason, availabilityState());
    applyAvailability();
}

void TForm1::showEffectStrengthBar() {
    const int effect = cbEffect->currentIndex();
    const bool visible = effect >= 1 && effect <= 3;
    if (tbEffect->isVisibleTo(TabSheet2) != visible) {
        tbEffect->setVisible(visible);
    }
}

void TForm1::applyAvailability() {
    using A = Availability;
    std::array<std::vector<QWidget*>, A::kGroupCount> groups;
    groups[A::kGroupInputLoad] = {abbInPic};
    groups[A::kGroupInputEdit] = {abbDelPic, abbInClr};
    groups[A::kGroupPanelLoad] = {abbFLoad};
    groups[A::kGroupPanelSave] = {abbFSave};
    groups[A::kGroupInputPlayer] = {abbInFrameStop, abbInFramePlay, abbInFramePause, abbInFrameTop,
                                    abbInFrameBack, abbInFrameNext, abbInFrameEnd};
    groups[A::kGroupStartCrop] = {abbCutS};
    groups[A::kGroupEndCrop] = {abbCutE};
    groups[A::kGroupExecute] = {abbExecute};
    groups[A::kGroupFrameEdit] = {sbDesideEf, abbDesideEfA, abbInsFont, abbInsFontA};
    groups[A::kGroupOutputPlayer] = {abbOutPreStop, abbOutPrePlay, abbOutPrePause, abbOutPreBack,
                                     abbOutPreNext};
    groups[A::kGroupOutputEdit] = {abbOutPreDel, abbOutPreClr};
    groups[A::kGroupPanelPlayer] = {abbPStop, abbPPlay, abbPPause};
    for (int g = 0; g < A::kGroupCount; ++g) {
        const auto group = static_cast<A::Group>(g);
        const bool on = DisableFlags.enabled(group);
        if (group == A::kGroupEndCrop && !on && abbCutE->Down()) {
            // The end crop frame cannot stay in editing once its button goes off.
            abbCutE->setDown(false);
            abbCutEClick();
        }
        for (QWidget* w : groups[g]) {
            w->setEnabled(on);
        }
    }
}

void TForm1::pcChange(int index) {
    if (abbPPlay->Down()) {
        abbPStopClick();
    }
    UpdateAvailability(Availability::kNotFirstPage);
    if (PageControl1->widget(index) == TabSheet2) {
        EffectChange();
    } else if (PageControl1->widget(index) == TabSheet3) {
        LeadMNF->setBitmapListIndex(tbOutPre->Position() - 1);
        DrawFont();
    }
}
