#include "imaging/TLEAD.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QTemporaryDir>

#include "imaging/Dither.h"
#include "imaging/Status.h"
#include "imaging/TLEADDlg.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/ScriptedDialogs.h"

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
std::vector<int> widths(const TLEAD& lead) {
    std::vector<int> result;
    for (int i = 0; i < lead.BitmapListCount(); ++i) {
        result.push_back(lead.bitmapListItem(i).width());
    }
    return result;
}

}  // namespace

TEST(TLEAD, BitmapListInsertSelectAndRemove) {
    TLEAD lead;
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

TEST(TLEAD, ReductionToPanelGreysThroughTheControl) {
    // The panel reduction: value plane, user palette of four greys, 2 bits, then the tint.
    TLEAD lead;
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

TEST(TLEAD, OperationsWithoutPictureOrWithBadSizes) {
    TLEAD lead;
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

TEST(TLEAD, FillResizeCombineAndDrawingContext) {
    TLEAD lead;
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

TEST(TLEAD, ExclusiveOrOutlineLivesAboveThePixels) {
    TLEAD lead;
    lead.resize(20, 20);
    lead.setPaintSizeMode(TLEAD::kPaintSizeZoom);
    lead.setBitmap(filled(20, 20, makeColour(0, 0, 0)));
    lead.setDrawMode(TLEAD::kDrawModeXorPen);
    lead.setDrawPenColor(0xFFFFFF);
    lead.setDrawPenWidth(2);
    const Picture before = *lead.picture();

    ASSERT_EQ(lead.DrawRectangle(4, 4, 10, 8), kOk);
    EXPECT_EQ(*lead.picture(), before);  // a crop never contains the outline
    const QImage drawn = lead.grab().toImage();
    EXPECT_EQ(drawn.pixelColor(4, 8), QColor(Qt::white));
    EXPECT_EQ(drawn.pixelColor(9, 8), QColor(Qt::black));  // inside stays

    ASSERT_EQ(lead.DrawRectangle(4, 4, 10, 8), kOk);  // the same again removes it
    EXPECT_TRUE(lead.overlayRectangles().empty());
    EXPECT_EQ(lead.grab().toImage().pixelColor(4, 8), QColor(Qt::black));

    // Another draw mode draws into the pixels.
    lead.setDrawMode(13);
    lead.setDrawPenWidth(1);
    ASSERT_EQ(lead.DrawRectangle(1, 1, 3, 3), kOk);
    EXPECT_EQ(lead.Get_Pixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(lead.Get_Pixel(2, 2), 0u);
    EXPECT_EQ(lead.Get_Pixel(3, 3), 0xFFFFFFu);
}

TEST(TLEAD, PaintsAtZoomAndOffsets) {
    TLEAD lead;
    lead.resize(40, 30);
    Picture p = filled(10, 10, makeColour(0, 0, 255));
    p.setColourAt(0, 0, makeColour(255, 0, 0));
    lead.setBitmap(p);
    EXPECT_EQ(lead.DstWidth(), 40);  // by default the picture is stretched over the control
    EXPECT_EQ(lead.grab().toImage().pixelColor(3, 2), QColor(255, 0, 0));
    lead.setPaintSizeMode(TLEAD::kPaintSizeZoom);
    lead.setPaintZoomFactor(200);
    EXPECT_EQ(lead.DstWidth(), 20);
    EXPECT_EQ(lead.DstHeight(), 20);
    lead.setDstLeft(5);
    lead.setDstTop(3);
    lead.setDstClipLeft(5);
    lead.setDstClipTop(3);
    QImage shown = lead.grab().toImage();
    EXPECT_EQ(shown.pixelColor(5, 3), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(6, 4), QColor(255, 0, 0));  // one pixel covers 2 x 2
    EXPECT_EQ(shown.pixelColor(7, 5), QColor(0, 0, 255));
    EXPECT_EQ(shown.pixelColor(24, 22), QColor(0, 0, 255));

    // Scrolled: the picture's corner lies left of and above the control.
    lead.setDstLeft(-2);
    lead.setDstTop(-2);
    lead.setDstClipLeft(-2);
    lead.setDstClipTop(-2);
    shown = lead.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(0, 0, 255));
    lead.setPaintZoomFactor(37);
    EXPECT_EQ(lead.DstWidth(), 3);  // truncated
}

TEST(TLEADDlg, FilterLabelsAndCancel) {
    EXPECT_EQ(TLEADDlg::qtFilter("All(*.jpg,*.avi)|*.jpg;*.avi|Clips(*.avi)|*.avi"),
              "All(*.jpg,*.avi) (*.jpg *.avi);;Clips(*.avi) (*.avi)");
    ScriptedDialogs dialogs;
    TLEADDlg dlg;
    dlg.Filter = "Pictures|*.png";
    dlg.InitialDir = "/tmp";
    dlg.DialogTitle = "Open";
    dlg.SetDlgString(TLEADDlg::kLabelOpenButton, "Load it");
    dlg.FileName = "/old.png";
    EXPECT_EQ(dlg.FileOpen(nullptr), TLEADDlg::kCancelled);
    EXPECT_EQ(dlg.FileName, "/old.png");
    dialogs.fileAnswers.push_back("/pictures/a.png");
    EXPECT_EQ(dlg.FileOpen(nullptr), 0);
    EXPECT_EQ(dlg.FileName, "/pictures/a.png");
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[1].title, "Open");
    EXPECT_EQ(dialogs.fileRequests[1].initialDir, "/tmp");
    EXPECT_EQ(dialogs.fileRequests[1].filter, "Pictures (*.png)");
    EXPECT_EQ(dialogs.fileRequests[1].labels.at(QFileDialog::Accept), "Load it");
}

TEST(TLEAD, LoadsStillsAndClipRunsAsBitmapLists) {
    QTemporaryDir dir;
    const QString still = dir.filePath("still.png");
    QImage image(6, 4, QImage::Format_RGB888);
    image.fill(QColor(10, 200, 30));
    ASSERT_TRUE(image.save(still));

    TLEAD lead;
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

    // Failures leave the control as it was.
    EXPECT_NE(lead.Load(clip, 24, 26, 10), kOk);
    EXPECT_NE(lead.Load(dir.filePath("missing.avi"), 24, 1, 1), kOk);
    EXPECT_EQ(lead.Load(still, 8, 1, 1), kInvalidArgument);
    EXPECT_EQ(lead.BitmapListCount(), 5);
}
