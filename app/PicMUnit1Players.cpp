// The frame players' handlers over the shared player logic (app/FramePlayer).
#include <QTimer>

#include "app/PicMUnit1.h"
#include "platform/TTrackBar.h"

void TForm1::setupPlayers() {
    inputPlayer_ = new app::FramePlayer(TimerIn, this);
    connect(inputPlayer_, &app::FramePlayer::ticked, this, &TForm1::timerInOnTimer);
}

void TForm1::showInputPlayerState() {
    abbInFramePlay->setDown(inputPlayer_->playing());
    abbInFramePause->setDown(inputPlayer_->paused());
}

void TForm1::abbInFramePlayClick() {
    if (inputPlayer_->play() == app::FramePlayer::Start::kFromFirst) {
        GoToInputFrame(tbInFrame->Min());
    }
    showInputPlayerState();
    UpdateAvailability(Availability::kInputPlaying);
}

void TForm1::abbInFramePauseClick() {
    abbInFramePause->setDown(inputPlayer_->pause(abbInFramePause->Down()));
}

void TForm1::abbInFrameStopClick() {
    inputPlayer_->stop();
    showInputPlayerState();
    UpdateAvailability(Availability::kInputPlaying);
}

// The input player always stops at the last frame.
void TForm1::timerInOnTimer() {
    const int position = tbInFrame->Position();
    if (app::FramePlayer::stepAfter(position, tbInFrame->Max(), false) ==
        app::FramePlayer::Step::kEnd) {
        abbInFrameStopClick();
        return;
    }
    GoToInputFrame(position + 1);
}

void TForm1::abbInFrameTopClick() {
    if (tbInFrame->Position() > tbInFrame->Min()) {
        GoToInputFrame(tbInFrame->Min());
    }
}

void TForm1::abbInFrameBackClick() {
    if (tbInFrame->Position() - 1 > 0) {
        GoToInputFrame(tbInFrame->Position() - 1);
    }
}

void TForm1::abbInFrameNextClick() {
    if (tbInFrame->Position() < tbInFrame->Max()) {
        GoToInputFrame(tbInFrame->Position() + 1);
    }
}

void TForm1::abbInFrameEndClick() {
    if (tbInFrame->Position() < tbInFrame->Max()) {
        GoToInputFrame(tbInFrame->Max());
    }
}
