#include "app/Availability.h"

#include <initializer_list>

namespace {

constexpr int kOutputLimit = 90;

}  // namespace

void Availability::setBit(int group, int reason, bool on) {
    if (on) {
        flags_[group] |= static_cast<std::uint8_t>(reason);
    } else {
        flags_[group] &= static_cast<std::uint8_t>(~reason);
    }
}

void Availability::update(int reason, const State& s) {
    auto apply = [&](std::initializer_list<int> groups, bool on) {
        for (int g : groups) {
            setBit(g, reason, on);
        }
    };
    switch (reason) {
        case kNoInput:
            apply({1, 5, 6, 7}, s.inputFrames == 0);
            // Playing needs at least two frames.
            apply({4}, s.inputFrames <= 1);
            break;
        case kInputPlaying:
            apply({0, 1, 5, 6, 7}, s.inputPlaying);
            break;
        case kSingleFrame:
            apply({6}, s.framesToMake == 1);
            break;
        case kNoOutput:
            apply({3, 8, 9, 10, 11}, !s.hasOutputList);
            apply({2}, s.outputFrames >= kOutputLimit);
            break;
        case kOutputPlaying:
            apply({2, 3, 5, 6, 7, 8, 10}, s.outputPlaying);
            break;
        case kPanelPlaying:
            apply({2, 3, 5, 6, 7, 8, 10}, s.panelPlaying);
            break;
        case kNotFirstPage:
            apply({0, 1}, s.pageIndex != 0);
            break;
        default:
            break;
    }
}
