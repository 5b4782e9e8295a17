#include "imaging/Filters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/Status.h"

using namespace imaging;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Filter = std::function<int(Picture&)>;

// A one-row indexed picture of `bits` with the given indices and its default or given palette.
Picture indexed(int bits, const Bytes& indices, const std::vector<Colour>& palette = {}) {
    Picture p(static_cast<int>(indices.size()), 1, bits);
    p.pixels() = indices;
    if (!palette.empty()) {
        p.palette() = palette;
    }
    return p;
}

// A one-row 24-bit picture of the given R, G, B triples.
Picture rgb(const Bytes& bytes) {
    Picture p(static_cast<int>(bytes.size() / 3), 1);
    p.pixels() = bytes;
    return p;
}

// An 8-bit picture with the identity grey palette holding the given grey levels.
Picture grey(int width, int height, const Bytes& levels) {
    Picture p(width, height, 8);
    p.pixels() = levels;
    return p;
}

Filter at(int (*filter)(Picture&, int), int strength) {
    return [=](Picture& p) { return filter(p, strength); };
}

// Per-channel median of a size x size window with clamped coordinates, computed plainly.
Picture referenceMedian(const Picture& p, int size) {
    Picture out = p;
    const int r = size / 2;
    const int channels = p.bytesPerPixel();
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            for (int c = 0; c < channels; ++c) {
                Bytes window;
                for (int dy = -r; dy <= r; ++dy) {
                    for (int dx = -r; dx <= r; ++dx) {
                        const int sx = std::clamp(x + dx, 0, p.width() - 1);
                        const int sy = std::clamp(y + dy, 0, p.height() - 1);
                        window.push_back(p.row(sy)[sx * channels + c]);
                    }
                }
                std::sort(window.begin(), window.end());
                out.row(y)[x * channels + c] = window[window.size() / 2];
            }
        }
    }
    return out;
}

}  // namespace

TEST(Filters, GoldenPixels) {
    const Picture mixed = rgb({0, 10, 20, 250, 128, 3, 77, 200, 90, 255, 0, 1});
    const Bytes levels{0, 100, 200, 255, 127, 128};
    // A lone 90 in the middle: every replicated 3x3 window holds it exactly once, mean 10.
    const Picture dot = grey(3, 3, {0, 0, 0, 0, 90, 0, 0, 0, 0});
    const Picture twoColours = indexed(1, {1}, {makeColour(10, 20, 30), makeColour(0, 0, 255)});
    // Indexed pictures other than 8-bit grey change their palette, or become 24-bit.
    const struct {
        const char* name;
        Filter filter;
        Picture in;
        Bytes out;
        std::vector<Colour> palette = {};  // empty: the input's
        int bits = 0;                      // 0: the input's
    } cases[] = {
        {"intensity 0", at(intensity, 0), mixed, mixed.pixels()},
        {"contrast 0", at(contrast, 0), mixed, mixed.pixels()},
        {"sharpen 0", at(sharpen, 0), mixed, mixed.pixels()},
        {"intensity +200 is +51", at(intensity, 200), rgb({10, 100, 250}), {61, 151, 255}},
        {"intensity -200", at(intensity, -200), rgb({10, 100, 250}), {0, 49, 199}},
        {"intensity clamped to 1000", at(intensity, 5000), rgb({10, 100, 250}), {255, 255, 255}},
        {"intensity -1000", at(intensity, -1000), rgb({10, 100, 250}), {0, 0, 0}},
        {"intensity of grey", at(intensity, 200), grey(2, 1, {100, 230}), {151, 255}},
        {"contrast -500", at(contrast, -500), rgb(levels), {64, 114, 164, 192, 128, 128}},
        {"contrast 500", at(contrast, 500), rgb(levels), {0, 72, 255, 255, 126, 128}},
        {"contrast 1000", at(contrast, 1000), rgb(levels), {0, 0, 255, 255, 0, 255}},
        {"contrast -1000", at(contrast, -1000), rgb(levels), Bytes(6, 128)},
        {"contrast -3000", at(contrast, -3000), rgb(levels), Bytes(6, 128)},
        // 90 + 2 * 80; the rest 0 - 2 * 10 clamps to 0.
        {"sharpen 1000", at(sharpen, 1000), dot, {0, 0, 0, 0, 250, 0, 0, 0, 0}},
        {"soften fully", at(sharpen, -1000), dot, Bytes(9, 10)},
        {"soften halfway", at(sharpen, -500), dot, {5, 5, 5, 5, 50, 5, 5, 5, 5}},
        // Per channel, border replicated: a 2x1 picture blurs each pixel with weights 6:3.
        {"soften rgb", at(sharpen, -1000), rgb({0, 90, 18, 9, 0, 18}), {3, 60, 18, 6, 30, 18}},
        {"invert", invert, rgb({0, 100, 255}), {255, 155, 0}},
        {"median border",
         at(median, 3),
         grey(3, 3, {10, 20, 30, 40, 250, 60, 70, 80, 90}),
         {20, 30, 30, 40, 60, 60, 70, 80, 90}},
        // Each channel its own median: the middle becomes a colour no input pixel had.
        {"median rgb",
         at(median, 3),
         rgb({0, 100, 200, 50, 0, 10, 255, 50, 0}),
         {0, 100, 200, 50, 50, 10, 255, 50, 0}},
        {"median wider than the picture", at(median, 5), grey(1, 1, {42}), {42}},
        {"equalise grey", histoEqualize, grey(4, 1, {10, 10, 50, 200}), {0, 0, 128, 255}},
        // Green holds one value and is kept.
        {"equalise rgb", histoEqualize, rgb({10, 20, 30, 50, 20, 90}), {0, 20, 0, 255, 20, 255}},
        {"intensity 2-bit",
         at(intensity, 200),
         indexed(2, {1, 2}),
         {1, 2},
         {greyColour(51), greyColour(136), greyColour(221), greyColour(255)}},
        {"sharpen 2-bit by 0", at(sharpen, 0), indexed(2, {1, 3}), {1, 3}},
        {"median 2-bit by 1", at(median, 1), indexed(2, {1, 3}), {1, 3}},
        // Entries 1 (85) twice and 2 (170) once; 0 and 3 unused.
        {"equalise 2-bit",
         histoEqualize,
         indexed(2, {1, 1, 2}),
         {1, 1, 2},
         {0, 0, 0xFFFFFF, 0xFFFFFF}},
        {"invert 1-bit",
         invert,
         twoColours,
         {1},
         {makeColour(245, 235, 225), makeColour(255, 255, 0)}},
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

TEST(Filters, MedianMatchesAPlainImplementationOnNoise) {
    for (int bits : {8, 24}) {
        Picture noisy(9, 6, bits);
        std::uint32_t seed = 7;
        for (std::uint8_t& v : noisy.pixels()) {
            seed = seed * 1664525u + 1013904223u;
            v = static_cast<std::uint8_t>(seed >> 24);
        }
        for (int size : {3, 5, 7}) {
            Picture p = noisy;
            EXPECT_EQ(median(p, size), kOk);
            EXPECT_EQ(p, referenceMedian(noisy, size)) << bits << " bits, size " << size;
        }
    }
}

TEST(Filters, EmptyCorruptAndBadArguments) {
    Picture corrupt(2, 2);
    corrupt.pixels().resize(5);  // buffer shorter than the picture
    for (const auto& [picture, status] :
         {std::pair{Picture(), kNoBitmap}, std::pair{corrupt, kCorruptData}}) {
        for (const Filter& filter : {at(intensity, 10), at(contrast, 10), at(sharpen, 10),
                                     Filter(invert), at(median, 3), Filter(histoEqualize)}) {
            Picture p = picture;
            EXPECT_EQ(filter(p), status);
            EXPECT_EQ(p, picture);
        }
    }
    const Picture mixed = rgb({0, 10, 20, 250, 128, 3});
    for (int size : {0, -1, 2, 4, kMaxMedianSize + 2}) {
        Picture p = mixed;
        EXPECT_EQ(median(p, size), kInvalidArgument) << size;
        EXPECT_EQ(p, mixed);
    }
}
