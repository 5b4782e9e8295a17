#include <gtest/gtest.h>

#include "tools/PanelFrames.h"

using imaging::Colour;
using imaging::greyColour;
using imaging::makeColour;
using imaging::Picture;

namespace {

struct TintCase {
    int bits;
    int code;
    std::vector<std::pair<int, Colour>> entries;  // palette index, colour the window shows
};

}  // namespace

// The window tints palette entries 0..3 of a shown frame, (channel level x i) / 3 per channel
// with channel levels 0, 85, 170, 255, and leaves the frame's other greys alone. Code 0x27 is
// red level 170, green 85, blue 255.
TEST(PanelFrames, TintedFrameShowsEachDepthAsTheWindowDoes) {
    const Colour one = makeColour(56, 28, 85);
    const Colour two = makeColour(113, 56, 170);
    const Colour three = makeColour(170, 85, 255);
    const std::vector<TintCase> cases{
        {1, 63, {{0, 0x000000}, {1, 0x555555}}},
        {1, 0x27, {{0, 0x000000}, {1, one}}},
        {2, 0x27, {{0, 0x000000}, {1, one}, {2, two}, {3, three}}},
        {4, 0x27, {{1, one}, {3, three}, {4, greyColour(68)}, {15, greyColour(255)}}},
        {8, 63, {{1, 0x555555}, {3, 0xFFFFFF}, {4, greyColour(4)}, {200, greyColour(200)}}},
    };
    for (const TintCase& c : cases) {
        Picture frame(3, 1, c.bits);
        frame.palette() = Picture::greyPalette(c.bits);
        frame.pixels() = {0, 1, 1};
        const Picture tinted = tools::tintedFrame(frame, c.code);
        EXPECT_EQ(tinted.pixels(), frame.pixels());
        ASSERT_EQ(tinted.palette().size(), std::size_t{1} << c.bits);
        for (const auto& [index, colour] : c.entries) {
            EXPECT_EQ(tinted.palette()[index], colour) << c.bits << " bits, entry " << index;
        }
    }
}
