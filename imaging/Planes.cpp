#include "imaging/Planes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "imaging/PictureCheck.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

struct Channels {
    int a;
    int b;
    int c;
};

std::uint8_t roundToByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

bool isKnownPlaneSet(int flags) {
    return flags == kPlanesHsv || flags == kPlanesHsl;
}

// Hue of an RGB colour in degrees, 0 <= hue < 360; 0 for greys.
double hueDegrees(int r, int g, int b) {
    const int hi = std::max({r, g, b});
    const int d = hi - std::min({r, g, b});
    if (d == 0) {
        return 0.0;
    }
    double h = 0.0;
    if (hi == r) {
        h = 60.0 * (g - b) / d;
    } else if (hi == g) {
        h = 60.0 * (b - r) / d + 120.0;
    } else {
        h = 60.0 * (r - g) / d + 240.0;
    }
    return h < 0.0 ? h + 360.0 : h;
}

Channels planeValues(int r, int g, int b, int flags) {
    const int hi = std::max({r, g, b});
    const int lo = std::min({r, g, b});
    const int d = hi - lo;
    const int hue = roundToByte(hueDegrees(r, g, b) * 255.0 / 360.0);
    if (flags == kPlanesHsv) {
        return {hue, hi == 0 ? 0 : roundToByte(255.0 * d / hi), hi};
    }
    const int sum = hi + lo;
    const int saturation = d == 0 ? 0 : roundToByte(255.0 * d / (sum <= 255 ? sum : 510 - sum));
    return {hue, (sum + 1) / 2, saturation};
}

// The colour of a hue (plane value 0..255) with chroma c above the base level m, both in 0..255
// units. Channel n (R 5, G 3, B 1) lacks chroma by how far the hue sextant is from its own.
Channels colourOfHue(int huePlane, double c, double m) {
    const double sextant = huePlane * 360.0 / 255.0 / 60.0;
    auto channel = [&](int n) {
        const double k = std::fmod(n + sextant, 6.0);
        return roundToByte(m + c * (1.0 - std::clamp(std::min(k, 4.0 - k), 0.0, 1.0)));
    };
    return {channel(5), channel(3), channel(1)};
}

Channels colourOfPlanes(int p0, int p1, int p2, int flags) {
    if (flags == kPlanesHsv) {
        const double chroma = p2 * p1 / 255.0;
        return colourOfHue(p0, chroma, p2 - chroma);
    }
    const double chroma = (255.0 - std::fabs(2.0 * p1 - 255.0)) * p2 / 255.0;
    return colourOfHue(p0, chroma, p1 - chroma / 2.0);
}

// `source` itself when it is 24-bit, else its 24-bit copy kept in `converted`.
const Picture& trueColourOf(const Picture& source, Picture& converted) {
    if (source.isTrueColour()) {
        return source;
    }
    converted = toTrueColour(source);
    return converted;
}

int checkPlanes(const std::vector<Picture>& planes) {
    if (planes.size() != 3) {
        return kInvalidArgument;
    }
    for (const Picture& plane : planes) {
        const int status = checkPicture(plane);
        if (status != kOk) {
            return status;
        }
        if (!hasIdentityGreyPalette(plane) || plane.width() != planes[0].width() ||
            plane.height() != planes[0].height()) {
            return kInvalidArgument;
        }
    }
    return kOk;
}

}  // namespace

int separatePlanes(const Picture& source, int flags, std::vector<Picture>* planes) {
    if (planes == nullptr || !isKnownPlaneSet(flags)) {
        return kInvalidArgument;
    }
    const int status = checkPicture(source);
    if (status != kOk) {
        return status;
    }
    Picture converted;
    const Picture& rgb = trueColourOf(source, converted);
    std::vector<Picture> result(3, Picture(rgb.width(), rgb.height(), 8));
    const std::vector<std::uint8_t>& px = rgb.pixels();
    std::uint8_t* const out[3] = {result[0].row(0), result[1].row(0), result[2].row(0)};
    for (std::size_t i = 0; i < px.size() / 3; ++i) {
        const Channels v = planeValues(px[3 * i], px[3 * i + 1], px[3 * i + 2], flags);
        out[0][i] = static_cast<std::uint8_t>(v.a);
        out[1][i] = static_cast<std::uint8_t>(v.b);
        out[2][i] = static_cast<std::uint8_t>(v.c);
    }
    *planes = std::move(result);
    return kOk;
}

int separatePlane(const Picture& source, int flags, int plane, Picture* out) {
    if (out == nullptr || !isKnownPlaneSet(flags) || plane < 0 || plane > 2) {
        return kInvalidArgument;
    }
    const int status = checkPicture(source);
    if (status != kOk) {
        return status;
    }
    Picture converted;
    const Picture& rgb = trueColourOf(source, converted);
    Picture result(rgb.width(), rgb.height(), 8);
    const std::uint8_t* px = rgb.pixels().data();
    std::uint8_t* dst = result.pixels().data();
    const std::size_t n = result.pixels().size();
    if (flags == kPlanesHsv && plane == 2) {
        // The value plane alone is a plain maximum; no hue or saturation arithmetic.
        for (std::size_t i = 0; i < n; ++i) {
            dst[i] = std::max({px[3 * i], px[3 * i + 1], px[3 * i + 2]});
        }
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            const Channels v = planeValues(px[3 * i], px[3 * i + 1], px[3 * i + 2], flags);
            dst[i] = static_cast<std::uint8_t>(plane == 0 ? v.a : plane == 1 ? v.b : v.c);
        }
    }
    *out = std::move(result);
    return kOk;
}

int mergePlanes(const std::vector<Picture>& planes, int flags, Picture* out) {
    if (out == nullptr || !isKnownPlaneSet(flags)) {
        return kInvalidArgument;
    }
    const int status = checkPlanes(planes);
    if (status != kOk) {
        return status;
    }
    Picture result(planes[0].width(), planes[0].height(), 24);
    std::vector<std::uint8_t>& px = result.pixels();
    for (std::size_t i = 0; i < px.size() / 3; ++i) {
        const Channels c = colourOfPlanes(planes[0].pixels()[i], planes[1].pixels()[i],
                                          planes[2].pixels()[i], flags);
        px[3 * i] = static_cast<std::uint8_t>(c.a);
        px[3 * i + 1] = static_cast<std::uint8_t>(c.b);
        px[3 * i + 2] = static_cast<std::uint8_t>(c.c);
    }
    *out = std::move(result);
    return kOk;
}

}  // namespace imaging
