#pragma once

#include <QImage>

#include "imaging/Picture.h"

namespace imaging {

// Qt's colour for one of ours (0x00BBGGRR -> 0xffRRGGBB).
QRgb toQRgb(Colour c);

// The picture as a QImage: RGB888 at 24 bits, Indexed8 with its colour table otherwise.
QImage toQImage(const Picture& picture);

// A 24-bit picture of any QImage.
Picture fromQImage(const QImage& image);

}  // namespace imaging
