#include "tools/PanelFrames.h"

#include <algorithm>

#include "files/Cfilectl.h"
#include "produce/PicMCut.h"

namespace tools {

namespace {

// The window tints the first four palette entries, the panel's levels.
constexpr int kPanelLevels = 4;

int maxLevel(int bits) {
    return (1 << bits) - 1;
}

}  // namespace

QImage greyImage(const imaging::Picture& frame) {
    QImage image(frame.width(), frame.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < frame.height(); ++y) {
        const std::uint8_t* levels = frame.row(y);
        uchar* out = image.scanLine(y);
        for (int x = 0; x < frame.width(); ++x) {
            out[x] = static_cast<uchar>(CustumFileControl::LevelToGrey(levels[x], frame.bits()));
        }
    }
    return image;
}

imaging::Picture tintedFrame(const imaging::Picture& frame, int code) {
    imaging::Picture tinted = frame;
    std::vector<imaging::Colour>& palette = tinted.palette();
    const int tintedEntries = std::min(kPanelLevels, static_cast<int>(palette.size()));
    for (int i = 0; i < tintedEntries; ++i) {
        palette[i] = produce::tintedGrey(code, i, produce::kDefaultChannelLevels);
    }
    return tinted;
}

imaging::Picture levelsOfValuePlane(const imaging::Picture& value, int bits) {
    imaging::Picture levels(value.width(), value.height(), bits);
    for (int i = 0; i <= maxLevel(bits); ++i) {
        levels.palette()[i] = imaging::greyColour(CustumFileControl::LevelToGrey(i, bits));
    }
    for (int y = 0; y < value.height(); ++y) {
        const std::uint8_t* in = value.row(y);
        std::uint8_t* out = levels.row(y);
        for (int x = 0; x < value.width(); ++x) {
            out[x] = static_cast<std::uint8_t>(CustumFileControl::GreyToLevel(in[x], bits));
        }
    }
    return levels;
}

}  // namespace tools
