#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>

#include "imaging/Dither.h"
#include "imaging/LeadModel.h"
#include "imaging/Planes.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"

using namespace imaging;

namespace {

const std::vector<Colour> kFourGreys{0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF};

Picture filled(int w, int h, Colour c) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.setColourAt(x, y, c);
        }
    }
    return p;
}

// The list as the widths of its items, which the tests use as item names.
std::vector<int> widths(const LeadModel& lead) {
    std::vector<int> result;
    for (int i = 0; i < lead.BitmapListCount(); ++i) {
        result.push_back(lead.bitmapListItem(i).width());
    }
    return result;
}

}  // namespace

TEST(LeadModel, BitmapListInsertSelectAndRemove) {
    LeadModel lead;
    EXPECT_FALSE(lead.hasBitmapList());
    EXPECT_EQ(lead.BitmapListCount(), 0);
    lead.setBitmap(Picture(9, 1));  // a lone picture is not a list
    EXPECT_EQ(lead.BitmapListCount(), 0);
    EXPECT_EQ(lead.setBitmapListIndex(0), kInvalidArgument);

    // The first insertion makes a list holding just the copy.
    ASSERT_EQ(lead.InsertBitmapListItem(-1, Picture(1, 1)), kOk);
    ASSERT_EQ(lead.InsertBitmapListItem(-1, Picture(2, 1)), kOk);
    ASSERT_EQ(lead.InsertBitmapListItem(99, Picture(3, 1)), kOk);
    EXPECT_EQ(widths(lead), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(lead.BitmapListIndex(), 0);

    ASSERT_EQ(lead.setBitmapListIndex(1), kOk);
    ASSERT_EQ(lead.InsertBitmapListItem(0, Picture(4, 1)), kOk);  // before the current item
    EXPECT_EQ(widths(lead), (std::vector<int>{4, 1, 2, 3}));
    EXPECT_EQ(lead.BitmapListIndex(), 2);  // the current item stays current
    EXPECT_EQ(lead.BitmapWidth(), 2);
    EXPECT_EQ(lead.setBitmapListIndex(4), kInvalidArgument);

    lead.setBitmap(Picture(5, 1));  // replaces the current item
    EXPECT_EQ(widths(lead), (std::vector<int>{4, 1, 5, 3}));

    ASSERT_EQ(lead.setBitmapListIndex(3), kOk);
    lead.releaseBitmap();  // removing the last item selects the new last one
    EXPECT_EQ(widths(lead), (std::vector<int>{4, 1, 5}));
    EXPECT_EQ(lead.BitmapListIndex(), 2);
    while (lead.hasBitmap()) {
        lead.releaseBitmap();
    }
    EXPECT_FALSE(lead.hasBitmapList());

    lead.InsertBitmapListItem(-1, Picture(1, 1));
    lead.clearBitmapList();
    EXPECT_FALSE(lead.hasBitmap());
    EXPECT_FALSE(lead.hasBitmapList());
    EXPECT_EQ(lead.InsertBitmapListItem(-1, Picture()), kNoBitmap);
}

TEST(LeadModel, ReductionToPanelGreys) {
    // The panel reduction: value plane, user palette of four greys, 2 bits, then the tint.
    LeadModel lead;
    Picture colours(5, 1);
    colours.setColourAt(0, 0, makeColour(255, 0, 0));
    colours.setColourAt(1, 0, makeColour(0, 255, 0));
    colours.setColourAt(2, 0, makeColour(0, 0, 255));
    colours.setColourAt(3, 0, makeColour(128, 128, 128));
    colours.setColourAt(4, 0, makeColour(42, 10, 0));
    lead.setBitmap(colours);
    ASSERT_EQ(lead.ColorSeparate(2), kOk);
    lead.setBitmap(lead.Get_ColorPlanes(2));
    EXPECT_EQ(lead.BitmapBits(), 8);
    for (int i = 0; i < 4; ++i) {
        lead.Set_UserPalette(i, kFourGreys[i]);
    }
    ASSERT_EQ(lead.ColorRes(2, kPaletteUser, kDitherNone, 4), kOk);
    EXPECT_EQ(lead.BitmapBits(), 2);
    EXPECT_EQ(lead.picture()->pixels(), (std::vector<std::uint8_t>{3, 3, 3, 2, 0}));

    // Tinting rewrites the palette only; back at 24 bits the pixels carry the tint.
    ASSERT_EQ(lead.Set_BitmapPalette(3, makeColour(255, 85, 0)), kOk);
    EXPECT_EQ(lead.Set_BitmapPalette(4, 0), kInvalidArgument);
    ASSERT_EQ(lead.ColorRes(24, 0, 0, 0), kOk);
    EXPECT_EQ(lead.Get_Pixel(0, 0), makeColour(255, 85, 0));
    EXPECT_EQ(lead.Get_Pixel(3, 0), 0xAAAAAAu);
}

TEST(LeadModel, OperationsWithoutPictureOrWithBadSizes) {
    LeadModel lead;
    EXPECT_EQ(lead.Fill(0), kNoBitmap);
    EXPECT_EQ(lead.Size(10, 10, 0), kNoBitmap);
    EXPECT_EQ(lead.ColorRes(2, kPaletteUser, 0, 4), kNoBitmap);
    EXPECT_EQ(lead.Intensity(100), kNoBitmap);
    EXPECT_EQ(lead.Rotate(4500, 1, 0), kNoBitmap);
    EXPECT_EQ(lead.ColorSeparate(2), kNoBitmap);
    EXPECT_TRUE(lead.Get_ColorPlanes(2).isEmpty());
    EXPECT_EQ(lead.Get_Pixel(0, 0), 0u);
    EXPECT_EQ(lead.GetBitmapDC(), nullptr);

    ASSERT_EQ(lead.CreateBitmap(4, 3, 24), kOk);
    EXPECT_EQ(lead.Get_Pixel(3, 2), 0u);  // new pictures are black
    EXPECT_EQ(lead.Size(0, 5, 0), kInvalidArgument);
    EXPECT_EQ(lead.BitmapWidth(), 4);
    EXPECT_EQ(lead.Set_Pixel(4, 0, 0xFFFFFF), kInvalidArgument);
    EXPECT_EQ(lead.Set_UserPalette(256, 0), kInvalidArgument);
    // A zero or oversized new picture leaves none, rather than the previous one.
    EXPECT_EQ(lead.CreateBitmap(0, 54, 24), kInvalidArgument);
    EXPECT_FALSE(lead.hasBitmap());
    EXPECT_EQ(lead.CreateBitmap(kMaxPictureSide + 1, 1, 24), kTooLarge);
    EXPECT_FALSE(lead.hasBitmap());
}

TEST(LeadModel, FillResizeCombineAndDrawingContext) {
    LeadModel lead;
    lead.CreateBitmap(4, 2, 24);
    ASSERT_EQ(lead.Fill(makeColour(10, 20, 30)), kOk);
    ASSERT_EQ(lead.Size(8, 4, 0), kOk);
    EXPECT_EQ(lead.BitmapWidth(), 8);
    EXPECT_EQ(lead.Get_Pixel(7, 3), makeColour(10, 20, 30));
    ASSERT_EQ(lead.Combine(6, 2, 4, 4, filled(4, 4, 0xFFFFFF), 0, 0, 0x320), kOk);
    EXPECT_EQ(lead.Get_Pixel(7, 3), 0xFFFFFFu);
    EXPECT_EQ(lead.Get_Pixel(5, 3), makeColour(10, 20, 30));

    QImage* dc = lead.GetBitmapDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->size(), QSize(8, 4));
    QPainter(dc).fillRect(0, 0, 2, 1, QColor(1, 2, 3));
    EXPECT_EQ(lead.Get_Pixel(0, 0), makeColour(10, 20, 30));  // not before release
    ASSERT_EQ(lead.ReleaseBitmapDC(), kOk);
    EXPECT_EQ(lead.Get_Pixel(1, 0), makeColour(1, 2, 3));
    EXPECT_EQ(lead.ReleaseBitmapDC(), kNoBitmap);  // nothing to release twice
}

TEST(LeadModel, LoadsStillsAndClipRunsAsBitmapLists) {
    QTemporaryDir dir;
    const QString still = dir.filePath("still.png");
    QImage image(6, 4, QImage::Format_RGB888);
    image.fill(QColor(10, 200, 30));
    ASSERT_TRUE(image.save(still));

    LeadModel lead;
    ASSERT_EQ(lead.GetFileInfo(still, 0xFFFF, 1), kOk);
    EXPECT_EQ(lead.InfoTotalPages(), 1);
    ASSERT_EQ(lead.Load(still, 24, 0, 1), kOk);
    EXPECT_TRUE(lead.hasBitmapList());  // even one page arrives as a list
    EXPECT_EQ(lead.BitmapListCount(), 1);
    EXPECT_EQ(lead.Get_Pixel(5, 3), makeColour(10, 200, 30));
    EXPECT_EQ(lead.BitmapDelay(), 0);

    const QString clip = dir.filePath("clip.avi");
    testsupport::ClipOptions options;
    options.frames = 25;
    options.fps = 10;
    ASSERT_TRUE(
        testsupport::writeClip(clip.toStdString(), testsupport::ClipCodec::kMpeg4BFrames, options));
    ASSERT_EQ(lead.GetFileInfo(clip), kOk);
    EXPECT_EQ(lead.InfoTotalPages(), 25);
    ASSERT_EQ(lead.Load(clip, 24, 11, 10), kOk);  // pages 11..20 are frames 10..19
    ASSERT_EQ(lead.BitmapListCount(), 10);
    EXPECT_EQ(lead.BitmapDelay(), 100);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(testsupport::frameNumberOf(lead.bitmapListItem(i)), 10 + i);
    }
    ASSERT_EQ(lead.Load(clip, 24, 21, 10), kOk);  // fewer at the end
    EXPECT_EQ(lead.BitmapListCount(), 5);
    EXPECT_EQ(testsupport::frameNumberOf(lead.bitmapListItem(4)), 24);

    // Failures leave the model as it was.
    EXPECT_NE(lead.Load(clip, 24, 26, 10), kOk);
    EXPECT_NE(lead.Load(dir.filePath("missing.avi"), 24, 1, 1), kOk);
    EXPECT_EQ(lead.Load(still, 8, 1, 1), kInvalidArgument);
    EXPECT_EQ(lead.BitmapListCount(), 5);
}

TEST(LeadModel, ReplacedPlaneMergesBackAndFailedSeparationLeavesNoPlanes) {
    LeadModel lead;
    Picture colours(2, 1);
    colours.setColourAt(0, 0, makeColour(200, 100, 50));
    colours.setColourAt(1, 0, makeColour(0, 0, 0));
    lead.setBitmap(colours);
    ASSERT_EQ(lead.ColorSeparate(kPlanesHsv), kOk);
    // Planes are computed on demand until one is replaced; both paths must agree.
    const Picture value = lead.Get_ColorPlanes(2);
    EXPECT_EQ(value.pixels(), (std::vector<std::uint8_t>{200, 0}));
    Picture darker = value;
    darker.pixels()[0] = 100;
    ASSERT_EQ(lead.Set_ColorPlanes(2, darker), kOk);
    EXPECT_EQ(lead.Get_ColorPlanes(2), darker);
    EXPECT_EQ(lead.Get_ColorPlanes(0).pixels(), lead.Get_ColorPlanes(0).pixels());
    EXPECT_EQ(lead.Set_ColorPlanes(2, Picture(3, 1, 8)), kInvalidArgument);
    EXPECT_EQ(lead.Set_ColorPlanes(3, darker), kInvalidArgument);
    ASSERT_EQ(lead.ColorMerge(kPlanesHsv), kOk);
    EXPECT_EQ(lead.Get_Pixel(0, 0), makeColour(100, 50, 25));  // same hue and saturation
    EXPECT_EQ(lead.Get_Pixel(1, 0), 0u);

    // A separation that fails forgets the last one: nothing stale can be merged or read.
    ASSERT_EQ(lead.ColorSeparate(kPlanesHsv), kOk);
    EXPECT_EQ(lead.ColorSeparate(9), kInvalidArgument);
    EXPECT_TRUE(lead.Get_ColorPlanes(2).isEmpty());
    EXPECT_EQ(lead.ColorMerge(kPlanesHsv), kNoBitmap);
    lead.releaseBitmap();
    EXPECT_EQ(lead.ColorSeparate(kPlanesHsv), kNoBitmap);
    EXPECT_TRUE(lead.Get_ColorPlanes(2).isEmpty());
}

TEST(LeadModel, CopyIsIndependentAndKeepsNoListener) {
    int changes = 0;
    auto copy = std::make_unique<LeadModel>();
    {
        LeadModel original;
        original.setChangeListener([&changes] { ++changes; });
        original.InsertBitmapListItem(-1, Picture(1, 1));
        original.InsertBitmapListItem(-1, Picture(2, 1));
        EXPECT_EQ(changes, 1);
        *copy = original;
        EXPECT_EQ(copy->BitmapListCount(), 2);
        copy->setBitmapListIndex(1);
        copy->releaseBitmap();
        EXPECT_EQ(original.BitmapListCount(), 2);
        EXPECT_EQ(changes, 1);  // changes of the copy reach no one
    }
    copy->clearBitmapList();  // the original and its listener are gone
    EXPECT_EQ(changes, 1);
}
