#include "imaging/Dither.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "imaging/Status.h"

using namespace imaging;

namespace {

using Bytes = std::vector<std::uint8_t>;
const std::vector<Colour> kFourGreys{0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};

Picture greys(int width, const Bytes& values) {
    Picture p(width, static_cast<int>(values.size()) / width, 8);
    p.pixels() = values;
    return p;
}

Bytes reduced(const Picture& p, int method) {
    Picture out;
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 2, method, &out), kOk);
    EXPECT_EQ(out.bits(), 2);
    EXPECT_EQ(out.palette(), kFourGreys);
    return out.pixels();
}

// Error diffusion written plainly: the carried error over the divisor, rounded half up, then
// the nearest of the four greys. Weights for x - 2 .. x + 2 on this row and the two below.
Bytes plainDiffusion(const Picture& p, bool jarvis) {
    constexpr int kBurkes[3][5] = {{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}, {0, 0, 0, 0, 0}};
    constexpr int kJarvis[3][5] = {{0, 0, 0, 7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}};
    const auto& weights = jarvis ? kJarvis : kBurkes;
    const double divisor = jarvis ? 48 : 32;
    const int w = p.width();
    const int n = static_cast<int>(p.pixels().size());
    std::vector<int> carried(n, 0);
    Bytes out(n);
    for (int i = 0; i < n; ++i) {
        const int share = static_cast<int>(std::floor(carried[i] / divisor + 0.5));
        const int v = std::clamp(p.pixels()[i] + share, 0, 255);
        out[i] = static_cast<std::uint8_t>((v + 42) / 85);
        for (int dy = 0; dy < 3 && i + dy * w < n; ++dy) {
            for (int dx = std::max(-2, -(i % w)); dx <= 2 && i % w + dx < w; ++dx) {
                carried[i + dy * w + dx] += (v - out[i] * 85) * weights[dy][dx + 2];
            }
        }
    }
    return out;
}

}  // namespace

TEST(Dither, EachMethodGivesTheExpectedLevels) {
    EXPECT_EQ(reduced(greys(8, {0, 42, 43, 127, 128, 212, 213, 255}), kDitherNone),
              (Bytes{0, 0, 1, 1, 2, 2, 3, 3}));
    // 100 is 15/85 of the way up: the thresholds 0, 8, 2 and 10 of the first row lie below.
    EXPECT_EQ(reduced(greys(8, Bytes(8, 100)), kDitherOrdered), (Bytes{2, 1, 2, 1, 2, 1, 2, 1}));
    Picture noise(97, 61, 8);
    std::mt19937 random(12345);
    std::generate(noise.pixels().begin(), noise.pixels().end(), [&] { return random() >> 24; });
    for (bool jarvis : {false, true}) {
        const Bytes expected = plainDiffusion(noise, jarvis);
        const int method = jarvis ? kDitherJarvis : kDitherBurkes;
        EXPECT_EQ(reduced(noise, method), expected) << method;
        EXPECT_EQ(reduced(toTrueColour(noise), method), expected) << method << " from 24 bits";
    }
    Picture colour(3, 1);  // each pixel to the grey nearest its colour
    colour.pixels() = {255, 0, 0, 200, 200, 200, 10, 20, 30};
    EXPECT_EQ(reduced(colour, kDitherNone), (Bytes{1, 2, 0}));
    Picture out;
    // 8 bits on a short user palette padded with black; 1 bit on the grey ramp.
    ASSERT_EQ(changeColourResolution(colour, 8, kPaletteUser, 0, 4, kFourGreys, &out), kOk);
    EXPECT_EQ(out.palette().size(), 256u);
    EXPECT_EQ(out.palette()[4], 0u);
    EXPECT_EQ(out.pixels(), (Bytes{1, 2, 0}));
    ASSERT_EQ(changeColourResolution(colour, 1, 0, 0, 0, {}, &out), kOk);
    EXPECT_EQ(out.pixels(), (Bytes{0, 1, 0}));
}

TEST(Dither, BadArgumentsLeaveOutputAlone) {
    const Picture p = greys(2, {1, 2});
    Picture out(1, 1);
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 3, kDitherNone, &out), kInvalidArgument);
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 1, kDitherNone, &out), kInvalidArgument);  // 4 > 2
    EXPECT_EQ(reduceToPalette(p, {}, 2, kDitherNone, &out), kInvalidArgument);
    EXPECT_EQ(reduceToPalette(p, kFourGreys, 2, 5, &out), kInvalidArgument);
    EXPECT_EQ(reduceToPalette(Picture(), kFourGreys, 2, kDitherNone, &out), kNoBitmap);
    EXPECT_EQ(changeColourResolution(p, 2, kPaletteUser, 0, 9, kFourGreys, &out), kInvalidArgument);
    EXPECT_EQ(out.width(), 1);
}
