// The input and output players' handlers over the shared player logic (app/FramePlayer).
#include <QTimer>

#include "app/PicMUnit1.h"
#include "platform/TTrackBar.h"

void TForm1::setupPlayers() {
    inputPlayer_ = new app::FramePlayer(TimerIn, this);
    outputPlayer_ = new app::FramePlayer(TimerOutPre, this);
    panelPlayer_ = new app::FramePlayer(TimerP, this);
    connect(inputPlayer_, &app::FramePlayer::ticked, this, &TForm1::timerInOnTimer);
    connect(outputPlayer_, &app::FramePlayer::ticked, this, &TForm1::OutPreOnTimer);
    connect(panelPlayer_, &app::FramePlayer::ticked, this, &TForm1::PanelOnTimer);
    connectPanelActions();
}

void TForm1::showPlayerState(const app::FramePlayer& player, TABitBtn* play, TABitBtn* pause) {
    play->setDown(player.playing());
    pause->setDown(player.paused());
}

// --- Input player ---

void TForm1::abbInFramePlayClick() {
    if (inputPlayer_->play() == app::FramePlayer::Start::kFromFirst) {
        GoToInputFrame(tbInFrame->Min());
    }
    showPlayerState(*inputPlayer_, abbInFramePlay, abbInFramePause);
    UpdateAvailability(Availability::kInputPlaying);
}

void TForm1::abbInFramePauseClick() {
    abbInFramePause->setDown(inputPlayer_->pause(abbInFramePause->Down()));
}

void TForm1::abbInFrameStopClick() {
    inputPlayer_->stop();
    showPlayerState(*inputPlayer_, abbInFramePlay, abbInFramePause);
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

// --- Output player ---

// Play on a running player starts again at frame 1; on a paused one it resumes.
void TForm1::abbOutPrePlayClick() {
    if (outputPlayer_->play() == app::FramePlayer::Start::kFromFirst) {
        tbOutPre->setPosition(1);
    }
    showPlayerState(*outputPlayer_, abbOutPrePlay, abbOutPrePause);
    UpdateAvailability(Availability::kOutputPlaying);
}

// The effect and text previews follow the frame where playing paused.
void TForm1::abbOutPrePauseClick() {
    const bool paused = outputPlayer_->pause(abbOutPrePause->Down());
    abbOutPrePause->setDown(paused);
    if (paused) {
        EffectChange();
        DrawFont();
    }
}

void TForm1::abbOutPreStopClick() {
    outputPlayer_->stop();
    showPlayerState(*outputPlayer_, abbOutPrePlay, abbOutPrePause);
    EffectChange();
    DrawFont();
    UpdateAvailability(Availability::kOutputPlaying);
}

void TForm1::OutPreOnTimer() {
    const int position = tbOutPre->Position();
    switch (app::FramePlayer::stepAfter(position, tbOutPre->Max(), abbOutPreRep->Down())) {
        case app::FramePlayer::Step::kNext:
            tbOutPre->setPosition(position + 1);
            break;
        case app::FramePlayer::Step::kFirst:
            tbOutPre->setPosition(1);
            break;
        case app::FramePlayer::Step::kEnd:
            abbOutPreStopClick();
            break;
    }
}

void TForm1::abbOutPreBackClick() {
    if (tbOutPre->Position() - 1 >= tbOutPre->Min()) {
        tbOutPre->setPosition(tbOutPre->Position() - 1);
    }
}

void TForm1::abbOutPreNextClick() {
    if (tbOutPre->Position() + 1 <= tbOutPre->Max()) {
        tbOutPre->setPosition(tbOutPre->Position() + 1);
    }
}
