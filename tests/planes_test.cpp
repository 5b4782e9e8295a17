#include "imaging/Planes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "imaging/Status.h"

using namespace imaging;

namespace {

Picture samplePicture() {
    Picture p(3, 2);
    p.pixels() = {200, 10, 50, 12, 240, 7, 90, 90, 90, 0, 0, 0, 0, 0, 255, 200, 180, 250};
    return p;
}

// Every colour whose channels step through 0, 15, .. 255, then a pseudo-random spread.
Picture colourSweep() {
    std::vector<std::uint8_t> bytes;
    for (int r = 0; r < 256; r += 15) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 15) {
                bytes.insert(bytes.end(), {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)});
            }
        }
    }
    std::uint32_t seed = 12345;
    for (int i = 0; i < 3 * 1000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes.push_back(static_cast<std::uint8_t>(seed >> 24));
    }
    Picture p(static_cast<int>(bytes.size() / 3), 1);
    p.pixels() = bytes;
    return p;
}

}  // namespace

TEST(Planes, HsvPlanesOfLiteralColours) {
    std::vector<Picture> planes;
    ASSERT_EQ(separatePlanes(samplePicture(), kPlanesHsv, &planes), kOk);
    ASSERT_EQ(planes.size(), 3u);
    for (const Picture& plane : planes) {
        EXPECT_EQ(plane.width(), 3);
        EXPECT_EQ(plane.height(), 2);
        EXPECT_EQ(plane.bits(), 8);
        EXPECT_EQ(plane.palette(), Picture::greyPalette(8));
    }
    // Hue of (200,10,50) is 347.37 degrees -> 246; of (12,240,7) 118.71 -> 84; blue 240 -> 170.
    EXPECT_EQ(planes[0].pixels(), (std::vector<std::uint8_t>{246, 84, 0, 0, 170, 182}));
    EXPECT_EQ(planes[1].pixels(), (std::vector<std::uint8_t>{242, 248, 0, 0, 255, 71}));
    EXPECT_EQ(planes[2].pixels(), (std::vector<std::uint8_t>{200, 240, 90, 0, 255, 250}));
}

TEST(Planes, HslPlanesOfLiteralColours) {
    std::vector<Picture> planes;
    ASSERT_EQ(separatePlanes(samplePicture(), kPlanesHsl, &planes), kOk);
    ASSERT_EQ(planes.size(), 3u);
    EXPECT_EQ(planes[0].pixels(), (std::vector<std::uint8_t>{246, 84, 0, 0, 170, 182}));
    // (max + min + 1) / 2: 211/2, 248/2, 90, 0, 256/2, 431/2.
    EXPECT_EQ(planes[1].pixels(), (std::vector<std::uint8_t>{105, 124, 90, 0, 128, 215}));
    // 190/210, 233/247, grey, grey, 255/255, 70/(510-430).
    EXPECT_EQ(planes[2].pixels(), (std::vector<std::uint8_t>{231, 241, 0, 0, 255, 223}));

    Picture indexed(2, 1, 1);  // read through the palette
    indexed.palette() = {makeColour(255, 0, 0), makeColour(0, 0, 255)};
    indexed.pixels() = {1, 0};
    ASSERT_EQ(separatePlanes(indexed, kPlanesHsl, &planes), kOk);
    EXPECT_EQ(planes[0].pixels(), (std::vector<std::uint8_t>{170, 0}));
    EXPECT_EQ(planes[1].pixels(), (std::vector<std::uint8_t>{128, 128}));
}

TEST(Planes, RoundTripKeepsColours) {
    const Picture sweep = colourSweep();
    Picture greys(256, 1);
    for (int v = 0; v < 256; ++v) {
        greys.setColourAt(v, 0, greyColour(v));
    }
    for (int flags : {kPlanesHsv, kPlanesHsl}) {
        std::vector<Picture> planes;
        Picture back;
        ASSERT_EQ(separatePlanes(sweep, flags, &planes), kOk);
        ASSERT_EQ(mergePlanes(planes, flags, &back), kOk);
        ASSERT_EQ(back.width(), sweep.width());
        ASSERT_EQ(back.bits(), 24);
        for (std::size_t i = 0; i < sweep.pixels().size(); ++i) {
            ASSERT_LE(std::abs(sweep.pixels()[i] - back.pixels()[i]), 4)
                << "flags " << flags << " byte " << i;
        }
        ASSERT_EQ(separatePlanes(greys, flags, &planes), kOk);
        ASSERT_EQ(mergePlanes(planes, flags, &back), kOk);
        EXPECT_EQ(back, greys) << "flags " << flags;
    }
    // Hues 0, 120 and 240 degrees are exact plane values (0, 85, 170), so primaries come back
    // exactly through HSV; secondaries fall between hue values and are covered by the sweep.
    const Colour primaries[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xFFFFFF};
    for (Colour c : primaries) {
        Picture p(1, 1);
        p.setColourAt(0, 0, c);
        std::vector<Picture> planes;
        Picture back;
        ASSERT_EQ(separatePlanes(p, kPlanesHsv, &planes), kOk);
        ASSERT_EQ(mergePlanes(planes, kPlanesHsv, &back), kOk);
        EXPECT_EQ(back.colourAt(0, 0), c);
    }
}

TEST(Planes, BadArgumentsLeaveOutputsAlone) {
    std::vector<Picture> planes{Picture(1, 1, 8)};
    EXPECT_EQ(separatePlanes(samplePicture(), 1, &planes), kInvalidArgument);
    EXPECT_EQ(separatePlanes(samplePicture(), 4, &planes), kInvalidArgument);
    EXPECT_EQ(separatePlanes(samplePicture(), kPlanesHsv, nullptr), kInvalidArgument);
    EXPECT_EQ(separatePlanes(Picture(), kPlanesHsv, &planes), kNoBitmap);
    Picture corrupt(2, 2);
    corrupt.pixels().resize(3);
    EXPECT_EQ(separatePlanes(corrupt, kPlanesHsv, &planes), kCorruptData);
    EXPECT_EQ(planes.size(), 1u);

    ASSERT_EQ(separatePlanes(samplePicture(), kPlanesHsv, &planes), kOk);
    const Picture untouched(1, 1);
    Picture out = untouched;
    EXPECT_EQ(mergePlanes(planes, 0, &out), kInvalidArgument);
    EXPECT_EQ(mergePlanes(planes, kPlanesHsv, nullptr), kInvalidArgument);
    EXPECT_EQ(mergePlanes({planes[0], planes[1]}, kPlanesHsv, &out), kInvalidArgument);

    std::vector<Picture> mismatched = planes;
    mismatched[2] = Picture(2, 2, 8);
    EXPECT_EQ(mergePlanes(mismatched, kPlanesHsv, &out), kInvalidArgument);
    mismatched[2] = Picture(3, 2, 24);
    EXPECT_EQ(mergePlanes(mismatched, kPlanesHsv, &out), kInvalidArgument);
    mismatched[2] = Picture(3, 2, 4);
    EXPECT_EQ(mergePlanes(mismatched, kPlanesHsv, &out), kInvalidArgument);
    mismatched[2] = Picture();
    EXPECT_EQ(mergePlanes(mismatched, kPlanesHsv, &out), kNoBitmap);
    mismatched[2] = planes[2];
    mismatched[2].pixels().pop_back();
    EXPECT_EQ(mergePlanes(mismatched, kPlanesHsv, &out), kCorruptData);
    EXPECT_EQ(out, untouched);
}
