#pragma once

namespace imaging {
class LeadModel;
}

namespace produce {

struct OutputLists;

// The effects offered for the output frames, by their index in the effect choice.
enum Effect : int {
    kEffectNone = 0,
    kEffectBrightness = 1,
    kEffectContrast = 2,
    kEffectSharpen = 3,  // a negative strength softens
    kEffectNegative = 4,
    kEffectMedian = 5,
    kEffectMedianEqualise = 6,  // median, then the lightness spread over the whole range
};
inline constexpr int kEffectCount = 7;

// True for the effects that take a strength (-1000..1000, 0 leaves the picture as it is).
bool effectHasStrength(int index);

// Applies effect `index` with `strength` to the current picture of `control` in place. Effect 0
// and indices outside the effects change nothing. kNoBitmap when `control` has no picture.
int applyEffect(imaging::LeadModel& control, int index, int strength);

// Applies the effect to every colour frame and makes each panel frame the new colour frame
// reduced with `ditherMethod`; effect 0 only reduces every frame again. Either every frame is
// rewritten or, when one fails, none is and its status is returned. The lists' current index
// stays as it was; `lists.work` is not used.
int applyEffectToAll(const OutputLists& lists, int index, int strength, int ditherMethod);

}  // namespace produce
