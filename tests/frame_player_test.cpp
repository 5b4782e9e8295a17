#include <gtest/gtest.h>

#include <array>

#include "app/FramePlayer.h"

using app::FramePlayer;

namespace {

// A tick at the last frame ends the run or, with repeat, goes back to the first; a single frame
// has nowhere to go. The buttons are followed through the window's players.
TEST(FramePlayer, TicksEndOrRepeatAtTheLastFrame) {
    using Step = FramePlayer::Step;
    EXPECT_EQ((std::array{FramePlayer::stepAfter(4, 5, true), FramePlayer::stepAfter(5, 5, false),
                          FramePlayer::stepAfter(5, 5, true), FramePlayer::stepAfter(1, 1, false)}),
              (std::array{Step::kNext, Step::kEnd, Step::kFirst, Step::kEnd}));
}

}  // namespace
