#include "imaging/Planes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "imaging/Status.h"

using namespace imaging;
using Bytes = std::vector<std::uint8_t>;

TEST(Planes, PlanesOfLiteralColoursWholeAndAlone) {
    Picture sample(6, 1);
    sample.pixels() = {200, 10, 50, 12, 240, 7, 90, 90, 90, 0, 0, 0, 0, 0, 255, 200, 180, 250};
    // Hue of (200,10,50) is 347.37 degrees -> 246; of (12,240,7) 118.71 -> 84; blue 240 -> 170.
    const Bytes hue{246, 84, 0, 0, 170, 182};
    const std::vector<Bytes> hsv{hue, {242, 248, 0, 0, 255, 71}, {200, 240, 90, 0, 255, 250}};
    // Lightness (max + min + 1) / 2; saturation 190/210, 233/247, 0, 0, 255/255, 70/80.
    const std::vector<Bytes> hsl{hue, {105, 124, 90, 0, 128, 215}, {231, 241, 0, 0, 255, 223}};
    for (const auto& [flags, expected] : {std::pair{kPlanesHsv, hsv}, std::pair{kPlanesHsl, hsl}}) {
        std::vector<Picture> planes;
        ASSERT_EQ(separatePlanes(sample, flags, &planes), kOk);
        ASSERT_EQ(planes.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            Picture alone;
            ASSERT_EQ(separatePlane(sample, flags, i, &alone), kOk);
            EXPECT_EQ(planes[i].pixels(), expected[i]) << flags << " plane " << i;
            EXPECT_EQ(alone, planes[i]) << flags << " plane " << i;
        }
    }
}

TEST(Planes, RoundTripKeepsColoursAndGreysExactly) {
    Picture sweep(18 * 18 * 18, 1);  // every colour whose channels step through 0, 15, .. 255
    for (int i = 0; i < sweep.width(); ++i) {
        sweep.setColourAt(i, 0, makeColour(i % 18 * 15, i / 18 % 18 * 15, i / 324 * 15));
    }
    Picture greys(256, 1, 8);  // every grey, read through a reversed palette
    std::iota(greys.pixels().begin(), greys.pixels().end(), 0);
    std::reverse(greys.palette().begin(), greys.palette().end());
    const auto near = [](int a, int b) { return std::abs(a - b) <= 4; };
    for (int flags : {kPlanesHsv, kPlanesHsl}) {
        std::vector<Picture> planes;
        Picture back;
        ASSERT_EQ(separatePlanes(greys, flags, &planes), kOk);
        ASSERT_EQ(mergePlanes(planes, flags, &back), kOk);
        EXPECT_EQ(back, toTrueColour(greys)) << flags;
        ASSERT_EQ(separatePlanes(sweep, flags, &planes), kOk);
        ASSERT_EQ(mergePlanes(planes, flags, &back), kOk);
        const Bytes& in = sweep.pixels();
        EXPECT_TRUE(
            std::equal(in.begin(), in.end(), back.pixels().begin(), back.pixels().end(), near))
            << flags;
    }
}

TEST(Planes, BadArgumentsLeaveOutputsAlone) {
    std::vector<Picture> planes{Picture(1, 1, 8)};
    Picture corrupt(2, 2);
    corrupt.pixels().resize(3);
    EXPECT_EQ(separatePlanes(Picture(3, 2), 1, &planes), kInvalidArgument);
    EXPECT_EQ(separatePlanes(Picture(3, 2), 4, &planes), kInvalidArgument);
    EXPECT_EQ(separatePlanes(Picture(3, 2), kPlanesHsv, nullptr), kInvalidArgument);
    EXPECT_EQ(separatePlanes(Picture(), kPlanesHsv, &planes), kNoBitmap);
    EXPECT_EQ(separatePlanes(corrupt, kPlanesHsv, &planes), kCorruptData);
    EXPECT_EQ(planes.size(), 1u);

    ASSERT_EQ(separatePlanes(Picture(3, 2), kPlanesHsv, &planes), kOk);
    Picture out(1, 1);
    EXPECT_EQ(mergePlanes(planes, 0, &out), kInvalidArgument);
    EXPECT_EQ(mergePlanes(planes, kPlanesHsv, nullptr), kInvalidArgument);
    EXPECT_EQ(mergePlanes({planes[0], planes[1]}, kPlanesHsv, &out), kInvalidArgument);
    Picture shortened = planes[2];
    shortened.pixels().pop_back();
    for (const auto& [third, status] :
         {std::pair{Picture(2, 2, 8), kInvalidArgument},
          std::pair{Picture(3, 2, 24), kInvalidArgument},
          std::pair{Picture(3, 2, 4), kInvalidArgument}, std::pair{Picture(), kNoBitmap},
          std::pair{shortened, kCorruptData}}) {
        EXPECT_EQ(mergePlanes({planes[0], planes[1], third}, kPlanesHsv, &out), status);
    }
    EXPECT_EQ(out, Picture(1, 1));
}
