// The neighbourhood operations of Filters.h. Each works on a copy of the picture's channels
// padded by replicating the border, so every window read stays inside that copy.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/Filters.h"
#include "imaging/PictureCheck.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

constexpr int kMaxStrength = 1000;
constexpr double kMaxSharpenGain = 2.0;

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

int boxSum3(const PaddedChannels& padded, const std::uint8_t* centre) {
    const int c = padded.channels();
    const int s = padded.stride();
    int sum = 0;
    for (const std::uint8_t* row : {centre - s, centre, centre + s}) {
        sum += row[-c] + row[0] + row[c];
    }
    return sum;
}

void sharpenWithGain(Picture& p, double gain) {
    const PaddedChannels padded(p, 1);
    const int channels = padded.channels();
    for (int y = 0; y < p.height(); ++y) {
        std::uint8_t* out = p.row(y);
        for (int x = 0; x < p.width(); ++x) {
            const std::uint8_t* centre = padded.at(x, y);
            for (int c = 0; c < channels; ++c) {
                const int v = centre[c];
                const double moved = v + gain * (9 * v - boxSum3(padded, centre + c)) / 9.0;
                out[x * channels + c] =
                    static_cast<std::uint8_t>(std::clamp(std::lround(moved), 0L, 255L));
            }
        }
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
    sharpenWithGain(p, s > 0 ? kMaxSharpenGain * s / kMaxStrength : double(s) / kMaxStrength);
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
        for (int x = 0; x < p.width(); ++x) {
            for (int c = 0; c < channels; ++c) {
                out[x * channels + c] = medianOfWindow(padded, padded.at(x, y) + c, radius, window);
            }
        }
    }
    return kOk;
}

}  // namespace imaging
