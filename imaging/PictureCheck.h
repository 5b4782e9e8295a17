#pragma once

#include "imaging/Picture.h"

namespace imaging {

// kNoBitmap for an empty picture, kCorruptData when the pixel buffer does not match the
// picture's size, kOk otherwise. Operations call this before touching any pixel.
int checkPicture(const Picture& p);

// True for an 8-bit picture whose palette is the identity grey ramp (index i is grey i), so
// its index values can be treated as grey levels.
bool hasIdentityGreyPalette(const Picture& p);

}  // namespace imaging
