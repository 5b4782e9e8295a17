#include "imaging/Filters.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>

#include "imaging/Status.h"

using namespace imaging;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Filter = std::function<int(Picture&)>;

// A picture `width` wide of RGB triples at 24 bits, else indices into the default palette.
Picture of(int bits, int width, const Bytes& bytes) {
    Picture p(width, static_cast<int>(bytes.size()) / (width * (bits == 24 ? 3 : 1)), bits);
    p.pixels() = bytes;
    return p;
}

Filter at(int (*filter)(Picture&, int), int strength) {
    return [=](Picture& p) { return filter(p, strength); };
}

}  // namespace

TEST(Filters, GoldenPixels) {
    const Picture three = of(24, 1, {10, 100, 250});
    const Picture levels = of(24, 2, {0, 100, 200, 255, 127, 128});
    // A lone 90 in the middle: every replicated 3x3 window holds it exactly once, mean 10.
    const Picture dot = of(8, 3, {0, 0, 0, 0, 90, 0, 0, 0, 0});
    const Picture nine = of(8, 3, {10, 20, 30, 40, 250, 60, 70, 80, 90});
    const Picture pair = of(24, 2, {0, 90, 18, 9, 0, 18});
    const Picture grey2 = of(2, 3, {1, 2, 1});
    Picture twoColours = of(1, 1, {1});
    twoColours.palette() = {makeColour(10, 20, 30), makeColour(0, 0, 255)};
    const std::vector<Colour> lifted{0x333333, 0x888888, 0xDDDDDD, 0xFFFFFF};  // 2-bit greys + 51
    // Indexed pictures other than 8-bit grey change their palette, or become 24-bit.
    const struct {
        const char* name;
        Filter filter;
        Picture in;
        Bytes out;
        std::vector<Colour> palette = {};  // empty: the input's
        int bits = 0;                      // 0: the input's
    } cases[] = {
        {"intensity +200 is +51", at(intensity, 200), three, {61, 151, 255}},
        {"intensity clamped to 1000", at(intensity, 5000), three, {255, 255, 255}},
        {"intensity of grey", at(intensity, -200), of(8, 2, {100, 30}), {49, 0}},
        {"contrast -500", at(contrast, -500), levels, {64, 114, 164, 192, 128, 128}},
        {"contrast 500", at(contrast, 500), levels, {0, 72, 255, 255, 126, 128}},
        {"contrast clamped to -1000", at(contrast, -3000), levels, Bytes(6, 128)},
        // 90 + 2 * 80; the rest 0 - 2 * 10 clamps to 0.
        {"sharpen 1000", at(sharpen, 1000), dot, {0, 0, 0, 0, 250, 0, 0, 0, 0}},
        {"soften fully", at(sharpen, -1000), dot, Bytes(9, 10)},
        // Per channel, border replicated: a 2x1 picture blurs each pixel with weights 6:3.
        {"soften rgb", at(sharpen, -1000), pair, {3, 60, 18, 6, 30, 18}},
        {"invert", invert, three, {245, 155, 5}},
        {"median border", at(median, 3), nine, {20, 30, 30, 40, 60, 60, 70, 80, 90}},
        {"median 5", at(median, 5), nine, {30, 30, 30, 40, 60, 60, 70, 70, 80}},
        // Each channel its own median: the middle becomes a colour no input pixel had.
        {"median rgb",
         at(median, 3),
         of(24, 3, {0, 100, 200, 50, 0, 10, 255, 50, 0}),
         {0, 100, 200, 50, 50, 10, 255, 50, 0}},
        {"equalise grey", histoEqualize, of(8, 4, {10, 10, 50, 200}), {0, 0, 128, 255}},
        {"equalise rgb: blue holds one value", histoEqualize, pair, {0, 255, 18, 255, 0, 18}},
        {"intensity 2-bit", at(intensity, 200), grey2, {1, 2, 1}, lifted},
        {"median 2-bit by 1", at(median, 1), grey2, {1, 2, 1}},
        // Entries 1 (85) twice and 2 (170) once; 0 and 3 unused.
        {"equalise 2-bit", histoEqualize, grey2, {1, 2, 1}, {0, 0, 0xFFFFFF, 0xFFFFFF}},
        {"invert 1-bit", invert, twoColours, {1}, {makeColour(245, 235, 225), 0x00FFFF}},
        {"sharpen 1-bit", at(sharpen, 700), twoColours, {0, 0, 255}, {}, 24},
    };
    for (const auto& c : cases) {
        Picture p = c.in;
        EXPECT_EQ(c.filter(p), kOk) << c.name;
        EXPECT_EQ(p.pixels(), c.out) << c.name;
        const int bits = c.bits != 0 ? c.bits : c.in.bits();
        const std::vector<Colour> palette = c.palette.empty() ? c.in.palette() : c.palette;
        EXPECT_EQ(p.bits(), bits) << c.name;
        EXPECT_EQ(p.palette(), bits == 24 ? std::vector<Colour>{} : palette) << c.name;
    }
}

TEST(Filters, MedianOfEveryZeroOneWindow) {
    // A comparator network that picks the median of every 0/1 window picks it of every window.
    for (unsigned ones = 0; ones < 512; ++ones) {
        Picture p(3, 3, 8);
        for (int i = 0; i < 9; ++i) {
            p.pixels()[i] = (ones >> i) & 1;
        }
        ASSERT_EQ(median(p, 3), kOk);
        ASSERT_EQ(p.row(1)[1], std::popcount(ones) >= 5 ? 1 : 0) << ones;
    }
}

TEST(Filters, EmptyCorruptAndBadArgumentsLeaveThePicture) {
    Picture corrupt(2, 2);
    corrupt.pixels().resize(5);  // buffer shorter than the picture
    std::vector<std::tuple<Picture, Filter, int>> cases;
    for (const Filter& filter : {at(intensity, 10), at(contrast, 10), at(sharpen, 10),
                                 Filter(invert), at(median, 3), Filter(histoEqualize)}) {
        cases.insert(cases.end(),
                     {{Picture(), filter, kNoBitmap}, {corrupt, filter, kCorruptData}});
    }
    for (int size : {0, -1, 2, kMaxMedianSize + 2}) {
        cases.emplace_back(of(8, 2, {3, 4}), at(median, size), kInvalidArgument);
    }
    for (const auto& [picture, filter, status] : cases) {
        Picture p = picture;
        EXPECT_EQ(filter(p), status);
        EXPECT_EQ(p, picture);
    }
}
