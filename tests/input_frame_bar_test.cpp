#include <gtest/gtest.h>

#include "app/InputFrameBar.h"

namespace {

using app::frameBarTicks;
using app::parseFrameNumber;

// Ticks every tenth of the range, at least every frame; frame numbers are digits within the bar.
TEST(InputFrameBar, TicksAndFrameNumbers) {
    EXPECT_EQ(frameBarTicks(1, 25), (std::vector<int>{1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23}));
    EXPECT_EQ(frameBarTicks(1, 5), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(frameBarTicks(1, 1), std::vector<int>{});
    EXPECT_EQ(frameBarTicks(1, 101).size(), 10U);

    EXPECT_EQ(parseFrameNumber(QStringLiteral("004"), 1, 10), 4);
    EXPECT_EQ(parseFrameNumber(QStringLiteral("10"), 1, 10), 10);
    for (const char* refused : {"", "0", "11", "1a", " 3", "+3", "-3", "３", "2147483648",
                                "4294967303", "99999999999999999999"}) {
        EXPECT_FALSE(parseFrameNumber(QString::fromUtf8(refused), 1, 10)) << refused;
    }
    EXPECT_EQ(parseFrameNumber(QStringLiteral("2147483647"), 1, 2147483647), 2147483647);
}

}  // namespace
