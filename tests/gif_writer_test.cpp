#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <memory>
#include <random>

#include "tests/support/FileSystemLimits.h"
#include "tests/support/TempFolderTest.h"
#include "tools/GifWriter.h"

using imaging::Colour;
using imaging::Picture;

namespace {

// An indexed picture with the given palette (possibly shorter than 2^bits) and random indices
// below `colours`.
Picture frame(int w, int h, int bits, const std::vector<Colour>& palette, int colours,
              unsigned seed) {
    Picture p(w, h, bits);
    p.palette() = palette;
    std::mt19937 rng(seed);
    for (std::uint8_t& v : p.pixels()) {
        v = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(colours));
    }
    return p;
}

struct GifCloser {
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using Decoded = std::unique_ptr<GifFileType, GifCloser>;

// The whole GIF file read back by giflib, or null when it is not a readable GIF.
Decoded decode(const QString& file) {
    Decoded gif(DGifOpenFileName(QFile::encodeName(file).constData(), nullptr));
    if (gif && DGifSlurp(gif.get()) != GIF_OK) {
        gif.reset();
    }
    return gif;
}

QByteArray blockBytes(const ExtensionBlock& block) {
    return QByteArray(reinterpret_cast<const char*>(block.Bytes), block.ByteCount);
}

void expectFrame(GifFileType* gif, int index, const Picture& p) {
    const SavedImage& image = gif->SavedImages[index];
    EXPECT_EQ(image.ImageDesc.Left, 0);
    EXPECT_EQ(image.ImageDesc.Top, 0);
    ASSERT_EQ(image.ImageDesc.Width, p.width());
    ASSERT_EQ(image.ImageDesc.Height, p.height());
    ASSERT_NE(image.ImageDesc.ColorMap, nullptr);
    ASSERT_EQ(image.ImageDesc.ColorMap->ColorCount, 1 << p.bits());
    for (int i = 0; i < (1 << p.bits()); ++i) {
        const GifColorType c = image.ImageDesc.ColorMap->Colors[i];
        const Colour expected = i < static_cast<int>(p.palette().size()) ? p.palette()[i] : 0;
        EXPECT_EQ(imaging::makeColour(c.Red, c.Green, c.Blue), expected) << index;
    }
    EXPECT_TRUE(std::equal(p.pixels().begin(), p.pixels().end(), image.RasterBits)) << index;
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif, index, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 7);
    EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
    EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
}

// The first frame carries the application extension that loops the animation for ever.
void expectEndlessLoop(GifFileType* gif) {
    const SavedImage& first = gif->SavedImages[0];
    ASSERT_GE(first.ExtensionBlockCount, 2);
    EXPECT_EQ(first.ExtensionBlocks[0].Function, APPLICATION_EXT_FUNC_CODE);
    EXPECT_EQ(blockBytes(first.ExtensionBlocks[0]), "NETSCAPE2.0");
    EXPECT_EQ(blockBytes(first.ExtensionBlocks[1]), QByteArray("\x01\x00\x00", 3));
}

class GifWriterTest : public TempFolderTest {};

}  // namespace

TEST_F(GifWriterTest, FramesKeepTheirSizePaletteIndicesAndDelay) {
    // Each depth; a one-pixel frame; a palette shorter than the table (padded black); and a
    // noisy 8-bit frame larger than the others, long enough for the code table to fill.
    const std::vector<Picture> frames{
        frame(5, 3, 2, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000}, 4, 1),
        frame(1, 1, 1, {0x123456, 0xABCDEF}, 2, 2),
        frame(7, 2, 4, {0x101010, 0x202020, 0x303030}, 16, 3),
        frame(300, 120, 8, Picture::greyPalette(8), 256, 4),
    };
    const QString file = path("a.gif");
    ASSERT_EQ(tools::saveGif(file, frames, 7), tools::kGifOk);
    EXPECT_TRUE(bytesOf(file).startsWith("GIF89a"));
    const Decoded gif = decode(file);
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->SWidth, 300);
    EXPECT_EQ(gif->SHeight, 120);
    ASSERT_EQ(gif->ImageCount, 4);
    for (int i = 0; i < 4; ++i) {
        expectFrame(gif.get(), i, frames[i]);
    }
    expectEndlessLoop(gif.get());
}

TEST_F(GifWriterTest, RefusesFramesItCannotHold) {
    Picture outside = frame(2, 1, 1, {0, 0xFFFFFF}, 2, 5);
    outside.row(0)[1] = 2;
    const std::vector<std::pair<std::vector<Picture>, int>> cases{
        {{}, tools::kGifNoFrames},
        {{Picture()}, tools::kGifBadFrame},
        {{Picture(2, 2, 24)}, tools::kGifBadFrame},
        {{frame(2, 2, 1, {}, 2, 6), outside}, tools::kGifBadFrame},
    };
    for (const auto& [frames, status] : cases) {
        QByteArray bytes("untouched");
        EXPECT_EQ(tools::encodeGif(frames, 10, &bytes), status);
        EXPECT_EQ(bytes, "untouched");
    }
}

TEST_F(GifWriterTest, FailedWriteKeepsThePreviousFile) {
    const QString file = write("a.gif", "previous");
    const std::vector<Picture> frames{frame(160, 54, 2, {}, 4, 7)};
    {
        FileSizeLimit limit(100);
        EXPECT_EQ(tools::saveGif(file, frames, 10), tools::kGifWriteFailed);
    }
    EXPECT_EQ(bytesOf(file), "previous");
    EXPECT_EQ(tools::saveGif(path("missing/a.gif"), frames, 10), tools::kGifCannotCreate);
    EXPECT_EQ(tools::saveGif(file, frames, 10), tools::kGifOk);
}
