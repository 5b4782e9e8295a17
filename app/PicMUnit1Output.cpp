// The output frames in the frame editing box: entering frames, showing the current one, its
// number field, the track bars' range, and deleting one frame or all.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

#include "app/InputFrameBar.h"
#include "app/PicMUnit1.h"
#include "imaging/Status.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"
#include "produce/OutputFrames.h"
#include "store/Undoctl.h"

produce::OutputLists TForm1::outputLists() {
    return {*LeadCLF, *LeadMNF, *LeadGrWk, *LeadWkCom};
}

int TForm1::AddOutputFrame(const imaging::Picture& picture, int position) {
    return produce::addOutputFrame(outputLists(), picture, position,
                                   produce::ditherForChoice(cbDither->currentIndex()));
}

int TForm1::CopyOutputFrame(int from, int to) {
    return produce::copyOutputFrame(outputLists(), from, to);
}

int TForm1::outputFrameCount() const {
    return LeadMNF->BitmapListCount();
}

void TForm1::tbOutPreOnChange() {
    releaseCropButton();
    const int position = tbOutPre->Position();
    OutPreFrm->setText(QString::number(position));
    LeadCLF->setBitmapListIndex(position - 1);
    ShowFitted(LeadColor, *LeadCLF);
    LeadMNF->setBitmapListIndex(position - 1);
    LeadGrWk->setBitmapFrom(*LeadMNF);
    SetColorSliders(BackColorCode);
    TintPanelPalette(*LeadGrWk, BackColorCode);
    ShowFitted(LeadMono, *LeadGrWk);
    if (PageControl1->currentWidget() == TabSheet2) {
        EffectChange();
    } else if (PageControl1->currentWidget() == TabSheet3) {
        DrawFont();
    }
}

// A number being typed moves the frame as soon as it is one of the frames; the field writes
// back the number shown, which then finds the frame already there.
void TForm1::OutPreFrmOnChange() {
    const auto n = app::parseFrameNumber(OutPreFrm->text(), tbOutPre->Min(), tbOutPre->Max());
    if (n && *n != tbOutPre->Position()) {
        tbOutPre->setPosition(*n);
    }
}

void TForm1::OutPreFrmExit() {
    if (!app::parseFrameNumber(OutPreFrm->text(), tbOutPre->Min(), tbOutPre->Max())) {
        OutPreFrm->setText(QString::number(tbOutPre->Position()));
    }
}

// The range changes without showing a frame: the callers show what they need (a crop being
// edited stays in its previews when all frames go). The device shows its frame again, since
// the frame at its number may have changed.
void TForm1::RefreshFrameRange() {
    const int n = LeadMNF->hasBitmapList() ? LeadMNF->BitmapListCount() : 1;
    const bool beyond = tbOutPre->Position() > n;
    {
        const QSignalBlocker outputBar(tbOutPre);
        const QSignalBlocker panelBar(tbPanel);
        for (TTrackBar* bar : {tbOutPre, tbPanel}) {
            bar->setMax(n);
            bar->setTicks(app::frameBarTicks(bar->Min(), n));
        }
    }
    if (beyond) {
        const QSignalBlocker field(OutPreFrm);
        OutPreFrm->setText(QString::number(n));
    }
    tbPanelChange();
}

void TForm1::abbOutPreDelClick() {
    UndoControl->Clear();
    const int index = tbOutPre->Position() - 1;
    for (imaging::LeadModel* list : {LeadCLF.get(), LeadMNF.get()}) {
        if (list->setBitmapListIndex(index) == imaging::kOk) {
            list->releaseBitmap();
        }
    }
    RefreshFrameRange();
    tbOutPreOnChange();
    if (!LeadMNF->hasBitmapList()) {
        cbEffect->setCurrentIndex(0);
    }
    UpdateAvailability(Availability::kNoOutput);
}

void TForm1::abbOutPreClrClick() {
    UndoControl->Clear();
    LeadCLF->clearBitmapList();
    LeadMNF->clearBitmapList();
    for (TLEAD* shown : {LeadColor, LeadMono, LeadEfColor, LeadEfMono, LeadFont}) {
        shown->releaseBitmap();
    }
    RefreshFrameRange();
    cbEffect->setCurrentIndex(0);
    previewEditedCrop();
    UpdateAvailability(Availability::kNoOutput);
}

void TForm1::previewEditedCrop() {
    const CropFrame* edited = shownCropFrame();
    if (edited != nullptr) {
        PreviewCrop(*edited);
    }
}
