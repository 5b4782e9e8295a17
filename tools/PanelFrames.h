#pragma once

#include <QImage>

#include "imaging/Picture.h"

// Conversions between stored panel levels and what the tool writes out.
namespace tools {

// An 8-bit grey image whose values are the panel file greys of the frame's levels.
QImage greyImage(const imaging::Picture& frame);

// How level `level` of a `bits`-deep frame looks in background colour `code` with the default
// channel levels: at 2 bits the panel tint itself; at other depths each channel is
// (channel level × grey) / 255 of the level's grey, of which only the low 8 bits count.
imaging::Colour tintedLevel(int code, int level, int bits);

// The frame with the same levels and a palette tinted for `code`.
imaging::Picture tintedFrame(const imaging::Picture& frame, int code);

// An indexed picture of `bits` (1, 4 or 8) whose levels are the panel file levels of each pixel of
// an 8-bit grey `value` plane, with the greys of those levels as palette.
imaging::Picture levelsOfValuePlane(const imaging::Picture& value, int bits);

}  // namespace tools
