#include "produce/PicMCutEffect.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "imaging/Filters.h"
#include "imaging/LeadModel.h"
#include "imaging/Planes.h"
#include "imaging/Status.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"

namespace produce {

namespace {

constexpr int kMedianSize = 3;
constexpr int kLightnessPlane = 1;
// Threads that share out the frames of a list.
constexpr int kMaxThreads = 8;

// Median, then the lightness plane of the HSL split equalised on its own and merged back, so
// the tones spread while the hues stay.
int medianAndEqualise(imaging::Picture& picture) {
    int status = imaging::median(picture, kMedianSize);
    std::vector<imaging::Picture> planes;
    if (status == imaging::kOk) {
        status = imaging::separatePlanes(picture, imaging::kPlanesHsl, &planes);
    }
    if (status == imaging::kOk) {
        status = imaging::histoEqualize(planes[kLightnessPlane]);
    }
    if (status == imaging::kOk) {
        status = imaging::mergePlanes(planes, imaging::kPlanesHsl, &picture);
    }
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

int applyEffect(imaging::LeadModel& control, int index, int strength) {
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
        default: {
            imaging::Picture picture = *control.picture();
            const int status = medianAndEqualise(picture);
            if (status == imaging::kOk) {
                control.setBitmap(std::move(picture));
            }
            return status;
        }
    }
}

// Frames do not depend on each other, so they are shared out over the cores; each thread works
// in models of its own, and the lists are only written once every frame is done.
int applyEffectToAll(const OutputLists& lists, int index, int strength, int ditherMethod) {
    const int count = lists.colour.BitmapListCount();
    if (lists.panel.BitmapListCount() != count) {
        return imaging::kInvalidArgument;
    }
    std::vector<imaging::Picture> colours(count), panels(count);
    const int threads =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxThreads);
    std::vector<int> statuses(threads, imaging::kOk);
    const auto work = [&](int first) {
        imaging::LeadModel frame;
        for (int i = first; i < count && statuses[first] == imaging::kOk; i += threads) {
            frame.setBitmap(lists.colour.frame(i));
            statuses[first] = applyEffect(frame, index, strength);
            if (statuses[first] == imaging::kOk) {
                colours[i] = *frame.picture();
                statuses[first] = reduceToPanel(frame, ditherMethod);
            }
            if (statuses[first] == imaging::kOk) {
                panels[i] = *frame.picture();
            }
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        helpers.emplace_back(work, t);
    }
    work(0);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    for (const int status : statuses) {
        if (status != imaging::kOk) {
            return status;
        }
    }
    for (int i = 0; i < count; ++i) {
        replaceFrame(lists.colour, i, std::move(colours[i]));
        replaceFrame(lists.panel, i, std::move(panels[i]));
    }
    return imaging::kOk;
}

}  // namespace produce
