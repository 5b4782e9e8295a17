#include <gtest/gtest.h>

#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"

using namespace imaging;
using produce::kDefaultChannelLevels;

namespace {

Picture row(const std::vector<Colour>& colours) {
    Picture p(static_cast<int>(colours.size()), 1);
    for (std::size_t x = 0; x < colours.size(); ++x) {
        p.setColourAt(static_cast<int>(x), 0, colours[x]);
    }
    return p;
}

const std::vector<Colour> kPanelGreys(produce::PanelGreys.begin(), produce::PanelGreys.end());
constexpr Colour kRed = makeColour(255, 0, 0), kBlue = makeColour(0, 0, 255),
                 kOrange = makeColour(255, 85, 0);  // level 3 in code 52

TEST(PanelColour, ReductionToNearestGreysOfTheValuePlaneAndTint) {
    LeadModel work;
    work.setBitmap(row({kRed, makeColour(0, 255, 0), kBlue, greyColour(128), greyColour(42),
                        greyColour(43), makeColour(40, 212, 9), makeColour(213, 0, 0)}));
    ASSERT_EQ(produce::reduceToPanel(work, produce::ditherForChoice(2)), kOk);  // no dithering
    EXPECT_EQ(work.picture()->pixels(), (std::vector<std::uint8_t>{3, 3, 3, 2, 0, 1, 2, 3}));
    EXPECT_EQ(work.picture()->palette(), kPanelGreys);
    EXPECT_EQ(produce::ditherForChoice(-1), 3);  // no choice: Burkes, the first
    produce::tintPanelPalette(work, 52, kDefaultChannelLevels);
    EXPECT_EQ(work.picture()->palette(),
              (std::vector<Colour>{0, makeColour(85, 28, 0), makeColour(170, 56, 0), kOrange}));
    produce::tintPanelPalette(work, 63, kDefaultChannelLevels);
    EXPECT_EQ(work.picture()->palette(), kPanelGreys);
    // Only the low 8 bits of a level above 255 count: 300 shows as 44.
    produce::ChannelLevels bright = kDefaultChannelLevels;
    bright.red[3] = 300;
    EXPECT_EQ(produce::tintedGrey(63, 3, bright), makeColour(44, 255, 255));
    EXPECT_EQ(produce::tintedGrey(63, 1, bright), makeColour(100, 85, 85));
    EXPECT_EQ(produce::tintedGrey(0xC0 | 52, 3, kDefaultChannelLevels), kOrange);  // bits 7-6 off
}

// The window's panel preview: the viewer rectangle cropped at its zoom, reduced, tinted, fitted.
TEST(PanelColour, CropFollowsZoomAndTheFittedDisplayKeepsTheTint) {
    Picture halves(320, 108);  // red on the left half, blue on the right
    for (int i = 0; i < 320 * 108; ++i) {
        halves.setColourAt(i % 320, i / 320, i % 320 < 160 ? kRed : kBlue);
    }
    LeadModel source, target;
    source.setBitmap(halves);
    const auto crop = [&](CropFrame rect, int zoom) {
        return produce::cropToPanel(rect, zoom, source, target, 160, 54);
    };
    crop({.Right = 320, .Bottom = 108}, 100);
    EXPECT_EQ(target.Get_Pixel(79, 10), kRed);
    EXPECT_EQ(target.Get_Pixel(80, 10), kBlue);
    crop({.Right = 320, .Bottom = 108}, 200);  // the same viewer rectangle: the left half only
    EXPECT_EQ(target.Get_Pixel(159, 53), kRed);
    crop({.Left = -160, .Right = 160, .Bottom = 108}, 100);  // left of the picture stays black
    EXPECT_EQ(target.Get_Pixel(10, 10), 0u);
    EXPECT_EQ(target.Get_Pixel(150, 10), kRed);
    LeadModel grey, display;
    grey.setBitmap(*target.picture());
    ASSERT_EQ(produce::reduceToPanel(grey, 0), kOk);
    produce::tintPanelPalette(grey, 52, kDefaultChannelLevels);
    ASSERT_EQ(produce::showFitted(display, 320, 108, grey), kOk);
    EXPECT_EQ(display.Get_Pixel(319, 107), kOrange);
    // A rectangle of no width leaves no picture rather than a stale one, and reducing that
    // fails instead of bringing back the planes of the last good crop.
    EXPECT_NE(crop({.Left = 5, .Top = 5, .Right = 5, .Bottom = 50}, 100), 0);
    EXPECT_FALSE(target.hasBitmap());
    grey.setBitmapFrom(target);
    EXPECT_EQ(produce::reduceToPanel(grey, 0), kNoBitmap);
    EXPECT_TRUE(grey.Get_ColorPlanes(2).isEmpty());
}

TEST(OutputFrames, AddAndCopyKeepBothListsInStep) {
    LeadModel colour, panel, work, overlay;
    const produce::OutputLists lists{colour, panel, work, overlay};
    const Picture a = row({makeColour(200, 10, 10), greyColour(40)});
    const Picture b = row({greyColour(100), greyColour(250)});
    produce::addOutputFrame(lists, a, 0, 0);
    EXPECT_EQ(colour.bitmapListItem(0), a);  // the colour list keeps the picture as handed
    EXPECT_EQ(panel.bitmapListItem(0).pixels(), (std::vector<std::uint8_t>{2, 0}));
    produce::addOutputFrame(lists, b, 0, 0);                   // in front of the first frame
    overlay.setBitmap(row({greyColour(0), greyColour(100)}));  // added to every frame
    produce::addOutputFrame(lists, b, 2, 0);
    EXPECT_EQ(colour.bitmapListItem(2).colourAt(1, 0), greyColour(255));
    produce::copyOutputFrame(lists, 1, 3);
    EXPECT_EQ(colour.bitmapListItem(3), a);
    EXPECT_EQ(panel.bitmapListItem(3), panel.bitmapListItem(1));
    // An empty picture (the crop of an empty rectangle) or a missing frame changes nothing.
    EXPECT_EQ(produce::addOutputFrame(lists, Picture(), 0, 0), kNoBitmap);
    EXPECT_EQ(produce::copyOutputFrame(lists, 4, 0), kInvalidArgument);
    EXPECT_EQ((std::array{colour.BitmapListCount(), panel.BitmapListCount()}), (std::array{4, 4}));
    EXPECT_EQ((std::array{colour.BitmapListIndex(), panel.BitmapListIndex()}), (std::array{3, 3}));
}

}  // namespace
