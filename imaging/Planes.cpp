#include "imaging/Planes.h"

#include <algorithm>
#include <array>
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

// Rounds half away from zero, as std::lround does, without a library call or a branch: the
// values here are small, so the truncation and the remaining fraction are exact.
long roundHalfAway(double v) {
    const long whole = static_cast<long>(v);
    const double fraction = v - static_cast<double>(whole);
    return whole + static_cast<long>(fraction >= 0.5) - static_cast<long>(fraction <= -0.5);
}

std::uint8_t roundToByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(roundHalfAway(v), 0L, 255L));
}

bool isKnownPlaneSet(int flags) {
    return flags == kPlanesHsv || flags == kPlanesHsl;
}

// The hue plane value of a colour whose largest channel is R (sextant 0), G (2) or B (4), with
// `num` the difference of the other two (G - B, B - R, R - G) and d = max - min > 0.
std::uint8_t hueOf(int sextant, int num, int d) {
    double h = 60.0 * num / d + 60.0 * sextant;
    h = h < 0.0 ? h + 360.0 : h;
    return roundToByte(h * 255.0 / 360.0);
}

// Every hue and saturation a separation can meet, worked out once: a separation would otherwise
// divide and round twice a pixel. Hues lie at [largest channel][d * d + num + d], saturations
// at [d][denominator].
struct PlaneTables {
    std::array<std::array<std::uint8_t, 256 * 256>, 3> hue{};
    std::array<std::array<std::uint8_t, 256>, 256> saturation{};
};

const PlaneTables& planeTables() {
    static const PlaneTables tables = [] {
        PlaneTables t;
        for (int d = 1; d < 256; ++d) {
            for (int num = -d; num <= d; ++num) {
                for (int largest = 0; largest < 3; ++largest) {
                    t.hue[largest][d * d + num + d] = hueOf(2 * largest, num, d);
                }
            }
            for (int denominator = d; denominator < 256; ++denominator) {
                t.saturation[d][denominator] = roundToByte(255.0 * d / denominator);
            }
        }
        return t;
    }();
    return tables;
}

// Hue of an RGB colour as a plane value; 0 for greys. Ties go to R, then G.
int huePlane(const PlaneTables& t, int r, int g, int b, int hi, int d) {
    if (d == 0) {
        return 0;
    }
    const int offset = d * d + d;
    if (hi == r) {
        return t.hue[0][offset + g - b];
    }
    return hi == g ? t.hue[1][offset + b - r] : t.hue[2][offset + r - g];
}

Channels planeValues(const PlaneTables& t, int r, int g, int b, int flags) {
    const int hi = std::max({r, g, b});
    const int lo = std::min({r, g, b});
    const int d = hi - lo;
    const int hue = huePlane(t, r, g, b, hi, d);
    if (flags == kPlanesHsv) {
        return {hue, t.saturation[d][hi], hi};
    }
    const int sum = hi + lo;
    return {hue, (sum + 1) / 2, t.saturation[d][sum <= 255 ? sum : 510 - sum]};
}

// The share of the chroma each channel (R, G, B) takes at each hue plane value. Channel n (R 5,
// G 3, B 1) lacks chroma by how far the hue sextant is from its own. Computed once, since a
// merge would otherwise work it out three times a pixel.
using HueShares = std::array<std::array<double, 3>, 256>;

const HueShares& hueShares() {
    static const HueShares shares = [] {
        HueShares t{};
        for (int hue = 0; hue < 256; ++hue) {
            const double sextant = hue * 360.0 / 255.0 / 60.0;
            const std::array<int, 3> own{5, 3, 1};
            for (int channel = 0; channel < 3; ++channel) {
                const double k = std::fmod(own[channel] + sextant, 6.0);
                t[hue][channel] = 1.0 - std::clamp(std::min(k, 4.0 - k), 0.0, 1.0);
            }
        }
        return t;
    }();
    return shares;
}

// The colour of a hue (plane value 0..255) with chroma c above the base level m, both in 0..255
// units.
Channels colourOfHue(const std::array<double, 3>& share, double c, double m) {
    return {roundToByte(m + c * share[0]), roundToByte(m + c * share[1]),
            roundToByte(m + c * share[2])};
}

Channels colourOfPlanes(const HueShares& shares, int p0, int p1, int p2, int flags) {
    if (flags == kPlanesHsv) {
        const double chroma = p2 * p1 / 255.0;
        return colourOfHue(shares[p0], chroma, p2 - chroma);
    }
    const double chroma = (255.0 - std::fabs(2.0 * p1 - 255.0)) * p2 / 255.0;
    return colourOfHue(shares[p0], chroma, p1 - chroma / 2.0);
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
    const PlaneTables& tables = planeTables();
    for (std::size_t i = 0; i < px.size() / 3; ++i) {
        const Channels v = planeValues(tables, px[3 * i], px[3 * i + 1], px[3 * i + 2], flags);
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
    } else if (flags == kPlanesHsl && plane == 1) {
        // Likewise the lightness plane: the rounded middle of the extremes.
        for (std::size_t i = 0; i < n; ++i) {
            const int hi = std::max({px[3 * i], px[3 * i + 1], px[3 * i + 2]});
            const int lo = std::min({px[3 * i], px[3 * i + 1], px[3 * i + 2]});
            dst[i] = static_cast<std::uint8_t>((hi + lo + 1) / 2);
        }
    } else {
        const PlaneTables& tables = planeTables();
        for (std::size_t i = 0; i < n; ++i) {
            const Channels v = planeValues(tables, px[3 * i], px[3 * i + 1], px[3 * i + 2], flags);
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
    const std::uint8_t* p0 = planes[0].pixels().data();
    const std::uint8_t* p1 = planes[1].pixels().data();
    const std::uint8_t* p2 = planes[2].pixels().data();
    const HueShares& shares = hueShares();
    for (std::size_t i = 0; i < px.size() / 3; ++i) {
        const Channels c = colourOfPlanes(shares, p0[i], p1[i], p2[i], flags);
        px[3 * i] = static_cast<std::uint8_t>(c.a);
        px[3 * i + 1] = static_cast<std::uint8_t>(c.b);
        px[3 * i + 2] = static_cast<std::uint8_t>(c.c);
    }
    *out = std::move(result);
    return kOk;
}

}  // namespace imaging
