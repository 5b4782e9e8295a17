#pragma once

#include "imaging/Picture.h"

namespace imaging {

// In-place filters. Each returns a Status: kNoBitmap for an empty picture, kCorruptData for a
// picture whose pixel buffer does not match its size, kInvalidArgument for a bad argument.
// Strengths outside -1000..1000 are clamped. 24-bit pictures are filtered per channel; 8-bit
// pictures with the identity grey palette are filtered on their index values; other indexed
// pictures have point operations applied to their palette, while neighbourhood operations
// (sharpen, median) first turn them into 24-bit pictures.

// Adds strength * 255 / 1000 (rounded) to every channel, clamped to 0..255.
int intensity(Picture& p, int strength);

// Scales the distance from grey 128 by (1000 + strength) / 1000 for strength <= 0 and by
// 1000 / (1000 - strength) for strength > 0; 1000 is a hard threshold (v < 128 -> 0, else 255).
int contrast(Picture& p, int strength);

// Moves each channel by k * (v - mean of its 3x3 neighbourhood), border replicated, with
// k = 2 * strength / 1000 when sharpening and k = strength / 1000 when softening (-1000 gives
// the 3x3 box blur).
int sharpen(Picture& p, int strength);

// v -> 255 - v on every channel.
int invert(Picture& p);

// size x size median per channel, border replicated; size must be odd, 1 .. kMaxMedianSize.
inline constexpr int kMaxMedianSize = 255;
int median(Picture& p, int size);

// Equalises each channel on its own histogram: v -> round((cdf(v) - cdfMin) * 255 / (n - cdfMin))
// where cdfMin is the count of the darkest value present and n the pixel count. A channel with
// a single value is left as it is. Indexed pictures other than identity grey are equalised
// through their palette, weighting each entry by the pixels that use it.
int histoEqualize(Picture& p);

}  // namespace imaging
