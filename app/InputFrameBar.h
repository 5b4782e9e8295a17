#pragma once

#include <QString>
#include <optional>
#include <vector>

// The input frame bar's rules without widgets: where its tick marks go and which typed frame
// numbers are accepted.
namespace app {

// Ticks for a bar from `minimum` to `count`: every step of (count - minimum) / 10, at least 1,
// from the minimum, for every value below the count.
std::vector<int> frameBarTicks(int minimum, int count);

// The number typed into a frame number field, when the text is only the digits 0-9 and its
// value lies within minimum..maximum; a number too large for 32 bits is refused like any
// other out of range.
std::optional<int> parseFrameNumber(const QString& text, int minimum, int maximum);

}  // namespace app
