#pragma once

#include "imaging/Status.h"

namespace imaging {

// Whether a claimed size goes beyond the decoder limit (sizes below 1 are a different fault).
constexpr bool exceedsDecoderLimit(long long width, long long height) {
    return width > kMaxPictureSide || height > kMaxPictureSide ||
           (width > 0 && height > 0 && width * height > kMaxPicturePixels);
}

// Whether a picture of this size may be decoded.
constexpr bool isWithinDecoderLimit(long long width, long long height) {
    return width > 0 && height > 0 && !exceedsDecoderLimit(width, height);
}

}  // namespace imaging
