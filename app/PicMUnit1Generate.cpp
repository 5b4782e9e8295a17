// Animation generation from the window: the frame count field and the Execute command.
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "app/InputFrameBar.h"
#include "app/PicMUnit1.h"
#include "imaging/Status.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "store/Framectl.h"
#include "store/OutputStore.h"
#include "store/Undoctl.h"
#include "texts/MessageBoxes.h"

produce::GenerationRequest TForm1::generationRequest() const {
    produce::GenerationRequest request;
    request.start = StartRect;
    request.end = EndRect;
    request.zoomPercent = scalePercent();
    request.method = std::max(0, cbCutK->currentIndex());
    request.frames = udGetFrm->Position();
    request.panelWidth = PanelWidth;
    request.panelHeight = PanelHeight;
    request.ditherMethod = produce::ditherForChoice(cbDither->currentIndex());
    return request;
}

// The work pictures are cropped before anyone is asked where the frames go; a crop that
// cannot be made (an input frame that cannot be read) stops the run with its error before
// anything is added. The input store is left on the frame the viewer shows.
void TForm1::abbExecuteClick() {
    UndoControl->Clear();
    const produce::GenerationRequest request = generationRequest();
    const int held = outputFrameCount();
    if (!store::fitsOutputLimit(held, request.frames)) {
        texts::showFrameLimit(this, ErrorTexts);
        return;
    }
    releaseCropButton();
    const produce::GenerationWork work{*LeadWk1, *LeadWk2};
    int status = produce::cropStartAndEnd(request, *InputFrames, work, outputLists());
    if (status == imaging::kOk) {
        const int answer = held > 0 && askInsertAfter(request.frames) ? store::kInsertAfter : 0;
        const int first = store::insertionPosition(held, tbOutPre->Position() - 1, answer);
        status = produce::produceRun(request, *InputFrames, work, outputLists(), first);
    }
    InputFrames->SelectFrame(tbInFrame->Position() - 1);
    if (status != imaging::kOk) {
        ShowError(status);
        tbOutPreOnChange();
        return;
    }
    RefreshFrameRange();
    const int last = LeadMNF->BitmapListIndex() + 1;
    if (tbOutPre->Position() != last) {
        tbOutPre->setPosition(last);
    } else {
        tbOutPreOnChange();
    }
    UpdateAvailability(Availability::kNoOutput);
}

void TForm1::MkFrmChange() {
    const auto n = app::parseFrameNumber(MkFrm->text(), udGetFrm->Min(), udGetFrm->Max());
    if (n) {
        udGetFrm->setPosition(*n);
        UpdateAvailability(Availability::kSingleFrame);
    }
}

void TForm1::MkFrmExit() {
    if (!app::parseFrameNumber(MkFrm->text(), udGetFrm->Min(), udGetFrm->Max())) {
        MkFrm->setText(QString::number(udGetFrm->Position()));
    }
    UpdateAvailability(Availability::kSingleFrame);
}
