#pragma once

extern "C" {
#include <libavutil/rational.h>
}

#include <cstdint>

namespace imaging {

// Delay used when a clip names no usable frame rate.
inline constexpr int kDefaultFrameDelayMs = 100;
// Longest delay taken from a clip; anything slower is treated as a broken header.
inline constexpr int kMaxFrameDelayMs = 60000;

// Milliseconds a frame is shown: from the average frame rate, else the real base frame rate,
// else one tick of the time base; kDefaultFrameDelayMs when none gives 1 .. kMaxFrameDelayMs.
int frameDelayMs(AVRational averageRate, AVRational realRate, AVRational timeBase);

// Time-base ticks between frames (1 for AVI, whose tick is one frame); at least 1.
std::int64_t ticksPerFrame(AVRational averageRate, AVRational realRate, AVRational timeBase);

}  // namespace imaging
