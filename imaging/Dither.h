#pragma once

#include <vector>

#include "imaging/Picture.h"

namespace imaging {

// Dithering methods, numbered as the colour reduction takes them.
enum DitherMethod : int {
    kDitherNone = 0,     // nearest palette colour
    kDitherBurkes = 3,   // error diffusion over two rows, divisor 32
    kDitherJarvis = 6,   // Jarvis-Judice-Ninke error diffusion over three rows, divisor 48
    kDitherOrdered = 7,  // 8 x 8 Bayer threshold matrix
};

// Reduces `source` onto `palette` (1 to 2^bits colours) as a `bits`-deep indexed picture
// (1, 2, 4 or 8). The result's palette holds `palette` followed by black up to 2^bits entries.
// Grey pictures onto grey palettes take a single-channel path; anything else diffuses the
// error per colour channel. Unknown methods, depths or palette sizes give kInvalidArgument.
int reduceToPalette(const Picture& source, const std::vector<Colour>& palette, int bits, int method,
                    Picture* out);

enum PaletteOption : int {
    kPaletteUser = 16,  // reduce onto the user palette
};

// Changes the depth of `source`. To 24 bits: every pixel's colour. To 1, 2, 4 or 8 bits with
// kPaletteUser: onto the first `colours` entries of `userPalette` (0 means 2^bits). Without it:
// onto the grey ramp of 2^bits, or for a colour picture at 8 bits the 3-3-2 colour cube.
int changeColourResolution(const Picture& source, int bits, int paletteFlags, int dither,
                           int colours, const std::vector<Colour>& userPalette, Picture* out);

// True when every pixel of `p` is a grey: an indexed picture with an all-grey palette.
bool isGreyIndexed(const Picture& p);

}  // namespace imaging
