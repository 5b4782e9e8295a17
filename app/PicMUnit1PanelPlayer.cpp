// The panel player and its keyboard actions: the output frames on the pictured device.
#include <QAction>
#include <QTabWidget>
#include <QTimer>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/TTrackBar.h"

namespace {

// The timer's tag: 1 when the next tick starts again at frame 1.
const char* const kRestartTag = "Tag";

}  // namespace

void TForm1::connectPanelActions() {
    connect(ActStart, &QAction::triggered, this, &TForm1::exeActStart);
    connect(ActStop, &QAction::triggered, this, &TForm1::abbPStopClick);
    connect(ActPause, &QAction::triggered, this, &TForm1::exeActPause);
    connect(ActRepeat, &QAction::triggered, this, &TForm1::exeActRep);
    connect(ActNext, &QAction::triggered, this, &TForm1::exeActNext);
    connect(ActBack, &QAction::triggered, this, &TForm1::exeActBack);
}

// Play on a running player starts again at frame 1 with the next tick; on a paused one it
// resumes.
void TForm1::abbPPlayClick() {
    if (playPressed(panelPlayer_)) {
        TimerP->setProperty(kRestartTag, 1);
    }
}

void TForm1::abbPPauseClick() {
    pausePressed(panelPlayer_);
}

void TForm1::abbPStopClick() {
    stopPressed(panelPlayer_);
}

// The first tick after a start shows frame 1, whether or not the bar is already there.
void TForm1::PanelOnTimer() {
    if (TimerP->property(kRestartTag).toInt() == 1) {
        TimerP->setProperty(kRestartTag, 0);
        if (tbPanel->Position() == 1) {
            tbPanelChange();
        } else {
            tbPanel->setPosition(1);
        }
    } else if (!advanceBar(tbPanel, abbPRep->Down())) {
        abbPStopClick();
    }
}

void TForm1::tbPanelChange() {
    const int n = tbPanel->Position();
    if (n >= 1 && n <= LeadMNF->frameCount()) {
        LeadImgWk->setBitmap(LeadMNF->frame(n - 1));
    } else {
        LeadImgWk->releaseBitmap();
    }
    TintPanelPalette(*LeadImgWk, BackColorCode);
    TintPanelPalette(LeadInfo->model(), BackColorCode);
    ShowFitted(LeadImage, *LeadImgWk);
}

// The keys act on the panel page only, and like the buttons only while these are available.
bool TForm1::panelKeysActive() const {
    return PageControl1->currentWidget() == TabSheet4 && abbPPlay->isEnabled();
}

void TForm1::exeActStart() {
    if (panelKeysActive()) {
        abbPPlay->setDown(!abbPPlay->Down());
        abbPPlayClick();
    }
}

void TForm1::exeActPause() {
    if (panelKeysActive()) {
        abbPPause->setDown(!abbPPause->Down());
        abbPPauseClick();
    }
}

void TForm1::exeActRep() {
    if (PageControl1->currentWidget() == TabSheet4) {
        abbPRep->setDown(!abbPRep->Down());
    }
}

void TForm1::exeActNext() {
    if (PageControl1->currentWidget() == TabSheet4 && tbPanel->Position() < tbPanel->Max()) {
        tbPanel->setPosition(tbPanel->Position() + 1);
    }
}

void TForm1::exeActBack() {
    if (PageControl1->currentWidget() == TabSheet4 && tbPanel->Min() < tbPanel->Position()) {
        tbPanel->setPosition(tbPanel->Position() - 1);
    }
}
