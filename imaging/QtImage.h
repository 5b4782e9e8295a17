#pragma once

#include <QImage>

#include "imaging/Picture.h"

namespace imaging {

// Qt's colour for one of ours (0x00BBGGRR -> 0xffRRGGBB).
QRgb toQRgb(Colour c);

// The picture as a QImage: RGB888 at 24 bits, Indexed8 with its colour table otherwise.
QImage toQImage(const Picture& picture);

// The picture as a read-only QImage to draw: a 24-bit picture's own rows (RGB888 at the
// picture's stride) without copying them, the image keeping a copy of the picture that shares
// them, so a later write to the picture never shows in the image; other depths as toQImage.
QImage viewOfPicture(const Picture& picture);

// A 24-bit picture of any QImage.
Picture fromQImage(const QImage& image);

}  // namespace imaging
