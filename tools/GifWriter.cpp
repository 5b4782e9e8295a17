#include "tools/GifWriter.h"

#include <gif_lib.h>

#include <algorithm>
#include <memory>

namespace tools {

namespace {

using imaging::Picture;

constexpr int kMaxSide = 0xFFFF;
constexpr int kColourResolution = 8;
constexpr char kLoopApplication[] = "NETSCAPE2.0";
// Sub-block 1 of the looping extension: repeat count 0, for ever.
constexpr GifByteType kLoopForever[] = {1, 0, 0};

struct GifCloser {
    void operator()(GifFileType* gif) const { EGifCloseFile(gif, nullptr); }
};
using GifEncoder = std::unique_ptr<GifFileType, GifCloser>;

struct MapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, MapFreer>;

// giflib's output function: appends to the QByteArray given to EGifOpen.
int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

bool isWritable(const Picture& p) {
    if (p.isEmpty() || p.isTrueColour() || p.width() > kMaxSide || p.height() > kMaxSide ||
        p.pixels().size() != static_cast<std::size_t>(p.width()) * p.height()) {
        return false;
    }
    const int colours = 1 << p.bits();
    return std::all_of(p.pixels().begin(), p.pixels().end(),
                       [colours](std::uint8_t v) { return v < colours; });
}

// The frame's palette as a table of 2^bits entries, padded with black.
ColourMap colourMap(const Picture& p) {
    std::vector<GifColorType> table(static_cast<std::size_t>(1) << p.bits(), GifColorType{0, 0, 0});
    const std::size_t used = std::min(table.size(), p.palette().size());
    for (std::size_t i = 0; i < used; ++i) {
        const imaging::Colour c = p.palette()[i];
        table[i] = {static_cast<GifByteType>(imaging::redOf(c)),
                    static_cast<GifByteType>(imaging::greenOf(c)),
                    static_cast<GifByteType>(imaging::blueOf(c))};
    }
    return ColourMap(GifMakeMapObject(static_cast<int>(table.size()), table.data()));
}

bool putLoop(GifFileType* gif) {
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof kLoopApplication - 1, kLoopApplication) == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof kLoopForever, kLoopForever) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

// Graphic control: leave the frame in place, no transparency, the delay.
bool putControl(GifFileType* gif, int delayHundredths) {
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, delayHundredths, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const auto length = static_cast<int>(EGifGCBToExtension(&control, extension));
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, length, extension) == GIF_OK;
}

bool putImage(GifFileType* gif, const Picture& p) {
    const ColourMap map = colourMap(p);
    if (!map || EGifPutImageDesc(gif, 0, 0, p.width(), p.height(), false, map.get()) != GIF_OK) {
        return false;
    }
    // giflib masks the line in place, so it gets a copy.
    std::vector<GifPixelType> line(static_cast<std::size_t>(p.width()));
    for (int y = 0; y < p.height(); ++y) {
        std::copy_n(p.row(y), p.width(), line.begin());
        if (EGifPutLine(gif, line.data(), p.width()) != GIF_OK) {
            return false;
        }
    }
    return true;
}

}  // namespace

struct GifAnimation::Encoder {
    QByteArray bytes;
    GifEncoder gif;
};

GifAnimation::GifAnimation() = default;
GifAnimation::~GifAnimation() = default;

int GifAnimation::begin(int width, int height, int delayHundredths) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return kGifBadFrame;
    }
    encoder_ = std::make_unique<Encoder>();
    encoder_->gif.reset(EGifOpen(&encoder_->bytes, appendBytes, nullptr));
    GifFileType* gif = encoder_->gif.get();
    if (gif == nullptr) {
        return kGifWriteFailed;
    }
    EGifSetGifVersion(gif, true);
    if (EGifPutScreenDesc(gif, width, height, kColourResolution, 0, nullptr) != GIF_OK ||
        !putLoop(gif)) {
        return kGifWriteFailed;
    }
    delay_ = std::clamp(delayHundredths, 0, kMaxSide);
    frames_ = 0;
    return kGifOk;
}

int GifAnimation::add(const Picture& frame) {
    if (!encoder_ || !encoder_->gif) {
        return kGifWriteFailed;
    }
    if (!isWritable(frame)) {
        return kGifBadFrame;
    }
    GifFileType* gif = encoder_->gif.get();
    if (!putControl(gif, delay_) || !putImage(gif, frame)) {
        return kGifWriteFailed;
    }
    ++frames_;
    return kGifOk;
}

int GifAnimation::finish(QByteArray* bytes) {
    if (!encoder_ || !encoder_->gif) {
        return kGifWriteFailed;
    }
    if (frames_ == 0) {
        return kGifNoFrames;
    }
    // Closing writes the trailer.
    if (EGifCloseFile(encoder_->gif.release(), nullptr) != GIF_OK) {
        return kGifWriteFailed;
    }
    *bytes = std::move(encoder_->bytes);
    encoder_.reset();
    return kGifOk;
}

}  // namespace tools
