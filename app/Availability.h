#pragma once

#include <array>
#include <cstdint>

// Which command groups are available. Each group has a byte of reasons why it is off, one bit
// per reason; a group is on exactly when its byte is 0.
class Availability {
  public:
    // The command groups, each a set of buttons that are enabled and disabled together.
    enum Group : int {
        kGroupInputLoad = 0,     // abbInPic
        kGroupInputEdit = 1,     // abbDelPic, abbInClr
        kGroupPanelLoad = 2,     // abbFLoad
        kGroupPanelSave = 3,     // abbFSave
        kGroupInputPlayer = 4,   // the input player's buttons
        kGroupStartCrop = 5,     // abbCutS
        kGroupEndCrop = 6,       // abbCutE
        kGroupExecute = 7,       // abbExecute
        kGroupFrameEdit = 8,     // effects and text insertion
        kGroupOutputPlayer = 9,  // the output player's buttons
        kGroupOutputEdit = 10,   // abbOutPreDel, abbOutPreClr
        kGroupPanelPlayer = 11,  // the panel player's buttons
        kGroupCount = 12,
    };

    // Reasons, one bit each, as callers pass them.
    enum Reason : int {
        kNoInput = 1,           // no input frame held
        kInputPlaying = 2,      // the input player runs
        kSingleFrame = 4,       // one frame to make: no end frame
        kNoOutput = 8,          // no output frames (and the 90-frame limit for loading)
        kOutputPlaying = 16,    // the output player runs
        kPanelPlaying = 32,     // the panel player runs
        kNotFirstPage = 64,     // a page other than the input page is shown
        kEffectStrength = 255,  // not a bit: shows or hides the effect strength bar
    };

    // What the reasons test, read from the window by the caller.
    struct State {
        int inputFrames = 0;
        bool inputPlaying = false;
        int framesToMake = 0;
        bool hasOutputList = false;
        int outputFrames = 0;
        bool outputPlaying = false;
        bool panelPlaying = false;
        int pageIndex = 0;
    };

    // Sets or clears the reason's bit in the groups it governs. Reasons that are not a single
    // known bit change nothing.
    void update(int reason, const State& state);
    bool enabled(Group group) const { return flags_.at(group) == 0; }
    std::uint8_t flags(Group group) const { return flags_.at(group); }
    void clear() { flags_.fill(0); }

  private:
    void setBit(Group group, int reason, bool on);

    std::array<std::uint8_t, kGroupCount> flags_{};
};
