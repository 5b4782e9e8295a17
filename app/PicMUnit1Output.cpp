// Entering frames into the output frame lists.
#include <QComboBox>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "produce/OutputFrames.h"

produce::OutputLists TForm1::outputLists() {
    return {*LeadCLF, *LeadMNF, *LeadGrWk, *LeadWkCom};
}

void TForm1::AddOutputFrame(const imaging::Picture& picture, int position) {
    produce::addOutputFrame(outputLists(), picture, position,
                            produce::ditherForChoice(cbDither->currentIndex()));
}

void TForm1::CopyOutputFrame(int from, int to) {
    produce::copyOutputFrame(outputLists(), from, to);
}

int TForm1::outputFrameCount() const {
    return LeadMNF->BitmapListCount();
}
