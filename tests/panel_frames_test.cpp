#include <gtest/gtest.h>

#include "produce/PicMCut.h"
#include "tools/PanelFrames.h"

using imaging::Picture;

TEST(PanelFrames, TwoBitTintIsThePanelTintForEveryCode) {
    const produce::ChannelLevels levels{{0, 85, 170, 255}, {0, 85, 170, 255}, {0, 85, 170, 255}};
    for (int code = 0; code < 64; ++code) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(tools::tintedLevel(code, i, 2), produce::tintedGrey(code, i, levels));
        }
    }
}

TEST(PanelFrames, OtherDepthsScaleEachChannelByTheGrey) {
    // Code 0b100111: red level 2 (170), green 1 (85), blue 3 (255).
    EXPECT_EQ(tools::tintedLevel(0x27, 15, 4), imaging::makeColour(170, 85, 255));
    EXPECT_EQ(tools::tintedLevel(0x27, 100, 8), imaging::makeColour(66, 33, 100));
    EXPECT_EQ(tools::tintedLevel(0x27, 1, 1), imaging::makeColour(170, 85, 255));
    EXPECT_EQ(tools::tintedLevel(0x27, 0, 1), imaging::makeColour(0, 0, 0));
}

TEST(PanelFrames, TintedFrameKeepsLevelsAndFillsThePalette) {
    Picture p(3, 1, 4);
    p.row(0)[2] = 9;
    const Picture t = tools::tintedFrame(p, 48);
    EXPECT_EQ(t.pixels(), p.pixels());
    ASSERT_EQ(t.palette().size(), 16u);
    EXPECT_EQ(t.colourAt(2, 0), imaging::makeColour(153, 0, 0));
}

TEST(PanelFrames, ValuePlaneLevelsAndGreyImage) {
    Picture value(4, 1, 8);
    value.pixels() = {0, 100, 200, 255};
    const Picture levels = tools::levelsOfValuePlane(value, 4);
    EXPECT_EQ(levels.bits(), 4);
    EXPECT_EQ(levels.pixels(), (std::vector<std::uint8_t>{0, 6, 12, 15}));
    EXPECT_EQ(levels.palette()[6], imaging::greyColour(102));
    const QImage grey = tools::greyImage(levels);
    EXPECT_EQ(grey.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(qGray(grey.pixel(1, 0)), 102);
    EXPECT_EQ(qGray(grey.pixel(3, 0)), 255);
}
