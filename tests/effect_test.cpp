// The frame effects without a window: the direction of each effect, the choices that leave a
// picture alone, and applying an effect to every output frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <tuple>

#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"
#include "produce/PicMCutEffect.h"

using namespace imaging;

namespace {

// A grey picture `rows` high whose every row holds `greys`.
Picture greys(const std::vector<int>& values, int rows = 3) {
    Picture p(static_cast<int>(values.size()), rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < p.width(); ++x) {
            p.setColourAt(x, y, greyColour(values[x]));
        }
    }
    return p;
}

int mean(const Picture& p) {
    const auto& px = p.pixels();
    return static_cast<int>(std::accumulate(px.begin(), px.end(), 0LL) /
                            static_cast<long long>(px.size()));
}

int spread(const Picture& p) {
    const auto [lo, hi] = std::minmax_element(p.pixels().begin(), p.pixels().end());
    return *hi - *lo;
}

Picture applied(const Picture& source, int index, int strength) {
    LeadModel control;
    control.setBitmap(source);
    EXPECT_EQ(produce::applyEffect(control, index, strength), kOk);
    return *control.picture();
}

}  // namespace

TEST(Effect, EachEffectMovesThePictureItsWayAndNoEffectLeavesIt) {
    const Picture edge = greys({60, 60, 60, 180, 180, 180});
    // The jump between the two middle columns of the edge.
    const auto step = [](const Picture& p) {
        return redOf(p.colourAt(3, 1)) - redOf(p.colourAt(2, 1));
    };
    // Brightness, contrast and sharpness each raise their measure at +500 and lower it at -500.
    for (const auto& [index, measure, least] :
         std::vector<std::tuple<int, std::function<int(const Picture&)>, int>>{
             {1, mean, 50}, {2, spread, 0}, {3, step, 0}}) {
        EXPECT_GT(measure(applied(edge, index, 500)), measure(edge) + least) << index;
        EXPECT_LT(measure(applied(edge, index, -500)), measure(edge) - least) << index;
    }
    EXPECT_EQ(applied(edge, 4, 0), greys({195, 195, 195, 75, 75, 75})) << "negative";
    std::vector<int> lone(5, 50);
    Picture dot = greys(lone, 5);
    dot.setColourAt(2, 2, greyColour(250));
    EXPECT_EQ(applied(dot, 5, 0), greys(lone, 5)) << "median removes a lone pixel";
    std::vector<int> narrow(21);
    std::iota(narrow.begin(), narrow.end(), 100);
    const int equalised = spread(applied(greys(narrow), 6, 0));
    EXPECT_TRUE(equalised > 200 && equalised < 256) << equalised;

    const Picture uneven = greys({10, 90, 200, 30});
    for (const auto& [index, strength] :
         std::vector<std::pair<int, int>>{{0, 700}, {7, 700}, {-1, 700}, {1, 0}, {2, 0}, {3, 0}}) {
        EXPECT_EQ(applied(uneven, index, strength), uneven) << index << " at " << strength;
    }
    EXPECT_EQ(applied(applied(uneven, 4, 0), 4, 0), uneven) << "negative twice";
    LeadModel empty;
    EXPECT_EQ(produce::applyEffect(empty, 4, 0), kNoBitmap);
}

// Applying and undoing through the window is tested with the effect page; here effect 0 after a
// change of dithering reduces the same colour frames again, and lists out of step are refused.
TEST(Effect, ApplyingToAllReducesTheColourFramesAgainAndRefusesListsOutOfStep) {
    LeadModel colour, panel, work, overlay;
    const produce::OutputLists lists{colour, panel, work, overlay};
    std::vector<int> ramp(40);
    std::iota(ramp.begin(), ramp.end(), 60);
    const int none = produce::ditherForChoice(2), burkes = produce::ditherForChoice(0);
    for (int n = 0; n < 3; ++n) {
        ASSERT_EQ(produce::addOutputFrame(lists, greys(ramp, 4 + n), n, none), kOk);
    }
    const LeadModel before = colour, panelBefore = panel;
    ASSERT_EQ(produce::applyEffectToAll(lists, 0, 0, burkes), kOk);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(colour.frame(i), before.frame(i));
        LeadModel reduced;
        reduced.setBitmap(before.frame(i));
        produce::reduceToPanel(reduced, burkes);
        EXPECT_EQ(panel.frame(i), *reduced.picture());
        EXPECT_NE(panel.frame(i), panelBefore.frame(i));
    }
    panel.releaseBitmap();
    EXPECT_EQ(produce::applyEffectToAll(lists, 4, 0, none), kInvalidArgument);
    EXPECT_EQ(colour.frame(1), before.frame(1));
}
