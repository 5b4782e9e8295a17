#include "imaging/ClipTiming.h"

#include <cmath>
#include <initializer_list>

namespace imaging {

namespace {

bool isPositive(AVRational r) {
    return r.num > 0 && r.den > 0;
}

AVRational usableRate(AVRational averageRate, AVRational realRate) {
    return isPositive(averageRate) ? averageRate : realRate;
}

// Seconds given as a rational, in whole milliseconds; 0 when outside the accepted range.
int delayFromSeconds(double seconds) {
    const double ms = std::round(seconds * 1000.0);
    return ms >= 1.0 && ms <= kMaxFrameDelayMs ? static_cast<int>(ms) : 0;
}

}  // namespace

int frameDelayMs(AVRational averageRate, AVRational realRate, AVRational timeBase) {
    for (const AVRational rate : {averageRate, realRate}) {
        if (isPositive(rate)) {
            if (const int ms = delayFromSeconds(static_cast<double>(rate.den) / rate.num)) {
                return ms;
            }
        }
    }
    if (isPositive(timeBase)) {
        if (const int ms = delayFromSeconds(static_cast<double>(timeBase.num) / timeBase.den)) {
            return ms;
        }
    }
    return kDefaultFrameDelayMs;
}

std::int64_t ticksPerFrame(AVRational averageRate, AVRational realRate, AVRational timeBase) {
    const AVRational rate = usableRate(averageRate, realRate);
    if (!isPositive(rate) || !isPositive(timeBase)) {
        return 1;
    }
    const double ticks = (static_cast<double>(rate.den) * timeBase.den) /
                         (static_cast<double>(rate.num) * timeBase.num);
    return ticks >= 1.0 && ticks < 1e9 ? static_cast<std::int64_t>(std::llround(ticks)) : 1;
}

}  // namespace imaging
