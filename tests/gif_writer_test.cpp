#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <random>

#include "tools/GifWriter.h"

using imaging::Colour;
using imaging::Picture;

namespace {

// An indexed picture whose pixel (x, y) takes palette index f(x, y).
template <typename F>
Picture indexed(int w, int h, int bits, std::vector<Colour> palette, F f) {
    Picture p(w, h, bits);
    p.palette() = std::move(palette);
    p.palette().resize(static_cast<std::size_t>(1) << bits, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.row(y)[x] = static_cast<std::uint8_t>(f(x, y));
        }
    }
    return p;
}

QByteArray encoded(const std::vector<Picture>& frames, int delay = 10) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(tools::writeGif(buffer, frames, delay), tools::kGifOk);
    return bytes;
}

struct Decoded {
    std::vector<QImage> images;
    std::vector<int> delays;
};

Decoded decoded(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    Decoded d;
    while (reader.canRead()) {
        QImage image = reader.read();
        if (image.isNull()) {
            break;
        }
        d.images.push_back(image);
        d.delays.push_back(reader.nextImageDelay());
    }
    return d;
}

// Every pixel of the frame's area (Qt composes frames onto the whole logical screen) has the
// colour the picture shows there.
void expectSamePixels(const QImage& image, const Picture& p) {
    ASSERT_GE(image.width(), p.width());
    ASSERT_GE(image.height(), p.height());
    int mismatches = 0;
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            const Colour c = p.colourAt(x, y);
            const QRgb q = image.pixel(x, y);
            if (qRed(q) != imaging::redOf(c) || qGreen(q) != imaging::greenOf(c) ||
                qBlue(q) != imaging::blueOf(c)) {
                ++mismatches;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

Picture noise(int w, int h, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<Colour> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(imaging::makeColour(i, 255 - i, (i * 7) & 0xFF));
    }
    return indexed(w, h, 8, palette, [&rng](int, int) { return static_cast<int>(rng() & 0xFF); });
}

}  // namespace

TEST(GifWriter, ThreeFramesKeepTheirColoursAndDelay) {
    const std::vector<Picture> frames{
        indexed(5, 3, 2, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000},
                [](int x, int) { return x % 4; }),
        indexed(5, 3, 1, {0x123456, 0xABCDEF}, [](int x, int y) { return (x + y) % 2; }),
        indexed(5, 3, 4, {0x101010, 0x202020, 0x303030}, [](int, int y) { return y; }),
    };
    const Decoded d = decoded(encoded(frames));
    ASSERT_EQ(d.images.size(), 3u);
    EXPECT_EQ(d.images[0].size(), QSize(5, 3));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        expectSamePixels(d.images[i], frames[i]);
        EXPECT_EQ(d.delays[i], 100);
    }
}

TEST(GifWriter, StartsAsGif89aWithLoopExtension) {
    const QByteArray bytes =
        encoded({indexed(2, 2, 1, {0, 0xFFFFFF}, [](int x, int) { return x; })});
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    EXPECT_TRUE(bytes.contains("NETSCAPE2.0"));
    EXPECT_EQ(bytes.back(), '\x3B');
}

TEST(GifWriter, OnePixelAndFullSizeFrames) {
    const Picture one = indexed(1, 1, 2, {0, 0x0000FF, 0, 0}, [](int, int) { return 1; });
    const Picture big =
        indexed(256, 256, 8, Picture::greyPalette(8), [](int x, int y) { return (x ^ y) & 0xFF; });
    const Decoded d = decoded(encoded({one, big}));
    ASSERT_EQ(d.images.size(), 2u);
    expectSamePixels(d.images[0], one);
    expectSamePixels(d.images[1], big);
}

TEST(GifWriter, NoisyFrameFillsTheCodeTableAndStillDecodes) {
    // 256 x 256 random indices add far more than 4096 codes, so the table is cleared repeatedly.
    const Picture frame = noise(256, 256, 7);
    const Decoded d = decoded(encoded({frame, noise(97, 61, 11)}));
    ASSERT_EQ(d.images.size(), 2u);
    expectSamePixels(d.images[0], frame);
    expectSamePixels(d.images[1], noise(97, 61, 11));
}

TEST(GifWriter, LongRunsGrowCodesToTwelveBits) {
    // Few colours in long runs: codes grow through every width before a clear.
    const Picture frame =
        indexed(256, 200, 1, {0, 0xFFFFFF}, [](int x, int y) { return ((x * y) / 37) % 2; });
    const Decoded d = decoded(encoded({frame}));
    ASSERT_EQ(d.images.size(), 1u);
    expectSamePixels(d.images[0], frame);
}

TEST(GifWriter, TrueColourFramesAreMappedOntoTheirColours) {
    Picture frame(16, 16, 24);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            frame.setColourAt(x, y, imaging::makeColour(x * 16, y * 16, 77));
        }
    }
    const Decoded d = decoded(encoded({frame}));
    ASSERT_EQ(d.images.size(), 1u);
    expectSamePixels(d.images[0], frame);
}

TEST(GifWriter, RefusesWhatItCannotWrite) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(tools::writeGif(buffer, {}, 10), tools::kGifNoFrames);
    EXPECT_EQ(tools::writeGif(buffer, {Picture()}, 10), tools::kGifBadFrame);
    Picture outside = indexed(2, 1, 1, {0, 0xFFFFFF}, [](int, int) { return 0; });
    outside.row(0)[1] = 5;
    EXPECT_EQ(tools::writeGif(buffer, {outside}, 10), tools::kGifBadFrame);
    Picture many(17, 16, 24);
    for (int i = 0; i < 17 * 16; ++i) {
        many.setColourAt(i % 17, i / 17, imaging::makeColour(i & 0xFF, i >> 8, 0));
    }
    EXPECT_EQ(tools::writeGif(buffer, {many}, 10), tools::kGifTooManyColours);
    EXPECT_TRUE(bytes.isEmpty());
}

TEST(GifWriter, SaveReplacesTheFileOnlyOnSuccess) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.gif");
    const Picture frame = indexed(3, 3, 1, {0, 0xFFFFFF}, [](int x, int) { return x % 2; });
    ASSERT_EQ(tools::saveGif(path, {frame}, 10), tools::kGifOk);
    EXPECT_EQ(tools::saveGif(path, {}, 10), tools::kGifNoFrames);
    QImageReader reader(path);
    EXPECT_EQ(reader.imageCount(), 1);
    EXPECT_EQ(tools::saveGif(dir.filePath("missing/a.gif"), {frame}, 10), tools::kGifWriteFailed);
}
