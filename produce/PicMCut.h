#pragma once

#include <array>

#include "imaging/Picture.h"
#include "produce/CropFrame.h"

namespace imaging {
class LeadModel;
}

// The panel colour model: how a colour picture becomes a panel picture of four greys, and how
// a panel picture is tinted with the background colour for display.
namespace produce {

// The four panel colours, index = grey level.
inline constexpr std::array<imaging::Colour, 4> PanelGreys{0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};

// Dithering of the reduction by the index of the dithering choice: Burkes, JJN, none, ordered.
inline constexpr std::array<int, 4> DitherMethods{3, 6, 0, 7};

// The dither value for a choice index; no choice (or an unknown one) takes the first.
int ditherForChoice(int choiceIndex);

// The 8-bit intensities of the four levels of each colour channel.
struct ChannelLevels {
    std::array<int, 4> red;
    std::array<int, 4> green;
    std::array<int, 4> blue;
};

// The levels of a channel unless settings or a panel description say otherwise.
inline constexpr std::array<int, 4> kDefaultLevels{0, 85, 170, 255};
inline constexpr ChannelLevels kDefaultChannelLevels{kDefaultLevels, kDefaultLevels,
                                                     kDefaultLevels};

// The background colour code of three level indices (0..3 each).
int backColorCode(int red, int green, int blue);

// Palette entry i (0..3) of a panel picture shown in background colour `code`: each channel is
// (level × i) / 3, of which only the low 8 bits count.
imaging::Colour tintedGrey(int code, int i, const ChannelLevels& levels);

// Reduces the current picture of `work` in place to a panel picture: its HSV value plane
// mapped onto the four panel greys at 2 bits with the given dithering. Stops at the first
// failed step and returns its status; `work` then has no picture.
int reduceToPanel(imaging::LeadModel& work, int ditherMethod);

// Rewrites palette entries 0..3 (those it has) of `picture`'s current picture for background
// colour `code`.
int tintPanelPalette(imaging::LeadModel& picture, int code, const ChannelLevels& levels);

// Makes `display`'s picture a copy of `source`'s current picture resized to width x height;
// `display` has no picture when `source` has none.
int showFitted(imaging::LeadModel& display, int width, int height,
               const imaging::LeadModel& source);

// Makes `target`'s picture the part of `source`'s picture inside `rect` (viewer pixels at
// `zoomPercent`), resized to the panel's size. Parts outside the source stay black.
int cropToPanel(const CropFrame& rect, int zoomPercent, const imaging::LeadModel& source,
                imaging::LeadModel& target, int panelWidth, int panelHeight);

}  // namespace produce
