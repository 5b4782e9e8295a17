#include "imaging/Rotate.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "imaging/Status.h"

using namespace imaging;

namespace {

// 1 2 3
// 4 5 6   as grey levels of an 8-bit identity-grey picture
Picture literal3x2() {
    Picture p(3, 2, 8);
    p.pixels() = {1, 2, 3, 4, 5, 6};
    return p;
}

Picture turned(const Picture& p, int hundredths, Colour fill = 0) {
    Picture out = p;
    EXPECT_EQ(rotate(out, hundredths, fill), kOk) << hundredths;
    return out;
}

}  // namespace

TEST(Rotate, QuarterTurnsArePermutations) {
    const struct {
        int hundredths;
        int width;
        std::vector<std::uint8_t> pixels;
    } cases[] = {
        {9000, 2, {3, 6, 2, 5, 1, 4}},  // the right column becomes the top row
        {18000, 3, {6, 5, 4, 3, 2, 1}},
        {27000, 2, {4, 1, 5, 2, 6, 3}},  // the left column becomes the top row
        {-9000, 2, {4, 1, 5, 2, 6, 3}},  // negative and beyond a whole turn wrap round
        {45000, 2, {3, 6, 2, 5, 1, 4}},
        {0, 3, {1, 2, 3, 4, 5, 6}},
        {-72000, 3, {1, 2, 3, 4, 5, 6}},
    };
    for (const auto& c : cases) {
        const Picture p = turned(literal3x2(), c.hundredths, 0xFFFFFF);
        EXPECT_EQ(p.width(), c.width) << c.hundredths;
        EXPECT_EQ(p.height(), 6 / c.width) << c.hundredths;
        EXPECT_EQ(p.pixels(), c.pixels) << c.hundredths;
        EXPECT_EQ(p.palette(), Picture::greyPalette(8));
    }
    Picture rgb(2, 1);
    rgb.pixels() = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(turned(rgb, 9000).pixels(), (std::vector<std::uint8_t>{4, 5, 6, 1, 2, 3}));
}

TEST(Rotate, OddAngleGrowsCanvasAndFills) {
    Picture square(3, 3);
    for (int i = 0; i < 9; ++i) {
        square.setColourAt(i % 3, i / 3, greyColour(10 * (i + 1)));
    }
    const Colour fill = makeColour(1, 2, 3);
    const Picture p = turned(square, 4500, fill);  // 3 * (cos + sin) = 4.24 -> 5
    ASSERT_EQ(p.width(), 5);
    ASSERT_EQ(p.height(), 5);
    for (int corner = 0; corner < 4; ++corner) {
        EXPECT_EQ(p.colourAt(corner % 2 * 4, corner / 2 * 4), fill) << corner;
    }
    EXPECT_EQ(p.colourAt(2, 2), greyColour(50));  // centre kept
    // Counter-clockwise: top-right goes to the top, top-left to the left, and so on.
    EXPECT_EQ(p.colourAt(2, 0), greyColour(30));
    EXPECT_EQ(p.colourAt(0, 2), greyColour(10));
    EXPECT_EQ(p.colourAt(2, 4), greyColour(70));
    EXPECT_EQ(p.colourAt(4, 2), greyColour(90));

    const Picture clockwise = turned(square, -4500, fill);
    EXPECT_EQ(clockwise.colourAt(2, 0), greyColour(10));
    EXPECT_EQ(clockwise.colourAt(4, 2), greyColour(30));

    const Picture panel = turned(Picture(160, 54), 3000);  // 138.56 + 27, 80 + 46.77
    EXPECT_EQ(panel.width(), 166);
    EXPECT_EQ(panel.height(), 127);
    EXPECT_EQ(turned(literal3x2(), 1).width(), 4);  // 2.9999999 + 0.0003 still grows

    Picture indexed(3, 3, 2);
    indexed.pixels().assign(9, 1);
    const Picture turnedIndexed = turned(indexed, 4500, makeColour(240, 240, 240));
    EXPECT_EQ(turnedIndexed.bits(), 2);
    EXPECT_EQ(turnedIndexed.palette(), Picture::greyPalette(2));
    EXPECT_EQ(turnedIndexed.row(0)[0], 3);  // nearest entry to the fill: white
    EXPECT_EQ(turnedIndexed.row(2)[2], 1);
}

TEST(Rotate, EmptyCorruptExtremeAndTooLarge) {
    Picture empty;
    EXPECT_EQ(rotate(empty, 4500, 0), kNoBitmap);
    EXPECT_EQ(rotate(empty, 9000, 0), kNoBitmap);

    Picture corrupt(3, 2);
    corrupt.pixels().resize(4);
    EXPECT_EQ(rotate(corrupt, 9000, 0), kCorruptData);
    EXPECT_EQ(rotate(corrupt, 1234, 0), kCorruptData);

    for (int extreme : {INT_MIN, INT_MAX}) {
        const Picture p = turned(literal3x2(), extreme);
        EXPECT_GE(p.width(), 3);
        EXPECT_GE(p.height(), 2);
    }

    Picture strip(kMaxPictureSide, 2, 8);  // turned by 45 degrees: 11587 x 11587 pixels
    EXPECT_EQ(rotate(strip, 4500, 0), kTooLarge);
    EXPECT_EQ(strip.width(), kMaxPictureSide);
    EXPECT_EQ(strip.height(), 2);
}
