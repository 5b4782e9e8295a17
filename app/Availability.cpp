#include "app/Availability.h"

#include <initializer_list>

#include "store/OutputStore.h"

void Availability::setBit(Group group, int reason, bool on) {
    if (on) {
        flags_[group] |= static_cast<std::uint8_t>(reason);
    } else {
        flags_[group] &= static_cast<std::uint8_t>(~reason);
    }
}

void Availability::update(int reason, const State& s) {
    auto apply = [&](std::initializer_list<Group> groups, bool on) {
        for (Group g : groups) {
            setBit(g, reason, on);
        }
    };
    // Every reason that turns off the start crop turns off the end crop as well.
    switch (reason) {
        case kNoInput:
            apply({kGroupInputEdit, kGroupStartCrop, kGroupEndCrop, kGroupExecute},
                  s.inputFrames == 0);
            // Playing needs at least two frames.
            apply({kGroupInputPlayer}, s.inputFrames <= 1);
            break;
        case kInputPlaying:
            apply({kGroupInputLoad, kGroupInputEdit, kGroupStartCrop, kGroupEndCrop, kGroupExecute},
                  s.inputPlaying);
            break;
        case kSingleFrame:
            apply({kGroupEndCrop}, s.framesToMake == 1);
            break;
        case kNoOutput:
            apply({kGroupPanelSave, kGroupFrameEdit, kGroupOutputPlayer, kGroupOutputEdit,
                   kGroupPanelPlayer},
                  !s.hasOutputList);
            apply({kGroupPanelLoad}, s.outputFrames >= store::kMaxOutputFrames);
            break;
        case kOutputPlaying:
        case kPanelPlaying:
            apply({kGroupPanelLoad, kGroupPanelSave, kGroupStartCrop, kGroupEndCrop, kGroupExecute,
                   kGroupFrameEdit, kGroupOutputEdit},
                  reason == kOutputPlaying ? s.outputPlaying : s.panelPlaying);
            break;
        case kNotFirstPage:
            apply({kGroupInputLoad, kGroupInputEdit}, s.pageIndex != 0);
            break;
        default:
            break;
    }
}
