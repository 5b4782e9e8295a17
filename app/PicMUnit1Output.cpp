// Entering frames into the output frame lists.
#include <QComboBox>
#include <QLineEdit>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"
#include "produce/OutputFrames.h"

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
}
