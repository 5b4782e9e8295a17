#pragma once

#include <QString>
#include <vector>

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

// Pages decoded at a time, so a long clip never fills memory.
inline constexpr int kImportRun = 10;

// The number of pages of a picture (1) or clip, counted from what the file holds. Returns 0 or
// an imaging::Status.
int pageCountOf(const QString& fileName, int* pages);

// Reads pages firstPage .. firstPage + pageCount - 1 (1-based) of a picture or clip, at most
// kImportRun at a time, and appends each as a frame: resized (nearest, no cropping) and reduced,
// at 2 bits as the window does, at 1, 4 or 8 bits to the levels of its HSV value plane. A frame's
// pixels are levels and its palette their greys. A page the file does not give is a failure.
// Returns 0 or an imaging::Status.
int importPages(const QString& fileName, int firstPage, int pageCount,
                const ImportSettings& settings, std::vector<imaging::Picture>* frames);

}  // namespace tools
