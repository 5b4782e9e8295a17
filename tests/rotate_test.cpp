#include "imaging/Rotate.h"

#include <gtest/gtest.h>

#include <climits>

#include "imaging/Status.h"

using namespace imaging;

using Bytes = std::vector<std::uint8_t>;

static Picture turned(Picture p, int hundredths, Colour fill = 0) {
    EXPECT_EQ(rotate(p, hundredths, fill), kOk) << hundredths;
    return p;
}

TEST(Rotate, QuarterTurnsArePermutations) {
    Picture grey(3, 2, 8);  // 1 2 3 over 4 5 6
    grey.pixels() = {1, 2, 3, 4, 5, 6};
    // The right column becomes the top row; negative turns and turns beyond a whole one wrap.
    for (const auto& [hundredths, width, pixels] :
         {std::tuple{9000, 2, Bytes{3, 6, 2, 5, 1, 4}},
          std::tuple{18000, 3, Bytes{6, 5, 4, 3, 2, 1}},
          std::tuple{-9000, 2, Bytes{4, 1, 5, 2, 6, 3}},
          std::tuple{45000, 2, Bytes{3, 6, 2, 5, 1, 4}}}) {
        const Picture p = turned(grey, hundredths);
        EXPECT_EQ(std::pair(p.width(), p.pixels()), std::pair(width, pixels)) << hundredths;
    }
    Picture rgb(2, 1);
    rgb.pixels() = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(turned(rgb, 9000).pixels(), (Bytes{4, 5, 6, 1, 2, 3}));
}

TEST(Rotate, OddAngleGrowsCanvasAndFills) {
    Picture square(3, 3, 8);
    square.pixels() = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    // 45 degrees counter-clockwise onto 3 * (cos + sin) = 4.24 -> 5 pixels; the rest is filled.
    EXPECT_EQ(turned(square, 4500, greyColour(5)).pixels(),
              (Bytes{5,  5,  30, 5,  5,  5,  20, 30, 60, 5,  10, 10, 50,
                     90, 90, 5,  40, 70, 80, 5,  5,  5,  70, 5,  5}));
    const Colour fill = makeColour(1, 2, 3);
    const Picture panel = turned(Picture(160, 54), 3000, fill);  // 138.56 + 27, 80 + 46.77
    EXPECT_EQ(std::pair(panel.width(), panel.height()), std::pair(166, 127));
    EXPECT_EQ(panel.colourAt(0, 0), fill);
    EXPECT_EQ(turned(Picture(3, 2), 1).width(), 4);  // 2.9999999 + 0.0003 still grows
    const Picture indexed = turned(Picture(3, 3, 2), 4500, makeColour(240, 240, 240));
    EXPECT_EQ(indexed.palette(), Picture(3, 3, 2).palette());
    // A corner takes the entry nearest the fill (white), the middle keeps its own.
    EXPECT_EQ((Bytes{indexed.pixels()[0], indexed.pixels()[12]}), (Bytes{3, 0}));
}

TEST(Rotate, EmptyCorruptExtremeAndTooLarge) {
    Picture empty, corrupt(3, 2);
    corrupt.pixels().resize(4);
    EXPECT_EQ(rotate(empty, 4500, 0), kNoBitmap);
    EXPECT_EQ(rotate(corrupt, 9000, 0), kCorruptData);
    EXPECT_GE(turned(Picture(3, 2), INT_MIN).width(), 3);
    EXPECT_GE(turned(Picture(3, 2), INT_MAX).width(), 3);
    Picture strip(kMaxPictureSide, 2, 8);  // turned by 45 degrees: 11587 x 11587 pixels
    EXPECT_EQ(rotate(strip, 4500, 0), kTooLarge);
    EXPECT_EQ(strip.width(), kMaxPictureSide);
}
