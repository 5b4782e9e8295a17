#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "imaging/LeadModel.h"
#include "imaging/Planes.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/TempFolderTest.h"

using namespace imaging;
using LeadModelFileTest = TempFolderTest;

// Items are told apart by their widths. Copies change apart from the original and tell no one.
TEST(LeadModel, BitmapListInsertSelectRemoveAndCopy) {
    int changes = 0;
    LeadModel lead;
    lead.setChangeListener([&changes] { ++changes; });
    const auto widths = [](const LeadModel& model) {
        std::vector<int> result;
        for (int i = 0; i < model.BitmapListCount(); ++i) {
            result.push_back(model.bitmapListItem(i).width());
        }
        return result;
    };
    lead.setBitmap(Picture(9, 1));  // a lone picture is not a list
    EXPECT_EQ(std::pair(lead.BitmapListCount(), lead.setBitmapListIndex(0)),
              std::pair(0, int(kInvalidArgument)));
    // The first insertion makes a list holding just the copy; -1 and past the end append.
    for (const auto& [at, width] : {std::pair{-1, 1}, {-1, 2}, {99, 3}}) {
        ASSERT_EQ(lead.InsertBitmapListItem(at, Picture(width, 1)), kOk);
    }
    EXPECT_EQ(std::pair(widths(lead), lead.BitmapListIndex()), std::pair(std::vector{1, 2, 3}, 0));
    ASSERT_EQ(lead.setBitmapListIndex(1), kOk);
    ASSERT_EQ(lead.InsertBitmapListItem(1, Picture(4, 1)), kOk);  // before the current item
    EXPECT_EQ(lead.BitmapListIndex(), 2);                         // which stays current
    EXPECT_EQ(lead.setBitmapListIndex(4), kInvalidArgument);
    lead.setBitmap(Picture(5, 1));  // replaces the current item
    ASSERT_EQ(lead.setBitmapListIndex(3), kOk);
    lead.releaseBitmap();  // removing the last item selects the new last one
    EXPECT_EQ(std::pair(widths(lead), lead.BitmapListIndex()), std::pair(std::vector{1, 4, 5}, 2));
    LeadModel assigned;
    assigned = lead;
    LeadModel constructed(lead);
    const int before = changes;
    assigned.releaseBitmap();
    constructed.clearBitmapList();
    EXPECT_EQ(std::tuple(widths(lead), widths(assigned), constructed.hasBitmapList(), changes),
              std::tuple(std::vector{1, 4, 5}, std::vector{1, 4}, false, before));
    while (lead.hasBitmap()) {
        lead.releaseBitmap();
    }
    EXPECT_EQ(std::pair(lead.hasBitmapList(), changes), std::pair(false, before + 3));
    lead.InsertBitmapListItem(-1, Picture(1, 1));
    lead.clearBitmapList();
    EXPECT_FALSE(lead.hasBitmap() || lead.hasBitmapList());
    EXPECT_EQ(lead.InsertBitmapListItem(-1, Picture()), kNoBitmap);
}

TEST(LeadModel, OperationsWithoutPictureOrWithBadArguments) {
    LeadModel lead;
    EXPECT_EQ((std::vector{lead.Fill(0), lead.Size(9, 9, 0), lead.ColorRes(24, 0, 0, 0),
                           lead.Intensity(100), lead.ColorSeparate(2), lead.Set_Pixel(0, 0, 0),
                           lead.Set_BitmapPalette(0, 0), lead.ReleaseBitmapDC()}),
              std::vector(8, int(kNoBitmap)));
    EXPECT_EQ(lead.GetBitmapDC(), nullptr);
    ASSERT_EQ(lead.CreateBitmap(4, 3, 2), kOk);
    EXPECT_EQ((std::vector{lead.Set_Pixel(4, 0, 0xFFFFFF), lead.Set_BitmapPalette(4, 0),
                           lead.Set_UserPalette(256, 0)}),
              std::vector(3, int(kInvalidArgument)));
    // A zero or oversized new picture leaves none, rather than the previous one.
    EXPECT_EQ(lead.CreateBitmap(0, 54, 24), kInvalidArgument);
    EXPECT_FALSE(lead.hasBitmap());
    ASSERT_EQ(lead.CreateBitmap(4, 3, 24), kOk);
    EXPECT_EQ(lead.CreateBitmap(kMaxPictureSide + 1, 1, 24), kTooLarge);
    EXPECT_FALSE(lead.hasBitmap());
}

TEST(LeadModel, FillAndDrawingContextAtEachDepth) {
    for (const int bits : {24, 2}) {
        LeadModel lead;
        ASSERT_EQ(lead.CreateBitmap(8, 4, bits), kOk);
        ASSERT_EQ(lead.Fill(0xA0A0A0), kOk);  // an indexed picture takes the nearest entry
        const Colour filled = bits == 24 ? 0xA0A0A0 : 0xAAAAAA;
        QImage* dc = lead.GetBitmapDC();
        ASSERT_NE(dc, nullptr);
        QPainter(dc).fillRect(0, 0, 2, 1, QColor(250, 250, 240));
        EXPECT_EQ(lead.Get_Pixel(0, 0), filled);  // not before release
        ASSERT_EQ(lead.ReleaseBitmapDC(), kOk);
        EXPECT_EQ(std::tuple(lead.BitmapBits(), lead.Get_Pixel(1, 0), lead.Get_Pixel(7, 3)),
                  std::tuple(bits, bits == 24 ? makeColour(250, 250, 240) : 0xFFFFFF, filled));
        EXPECT_EQ(lead.ReleaseBitmapDC(), kNoBitmap);  // nothing to release twice
    }
}

// Stills are loaded in the frame store's tests. Failed loads leave the list as it was.
TEST_F(LeadModelFileTest, LoadsClipRunsAsBitmapListsAndFailsWithoutChange) {
    const QString clip = path("clip.avi"), missing = path("no.avi");
    ASSERT_TRUE(testsupport::writeClip(clip.toStdString(), testsupport::ClipCodec::kMpeg4BFrames,
                                       {.frames = 25, .fps = 10}));
    LeadModel lead;
    ASSERT_EQ(lead.Load(clip, 24, 11, 10), kOk);  // pages 11..20 are frames 10..19
    EXPECT_EQ(std::tuple(lead.BitmapListCount(), lead.InfoTotalPages(), lead.BitmapDelay(),
                         testsupport::frameNumberOf(lead.bitmapListItem(0))),
              std::tuple(10, 25, 100, 10));
    EXPECT_EQ((std::vector{lead.Load(clip, 24, 26, 10), lead.Load(missing, 24, 1, 1),
                           lead.Load(clip, 8, 1, 1), lead.Load(clip, 24, -1, 10),
                           lead.GetFileInfo(missing)}),
              (std::vector<int>{kPageOutOfRange, kFileNotFound, kInvalidArgument, kInvalidArgument,
                                kFileNotFound}));
    EXPECT_EQ(std::tuple(lead.BitmapListCount(), lead.InfoTotalPages(), lead.BitmapDelay()),
              std::tuple(10, 25, 100));
    ASSERT_EQ(lead.Load(clip, 24, 0, 1), kOk);  // page 0 is the first
    EXPECT_EQ(testsupport::frameNumberOf(lead.bitmapListItem(0)), 0);
}

TEST(LeadModel, ReplacedPlaneMergesBackAndFailedSeparationLeavesNoPlanes) {
    LeadModel lead;
    Picture colours(2, 1);
    colours.pixels() = {200, 100, 50, 0, 0, 0};
    lead.setBitmap(colours);
    ASSERT_EQ(lead.ColorSeparate(kPlanesHsv), kOk);
    // Planes are computed one at a time until one is replaced; both ways must agree.
    const Picture hue = lead.Get_ColorPlanes(0);
    Picture darker = lead.Get_ColorPlanes(2);
    darker.pixels()[0] /= 2;
    EXPECT_EQ(lead.Set_ColorPlanes(2, Picture(3, 1, 8)), kInvalidArgument);
    EXPECT_EQ(lead.Set_ColorPlanes(3, darker), kInvalidArgument);
    ASSERT_EQ(lead.Set_ColorPlanes(2, darker), kOk);
    EXPECT_EQ(std::pair(lead.Get_ColorPlanes(2), lead.Get_ColorPlanes(0)), std::pair(darker, hue));
    ASSERT_EQ(lead.ColorMerge(kPlanesHsv), kOk);
    EXPECT_EQ(lead.Get_Pixel(0, 0), makeColour(100, 50, 25));  // same hue and saturation
    // A separation that fails forgets the last one: nothing stale can be merged or read.
    ASSERT_EQ(lead.ColorSeparate(kPlanesHsv), kOk);
    EXPECT_EQ(lead.ColorSeparate(9), kInvalidArgument);
    EXPECT_TRUE(lead.Get_ColorPlanes(2).isEmpty());
    EXPECT_EQ(std::pair(lead.ColorMerge(kPlanesHsv), lead.Set_ColorPlanes(2, darker)),
              std::pair(int(kNoBitmap), int(kNoBitmap)));
}
