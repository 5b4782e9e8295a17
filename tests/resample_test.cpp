#include "imaging/Resample.h"

#include <gtest/gtest.h>

#include <array>

#include "imaging/Combine.h"
#include "imaging/Status.h"

using namespace imaging;
using Bytes = std::vector<std::uint8_t>;

TEST(Resample, CutsAndCropsAreClippedAndPickCentresAtAnyDepth) {
    Picture source(40, 30);  // pixel (x, y) is colour (x, y, 7)
    for (int i = 0; i < 40 * 30; ++i) {
        source.setColourAt(i % 40, i / 40, makeColour(i % 40, i / 40, 7));
    }
    Picture out;
    ASSERT_EQ(resize(source, 2, 1, &out), kOk);
    EXPECT_EQ(out.pixels(), (Bytes{10, 15, 7, 30, 15, 7}));
    EXPECT_EQ(resize(source, 0, 5, &out), kInvalidArgument);
    EXPECT_EQ(cropResized(source, 0, 0, 0, 10, 16, 6, &out), kInvalidArgument);
    // Inside, over each edge, outside, whole: cut at (x, y) and by placing the source at (-x, -y).
    for (const auto& [x, y, w, h] :
         {std::array{3, 4, 20, 10}, std::array{-5, -3, 12, 9}, std::array{30, 25, 17, 6},
          std::array{50, 50, 5, 5}, std::array{0, 0, 40, 30}}) {
        Picture cut(w, h), placed(w, h), direct;
        ASSERT_EQ(combine(cut, 0, 0, w, h, source, x, y, kCombineCopy), kOk);
        ASSERT_EQ(combine(placed, -x, -y, 99, 99, source, 0, 0, kCombineCopy), kOk);
        for (int i = 0; i < w * h; ++i) {
            ASSERT_EQ(cut.colourAt(i % w, i / w), source.colourAt(x + i % w, y + i / w)) << i;
        }
        EXPECT_EQ(placed, cut);
        ASSERT_EQ(resize(cut, 16, 6, &out), kOk);
        ASSERT_EQ(cropResized(source, x, y, w, h, 16, 6, &direct), kOk);
        EXPECT_EQ(direct, out) << x << "," << y;
    }
    Picture indexed(3, 1, 2);  // keeps its depth and palette
    indexed.pixels() = {0, 1, 3};
    ASSERT_EQ(resize(indexed, 6, 2, &out), kOk);
    EXPECT_EQ(out.pixels(), (Bytes{0, 0, 1, 1, 3, 3, 0, 0, 1, 1, 3, 3}));
    EXPECT_EQ(out.palette(), indexed.palette());
    EXPECT_EQ(resize(Picture(), 5, 5, &out), kNoBitmap);
}

TEST(Combine, AddAndOrPerChannel) {
    Picture ab(2, 1);  // the second pixel is combined onto the first
    ab.pixels() = {200, 0x0F, 0xF0, 100, 0x3C, 0x3C};
    for (const auto& [op, expected] : {std::pair{kCombineAdd, makeColour(255, 0x4B, 0xFF)},
                                       std::pair{kCombineAnd, makeColour(64, 0x0C, 0x30)},
                                       std::pair{kCombineOr, makeColour(236, 0x3F, 0xFC)}}) {
        Picture t = ab;
        ASSERT_EQ(combine(t, 0, 0, 1, 1, ab, 1, 0, op), kOk);
        EXPECT_EQ(t.colourAt(0, 0), expected) << op;
    }
    Picture grey(2, 1, 2);  // an indexed target takes the nearest entry
    ASSERT_EQ(combine(grey, 0, 0, 1, 1, ab, 1, 0, kCombineOr), kOk);
    EXPECT_EQ(grey.pixels(), (Bytes{1, 0}));
    EXPECT_EQ(combine(ab, 0, 0, -4, 3, ab, 1, 0, kCombineCopy), kOk);  // nothing to do
    EXPECT_EQ(combine(ab, 0, 0, 1, 1, ab, 1, 0, 0x123), kInvalidArgument);
    EXPECT_EQ(ab.pixels()[0], 200);
}
