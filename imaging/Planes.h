#pragma once

#include <vector>

#include "imaging/Picture.h"

namespace imaging {

// Plane sets understood by separatePlanes and mergePlanes.
inline constexpr int kPlanesHsv = 2;  // planes 0 hue, 1 saturation, 2 value
inline constexpr int kPlanesHsl = 3;  // planes 0 hue, 1 lightness, 2 saturation

// Splits a picture into three 8-bit identity-grey pictures of the same size, values 0..255.
// Hue 0..360 degrees maps to round(hue * 255 / 360); V = max(R, G, B);
// L = (max + min + 1) / 2 in integers (halves round up); saturations are rounded to 0..255.
// Indexed pictures are read through their palette. *planes is replaced only on success.
// kNoBitmap for an empty source, kInvalidArgument for unknown flags or a null planes.
int separatePlanes(const Picture& source, int flags, std::vector<Picture>* planes);

// One plane of the same split, computed alone (the value plane is a plain maximum).
int separatePlane(const Picture& source, int flags, int plane, Picture* out);

// Rebuilds a 24-bit picture from three planes laid out as separatePlanes makes them. Planes that
// are not 8-bit identity grey, of differing sizes, or not exactly three give kInvalidArgument;
// an empty plane gives kNoBitmap. *out is replaced only on success.
int mergePlanes(const std::vector<Picture>& planes, int flags, Picture* out);

}  // namespace imaging
