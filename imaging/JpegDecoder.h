#pragma once

#include <QByteArray>
#include <QSize>

#include "imaging/Picture.h"

namespace imaging {

// The size a JPEG's header gives, read by the decoder itself; invalid when the header does not
// read.
QSize jpegSizeOf(const QByteArray& data);

// Decodes a JPEG (baseline or progressive; grey, YCbCr, RGB, CMYK or YCCK) straight into the
// rows of a 24-bit picture, with no full-size image beside it. CMYK is taken as Adobe writes it
// (inverted), as Qt does. Damaged entropy data is decoded as far as the decoder can, as Qt
// accepts it too. Returns kOk, kTooLarge (beyond the decoder limit, or more working memory than
// the decoder is allowed) or kCorruptData; *out is replaced only on success.
int decodeJpeg(const QByteArray& data, Picture* out);

}  // namespace imaging
