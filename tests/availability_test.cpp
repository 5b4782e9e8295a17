#include "app/Availability.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> enabledGroups(const Availability& a) {
    std::vector<int> on;
    for (int g = 0; g < Availability::kGroupCount; ++g) {
        if (a.enabled(static_cast<Availability::Group>(g))) {
            on.push_back(g);
        }
    }
    return on;
}

void updateAll(Availability& a, const Availability::State& s) {
    for (int reason : {1, 2, 4, 8, 16, 32, 64}) {
        a.update(reason, s);
    }
}

}  // namespace

TEST(Availability, StartStateAndInputFrames) {
    Availability a;
    Availability::State s;
    s.framesToMake = 30;
    updateAll(a, s);
    EXPECT_EQ(enabledGroups(a), (std::vector<int>{0, 2}));  // input and file load only

    s.inputFrames = 1;  // one frame: generation yes, input player no
    a.update(Availability::kNoInput, s);
    EXPECT_EQ(enabledGroups(a), (std::vector<int>{0, 1, 2, 5, 6, 7}));
    s.inputFrames = 2;
    a.update(Availability::kNoInput, s);
    EXPECT_TRUE(a.enabled(Availability::kGroupInputPlayer));

    s.framesToMake = 1;  // no end frame to place
    a.update(Availability::kSingleFrame, s);
    EXPECT_FALSE(a.enabled(Availability::kGroupEndCrop));
    EXPECT_TRUE(a.enabled(Availability::kGroupStartCrop));
}

TEST(Availability, OutputLimitAndPlayers) {
    Availability a;
    Availability::State s;
    s.inputFrames = 5;
    s.framesToMake = 30;
    s.hasOutputList = true;
    s.outputFrames = 89;
    updateAll(a, s);
    EXPECT_EQ(enabledGroups(a), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    s.outputFrames = 90;
    a.update(Availability::kNoOutput, s);
    EXPECT_FALSE(a.enabled(Availability::kGroupPanelLoad));

    // Each player takes away the commands that change frames; the reasons are independent.
    s.outputFrames = 10;
    a.update(Availability::kNoOutput, s);
    s.outputPlaying = true;
    a.update(Availability::kOutputPlaying, s);
    s.panelPlaying = true;
    a.update(Availability::kPanelPlaying, s);
    EXPECT_EQ(enabledGroups(a), (std::vector<int>{0, 1, 4, 9, 11}));
    s.outputPlaying = false;
    a.update(Availability::kOutputPlaying, s);
    EXPECT_EQ(a.flags(Availability::kGroupPanelSave), Availability::kPanelPlaying);
    s.panelPlaying = false;
    a.update(Availability::kPanelPlaying, s);
    EXPECT_TRUE(a.enabled(Availability::kGroupPanelSave));

    s.inputPlaying = true;
    a.update(Availability::kInputPlaying, s);
    EXPECT_EQ(enabledGroups(a), (std::vector<int>{2, 3, 4, 8, 9, 10, 11}));
}

TEST(Availability, PagesAndUnknownReasons) {
    Availability a;
    Availability::State s;
    s.pageIndex = 2;
    a.update(Availability::kNotFirstPage, s);
    EXPECT_FALSE(a.enabled(Availability::kGroupInputLoad));
    EXPECT_FALSE(a.enabled(Availability::kGroupInputEdit));
    s.pageIndex = 0;
    a.update(Availability::kNotFirstPage, s);
    EXPECT_TRUE(a.enabled(Availability::kGroupInputLoad));

    a.update(Availability::kEffectStrength, s);  // not a bit: no group changes
    a.update(3, s);
    EXPECT_EQ(enabledGroups(a).size(), 12u);
}
