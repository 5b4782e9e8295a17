#pragma once

#include <QString>

#include "imaging/Picture.h"

namespace imaging {

// Checks a JPEG, PNG or BMP file, recognised by its content, without decoding its pixels: the
// size its header claims and its structure. Returns kOk, or kFileNotFound, kUnknownFormat,
// kCorruptData (empty, truncated, damaged) or kTooLarge (a claimed size beyond the decoder
// limit).
int checkStill(const QString& file);

// Checks the file as checkStill does and decodes it into a 24-bit picture. Returns kOk or a
// status of checkStill (kCorruptData also for pixels that do not decode); *out is replaced only
// on success. A JPEG is decoded straight into the picture; for other formats the peak memory
// stays within Qt's decoded image plus the picture.
int decodeStill(const QString& file, Picture* out);

}  // namespace imaging
