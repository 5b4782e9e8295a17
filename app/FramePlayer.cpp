#include "app/FramePlayer.h"

#include <QTimer>

namespace app {

FramePlayer::FramePlayer(QTimer* timer, QObject* parent) : QObject(parent), timer_(timer) {
    connect(timer_, &QTimer::timeout, this, &FramePlayer::ticked);
}

FramePlayer::Start FramePlayer::play() {
    playing_ = true;
    timer_->start();
    if (paused_) {
        paused_ = false;
        return Start::kResume;
    }
    return Start::kFromFirst;
}

bool FramePlayer::pause(bool down) {
    if (!playing_) {
        return false;
    }
    paused_ = down;
    if (down) {
        timer_->stop();
    } else {
        timer_->start();
    }
    return down;
}

bool FramePlayer::stop() {
    const bool wasPlaying = playing_;
    timer_->stop();
    playing_ = false;
    paused_ = false;
    return wasPlaying;
}

FramePlayer::Step FramePlayer::stepAfter(int position, int maximum, bool repeat) {
    if (position < maximum) {
        return Step::kNext;
    }
    return repeat ? Step::kFirst : Step::kEnd;
}

}  // namespace app
