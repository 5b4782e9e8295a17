#pragma once

#include "imaging/Picture.h"

namespace imaging {

// Turns the picture counter-clockwise as seen on screen by hundredthsOfDegree (clockwise for
// negative values), growing the canvas to hold the whole turned picture. Multiples of 90 degrees
// are exact pixel permutations (0 leaves the picture untouched); other angles sample the nearest
// source pixel by inverse mapping about the centre, and uncovered pixels take `fill` (the nearest
// palette entry in indexed pictures). Depth and palette are kept. kNoBitmap for an empty
// picture, kTooLarge when the grown canvas would exceed the picture limits.
int rotate(Picture& p, int hundredthsOfDegree, Colour fill);

}  // namespace imaging
