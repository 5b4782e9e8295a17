// The neighbourhood operations of Filters.h. Each works on a copy of the picture's channels
// padded by replicating the border, so every window read stays inside that copy.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "imaging/Filters.h"
#include "imaging/PictureCheck.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

constexpr int kMaxStrength = 1000;
constexpr int kMaxSharpenGain = 2;

// The channels of a picture (3 at 24 bits, the index of an identity-grey picture otherwise)
// with `border` replicated pixels around every side.
class PaddedChannels {
  public:
    PaddedChannels(const Picture& p, int border)
        : channels_(p.bytesPerPixel()),
          border_(border),
          stride_((p.width() + 2 * border) * channels_),
          data_(static_cast<std::size_t>(stride_) * (p.height() + 2 * border)) {
        for (int y = 0; y < p.height() + 2 * border; ++y) {
            const std::uint8_t* src = p.row(std::clamp(y - border, 0, p.height() - 1));
            std::uint8_t* dst = data_.data() + static_cast<std::size_t>(y) * stride_;
            for (int x = 0; x < p.width() + 2 * border; ++x) {
                const int sx = std::clamp(x - border, 0, p.width() - 1);
                std::copy_n(src + sx * channels_, channels_, dst + x * channels_);
            }
        }
    }

    int channels() const { return channels_; }
    int stride() const { return stride_; }
    // The channel bytes of picture pixel (x, y); offsets up to `border` pixels away are valid.
    const std::uint8_t* at(int x, int y) const {
        return data_.data() + static_cast<std::size_t>(y + border_) * stride_ +
               (x + border_) * channels_;
    }

  private:
    int channels_;
    int border_;
    int stride_;
    std::vector<std::uint8_t> data_;
};

// Indexed pictures that are not identity grey are filtered as 24-bit colour.
void convertToFilterableDepth(Picture& p) {
    if (!p.isTrueColour() && !hasIdentityGreyPalette(p)) {
        p = toTrueColour(p);
    }
}

// n / d rounded half away from zero, for d > 0.
int roundedQuotient(int n, int d) {
    return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
}

// v + gain * (v - mean of the 3x3 window) with gain in thousandths, along one row of channels.
void sharpenRow(const PaddedChannels& padded, int y, int width, int gain, std::uint8_t* out) {
    const int c = padded.channels();
    const int s = padded.stride();
    const std::uint8_t* at = padded.at(0, y);
    for (int i = 0; i < width * c; ++i) {
        const std::uint8_t* above = at + i - s;
        const std::uint8_t* centre = at + i;
        const std::uint8_t* below = at + i + s;
        const int sum = above[-c] + above[0] + above[c] + centre[-c] + centre[0] + centre[c] +
                        below[-c] + below[0] + below[c];
        const int moved =
            centre[0] + roundedQuotient(gain * (9 * centre[0] - sum), 9 * kMaxStrength);
        out[i] = static_cast<std::uint8_t>(std::clamp(moved, 0, 255));
    }
}

void orderPair(std::uint8_t& a, std::uint8_t& b) {
    const std::uint8_t low = std::min(a, b);
    b = std::max(a, b);
    a = low;
}

// One row of 3x3 medians by a fixed 19-exchange network, written out and run along the whole
// row so the compiler can turn it into vector min/max; size 3 is what callers use.
void medianRow3x3(const PaddedChannels& padded, int y, int width, std::uint8_t* out) {
    const int c = padded.channels();
    const int s = padded.stride();
    const std::uint8_t* at = padded.at(0, y);
    for (int i = 0; i < width * c; ++i) {
        const std::uint8_t* centre = at + i;
        std::uint8_t v[9] = {centre[-s - c], centre[-s],    centre[-s + c], centre[-c],   centre[0],
                             centre[c],      centre[s - c], centre[s],      centre[s + c]};
        orderPair(v[1], v[2]);
        orderPair(v[4], v[5]);
        orderPair(v[7], v[8]);
        orderPair(v[0], v[1]);
        orderPair(v[3], v[4]);
        orderPair(v[6], v[7]);
        orderPair(v[1], v[2]);
        orderPair(v[4], v[5]);
        orderPair(v[7], v[8]);
        orderPair(v[0], v[3]);
        orderPair(v[5], v[8]);
        orderPair(v[4], v[7]);
        orderPair(v[3], v[6]);
        orderPair(v[1], v[4]);
        orderPair(v[2], v[5]);
        orderPair(v[4], v[7]);
        orderPair(v[4], v[2]);
        orderPair(v[6], v[4]);
        orderPair(v[4], v[2]);
        out[i] = v[4];
    }
}

std::uint8_t medianOfWindow(const PaddedChannels& padded, const std::uint8_t* centre, int radius,
                            std::vector<std::uint8_t>& window) {
    const int c = padded.channels();
    const int s = padded.stride();
    window.clear();
    for (int dy = -radius; dy <= radius; ++dy) {
        const std::uint8_t* row = centre + dy * s;
        for (int dx = -radius; dx <= radius; ++dx) {
            window.push_back(row[dx * c]);
        }
    }
    const auto middle = window.begin() + static_cast<std::ptrdiff_t>(window.size() / 2);
    std::nth_element(window.begin(), middle, window.end());
    return *middle;
}

}  // namespace

int sharpen(Picture& p, int strength) {
    const int s = std::clamp(strength, -kMaxStrength, kMaxStrength);
    const int status = checkPicture(p);
    if (status != kOk || s == 0) {
        return status;
    }
    convertToFilterableDepth(p);
    const int gain = s > 0 ? kMaxSharpenGain * s : s;
    const PaddedChannels padded(p, 1);
    for (int y = 0; y < p.height(); ++y) {
        sharpenRow(padded, y, p.width(), gain, p.row(y));
    }
    return kOk;
}

int median(Picture& p, int size) {
    const int status = checkPicture(p);
    if (status != kOk) {
        return status;
    }
    if (size < 1 || size > kMaxMedianSize || size % 2 == 0) {
        return kInvalidArgument;
    }
    if (size == 1) {
        return kOk;
    }
    convertToFilterableDepth(p);
    const int radius = size / 2;
    const PaddedChannels padded(p, radius);
    const int channels = padded.channels();
    std::vector<std::uint8_t> window;
    window.reserve(static_cast<std::size_t>(size) * size);
    for (int y = 0; y < p.height(); ++y) {
        std::uint8_t* out = p.row(y);
        if (size == 3) {
            medianRow3x3(padded, y, p.width(), out);
            continue;
        }
        for (int x = 0; x < p.width(); ++x) {
            for (int c = 0; c < channels; ++c) {
                out[x * channels + c] = medianOfWindow(padded, padded.at(x, y) + c, radius, window);
            }
        }
    }
    return kOk;
}

}  // namespace imaging
