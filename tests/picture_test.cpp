#include "imaging/Picture.h"

#include <gtest/gtest.h>

using namespace imaging;

TEST(Picture, SizesBitsAndPalette) {
    EXPECT_TRUE(Picture(0, 5).isEmpty());
    EXPECT_TRUE(Picture(0, 5).pixels().empty());
    EXPECT_TRUE(Picture(-3, -3, 8).isEmpty());
    const Picture odd(3, 2, 5);  // unknown depth becomes 24 bits
    EXPECT_EQ(odd.bits(), 24);
    EXPECT_EQ(odd.pixels().size(), 18u);
    EXPECT_EQ(Picture(4, 1, 2).palette(), (std::vector<Colour>{0, 0x555555, 0xAAAAAA, 0xFFFFFF}));
    EXPECT_EQ(Picture(1, 1, 1).palette(), (std::vector<Colour>{0x000000, 0xFFFFFF}));
}

TEST(Picture, ColoursThroughPaletteAndOutside) {
    Picture p(2, 2, 2);
    p.setColourAt(1, 1, makeColour(160, 180, 170));  // nearest grey is 170
    EXPECT_EQ(p.row(1)[1], 2);
    EXPECT_EQ(p.colourAt(1, 1), 0xAAAAAAu);
    p.setColourAt(5, -1, 0xFFFFFF);  // outside: ignored
    EXPECT_EQ(p.colourAt(5, -1), 0u);
    Picture rgb(1, 1);
    rgb.setColourAt(0, 0, makeColour(1, 2, 3));
    EXPECT_EQ(rgb.pixels(), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(toTrueColour(p).pixels(),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 170, 170, 170}));
}
