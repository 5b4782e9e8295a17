#pragma once

#include "imaging/Picture.h"

namespace imaging {

// Plain nearest-neighbour resize: output pixel x takes source column ((2x + 1) * srcW) / (2 * w),
// rows likewise. Any depth; the palette is kept. Sizes below 1 give kInvalidArgument.
int resize(const Picture& source, int width, int height, Picture* out);

// What cutting the `cropWidth` x `cropHeight` rectangle at (x, y) out of `source` into a black
// 24-bit picture and then resizing it to `width` x `height` gives, computed by sampling only the
// pixels the result needs. Parts of the rectangle outside the source stay black.
int cropResized(const Picture& source, int x, int y, int cropWidth, int cropHeight, int width,
                int height, Picture* out);

}  // namespace imaging
