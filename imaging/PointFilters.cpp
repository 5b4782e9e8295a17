// The point operations of Filters.h: each builds a 256-entry table per channel and applies it
// to the pixels or, for indexed pictures, to the palette.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "imaging/Filters.h"
#include "imaging/PictureCheck.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

constexpr int kMaxStrength = 1000;

using Table = std::array<std::uint8_t, 256>;
using ChannelTables = std::array<Table, 3>;
using Histogram = std::array<long long, 256>;

int clampStrength(int strength) {
    return std::clamp(strength, -kMaxStrength, kMaxStrength);
}

std::uint8_t toByte(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

template <typename Curve>
Table tableOf(Curve curve) {
    Table t{};
    for (int v = 0; v < 256; ++v) {
        t[v] = curve(v);
    }
    return t;
}

void applyToPalette(std::vector<Colour>& palette, const ChannelTables& t) {
    for (Colour& c : palette) {
        c = makeColour(t[0][redOf(c)], t[1][greenOf(c)], t[2][blueOf(c)]);
    }
}

// Applies the tables to a checked picture: channel c of a 24-bit pixel through t[c], the index
// of an identity-grey picture through t[0], the palette of any other indexed picture.
void applyTables(Picture& p, const ChannelTables& t) {
    if (p.isTrueColour()) {
        std::vector<std::uint8_t>& px = p.pixels();
        for (std::size_t i = 0; i < px.size(); i += 3) {
            px[i] = t[0][px[i]];
            px[i + 1] = t[1][px[i + 1]];
            px[i + 2] = t[2][px[i + 2]];
        }
    } else if (hasIdentityGreyPalette(p)) {
        for (std::uint8_t& v : p.pixels()) {
            v = t[0][v];
        }
    } else {
        applyToPalette(p.palette(), t);
    }
}

int applyTable(Picture& p, const Table& t) {
    const int status = checkPicture(p);
    if (status == kOk) {
        applyTables(p, {t, t, t});
    }
    return status;
}

std::array<Histogram, 3> channelHistograms(const Picture& p) {
    std::array<Histogram, 3> h{};
    const std::vector<std::uint8_t>& px = p.pixels();
    if (p.isTrueColour()) {
        for (std::size_t i = 0; i < px.size(); i += 3) {
            ++h[0][px[i]];
            ++h[1][px[i + 1]];
            ++h[2][px[i + 2]];
        }
        return h;
    }
    if (hasIdentityGreyPalette(p)) {
        for (std::uint8_t v : px) {
            ++h[0][v];
        }
        return h;
    }
    std::array<long long, 256> uses{};
    for (std::uint8_t v : px) {
        ++uses[v];
    }
    for (std::size_t i = 0; i < p.palette().size() && i < uses.size(); ++i) {
        const Colour c = p.palette()[i];
        h[0][redOf(c)] += uses[i];
        h[1][greenOf(c)] += uses[i];
        h[2][blueOf(c)] += uses[i];
    }
    return h;
}

Table equalisingTable(const Histogram& h) {
    Histogram cdf{};
    long long running = 0;
    long long cdfMin = 0;
    for (int v = 0; v < 256; ++v) {
        running += h[v];
        cdf[v] = running;
        if (cdfMin == 0) {
            cdfMin = running;
        }
    }
    const long long span = running - cdfMin;
    if (span == 0) {
        return tableOf([](int v) { return static_cast<std::uint8_t>(v); });
    }
    return tableOf([&](int v) {
        const long long mapped = ((cdf[v] - cdfMin) * 255 + span / 2) / span;
        return static_cast<std::uint8_t>(std::clamp(mapped, 0LL, 255LL));
    });
}

}  // namespace

int intensity(Picture& p, int strength) {
    const long shift = std::lround(clampStrength(strength) * 255.0 / kMaxStrength);
    return applyTable(p,
                      tableOf([shift](int v) { return toByte(static_cast<double>(v + shift)); }));
}

int contrast(Picture& p, int strength) {
    const int s = clampStrength(strength);
    if (s == kMaxStrength) {
        return applyTable(p, tableOf([](int v) { return std::uint8_t(v < 128 ? 0 : 255); }));
    }
    const double gain = s <= 0 ? (kMaxStrength + s) / double(kMaxStrength)
                               : kMaxStrength / double(kMaxStrength - s);
    return applyTable(p, tableOf([gain](int v) { return toByte(128 + (v - 128) * gain); }));
}

int invert(Picture& p) {
    return applyTable(p, tableOf([](int v) { return static_cast<std::uint8_t>(255 - v); }));
}

int histoEqualize(Picture& p) {
    const int status = checkPicture(p);
    if (status != kOk) {
        return status;
    }
    const std::array<Histogram, 3> h = channelHistograms(p);
    applyTables(p, {equalisingTable(h[0]), equalisingTable(h[1]), equalisingTable(h[2])});
    return kOk;
}

}  // namespace imaging
