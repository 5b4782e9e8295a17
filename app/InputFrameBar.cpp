#include "app/InputFrameBar.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace app {

std::vector<int> frameBarTicks(int minimum, int count) {
    const int step = std::max(1, (count - minimum) / 10);
    std::vector<int> ticks;
    for (int t = minimum; t < count; t += step) {
        ticks.push_back(t);
    }
    return ticks;
}

std::optional<int> parseFrameNumber(const QString& text, int minimum, int maximum) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::nullopt;
        }
    }
    if (value < minimum || value > maximum) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace app
