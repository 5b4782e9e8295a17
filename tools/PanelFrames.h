#pragma once

#include <QImage>

#include "imaging/Picture.h"

// Conversions between stored panel levels and what the tool writes out.
namespace tools {

// An 8-bit grey image whose values are the panel file greys of the frame's levels.
QImage greyImage(const imaging::Picture& frame);

// The frame as the window shows it in background colour `code` with the default channel
// levels: palette entries 0..3 (those the frame has) become the panel tint of their level,
// the other entries keep the frame's own greys. The levels stay as they are.
imaging::Picture tintedFrame(const imaging::Picture& frame, int code);

// An indexed picture of `bits` (1, 4 or 8) whose levels are the panel file levels of each pixel of
// an 8-bit grey `value` plane, with the greys of those levels as palette.
imaging::Picture levelsOfValuePlane(const imaging::Picture& value, int bits);

}  // namespace tools
