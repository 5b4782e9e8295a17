#include "imaging/Dither.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "imaging/Status.h"

namespace imaging {

namespace {

// 8 x 8 Bayer matrix: thresholds 0..63 spread evenly over every 2 x 2, 4 x 4 and 8 x 8 tile.
constexpr std::array<std::uint8_t, 64> kBayer8{
    0,  32, 8,  40, 2,  34, 10, 42, 48, 16, 56, 24, 50, 18, 58, 26, 12, 44, 4,  36, 14, 46,
    6,  38, 60, 28, 52, 20, 62, 30, 54, 22, 3,  35, 11, 43, 1,  33, 9,  41, 51, 19, 59, 27,
    49, 17, 57, 25, 15, 47, 7,  39, 13, 45, 5,  37, 63, 31, 55, 23, 61, 29, 53, 21};

constexpr int kPad = 2;  // room for taps two pixels left and right of the row

bool isGrey(Colour c) {
    return redOf(c) == greenOf(c) && greenOf(c) == blueOf(c);
}

bool allGrey(const std::vector<Colour>& palette) {
    return std::all_of(palette.begin(), palette.end(), isGrey);
}

// Division rounding to the nearest integer, halves upward, also for negative numerators.
inline int roundedQuotient(int numerator, int divisor) {
    return (numerator + divisor / 2 + divisor * 4096) / divisor - 4096;
}

struct GreyTables {
    std::array<std::uint8_t, 256> sourceGrey{};  // source index -> grey value
    std::array<std::uint8_t, 256> nearest{};     // grey value -> target palette index
    std::array<int, 256> targetGrey{};           // target palette index -> grey value
    int levelCount = 0;
};

GreyTables makeGreyTables(const Picture& source, const std::vector<Colour>& palette) {
    GreyTables t;
    for (std::size_t i = 0; i < source.palette().size() && i < 256; ++i) {
        t.sourceGrey[i] = static_cast<std::uint8_t>(redOf(source.palette()[i]));
    }
    t.levelCount = static_cast<int>(palette.size());
    for (int i = 0; i < t.levelCount; ++i) {
        t.targetGrey[i] = redOf(palette[i]);
    }
    for (int v = 0; v < 256; ++v) {
        int best = 0;
        for (int i = 1; i < t.levelCount; ++i) {
            if (std::abs(t.targetGrey[i] - v) < std::abs(t.targetGrey[best] - v)) {
                best = i;
            }
        }
        t.nearest[v] = static_cast<std::uint8_t>(best);
    }
    return t;
}

void reduceGreyNearest(const Picture& source, const GreyTables& t, Picture& out) {
    std::array<std::uint8_t, 256> direct{};
    for (int i = 0; i < 256; ++i) {
        direct[i] = t.nearest[t.sourceGrey[i]];
    }
    const std::uint8_t* in = source.pixels().data();
    std::uint8_t* dst = out.pixels().data();
    const std::size_t n = out.pixels().size();
    for (std::size_t i = 0; i < n; ++i) {
        dst[i] = direct[in[i]];
    }
}

// Weights of one error-diffusion kernel: two to the right on the current row, five (x-2..x+2)
// on each following row. Dividing by the divisor is done as a multiply and a shift, exact for
// the numerators that diffusion produces (below 2^15 after the bias).
struct Kernel {
    int right1;
    int right2;
    std::array<int, 5> below1;
    std::array<int, 5> below2;
    int divisor;
    std::uint32_t multiplier;
    int shift;
};

constexpr Kernel kBurkes{8, 4, {2, 4, 8, 4, 2}, {0, 0, 0, 0, 0}, 32, 1, 5};
constexpr Kernel kJarvis{7, 5, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}, 48, 43691, 21};

// Added to every numerator so that it is positive: the carried error is at most 255 per weight.
constexpr int kBiasSteps = 300;

// Diffused values stay within -255..510 (the carried error never exceeds one level step of
// 255), so tables over that range replace clamping and the nearest-level search.
constexpr int kValueOffset = 256;
constexpr int kValueRange = 1024;

struct DiffusionTables {
    std::array<std::uint8_t, kValueRange> index{};
    std::array<int, kValueRange> error{};
    // The error times each right-hand weight and the multiplier, ready to add to the numerator.
    std::array<std::uint32_t, kValueRange> right1{};
    std::array<std::uint32_t, kValueRange> right2{};
    // Source index -> table slot of its grey before the carried error is added, shifted up so
    // that adding it to the numerator adds it to the quotient (exact modulo 2^32, since the
    // final numerator always lies in 0 .. 2^31).
    std::array<std::uint32_t, 256> slotBase{};
};

DiffusionTables makeDiffusionTables(const GreyTables& t, const Kernel& k) {
    DiffusionTables d;
    for (int i = 0; i < kValueRange; ++i) {
        const int v = std::clamp(i - kValueOffset, 0, 255);
        d.index[i] = t.nearest[v];
        d.error[i] = v - t.targetGrey[t.nearest[v]];
        d.right1[i] = static_cast<std::uint32_t>(d.error[i] * k.right1) * k.multiplier;
        d.right2[i] = static_cast<std::uint32_t>(d.error[i] * k.right2) * k.multiplier;
    }
    for (int g = 0; g < 256; ++g) {
        d.slotBase[g] = static_cast<std::uint32_t>(t.sourceGrey[g] + kValueOffset - kBiasSteps)
                        << k.shift;
    }
    return d;
}

// below[x] += weighted sum of errors[x-2 .. x+2]; errors has two zero cells at each end.
inline void spreadBelow(const std::array<int, 5>& w, const int* errors, int width, int* below) {
    for (int x = 0; x < width; ++x) {
        below[x] += w[0] * errors[x - 2] + w[1] * errors[x - 1] + w[2] * errors[x] +
                    w[3] * errors[x + 1] + w[4] * errors[x + 2];
    }
}

// One row of error diffusion in two passes. Along the row each pixel waits for its left
// neighbours' errors, so that pass keeps only this chain short (add, shift, table look-up);
// then the errors are spread onto the rows below, which depends on nothing else.
template <const Kernel& K>
void diffuseRow(const std::uint8_t* in, std::uint8_t* dst, int width, const DiffusionTables& d,
                const int* here, int* errors, int* below1, int* below2) {
    constexpr int kRound = K.divisor / 2 + K.divisor * kBiasSteps;
    std::uint32_t carry1 = 0;  // numerator share for x from x-1 and x-2, times the multiplier
    std::uint32_t carry2 = 0;  // share for x+1 from x-1
    for (int x = 0; x < width; ++x) {
        const std::uint32_t base =
            static_cast<std::uint32_t>(here[x] + kRound) * K.multiplier + d.slotBase[in[x]];
        const int slot = static_cast<int>((base + carry1) >> K.shift);
        dst[x] = d.index[slot];
        errors[x] = d.error[slot];
        carry1 = carry2 + d.right1[slot];
        carry2 = d.right2[slot];
    }
    spreadBelow(K.below1, errors, width, below1);
    if constexpr (K.below2[2] != 0) {
        spreadBelow(K.below2, errors, width, below2);
    }
}

template <const Kernel& K>
void reduceGreyDiffused(const Picture& source, const GreyTables& t, Picture& out) {
    constexpr int kRows = 3;
    const int w = source.width();
    const int rowLength = w + 2 * kPad;
    const DiffusionTables d = makeDiffusionTables(t, K);
    std::vector<int> errorRows(static_cast<std::size_t>(kRows) * rowLength, 0);
    std::vector<int> errors(rowLength, 0);  // zeros at both ends stand for the missing pixels
    auto errorRow = [&](int y) { return errorRows.data() + (y % kRows) * rowLength + kPad; };
    for (int y = 0; y < source.height(); ++y) {
        int* twoBelow = errorRow(y + 2);
        std::fill(twoBelow - kPad, twoBelow - kPad + rowLength, 0);
        diffuseRow<K>(source.row(y), out.row(y), w, d, errorRow(y), errors.data() + kPad,
                      errorRow(y + 1), twoBelow);
    }
}

// Ordered dithering as one table per threshold cell: value -> palette index.
struct OrderedTable {
    std::array<int, 256> levels{};
    int levelCount = -1;
    std::array<std::uint8_t, 64 * 256> index{};
};

void fillOrderedTable(const GreyTables& t, OrderedTable& table) {
    for (int v = 0; v < 256; ++v) {
        int lo = -1;
        int hi = -1;
        for (int i = 0; i < t.levelCount; ++i) {
            const int g = t.targetGrey[i];
            if (g <= v && (lo < 0 || g > t.targetGrey[lo])) {
                lo = i;
            }
            if (g >= v && (hi < 0 || g < t.targetGrey[hi])) {
                hi = i;
            }
        }
        lo = lo < 0 ? hi : lo;
        hi = hi < 0 ? lo : hi;
        const int span = t.targetGrey[hi] - t.targetGrey[lo];
        for (int cell = 0; cell < 64; ++cell) {
            // The upper level when v lies above the threshold's share of the gap.
            const bool up = 128 * (v - t.targetGrey[lo]) > (2 * kBayer8[cell] + 1) * span;
            table.index[cell * 256 + v] = static_cast<std::uint8_t>(up ? hi : lo);
        }
    }
    table.levels = t.targetGrey;
    table.levelCount = t.levelCount;
}

// The table is kept for the last palette used: the panel greys, nearly always.
const OrderedTable& orderedTableFor(const GreyTables& t) {
    thread_local OrderedTable table;
    if (table.levelCount != t.levelCount || table.levels != t.targetGrey) {
        fillOrderedTable(t, table);
    }
    return table;
}

void reduceGreyOrdered(const Picture& source, const GreyTables& t, Picture& out) {
    const OrderedTable& table = orderedTableFor(t);
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = source.row(y);
        std::uint8_t* dst = out.row(y);
        const std::uint8_t* rowTables = table.index.data() + (y & 7) * 8 * 256;
        for (int x = 0; x < source.width(); ++x) {
            dst[x] = rowTables[(x & 7) * 256 + t.sourceGrey[in[x]]];
        }
    }
}

void reduceGrey(const Picture& source, const std::vector<Colour>& palette, int method,
                Picture& out) {
    const GreyTables tables = makeGreyTables(source, palette);
    switch (method) {
        case kDitherBurkes:
            reduceGreyDiffused<kBurkes>(source, tables, out);
            break;
        case kDitherJarvis:
            reduceGreyDiffused<kJarvis>(source, tables, out);
            break;
        case kDitherOrdered:
            reduceGreyOrdered(source, tables, out);
            break;
        default:
            reduceGreyNearest(source, tables, out);
            break;
    }
}

// Per-channel diffusion for colour pictures or colour palettes; these are small (text and
// file frames), so plain arithmetic with a linear palette search serves.
void reduceColourDiffused(const Picture& source, const std::vector<Colour>& palette,
                          const Kernel& k, Picture& out) {
    const int w = source.width();
    const int rowLength = (w + 2 * kPad) * 3;
    std::vector<int> errors(static_cast<std::size_t>(3) * rowLength, 0);
    for (int y = 0; y < source.height(); ++y) {
        int* rows[3];
        for (int r = 0; r < 3; ++r) {
            rows[r] = errors.data() + ((y + r) % 3) * rowLength + kPad * 3;
        }
        std::fill(rows[2] - kPad * 3, rows[2] - kPad * 3 + rowLength, 0);
        for (int x = 0; x < w; ++x) {
            const Colour c = source.colourAt(x, y);
            int v[3] = {redOf(c), greenOf(c), blueOf(c)};
            for (int ch = 0; ch < 3; ++ch) {
                v[ch] = std::clamp(v[ch] + roundedQuotient(rows[0][3 * x + ch], k.divisor), 0, 255);
            }
            const int index = nearestPaletteIndex(palette, makeColour(v[0], v[1], v[2]));
            out.row(y)[x] = static_cast<std::uint8_t>(index);
            const int e[3] = {v[0] - redOf(palette[index]), v[1] - greenOf(palette[index]),
                              v[2] - blueOf(palette[index])};
            for (int ch = 0; ch < 3; ++ch) {
                rows[0][3 * (x + 1) + ch] += k.right1 * e[ch];
                rows[0][3 * (x + 2) + ch] += k.right2 * e[ch];
                for (int dx = -2; dx <= 2; ++dx) {
                    rows[1][3 * (x + dx) + ch] += k.below1[dx + 2] * e[ch];
                    rows[2][3 * (x + dx) + ch] += k.below2[dx + 2] * e[ch];
                }
            }
        }
    }
}

void reduceColourDirect(const Picture& source, const std::vector<Colour>& palette, bool ordered,
                        Picture& out) {
    const int step = 256 / static_cast<int>(palette.size());
    Colour lastColour = 0;
    int lastIndex = -1;
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            Colour c = source.colourAt(x, y);
            if (ordered) {
                const int offset = ((2 * kBayer8[(y & 7) * 8 + (x & 7)] + 1) - 64) * step / 128;
                c = makeColour(std::clamp(redOf(c) + offset, 0, 255),
                               std::clamp(greenOf(c) + offset, 0, 255),
                               std::clamp(blueOf(c) + offset, 0, 255));
            }
            if (lastIndex < 0 || c != lastColour) {
                lastColour = c;
                lastIndex = nearestPaletteIndex(palette, c);
            }
            out.row(y)[x] = static_cast<std::uint8_t>(lastIndex);
        }
    }
}

void reduceColour(const Picture& source, const std::vector<Colour>& palette, int method,
                  Picture& out) {
    switch (method) {
        case kDitherBurkes:
            reduceColourDiffused(source, palette, kBurkes, out);
            break;
        case kDitherJarvis:
            reduceColourDiffused(source, palette, kJarvis, out);
            break;
        default:
            reduceColourDirect(source, palette, method == kDitherOrdered, out);
            break;
    }
}

bool knownMethod(int method) {
    return method == kDitherNone || method == kDitherBurkes || method == kDitherJarvis ||
           method == kDitherOrdered;
}

}  // namespace

bool isGreyIndexed(const Picture& p) {
    return !p.isTrueColour() && allGrey(p.palette());
}

int reduceToPalette(const Picture& source, const std::vector<Colour>& palette, int bits, int method,
                    Picture* out) {
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8) {
        return kInvalidArgument;
    }
    if (palette.empty() || palette.size() > (1u << bits) || !knownMethod(method)) {
        return kInvalidArgument;
    }
    if (source.isEmpty()) {
        return kNoBitmap;
    }
    Picture result(source.width(), source.height(), bits);
    std::fill(result.palette().begin(), result.palette().end(), 0);
    std::copy(palette.begin(), palette.end(), result.palette().begin());
    if (isGreyIndexed(source) && allGrey(palette)) {
        reduceGrey(source, palette, method, result);
    } else {
        reduceColour(source, palette, method, result);
    }
    *out = std::move(result);
    return kOk;
}

namespace {

std::vector<Colour> colourCube332() {
    std::vector<Colour> palette(256);
    for (int i = 0; i < 256; ++i) {
        palette[i] = makeColour((i >> 5) * 255 / 7, ((i >> 2) & 7) * 255 / 7, (i & 3) * 255 / 3);
    }
    return palette;
}

std::vector<Colour> defaultPalette(const Picture& source, int bits) {
    if (bits == 8 && !isGreyIndexed(source)) {
        return colourCube332();
    }
    return Picture::greyPalette(bits);
}

}  // namespace

int changeColourResolution(const Picture& source, int bits, int paletteFlags, int dither,
                           int colours, const std::vector<Colour>& userPalette, Picture* out) {
    if (source.isEmpty()) {
        return kNoBitmap;
    }
    if (bits == 24) {
        *out = toTrueColour(source);
        return kOk;
    }
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8) {
        return kInvalidArgument;
    }
    if ((paletteFlags & kPaletteUser) == 0) {
        return reduceToPalette(source, defaultPalette(source, bits), bits, dither, out);
    }
    const int count = colours == 0 ? 1 << bits : colours;
    if (count < 1 || count > (1 << bits) || count > static_cast<int>(userPalette.size())) {
        return kInvalidArgument;
    }
    const std::vector<Colour> palette(userPalette.begin(), userPalette.begin() + count);
    return reduceToPalette(source, palette, bits, dither, out);
}

}  // namespace imaging
