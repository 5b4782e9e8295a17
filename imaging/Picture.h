#pragma once

#include <cstdint>
#include <vector>

#include "imaging/CopyOnWrite.h"

namespace imaging {

// A colour as the rest of the system writes it: 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr int redOf(Colour c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr Colour makeColour(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr Colour greyColour(int v) {
    return makeColour(v, v, v);
}

// A picture value. Copies share their pixels and palette until one of them writes (any non-const
// access), so a copy costs nothing until then and a write never shows in another copy; a
// pointer from a non-const access must not be kept across a copy. 24-bit pixels are stored as
// R, G, B bytes; 1, 2, 4 and 8-bit pixels as one palette index per byte, with a palette of
// 2^bits colours. Rows are packed without padding.
class Picture {
  public:
    Picture() = default;
    // A black picture; sizes below 1 give an empty picture, bits other than 1, 2, 4, 8 give 24.
    Picture(int width, int height, int bits = 24);
    Picture(const Picture&) = default;
    Picture& operator=(const Picture&) = default;
    // The moved-from picture is left empty.
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;

    int width() const { return width_; }
    int height() const { return height_; }
    int bits() const { return bits_; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }
    bool isTrueColour() const { return bits_ == 24; }
    int bytesPerPixel() const { return bits_ == 24 ? 3 : 1; }
    int stride() const { return width_ * bytesPerPixel(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    std::uint8_t* row(int y) { return pixels().data() + static_cast<std::size_t>(y) * stride(); }
    const std::uint8_t* row(int y) const {
        return pixels().data() + static_cast<std::size_t>(y) * stride();
    }
    std::vector<std::uint8_t>& pixels() { return pixels_.write(); }
    const std::vector<std::uint8_t>& pixels() const { return pixels_.read(); }

    // Palette of an indexed picture (empty at 24 bits).
    std::vector<Colour>& palette() { return palette_.write(); }
    const std::vector<Colour>& palette() const { return palette_.read(); }

    // The colour at (x, y), through the palette for indexed pictures; 0 outside.
    Colour colourAt(int x, int y) const;
    // Sets (x, y): a colour at 24 bits, the nearest palette entry otherwise. Outside: nothing.
    void setColourAt(int x, int y, Colour c);

    // A grey ramp palette of 2^bits entries (0 .. 255).
    static std::vector<Colour> greyPalette(int bits);

    friend bool operator==(const Picture& a, const Picture& b);

  private:
    int width_ = 0;
    int height_ = 0;
    int bits_ = 24;
    CopyOnWrite<std::vector<Colour>> palette_;
    CopyOnWrite<std::vector<std::uint8_t>> pixels_;
};

// The palette entry nearest to c (squared RGB distance; the lowest index wins a tie).
int nearestPaletteIndex(const std::vector<Colour>& palette, Colour c);

// A 24-bit copy of any picture.
Picture toTrueColour(const Picture& p);

}  // namespace imaging
