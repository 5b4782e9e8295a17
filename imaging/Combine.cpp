#include "imaging/Combine.h"

#include <algorithm>

#include "imaging/Status.h"

namespace imaging {

namespace {

struct Span {
    int start = 0;  // first offset inside the rectangle that both pictures hold
    int end = 0;    // one past the last
};

// Offsets 0..length-1 for which both target + i and source + i lie inside their pictures.
Span overlap(long long target, int targetSize, long long source, int sourceSize, int length) {
    const long long start = std::max({0LL, -target, -source});
    const long long end =
        std::min({static_cast<long long>(length), targetSize - target, sourceSize - source});
    if (end <= start) {
        return {};
    }
    return {static_cast<int>(start), static_cast<int>(end)};
}

std::uint8_t combineChannel(int a, int b, int op) {
    switch (op) {
        case kCombineAnd:
            return static_cast<std::uint8_t>(a & b);
        case kCombineOr:
            return static_cast<std::uint8_t>(a | b);
        case kCombineAdd:
            return static_cast<std::uint8_t>(std::min(a + b, 255));
        default:
            return static_cast<std::uint8_t>(b);
    }
}

void combineTrueColourRow(std::uint8_t* dst, const std::uint8_t* src, int count, int op) {
    if (op == kCombineCopy) {
        std::copy(src, src + 3 * count, dst);
        return;
    }
    for (int i = 0; i < 3 * count; ++i) {
        dst[i] = combineChannel(dst[i], src[i], op);
    }
}

Colour combineColours(Colour a, Colour b, int op) {
    return makeColour(combineChannel(redOf(a), redOf(b), op),
                      combineChannel(greenOf(a), greenOf(b), op),
                      combineChannel(blueOf(a), blueOf(b), op));
}

}  // namespace

int combine(Picture& target, int left, int top, int width, int height, const Picture& source,
            int sourceLeft, int sourceTop, int op) {
    if (op != kCombineAnd && op != kCombineOr && op != kCombineAdd && op != kCombineCopy) {
        return kInvalidArgument;
    }
    if (target.isEmpty() || source.isEmpty()) {
        return kNoBitmap;
    }
    const Span xs = overlap(left, target.width(), sourceLeft, source.width(), width);
    const Span ys = overlap(top, target.height(), sourceTop, source.height(), height);
    const bool direct = target.isTrueColour() && source.isTrueColour();
    for (int j = ys.start; j < ys.end; ++j) {
        const int ty = top + j;
        const int sy = sourceTop + j;
        if (direct) {
            combineTrueColourRow(target.row(ty) + 3 * (left + xs.start),
                                 source.row(sy) + 3 * (sourceLeft + xs.start), xs.end - xs.start,
                                 op);
            continue;
        }
        for (int i = xs.start; i < xs.end; ++i) {
            const Colour mixed = combineColours(target.colourAt(left + i, ty),
                                                source.colourAt(sourceLeft + i, sy), op);
            target.setColourAt(left + i, ty, mixed);
        }
    }
    return kOk;
}

}  // namespace imaging
