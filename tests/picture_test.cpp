#include "imaging/Picture.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using namespace imaging;

TEST(Picture, SizesPalettesAndColours) {
    EXPECT_TRUE(Picture(0, 5).isEmpty() && Picture(0, 5).pixels().empty());
    EXPECT_TRUE(Picture(-3, -3, 8).isEmpty());
    const Picture odd(3, 2, 5);  // unknown depth becomes 24 bits
    EXPECT_EQ(odd.bits(), 24);
    EXPECT_EQ(odd.pixels().size(), 18u);
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

TEST(Picture, CopiesShareUntilOneWritesAndWritesNeverShowInAnother) {
    const auto made = [] {
        Picture p(3, 2, 2);
        p.setColourAt(1, 1, 0xFFFFFF);
        return p;
    };
    Picture original = made();
    const Picture unchanged = made();  // pixels of its own, to compare with
    const std::vector<std::function<void(Picture&)>> writes = {
        [](Picture& p) { p.row(1)[0] = 3; },
        [](Picture& p) { p.pixels().back() = 1; },
        [](Picture& p) { p.palette()[0] = 0x123456; },
        [](Picture& p) { p.setColourAt(2, 0, 0xAAAAAA); },
    };
    for (std::size_t i = 0; i < writes.size(); ++i) {
        Picture copy = original;
        EXPECT_EQ(std::as_const(copy).pixels().data(), std::as_const(original).pixels().data());
        writes[i](copy);
        EXPECT_NE(copy, unchanged) << i;
        EXPECT_EQ(original, unchanged) << i;
        Picture assigned;
        assigned = original;
        writes[i](original);  // the original writes while a copy still shares it
        EXPECT_EQ(assigned, unchanged) << i;
        EXPECT_EQ(original, copy) << i;
        original = made();
    }
    Picture moved = std::move(original);
    EXPECT_TRUE(original.isEmpty());
    EXPECT_EQ(original.colourAt(0, 0), 0u);
    EXPECT_EQ(moved, unchanged);
}
