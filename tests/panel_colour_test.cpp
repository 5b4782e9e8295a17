#include <gtest/gtest.h>

#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "produce/OutputFrames.h"
#include "produce/PicMCut.h"
#include "store/OutputStore.h"

using namespace imaging;
using produce::ChannelLevels;

namespace {

const ChannelLevels kDefaultLevels{{0, 85, 170, 255}, {0, 85, 170, 255}, {0, 85, 170, 255}};

Picture row(std::initializer_list<Colour> colours) {
    Picture p(static_cast<int>(colours.size()), 1);
    int x = 0;
    for (Colour c : colours) {
        p.setColourAt(x++, 0, c);
    }
    return p;
}

// A 320 x 108 picture: red on the left half, blue on the right.
Picture halves() {
    Picture p(320, 108);
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            p.setColourAt(x, y, x < 160 ? makeColour(255, 0, 0) : makeColour(0, 0, 255));
        }
    }
    return p;
}

CropFrame frame(int left, int top, int right, int bottom) {
    CropFrame f;
    f.Left = left;
    f.Top = top;
    f.Right = right;
    f.Bottom = bottom;
    return f;
}

}  // namespace

TEST(PanelColour, ReductionUsesTheValuePlaneAndNearestGreys) {
    LeadModel work;
    work.setBitmap(
        row({makeColour(255, 0, 0), makeColour(0, 255, 0), makeColour(0, 0, 255), greyColour(128),
             greyColour(42), greyColour(43), makeColour(40, 212, 9), makeColour(213, 0, 0)}));
    produce::reduceToPanel(work, produce::ditherForChoice(2));  // choice 2: no dithering
    ASSERT_EQ(work.BitmapBits(), 2);
    EXPECT_EQ(work.picture()->pixels(), (std::vector<std::uint8_t>{3, 3, 3, 2, 0, 1, 2, 3}));
    EXPECT_EQ(work.picture()->palette(),
              std::vector<Colour>(produce::PanelGreys.begin(), produce::PanelGreys.end()));
    EXPECT_EQ(produce::ditherForChoice(0), 3);  // Burkes first
    EXPECT_EQ(produce::ditherForChoice(-1), 3);
    EXPECT_EQ(produce::ditherForChoice(3), 7);
}

TEST(PanelColour, TintArithmetic) {
    // Code 52: red index 3, green 1, blue 0.
    EXPECT_EQ(produce::backColorCode(3, 1, 0), 52);
    const std::vector<Colour> expected{makeColour(0, 0, 0), makeColour(85, 28, 0),
                                       makeColour(170, 56, 0), makeColour(255, 85, 0)};
    LeadModel lead;
    lead.setBitmap(Picture(4, 1, 2));
    produce::tintPanelPalette(lead, 52, kDefaultLevels);
    EXPECT_EQ(lead.picture()->palette(), expected);
    produce::tintPanelPalette(lead, 63, kDefaultLevels);
    EXPECT_EQ(lead.picture()->palette(),
              std::vector<Colour>(produce::PanelGreys.begin(), produce::PanelGreys.end()));
    produce::tintPanelPalette(lead, 0, kDefaultLevels);
    for (Colour c : lead.picture()->palette()) {
        EXPECT_EQ(c, 0u);
    }
    // Only the low 8 bits of a level above 255 count: 300 shows as 44.
    ChannelLevels bright = kDefaultLevels;
    bright.red[3] = 300;
    EXPECT_EQ(produce::tintedGrey(63, 3, bright), makeColour(44, 255, 255));
    EXPECT_EQ(produce::tintedGrey(63, 1, bright), makeColour(100, 85, 85));
    // Bits 7-6 of a code read from a file are ignored.
    EXPECT_EQ(produce::tintedGrey(0xC0 | 52, 3, kDefaultLevels), makeColour(255, 85, 0));
}

TEST(PanelColour, CropFollowsZoomAndLeavesMissingPartsBlack) {
    LeadModel source;
    source.setBitmap(halves());
    LeadModel target;
    produce::cropToPanel(frame(0, 0, 320, 108), 100, source, target, 160, 54);
    ASSERT_EQ(target.BitmapWidth(), 160);
    EXPECT_EQ(target.Get_Pixel(79, 10), makeColour(255, 0, 0));
    EXPECT_EQ(target.Get_Pixel(80, 10), makeColour(0, 0, 255));

    // At 200 % the same viewer rectangle covers only the left half of the picture.
    produce::cropToPanel(frame(0, 0, 320, 108), 200, source, target, 160, 54);
    EXPECT_EQ(target.Get_Pixel(159, 53), makeColour(255, 0, 0));

    // Reaching left of the picture: that part stays black.
    produce::cropToPanel(frame(-160, 0, 160, 108), 100, source, target, 160, 54);
    EXPECT_EQ(target.Get_Pixel(10, 10), 0u);
    EXPECT_EQ(target.Get_Pixel(150, 10), makeColour(255, 0, 0));

    // A rectangle of no width leaves no picture rather than a stale one, and reducing that
    // fails instead of bringing back the planes of the last good crop.
    LeadModel grey;
    grey.setBitmap(*target.picture());
    ASSERT_EQ(produce::reduceToPanel(grey, 0), imaging::kOk);
    EXPECT_NE(produce::cropToPanel(frame(5, 5, 5, 50), 100, source, target, 160, 54), 0);
    EXPECT_FALSE(target.hasBitmap());
    grey.setBitmapFrom(target);
    EXPECT_EQ(produce::reduceToPanel(grey, 0), imaging::kNoBitmap);
    EXPECT_FALSE(grey.hasBitmap());
    EXPECT_TRUE(grey.Get_ColorPlanes(2).isEmpty());
}

TEST(PanelColour, FittedDisplayKeepsThePalette) {
    LeadModel source;
    Picture panel(4, 2, 2);
    panel.row(0)[3] = 3;
    source.setBitmap(panel);
    produce::tintPanelPalette(source, 52, kDefaultLevels);
    LeadModel display;
    ASSERT_EQ(produce::showFitted(display, 40, 20, source), imaging::kOk);
    EXPECT_EQ(display.BitmapWidth(), 40);
    EXPECT_EQ(display.BitmapHeight(), 20);
    EXPECT_EQ(display.Get_Pixel(39, 0), makeColour(255, 85, 0));
}

TEST(OutputFrames, AddAndCopyKeepBothListsInStep) {
    LeadModel colour, panel, work, overlay;
    const produce::OutputLists lists{colour, panel, work, overlay};
    const Picture a = row({makeColour(200, 10, 10), greyColour(40)});
    const Picture b = row({greyColour(100), greyColour(250)});
    produce::addOutputFrame(lists, a, 0, 0);
    EXPECT_EQ(colour.BitmapListCount(), 1);
    EXPECT_EQ(colour.bitmapListItem(0), a);  // the colour list keeps the picture as handed
    EXPECT_EQ(panel.bitmapListItem(0).pixels(), (std::vector<std::uint8_t>{2, 0}));

    produce::addOutputFrame(lists, b, 0, 0);  // in front of the first frame
    EXPECT_EQ(colour.BitmapListCount(), 2);
    EXPECT_EQ(panel.BitmapListCount(), 2);
    EXPECT_EQ(colour.BitmapListIndex(), 0);
    EXPECT_EQ(panel.BitmapListIndex(), 0);
    EXPECT_EQ(colour.bitmapListItem(1), a);

    // The generation overlay is added to every frame.
    overlay.setBitmap(row({greyColour(0), greyColour(100)}));
    produce::addOutputFrame(lists, b, 2, 0);
    EXPECT_EQ(colour.bitmapListItem(2).colourAt(1, 0), greyColour(255));
    EXPECT_EQ(colour.BitmapListIndex(), 2);

    produce::copyOutputFrame(lists, 1, 3);
    EXPECT_EQ(colour.BitmapListCount(), 4);
    EXPECT_EQ(panel.BitmapListCount(), 4);
    EXPECT_EQ(colour.bitmapListItem(3), a);
    EXPECT_EQ(panel.bitmapListItem(3), panel.bitmapListItem(1));
    EXPECT_EQ(panel.BitmapListIndex(), 3);

    // An empty picture (the crop of an empty rectangle) or a missing frame changes nothing.
    EXPECT_EQ(produce::addOutputFrame(lists, Picture(), 0, 0), imaging::kNoBitmap);
    EXPECT_EQ(produce::copyOutputFrame(lists, 4, 0), imaging::kInvalidArgument);
    EXPECT_EQ(colour.BitmapListCount(), 4);
    EXPECT_EQ(panel.BitmapListCount(), 4);
    EXPECT_EQ(panel.BitmapListIndex(), 3);
}

TEST(OutputStore, CapacityAndInsertionPosition) {
    EXPECT_FALSE(store::fitsOutputLimit(85, 6));
    EXPECT_TRUE(store::fitsOutputLimit(85, 5));
    EXPECT_EQ(store::framesThatFit(88, 5), 2);
    EXPECT_EQ(store::framesThatFit(90, 5), 0);
    EXPECT_EQ(store::framesThatFit(0, 120), 90);
    EXPECT_EQ(store::insertionPosition(0, 0, store::kInsertAfter), 0);
    EXPECT_EQ(store::insertionPosition(5, 2, store::kInsertAfter), 3);
    EXPECT_EQ(store::insertionPosition(5, 2, 1), 2);
    EXPECT_EQ(store::insertionPosition(5, 2, 0), 2);  // any other answer: before
}
