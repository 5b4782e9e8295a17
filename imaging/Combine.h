#pragma once

#include "imaging/Picture.h"

namespace imaging {

// How a source pixel meets the destination pixel, numbered as the combine operation takes them.
enum CombineOp : int {
    kCombineAnd = 0x000,   // per channel bitwise AND
    kCombineOr = 0x100,    // per channel bitwise OR
    kCombineAdd = 0x300,   // per channel sum, saturating at 255
    kCombineCopy = 0x320,  // the source pixel replaces the destination pixel
};

// Combines the width x height rectangle of `source` at (sourceLeft, sourceTop) into `target`
// at (left, top), clipped to both pictures. Indexed targets take the nearest palette entry of
// the result. An unknown operation gives kInvalidArgument; an empty overlap changes nothing.
int combine(Picture& target, int left, int top, int width, int height, const Picture& source,
            int sourceLeft, int sourceTop, int op);

}  // namespace imaging
