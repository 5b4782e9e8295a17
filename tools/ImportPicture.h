#pragma once

#include <QString>

#include "imaging/Dither.h"
#include "imaging/Picture.h"

namespace tools {

// How pictures become panel frames.
struct ImportSettings {
    int bits = 2;
    int dither = imaging::kDitherBurkes;  // used at 2 bits only
    int width = 160;
    int height = 54;
};

// Reads the first page of a picture or clip, resizes it (nearest, no cropping) and reduces it:
// at 2 bits as the window does, at 1, 4 or 8 bits to the levels of its HSV value plane. The
// result's pixels are levels and its palette their greys. Returns 0 or an imaging::Status.
int importPicture(const QString& fileName, const ImportSettings& settings, imaging::Picture* out);

}  // namespace tools
