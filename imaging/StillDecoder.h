#pragma once

#include <QString>

#include "imaging/Picture.h"

namespace imaging {

// Reads a JPEG, PNG or BMP file, recognised by its content, into a 24-bit picture.
// Returns kOk, or kFileNotFound, kUnknownFormat, kCorruptData (empty, truncated, damaged) or
// kTooLarge (the header claims a size beyond the decoder limit; nothing is decoded then).
int decodeStill(const QString& file, Picture* out);

}  // namespace imaging
