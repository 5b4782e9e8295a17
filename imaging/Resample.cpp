#include "imaging/Resample.h"

#include <cstring>
#include <vector>

#include "imaging/DecoderLimit.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

// Source positions of the output samples along one axis, relative to the start of the span.
std::vector<int> samplePositions(int span, int count) {
    std::vector<int> positions(count);
    for (int i = 0; i < count; ++i) {
        positions[i] = static_cast<int>((2LL * i + 1) * span / (2LL * count));
    }
    return positions;
}

void copyColourSample(const Picture& source, int sx, int sy, std::uint8_t* dst) {
    const Colour c = source.colourAt(sx, sy);
    dst[0] = static_cast<std::uint8_t>(redOf(c));
    dst[1] = static_cast<std::uint8_t>(greenOf(c));
    dst[2] = static_cast<std::uint8_t>(blueOf(c));
}

// Copies the samples columns[first..last) of source row sy to dst. Each pixel moves as one
// 4-byte load and store (the extra byte is overwritten by the next pixel); the last pixel of
// the run, and any sample in the picture's last row, move byte by byte so that nothing is read
// past the source or written past the run.
void copyTrueColourSamples(const Picture& source, int sy, const std::vector<int>& columns,
                           int first, int last, std::uint8_t* dst) {
    const std::uint8_t* src = source.row(sy);
    const int wide = sy + 1 < source.height() ? last - 1 : first;
    int dx = first;
    for (; dx < wide; ++dx) {
        std::uint32_t pixel;
        std::memcpy(&pixel, src + columns[dx] * 3, sizeof pixel);
        std::memcpy(dst + 3 * dx, &pixel, sizeof pixel);
    }
    for (; dx < last; ++dx) {
        std::memcpy(dst + 3 * dx, src + columns[dx] * 3, 3);
    }
}

}  // namespace

int resize(const Picture& source, int width, int height, Picture* out) {
    if (!isWithinDecoderLimit(width, height)) {
        return kInvalidArgument;
    }
    if (source.isEmpty()) {
        return kNoBitmap;
    }
    Picture result(width, height, source.bits());
    result.palette() = source.palette();
    const int bpp = source.bytesPerPixel();
    const std::vector<int> columns = samplePositions(source.width(), width);
    const std::vector<int> rows = samplePositions(source.height(), height);
    const std::size_t rowBytes = static_cast<std::size_t>(result.stride());
    for (int y = 0; y < height; ++y) {
        std::uint8_t* dst = result.row(y);
        // An enlarged picture repeats rows: the row just made is copied whole.
        if (y > 0 && rows[y] == rows[y - 1]) {
            std::memcpy(dst, dst - rowBytes, rowBytes);
            continue;
        }
        const std::uint8_t* src = source.row(rows[y]);
        if (bpp == 3) {
            for (int x = 0; x < width; ++x) {
                std::memcpy(dst + 3 * x, src + 3 * columns[x], 3);
            }
        } else {
            for (int x = 0; x < width; ++x) {
                dst[x] = src[columns[x]];
            }
        }
    }
    *out = std::move(result);
    return kOk;
}

int cropResized(const Picture& source, int x, int y, int cropWidth, int cropHeight, int width,
                int height, Picture* out) {
    if (!isWithinDecoderLimit(width, height) || cropWidth <= 0 || cropHeight <= 0) {
        return kInvalidArgument;
    }
    Picture result(width, height, 24);
    // Columns are non-decreasing, so the output pixels that land inside the source are one run.
    std::vector<int> columns = samplePositions(cropWidth, width);
    int first = 0;
    while (first < width && static_cast<long long>(x) + columns[first] < 0) {
        ++first;
    }
    int last = width;
    while (last > first && static_cast<long long>(x) + columns[last - 1] >= source.width()) {
        --last;
    }
    for (int dx = first; dx < last; ++dx) {
        columns[dx] += x;
    }
    const std::vector<int> rows = samplePositions(cropHeight, height);
    for (int dy = 0; dy < height; ++dy) {
        const long long sy = static_cast<long long>(y) + rows[dy];
        if (sy < 0 || sy >= source.height()) {
            continue;
        }
        std::uint8_t* dst = result.row(dy);
        if (source.isTrueColour()) {
            copyTrueColourSamples(source, static_cast<int>(sy), columns, first, last, dst);
            continue;
        }
        for (int dx = first; dx < last; ++dx) {
            copyColourSample(source, columns[dx], static_cast<int>(sy), dst + 3 * dx);
        }
    }
    *out = std::move(result);
    return kOk;
}

}  // namespace imaging
