// The input and output players' handlers over the shared player logic (app/FramePlayer).
#include <QTimer>

#include "app/PicMUnit1.h"
#include "platform/TTrackBar.h"

void TForm1::setupPlayers() {
    const auto controls = [this](QTimer* timer, TABitBtn* play, TABitBtn* pause, int reason) {
        return PlayerControls{new app::FramePlayer(timer, this), play, pause, reason};
    };
    inputPlayer_ = controls(TimerIn, abbInFramePlay, abbInFramePause, Availability::kInputPlaying);
    outputPlayer_ =
        controls(TimerOutPre, abbOutPrePlay, abbOutPrePause, Availability::kOutputPlaying);
    panelPlayer_ = controls(TimerP, abbPPlay, abbPPause, Availability::kPanelPlaying);
    connect(inputPlayer_.player, &app::FramePlayer::ticked, this, &TForm1::timerInOnTimer);
    connect(outputPlayer_.player, &app::FramePlayer::ticked, this, &TForm1::OutPreOnTimer);
    connect(panelPlayer_.player, &app::FramePlayer::ticked, this, &TForm1::PanelOnTimer);
    connectPanelActions();
}

bool TForm1::playPressed(const PlayerControls& c) {
    const bool fromFirst = c.player->play() == app::FramePlayer::Start::kFromFirst;
    c.play->setDown(true);
    c.pause->setDown(false);
    UpdateAvailability(c.reason);
    return fromFirst;
}

bool TForm1::pausePressed(const PlayerControls& c) {
    const bool paused = c.player->pause(c.pause->Down());
    c.pause->setDown(paused);
    return paused;
}

void TForm1::stopPressed(const PlayerControls& c) {
    c.player->stop();
    c.play->setDown(false);
    c.pause->setDown(false);
    UpdateAvailability(c.reason);
}

bool TForm1::advanceBar(TTrackBar* bar, bool repeat) {
    switch (app::FramePlayer::stepAfter(bar->Position(), bar->Max(), repeat)) {
        case app::FramePlayer::Step::kNext:
            bar->setPosition(bar->Position() + 1);
            return true;
        case app::FramePlayer::Step::kFirst:
            bar->setPosition(1);
            return true;
        case app::FramePlayer::Step::kEnd:
            break;
    }
    return false;
}

// --- Input player ---

void TForm1::abbInFramePlayClick() {
    if (playPressed(inputPlayer_)) {
        GoToInputFrame(tbInFrame->Min());
    }
}

void TForm1::abbInFramePauseClick() {
    pausePressed(inputPlayer_);
}

void TForm1::abbInFrameStopClick() {
    stopPressed(inputPlayer_);
}

// The input player always stops at the last frame.
void TForm1::timerInOnTimer() {
    const int position = tbInFrame->Position();
    if (position >= tbInFrame->Max()) {
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
    if (playPressed(outputPlayer_)) {
        tbOutPre->setPosition(1);
    }
}

// The effect and text previews follow the frame where playing paused or stopped.
void TForm1::abbOutPrePauseClick() {
    if (pausePressed(outputPlayer_)) {
        EffectChange();
        DrawFont();
    }
}

void TForm1::abbOutPreStopClick() {
    stopPressed(outputPlayer_);
    EffectChange();
    DrawFont();
}

void TForm1::OutPreOnTimer() {
    if (!advanceBar(tbOutPre, abbOutPreRep->Down())) {
        abbOutPreStopClick();
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
