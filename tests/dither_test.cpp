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

TEST(Dither, GoldenLevelsOfEachMethod) {
    using Rows = std::vector<std::vector<int>>;
    // Hand-computed: the carried error times the kernel weight over its divisor, rounded.
    const struct {
        int method;
        Rows grey;
        Rows expected;
    } cases[] = {
        {kDitherNone, {{0, 42, 43, 127, 128, 212, 213, 255}}, {{0, 0, 1, 1, 2, 2, 3, 3}}},
        // 120 -> 85 leaves +35; 8/32 of it lifts the right neighbour to 129 -> level 2.
        {kDitherBurkes, {{120, 120}}, {{1, 2}}},
        // Below: 8/32 of 35 plus 4/32 of the right pixel's error 9 lifts 40 to 50.
        {kDitherBurkes, {{120, 0}, {40, 0}}, {{1, 0}, {1, 0}}},
        // Two right: 4/32 of 35 plus 8/32 of the middle's 9 is 212/32 -> +7.
        {kDitherBurkes, {{120, 0, 120}}, {{1, 0, 1}}},
        {kDitherBurkes, {{120, 0, 121}}, {{1, 0, 2}}},
        {kDitherBurkes, {{125}, {0}, {124}}, {{1}, {0}, {1}}},
        // 7/48 of +35 is 5.1 -> 125 stays; 7/48 of +40 is 5.8 -> 131 -> level 2.
        {kDitherJarvis, {{120, 120}}, {{1, 1}}},
        {kDitherJarvis, {{125, 125}}, {{1, 2}}},
        // Two rows down: 5/48 of +40 lifts 124 to 128.
        {kDitherJarvis, {{125}, {0}, {124}}, {{1}, {0}, {2}}},
        // Halfway between two levels: the matrix corner puts half the pixels up, diagonally.
        {kDitherOrdered, {{127, 127}, {127, 127}}, {{2, 1}, {1, 2}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reduced(greyPicture(c.grey), c.method), c.expected)
            << "method " << c.method << " first grey " << c.grey[0][0];
    }
}

TEST(Dither, FlatFieldsKeepTheirBrightness) {
    // 100 lies between levels 1 (85) and 2 (170): the mean must stay near 100; 170 is a level.
    for (const int grey : {100, 170}) {
        Picture flat(64, 64, 8);
        std::fill(flat.pixels().begin(), flat.pixels().end(), grey);
        for (int method : {kDitherNone, kDitherBurkes, kDitherJarvis, kDitherOrdered}) {
            Picture out;
            ASSERT_EQ(reduceToPalette(flat, kFourGreys, 2, method, &out), kOk);
            double sum = 0;
            for (std::uint8_t level : out.pixels()) {
                ASSERT_TRUE(grey == 170 ? level == 2 : level == 1 || level == 2) << method;
                sum += level * 85;
            }
            if (method != kDitherNone) {
                EXPECT_NEAR(sum / out.pixels().size(), grey, 2.0) << "method " << method;
            }
        }
    }
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
    // Weights for x - 2 .. x + 2 on this row (right of x only) and the two rows below.
    constexpr int kBurkes[3][5] = {{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}, {0, 0, 0, 0, 0}};
    constexpr int kJarvis[3][5] = {{0, 0, 0, 7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}};
    const auto& weights = jarvis ? kJarvis : kBurkes;
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
            for (int dy = 0; dy < 3 && y + dy < h; ++dy) {
                for (int dx = -2; dx <= 2; ++dx) {
                    if (x + dx >= 0 && x + dx < w) {
                        carried[(y + dy) * w + x + dx] += (v - level * 85) * weights[dy][dx + 2];
                    }
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
