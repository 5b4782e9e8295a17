#include <gtest/gtest.h>

#include "imaging/LeadModel.h"
#include "produce/PicMCut.h"
#include "tools/PanelFrames.h"

using imaging::Picture;

// The tool tints a frame's entries 0..3 as the window does, other greys left alone, at every
// depth; bits 7-6 of a file's code are ignored.
TEST(PanelFrames, TintedFrameShowsEachDepthAsTheWindowDoes) {
    for (const int bits : {1, 2, 4, 8}) {
        for (const int code : {63, 0x27, 0xC0 | 52}) {
            Picture frame(3, 1, bits);
            frame.pixels() = {0, 1, 1};
            imaging::LeadModel window;
            window.setBitmap(frame);
            produce::tintPanelPalette(window, code, produce::kDefaultChannelLevels);
            const Picture tinted = tools::tintedFrame(frame, code);
            EXPECT_EQ(tinted.pixels(), frame.pixels());
            EXPECT_EQ(tinted.palette(), window.picture()->palette()) << bits << " bits, " << code;
        }
    }
}
