#include "imaging/Rotate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "imaging/PictureCheck.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

constexpr long long kFullTurn = 36000;
constexpr long long kQuarterTurn = 9000;

struct Point {
    int x;
    int y;
};

Picture blankLike(const Picture& p, int width, int height) {
    Picture out(width, height, p.bits());
    out.palette() = p.palette();
    return out;
}

// The source pixel that lands on (x, y) of a picture turned counter-clockwise by `quarters`.
Point quarterTurnSource(const Picture& p, int quarters, int x, int y) {
    switch (quarters) {
        case 1:
            return {p.width() - 1 - y, x};
        case 2:
            return {p.width() - 1 - x, p.height() - 1 - y};
        default:
            return {y, p.height() - 1 - x};
    }
}

Picture turnByQuarters(const Picture& p, int quarters) {
    const bool swapped = quarters % 2 == 1;
    Picture out = blankLike(p, swapped ? p.height() : p.width(), swapped ? p.width() : p.height());
    const int bpp = p.bytesPerPixel();
    for (int y = 0; y < out.height(); ++y) {
        std::uint8_t* dst = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            const Point s = quarterTurnSource(p, quarters, x, y);
            std::copy_n(p.row(s.y) + s.x * bpp, bpp, dst + x * bpp);
        }
    }
    return out;
}

// Side of the canvas holding a turned picture: ceil of the projected extent, rounded to 1e-6
// first so floating error never adds a pixel.
long long turnedSide(double extent) {
    return std::max(1LL, static_cast<long long>(std::ceil(std::round(extent * 1e6) / 1e6)));
}

// The stored bytes of `fill` in a picture of p's depth.
void fillBytes(const Picture& p, Colour fill, std::uint8_t* bytes) {
    if (p.isTrueColour()) {
        bytes[0] = static_cast<std::uint8_t>(redOf(fill));
        bytes[1] = static_cast<std::uint8_t>(greenOf(fill));
        bytes[2] = static_cast<std::uint8_t>(blueOf(fill));
    } else {
        bytes[0] = static_cast<std::uint8_t>(nearestPaletteIndex(p.palette(), fill));
    }
}

// floor(v) for the coordinates here (far below 2^62 in size), without a library call.
long long floorOf(double v) {
    const auto t = static_cast<long long>(v);
    return static_cast<double>(t) > v ? t - 1 : t;
}

void sampleTurned(const Picture& p, double radians, Colour fill, Picture& out) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int bpp = p.bytesPerPixel();
    std::uint8_t background[3];
    fillBytes(p, fill, background);
    for (int y = 0; y < out.height(); ++y) {
        const double dy = y + 0.5 - out.height() / 2.0;
        std::uint8_t* dst = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            const double dx = x + 0.5 - out.width() / 2.0;
            const long long sx = floorOf(dx * c - dy * s + p.width() / 2.0);
            const long long sy = floorOf(dx * s + dy * c + p.height() / 2.0);
            const bool inside = sx >= 0 && sy >= 0 && sx < p.width() && sy < p.height();
            const std::uint8_t* src =
                inside ? p.row(static_cast<int>(sy)) + static_cast<int>(sx) * bpp : background;
            if (bpp == 3) {
                dst[3 * x] = src[0];
                dst[3 * x + 1] = src[1];
                dst[3 * x + 2] = src[2];
            } else {
                dst[x] = src[0];
            }
        }
    }
}

int turnByAngle(Picture& p, long long hundredths, Colour fill) {
    const double radians = hundredths / 100.0 * std::numbers::pi / 180.0;
    const double c = std::fabs(std::cos(radians));
    const double s = std::fabs(std::sin(radians));
    const long long width = turnedSide(p.width() * c + p.height() * s);
    const long long height = turnedSide(p.width() * s + p.height() * c);
    if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
        return kTooLarge;
    }
    Picture out = blankLike(p, static_cast<int>(width), static_cast<int>(height));
    sampleTurned(p, radians, fill, out);
    p = std::move(out);
    return kOk;
}

}  // namespace

int rotate(Picture& p, int hundredthsOfDegree, Colour fill) {
    const int status = checkPicture(p);
    if (status != kOk) {
        return status;
    }
    const long long angle = (hundredthsOfDegree % kFullTurn + kFullTurn) % kFullTurn;
    if (angle == 0) {
        return kOk;
    }
    if (angle % kQuarterTurn == 0) {
        p = turnByQuarters(p, static_cast<int>(angle / kQuarterTurn));
        return kOk;
    }
    return turnByAngle(p, angle, fill);
}

}  // namespace imaging
