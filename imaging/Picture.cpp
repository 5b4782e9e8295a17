#include "imaging/Picture.h"

#include <algorithm>
#include <utility>

namespace imaging {

Picture::Picture(int width, int height, int bits) {
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8) {
        bits = 24;
    }
    bits_ = bits;
    if (width <= 0 || height <= 0) {
        return;
    }
    width_ = width;
    height_ = height;
    pixels_ = CopyOnWrite(
        std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * bytesPerPixel(), 0));
    if (bits != 24) {
        palette_ = CopyOnWrite(greyPalette(bits));
    }
}

Picture::Picture(Picture&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      bits_(std::exchange(other.bits_, 24)),
      palette_(std::exchange(other.palette_, {})),
      pixels_(std::exchange(other.pixels_, {})) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        bits_ = std::exchange(other.bits_, 24);
        palette_ = std::exchange(other.palette_, {});
        pixels_ = std::exchange(other.pixels_, {});
    }
    return *this;
}

bool operator==(const Picture& a, const Picture& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.bits_ == b.bits_ &&
           (a.palette_.sharesWith(b.palette_) || a.palette() == b.palette()) &&
           (a.pixels_.sharesWith(b.pixels_) || a.pixels() == b.pixels());
}

Colour Picture::colourAt(int x, int y) const {
    if (!contains(x, y)) {
        return 0;
    }
    const std::uint8_t* p = row(y) + x * bytesPerPixel();
    if (bits_ == 24) {
        return makeColour(p[0], p[1], p[2]);
    }
    const std::vector<Colour>& palette = palette_.read();
    return *p < palette.size() ? palette[*p] : 0;
}

void Picture::setColourAt(int x, int y, Colour c) {
    if (!contains(x, y)) {
        return;
    }
    std::uint8_t* p = row(y) + x * bytesPerPixel();
    if (bits_ == 24) {
        p[0] = static_cast<std::uint8_t>(redOf(c));
        p[1] = static_cast<std::uint8_t>(greenOf(c));
        p[2] = static_cast<std::uint8_t>(blueOf(c));
        return;
    }
    *p = static_cast<std::uint8_t>(nearestPaletteIndex(palette_.read(), c));
}

std::vector<Colour> Picture::greyPalette(int bits) {
    const int n = 1 << bits;
    std::vector<Colour> palette(n);
    for (int i = 0; i < n; ++i) {
        palette[i] = greyColour(i * 255 / (n - 1));
    }
    return palette;
}

int nearestPaletteIndex(const std::vector<Colour>& palette, Colour c) {
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = redOf(c) - redOf(palette[i]);
        const long dg = greenOf(c) - greenOf(palette[i]);
        const long db = blueOf(c) - blueOf(palette[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

Picture toTrueColour(const Picture& p) {
    if (p.isTrueColour()) {
        return p;
    }
    Picture out(p.width(), p.height(), 24);
    for (int y = 0; y < p.height(); ++y) {
        const std::uint8_t* src = p.row(y);
        std::uint8_t* dst = out.row(y);
        for (int x = 0; x < p.width(); ++x) {
            const Colour c = src[x] < p.palette().size() ? p.palette()[src[x]] : 0;
            dst[3 * x] = static_cast<std::uint8_t>(redOf(c));
            dst[3 * x + 1] = static_cast<std::uint8_t>(greenOf(c));
            dst[3 * x + 2] = static_cast<std::uint8_t>(blueOf(c));
        }
    }
    return out;
}

}  // namespace imaging
