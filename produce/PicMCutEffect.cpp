#include "produce/PicMCutEffect.h"

#include <vector>

#include "imaging/LeadModel.h"
#include "imaging/Planes.h"
#include "imaging/Status.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"

namespace produce {

namespace {

constexpr int kMedianSize = 3;
constexpr int kLightnessPlane = 1;

// Median, then the lightness plane of the HSL split equalised on its own and merged back, so
// the tones spread while the hues stay.
int medianAndEqualise(imaging::LeadModel& control, imaging::LeadModel& work) {
    int status = control.Median(kMedianSize);
    if (status == imaging::kOk) {
        status = control.ColorSeparate(imaging::kPlanesHsl);
    }
    if (status == imaging::kOk) {
        work.setBitmap(control.Get_ColorPlanes(kLightnessPlane));
        status = work.HistoEqualize();
    }
    if (status == imaging::kOk) {
        status = control.Set_ColorPlanes(kLightnessPlane, *work.picture());
    }
    if (status == imaging::kOk) {
        status = control.ColorMerge(imaging::kPlanesHsl);
    }
    work.releaseBitmap();
    return status;
}

// The frame at `index` of `list` replaced, its current index kept.
void replaceFrame(imaging::LeadModel& list, int index, imaging::Picture picture) {
    const int current = list.BitmapListIndex();
    list.setBitmapListIndex(index);
    list.setBitmap(std::move(picture));
    list.setBitmapListIndex(current);
}

}  // namespace

bool effectHasStrength(int index) {
    return index == kEffectBrightness || index == kEffectContrast || index == kEffectSharpen;
}

int applyEffect(imaging::LeadModel& control, int index, int strength, imaging::LeadModel& work) {
    if (index <= kEffectNone || index >= kEffectCount) {
        return imaging::kOk;
    }
    if (!control.hasBitmap()) {
        return imaging::kNoBitmap;
    }
    switch (index) {
        case kEffectBrightness:
            return control.Intensity(strength);
        case kEffectContrast:
            return control.Contrast(strength);
        case kEffectSharpen:
            return control.Sharpen(strength);
        case kEffectNegative:
            return control.Invert();
        case kEffectMedian:
            return control.Median(kMedianSize);
        default:
            return medianAndEqualise(control, work);
    }
}

int applyEffectToAll(const OutputLists& lists, int index, int strength, int ditherMethod) {
    const int count = lists.colour.BitmapListCount();
    if (lists.panel.BitmapListCount() != count) {
        return imaging::kInvalidArgument;
    }
    imaging::LeadModel scratch;
    std::vector<imaging::Picture> colours, panels;
    colours.reserve(count);
    panels.reserve(count);
    for (int i = 0; i < count; ++i) {
        lists.work.setBitmap(lists.colour.frame(i));
        int status = applyEffect(lists.work, index, strength, scratch);
        if (status != imaging::kOk) {
            return status;
        }
        colours.push_back(*lists.work.picture());
        status = reduceToPanel(lists.work, ditherMethod);
        if (status != imaging::kOk) {
            return status;
        }
        panels.push_back(*lists.work.picture());
    }
    for (int i = 0; i < count; ++i) {
        replaceFrame(lists.colour, i, std::move(colours[i]));
        replaceFrame(lists.panel, i, std::move(panels[i]));
    }
    return imaging::kOk;
}

}  // namespace produce
