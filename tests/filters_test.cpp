#include "imaging/Filters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/Status.h"

using namespace imaging;

namespace {

// A 24-bit picture whose pixels are the given R, G, B triples, row by row.
Picture rgbPicture(int width, int height, const std::vector<std::uint8_t>& bytes) {
    Picture p(width, height);
    p.pixels() = bytes;
    return p;
}

// An 8-bit picture with the identity grey palette holding the given grey levels.
Picture greyPicture(int width, int height, const std::vector<std::uint8_t>& levels) {
    Picture p(width, height, 8);
    p.pixels() = levels;
    return p;
}

Picture mixedPicture() {
    return rgbPicture(3, 2,
                      {0, 10, 20, 250, 128, 3, 77, 200, 90, 255, 0, 1, 128, 127, 129, 60, 61, 62});
}

// Per-channel median of a size x size window with clamped coordinates, computed plainly.
Picture referenceMedian(const Picture& p, int size) {
    Picture out = p;
    const int r = size / 2;
    const int channels = p.bytesPerPixel();
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            for (int c = 0; c < channels; ++c) {
                std::vector<std::uint8_t> window;
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

Picture noisyPicture(int width, int height, int bits) {
    Picture p(width, height, bits);
    std::uint32_t seed = 7;
    for (std::uint8_t& v : p.pixels()) {
        seed = seed * 1664525u + 1013904223u;
        v = static_cast<std::uint8_t>(seed >> 24);
    }
    return p;
}

}  // namespace

TEST(Filters, ZeroStrengthsAreIdentity) {
    for (int (*filter)(Picture&, int) : {intensity, contrast, sharpen}) {
        Picture p = mixedPicture();
        EXPECT_EQ(filter(p, 0), kOk);
        EXPECT_EQ(p, mixedPicture());
    }
    Picture indexed(2, 1, 2);
    indexed.pixels() = {1, 3};
    const Picture before = indexed;
    EXPECT_EQ(sharpen(indexed, 0), kOk);
    EXPECT_EQ(median(indexed, 1), kOk);
    EXPECT_EQ(indexed, before);  // still 2-bit, untouched
}

TEST(Filters, IntensityShiftsEveryChannelAndClamps) {
    Picture p = rgbPicture(1, 1, {10, 100, 250});
    EXPECT_EQ(intensity(p, 200), kOk);  // +51
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{61, 151, 255}));
    p = rgbPicture(1, 1, {10, 100, 250});
    EXPECT_EQ(intensity(p, -200), kOk);
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{0, 49, 199}));
    p = rgbPicture(1, 1, {10, 100, 250});
    EXPECT_EQ(intensity(p, 5000), kOk);  // clamped to 1000: white
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{255, 255, 255}));
    p = rgbPicture(1, 1, {10, 100, 250});
    EXPECT_EQ(intensity(p, -1000), kOk);
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{0, 0, 0}));

    Picture grey = greyPicture(2, 1, {100, 230});
    EXPECT_EQ(intensity(grey, 200), kOk);
    EXPECT_EQ(grey.pixels(), (std::vector<std::uint8_t>{151, 255}));
    EXPECT_EQ(grey.palette(), Picture::greyPalette(8));

    Picture indexed(2, 1, 2);  // palette 0, 85, 170, 255
    indexed.pixels() = {1, 2};
    EXPECT_EQ(intensity(indexed, 200), kOk);
    EXPECT_EQ(indexed.pixels(), (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(indexed.palette(), (std::vector<Colour>{greyColour(51), greyColour(136),
                                                      greyColour(221), greyColour(255)}));
}

TEST(Filters, ContrastAroundMidGrey) {
    const std::vector<std::uint8_t> levels{0, 100, 200, 255, 127, 128};
    struct Case {
        int strength;
        std::vector<std::uint8_t> expected;
    };
    const Case cases[] = {
        {-500, {64, 114, 164, 192, 128, 128}},   {500, {0, 72, 255, 255, 126, 128}},
        {1000, {0, 0, 255, 255, 0, 255}},        {-1000, {128, 128, 128, 128, 128, 128}},
        {-3000, {128, 128, 128, 128, 128, 128}},
    };
    for (const Case& c : cases) {
        Picture p = rgbPicture(2, 1, levels);
        EXPECT_EQ(contrast(p, c.strength), kOk);
        EXPECT_EQ(p.pixels(), c.expected) << "strength " << c.strength;
    }
}

TEST(Filters, SharpenAndSoftenAgainstBoxBlur) {
    // A lone 90 in the middle: every replicated 3x3 window holds it exactly once, mean 10.
    const Picture dot = greyPicture(3, 3, {0, 0, 0, 0, 90, 0, 0, 0, 0});
    Picture p = dot;
    EXPECT_EQ(sharpen(p, 1000), kOk);  // 90 + 2 * 80; the rest 0 - 2 * 10 clamps to 0
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{0, 0, 0, 0, 250, 0, 0, 0, 0}));
    p = dot;
    EXPECT_EQ(sharpen(p, -1000), kOk);  // full blur
    EXPECT_EQ(p.pixels(), std::vector<std::uint8_t>(9, 10));
    p = dot;
    EXPECT_EQ(sharpen(p, -500), kOk);  // half way to the blur
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{5, 5, 5, 5, 50, 5, 5, 5, 5}));

    // Per channel at 24 bits, border replicated: a 2x1 picture blurs each pixel with weights 6:3.
    p = rgbPicture(2, 1, {0, 90, 18, 9, 0, 18});
    EXPECT_EQ(sharpen(p, -1000), kOk);
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{3, 60, 18, 6, 30, 18}));

    Picture indexed(1, 1, 1);
    indexed.palette() = {makeColour(200, 0, 0), makeColour(0, 0, 255)};
    indexed.pixels() = {1};
    EXPECT_EQ(sharpen(indexed, 700), kOk);  // other indexed pictures become 24-bit
    EXPECT_EQ(indexed.bits(), 24);
    EXPECT_EQ(indexed.pixels(), (std::vector<std::uint8_t>{0, 0, 255}));
}

TEST(Filters, InvertIsItsOwnInverse) {
    Picture p = rgbPicture(1, 1, {0, 100, 255});
    EXPECT_EQ(invert(p), kOk);
    EXPECT_EQ(p.pixels(), (std::vector<std::uint8_t>{255, 155, 0}));
    Picture twice = mixedPicture();
    EXPECT_EQ(invert(twice), kOk);
    EXPECT_EQ(invert(twice), kOk);
    EXPECT_EQ(twice, mixedPicture());

    Picture indexed(1, 1, 1);
    indexed.palette() = {makeColour(10, 20, 30), makeColour(255, 255, 255)};
    EXPECT_EQ(invert(indexed), kOk);
    EXPECT_EQ(indexed.palette(), (std::vector<Colour>{makeColour(245, 235, 225), 0}));
}

TEST(Filters, MedianReplicatesBorder) {
    Picture grey = greyPicture(3, 3, {10, 20, 30, 40, 250, 60, 70, 80, 90});
    EXPECT_EQ(median(grey, 3), kOk);
    // (0,0) sees 10 x4, 20 x2, 40 x2, 250: 20. (1,0) sees 10,20,30 twice and 40,250,60: 30.
    // (1,1) sees everything: 60. (2,2) sees 60 x2, 80 x2, 90 x4, 250: 90.
    EXPECT_EQ(grey.row(0)[0], 20);
    EXPECT_EQ(grey.row(0)[1], 30);
    EXPECT_EQ(grey.row(1)[1], 60);
    EXPECT_EQ(grey.row(2)[2], 90);

    // Each channel is its own median, so the middle pixel is a colour no input pixel had.
    Picture rgb = rgbPicture(3, 1, {0, 100, 200, 50, 0, 10, 255, 50, 0});
    EXPECT_EQ(median(rgb, 3), kOk);
    EXPECT_EQ(rgb.pixels(), (std::vector<std::uint8_t>{0, 100, 200, 50, 50, 10, 255, 50, 0}));

    for (int bits : {8, 24}) {
        for (int size : {3, 5, 7}) {
            const Picture noisy = noisyPicture(9, 6, bits);
            Picture p = noisy;
            EXPECT_EQ(median(p, size), kOk);
            EXPECT_EQ(p, referenceMedian(noisy, size)) << bits << " bits, size " << size;
        }
    }

    Picture tiny = greyPicture(1, 1, {42});
    EXPECT_EQ(median(tiny, 5), kOk);  // window larger than the picture
    EXPECT_EQ(tiny.pixels(), (std::vector<std::uint8_t>{42}));
}

TEST(Filters, HistogramEqualisation) {
    Picture grey = greyPicture(4, 1, {10, 10, 50, 200});  // cdf 2, 3, 4 from cdfMin 2
    EXPECT_EQ(histoEqualize(grey), kOk);
    EXPECT_EQ(grey.pixels(), (std::vector<std::uint8_t>{0, 0, 128, 255}));

    Picture rgb = rgbPicture(2, 1, {10, 20, 30, 50, 20, 90});  // green has one value: kept
    EXPECT_EQ(histoEqualize(rgb), kOk);
    EXPECT_EQ(rgb.pixels(), (std::vector<std::uint8_t>{0, 20, 0, 255, 20, 255}));

    Picture indexed(3, 1, 2);  // entries 1 (85) twice and 2 (170) once; 0 and 3 unused
    indexed.pixels() = {1, 1, 2};
    EXPECT_EQ(histoEqualize(indexed), kOk);
    EXPECT_EQ(indexed.pixels(), (std::vector<std::uint8_t>{1, 1, 2}));
    EXPECT_EQ(indexed.palette(), (std::vector<Colour>{0, 0, 0xFFFFFF, 0xFFFFFF}));
}

TEST(Filters, EmptyCorruptAndBadArguments) {
    std::vector<Picture> broken(2);
    broken[1] = Picture(2, 2);
    broken[1].pixels().resize(5);  // buffer shorter than the picture
    const int expected[] = {kNoBitmap, kCorruptData};
    for (int i = 0; i < 2; ++i) {
        Picture& p = broken[i];
        EXPECT_EQ(intensity(p, 10), expected[i]);
        EXPECT_EQ(contrast(p, 10), expected[i]);
        EXPECT_EQ(sharpen(p, 10), expected[i]);
        EXPECT_EQ(invert(p), expected[i]);
        EXPECT_EQ(median(p, 3), expected[i]);
        EXPECT_EQ(histoEqualize(p), expected[i]);
    }
    EXPECT_EQ(broken[1].pixels().size(), 5u);

    for (int size : {0, -1, 2, 4, kMaxMedianSize + 2}) {
        Picture p = mixedPicture();
        EXPECT_EQ(median(p, size), kInvalidArgument) << size;
        EXPECT_EQ(p, mixedPicture());
    }
}
