#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <array>
#include <memory>
#include <random>

#include "tests/support/TempFolderTest.h"
#include "tools/GifWriter.h"

using imaging::Colour;
using imaging::Picture;

namespace {

// An indexed picture with the given palette (possibly shorter than 2^bits) and random indices.
Picture frame(int w, int h, int bits, const std::vector<Colour>& palette, unsigned seed) {
    Picture p(w, h, bits);
    p.palette() = palette;
    std::mt19937 rng(seed);
    std::generate(p.pixels().begin(), p.pixels().end(), [&] { return rng() % (1u << bits); });
    return p;
}

int encode(const std::vector<Picture>& frames, QByteArray* bytes) {
    tools::GifAnimation animation;
    int status = animation.begin(300, 120, 7);
    for (std::size_t i = 0; i < frames.size() && status == tools::kGifOk; ++i) {
        status = animation.add(frames[i]);
    }
    return status == tools::kGifOk ? animation.finish(bytes) : status;
}

using GifWriterTest = TempFolderTest;

// Each depth; a one-pixel frame; a palette shorter than the table (padded black); and a noisy
// 8-bit frame larger than the others, long enough for the code table to fill.
TEST_F(GifWriterTest, FramesKeepTheirSizePaletteIndicesAndDelayAndLoopForEver) {
    const std::vector<Picture> frames{frame(5, 3, 2, {0x000000, 0x0000FF, 0x00FF00, 0xFF0000}, 1),
                                      frame(1, 1, 1, {0x123456, 0xABCDEF}, 2),
                                      frame(7, 2, 4, {0x101010, 0x202020, 0x303030}, 3),
                                      frame(300, 120, 8, Picture::greyPalette(8), 4)};
    QByteArray bytes;
    ASSERT_EQ(encode(frames, &bytes), tools::kGifOk);
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    const QString file = write("a.gif", bytes);
    const std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(
        DGifOpenFileName(QFile::encodeName(file).constData(), nullptr),
        [](GifFileType* g) { DGifCloseFile(g, nullptr); });
    ASSERT_TRUE(gif && DGifSlurp(gif.get()) == GIF_OK);
    EXPECT_EQ((std::array{gif->SWidth, gif->SHeight}), (std::array{300, 120}));
    ASSERT_EQ(gif->ImageCount, 4);
    for (int i = 0; i < 4; ++i) {
        const Picture& p = frames[i];
        const GifImageDesc& desc = gif->SavedImages[i].ImageDesc;
        EXPECT_EQ((std::array{desc.Left, desc.Top, desc.Width, desc.Height}),
                  (std::array{0, 0, p.width(), p.height()}));
        ASSERT_TRUE(desc.ColorMap && desc.ColorMap->ColorCount == 1 << p.bits());
        for (int c = 0; c < (1 << p.bits()); ++c) {
            const GifColorType rgb = desc.ColorMap->Colors[c];
            const Colour padded = c < static_cast<int>(p.palette().size()) ? p.palette()[c] : 0;
            EXPECT_EQ(imaging::makeColour(rgb.Red, rgb.Green, rgb.Blue), padded) << i;
        }
        const GifByteType* raster = gif->SavedImages[i].RasterBits;
        EXPECT_EQ(std::vector<std::uint8_t>(raster, raster + p.pixels().size()), p.pixels()) << i;
        GraphicsControlBlock control{};
        ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), i, &control), GIF_OK);
        EXPECT_EQ((std::array{control.DelayTime, control.DisposalMode, control.TransparentColor}),
                  (std::array{7, DISPOSE_DO_NOT, NO_TRANSPARENT_COLOR}));
    }
    const ExtensionBlock* loop = gif->SavedImages[0].ExtensionBlocks;
    ASSERT_GE(gif->SavedImages[0].ExtensionBlockCount, 2);
    EXPECT_EQ(loop[0].Function, APPLICATION_EXT_FUNC_CODE);  // on the first frame: loop for ever
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(loop[0].Bytes), loop[0].ByteCount) +
                  QByteArray(reinterpret_cast<const char*>(loop[1].Bytes), loop[1].ByteCount),
              QByteArray("NETSCAPE2.0\x01\x00\x00", 14));
}

TEST(GifWriter, RefusesFramesItCannotHold) {
    Picture outside = frame(2, 1, 1, {0, 0xFFFFFF}, 5);
    outside.row(0)[1] = 2;  // past the table of a 1-bit frame
    for (const auto& [frames, status] : std::vector<std::pair<std::vector<Picture>, int>>{
             {{}, tools::kGifNoFrames},
             {{Picture()}, tools::kGifBadFrame},
             {{Picture(2, 2, 24)}, tools::kGifBadFrame},
             {{frame(2, 2, 1, {}, 6), outside}, tools::kGifBadFrame}}) {
        QByteArray bytes("untouched");
        EXPECT_EQ(encode(frames, &bytes), status);
        EXPECT_EQ(bytes, "untouched");
    }
}

}  // namespace
