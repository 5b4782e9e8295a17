#include "app/Availability.h"

#include <gtest/gtest.h>

namespace {

using A = Availability;

std::vector<int> enabledGroups(const A& a) {
    std::vector<int> on;
    for (int g = 0; g < A::kGroupCount; ++g) {
        if (a.enabled(static_cast<A::Group>(g))) {
            on.push_back(g);
        }
    }
    return on;
}

// Each step updates one reason from a state that sets what that reason reads (and both players
// while both run); a group stays off while any of its reasons holds.
TEST(Availability, EachReasonTurnsOffItsGroupsUntilItsConditionEnds) {
    const std::vector<int> all{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    A a;
    for (const int reason : {1, 2, 4, 8, 16, 32, 64}) {
        a.update(reason, {.framesToMake = 30});
    }
    EXPECT_EQ(enabledGroups(a), (std::vector<int>{0, 2}));  // input and panel file loading only
    struct Step {
        int reason;
        A::State state;
        std::vector<int> enabled;
    };
    for (const Step& step : std::vector<Step>{
             {A::kNoInput, {.inputFrames = 1}, {0, 1, 2, 5, 6, 7}},  // no player for one frame
             {A::kNoInput, {.inputFrames = 2}, {0, 1, 2, 4, 5, 6, 7}},
             {A::kSingleFrame, {.framesToMake = 1}, {0, 1, 2, 4, 5, 7}},  // no end frame
             {A::kSingleFrame, {.framesToMake = 30}, {0, 1, 2, 4, 5, 6, 7}},
             {A::kNoOutput, {.hasOutputList = true, .outputFrames = 89}, all},
             {A::kNoOutput,
              {.hasOutputList = true, .outputFrames = 90},
              {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
             {A::kNoOutput, {.hasOutputList = true, .outputFrames = 10}, all},
             {A::kOutputPlaying, {.outputPlaying = true}, {0, 1, 4, 9, 11}},
             {A::kPanelPlaying, {.outputPlaying = true, .panelPlaying = true}, {0, 1, 4, 9, 11}},
             {A::kOutputPlaying, {.panelPlaying = true}, {0, 1, 4, 9, 11}},
             {A::kPanelPlaying, {}, all},
             {A::kInputPlaying, {.inputPlaying = true}, {2, 3, 4, 8, 9, 10, 11}},
             {A::kInputPlaying, {}, all},
             {A::kNotFirstPage, {.pageIndex = 2}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
             {A::kEffectStrength, {}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},  // not a bit
             {3, {}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
             {A::kNotFirstPage, {}, all},
         }) {
        a.update(step.reason, step.state);
        EXPECT_EQ(enabledGroups(a), step.enabled) << "reason " << step.reason;
    }
}

}  // namespace
