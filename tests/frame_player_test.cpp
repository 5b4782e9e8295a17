#include <gtest/gtest.h>

#include <QTimer>

#include "app/FramePlayer.h"

using app::FramePlayer;

namespace {

// Pause means nothing while stopped; play resumes a paused player and restarts a running one.
TEST(FramePlayer, PlayPauseAndStopFollowTheButtons) {
    QTimer timer;
    FramePlayer player(&timer);
    EXPECT_FALSE(player.pause(true));
    EXPECT_FALSE(player.paused() || timer.isActive());
    EXPECT_EQ(player.play(), FramePlayer::Start::kFromFirst);
    EXPECT_TRUE(player.playing() && timer.isActive());
    EXPECT_EQ(player.play(), FramePlayer::Start::kFromFirst);
    EXPECT_TRUE(player.pause(true));
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(player.play(), FramePlayer::Start::kResume);
    EXPECT_TRUE(!player.paused() && timer.isActive());
    player.pause(true);
    EXPECT_FALSE(player.pause(false));
    EXPECT_TRUE(timer.isActive());
    EXPECT_TRUE(player.stop());
    EXPECT_FALSE(player.playing() || player.paused() || timer.isActive());
    EXPECT_FALSE(player.stop());
}

TEST(FramePlayer, TicksAdvanceAndEndOrRepeatAtTheLastFrame) {
    using Step = FramePlayer::Step;
    EXPECT_EQ(FramePlayer::stepAfter(1, 5, false), Step::kNext);
    EXPECT_EQ(FramePlayer::stepAfter(4, 5, true), Step::kNext);
    EXPECT_EQ(FramePlayer::stepAfter(5, 5, false), Step::kEnd);
    EXPECT_EQ(FramePlayer::stepAfter(5, 5, true), Step::kFirst);
    EXPECT_EQ(FramePlayer::stepAfter(1, 1, false), Step::kEnd);
}

}  // namespace
