#include "imaging/Dither.h"

#include <gtest/gtest.h>

#include "imaging/Status.h"

using namespace imaging;

namespace {

const std::vector<Colour> kFourGreys{0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};

// An 8-bit grey picture (index = grey value) from literal rows.
Picture greyPicture(const std::vector<std::vector<int>>& rows) {
    Picture p(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 8);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            p.row(static_cast<int>(y))[x] = static_cast<std::uint8_t>(rows[y][x]);
        }
    }
    return p;
}

std::vector<std::vector<int>> levels(const Picture& p) {
    std::vector<std::vector<int>> rows(p.height(), std::vector<int>(p.width()));
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            rows[y][x] = p.row(y)[x];
        }
    }
    return rows;
}

std::vector<std::vector<int>> reduced(const Picture& p, int method) {
    Picture out;
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 2, method, &out), kOk);
    EXPECT_EQ(out.bits(), 2);
    EXPECT_EQ(out.palette(), kFourGreys);
    return levels(out);
}

}  // namespace

TEST(Dither, NearestGreyBoundaries) {
    const Picture p = greyPicture({{0, 42, 43, 127, 128, 212, 213, 255}});
    EXPECT_EQ(reduced(p, kDitherNone), (std::vector<std::vector<int>>{{0, 0, 1, 1, 2, 2, 3, 3}}));
}

TEST(Dither, BurkesSpreadsErrorWithItsWeights) {
    // 120 -> 85 leaves +35; 8/32 of it lifts the right neighbour 120 to 129 -> level 2.
    EXPECT_EQ(reduced(greyPicture({{120, 120}}), kDitherBurkes),
              (std::vector<std::vector<int>>{{1, 2}}));
    // Below: 40 gets 8/32 of 35 plus 4/32 of the right pixel's error 9 -> 50 -> level 1,
    // whereas without dithering it is level 0.
    const Picture twoRows = greyPicture({{120, 0}, {40, 0}});
    EXPECT_EQ(reduced(twoRows, kDitherBurkes), (std::vector<std::vector<int>>{{1, 0}, {1, 0}}));
    EXPECT_EQ(reduced(twoRows, kDitherNone), (std::vector<std::vector<int>>{{1, 0}, {0, 0}}));
    // Two columns right: 4/32 of 35 plus 8/32 of the middle pixel's error 9 (0 + 9 -> level 0)
    // is 212/32 -> +7, so 120 stays level 1 and 121 crosses to level 2.
    EXPECT_EQ(reduced(greyPicture({{120, 0, 120}}), kDitherBurkes)[0][2], 1);
    EXPECT_EQ(reduced(greyPicture({{120, 0, 121}}), kDitherBurkes)[0][2], 2);
}

TEST(Dither, JarvisSpreadsErrorOverThreeRows) {
    // 7/48 of +35 is 5.1 -> 125 stays level 1; 7/48 of +40 is 5.8 -> 131 -> level 2.
    EXPECT_EQ(reduced(greyPicture({{120, 120}}), kDitherJarvis)[0][1], 1);
    EXPECT_EQ(reduced(greyPicture({{125, 125}}), kDitherJarvis)[0][1], 2);
    // Two rows down, straight below: 5/48 of +40 = 4.2 -> 124 + 4 = 128 -> level 2.
    const Picture column = greyPicture({{125}, {0}, {124}});
    EXPECT_EQ(reduced(column, kDitherJarvis), (std::vector<std::vector<int>>{{1}, {0}, {2}}));
    EXPECT_EQ(reduced(column, kDitherBurkes), (std::vector<std::vector<int>>{{1}, {0}, {1}}));
}

TEST(Dither, DiffusionKeepsAverageBrightness) {
    // A flat 100 field lies between levels 1 (85) and 2 (170): the mean must stay near 100.
    Picture flat(64, 64, 8);
    std::fill(flat.pixels().begin(), flat.pixels().end(), 100);
    for (int method : {kDitherBurkes, kDitherJarvis, kDitherOrdered}) {
        Picture out;
        ASSERT_EQ(reduceToPalette(flat, kFourGreys, 2, method, &out), kOk);
        double sum = 0;
        for (std::uint8_t level : out.pixels()) {
            ASSERT_TRUE(level == 1 || level == 2) << "method " << method;
            sum += level * 85;
        }
        EXPECT_NEAR(sum / out.pixels().size(), 100.0, 2.0) << "method " << method;
    }
}

TEST(Dither, OrderedUsesThresholdMatrix) {
    // Exactly on a level nothing changes; halfway between two levels half the pixels go up,
    // and the 2 x 2 corner of the matrix puts them on a diagonal.
    Picture onLevel(8, 8, 8);
    std::fill(onLevel.pixels().begin(), onLevel.pixels().end(), 170);
    Picture out;
    ASSERT_EQ(reduceToPalette(onLevel, kFourGreys, 2, kDitherOrdered, &out), kOk);
    EXPECT_TRUE(
        std::all_of(out.pixels().begin(), out.pixels().end(), [](int v) { return v == 2; }));

    const Picture half = greyPicture({{127, 127}, {127, 127}});
    EXPECT_EQ(reduced(half, kDitherOrdered), (std::vector<std::vector<int>>{{2, 1}, {1, 2}}));
}

TEST(Dither, ColourSourcesAndDepths) {
    // A 24-bit picture onto the greys: each pixel to the grey nearest its colour.
    Picture colour(3, 1);
    colour.setColourAt(0, 0, makeColour(255, 0, 0));
    colour.setColourAt(1, 0, makeColour(200, 200, 200));
    colour.setColourAt(2, 0, makeColour(10, 20, 30));
    Picture out;
    ASSERT_EQ(reduceToPalette(colour, kFourGreys, 2, kDitherNone, &out), kOk);
    EXPECT_EQ(levels(out), (std::vector<std::vector<int>>{{1, 2, 0}}));

    // Back to 24 bits through the palette, and to an 8-bit depth with a short user palette.
    Picture back;
    ASSERT_EQ(changeColourResolution(out, 24, 0, 0, 0, {}, &back), kOk);
    EXPECT_EQ(back.colourAt(1, 0), 0xAAAAAAu);
    ASSERT_EQ(changeColourResolution(back, 8, kPaletteUser, 0, 4, kFourGreys, &out), kOk);
    EXPECT_EQ(out.bits(), 8);
    EXPECT_EQ(out.palette().size(), 256u);
    EXPECT_EQ(out.palette()[4], 0u);  // entries beyond the user colours are black
    EXPECT_EQ(out.colourAt(1, 0), 0xAAAAAAu);

    // Without the user palette: a grey ramp (1 bit: black and white).
    ASSERT_EQ(changeColourResolution(back, 1, 0, 0, 0, {}, &out), kOk);
    EXPECT_EQ(levels(out), (std::vector<std::vector<int>>{{0, 1, 0}}));
}

TEST(Dither, BadArgumentsLeaveOutputAlone) {
    const Picture p = greyPicture({{1, 2}});
    Picture out(1, 1);
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 3, kDitherNone, &out), kInvalidArgument);
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 1, kDitherNone, &out), kInvalidArgument);  // 4 > 2
    EXPECT_EQ(reduceToPalette(p, {}, 2, kDitherNone, &out), kInvalidArgument);
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 2, 5, &out), kInvalidArgument);
    EXPECT_EQ(reduceToPalette(Picture(), kFourGreys, 2, kDitherNone, &out), kNoBitmap);
    EXPECT_EQ(changeColourResolution(p, 2, kPaletteUser, 0, 9, kFourGreys, &out), kInvalidArgument);
    EXPECT_EQ(out.width(), 1);
}

namespace {

// Error diffusion written plainly: the carried error of each pixel divided by the kernel's
// divisor, rounded half up, then the nearest of the four greys.
std::vector<std::uint8_t> plainDiffusion(const Picture& p, bool jarvis) {
    struct Tap {
        int dx, dy, w;
    };
    const std::vector<Tap> taps =
        jarvis
            ? std::vector<Tap>{{1, 0, 7}, {2, 0, 5},  {-2, 1, 3}, {-1, 1, 5}, {0, 1, 7}, {1, 1, 5},
                               {2, 1, 3}, {-2, 2, 1}, {-1, 2, 3}, {0, 2, 5},  {1, 2, 3}, {2, 2, 1}}
            : std::vector<Tap>{{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4},
                               {0, 1, 8}, {1, 1, 4}, {2, 1, 2}};
    const int divisor = jarvis ? 48 : 32;
    const int w = p.width();
    const int h = p.height();
    std::vector<int> carried(static_cast<std::size_t>(w) * h, 0);
    std::vector<std::uint8_t> out(carried.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int c = carried[y * w + x];
            const int share = c >= 0 ? (c + divisor / 2) / divisor
                                     : -((-c - divisor / 2 + divisor - 1) / divisor);
            const int v = std::clamp(p.row(y)[x] + share, 0, 255);
            const int level = v < 43 ? 0 : v < 128 ? 1 : v < 213 ? 2 : 3;
            out[y * w + x] = static_cast<std::uint8_t>(level);
            const int e = v - level * 85;
            for (const Tap& t : taps) {
                if (x + t.dx >= 0 && x + t.dx < w && y + t.dy < h) {
                    carried[(y + t.dy) * w + x + t.dx] += e * t.w;
                }
            }
        }
    }
    return out;
}

}  // namespace

TEST(Dither, DiffusionMatchesAPlainImplementationOnNoise) {
    Picture noise(97, 61, 8);
    std::uint32_t state = 12345;
    for (std::uint8_t& v : noise.pixels()) {
        state = state * 1664525 + 1013904223;
        v = static_cast<std::uint8_t>(state >> 24);
    }
    for (bool jarvis : {false, true}) {
        Picture out;
        ASSERT_EQ(
            reduceToPalette(noise, kFourGreys, 2, jarvis ? kDitherJarvis : kDitherBurkes, &out),
            kOk);
        EXPECT_EQ(out.pixels(), plainDiffusion(noise, jarvis)) << (jarvis ? "JJN" : "Burkes");
    }
}
