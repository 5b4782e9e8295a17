#include "imaging/TLEAD.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QImage>

#include "imaging/Status.h"
#include "imaging/TLEADDlg.h"
#include "tests/support/ScriptedDialogs.h"

using namespace imaging;

namespace {

Picture filled(int w, int h, Colour c) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.setColourAt(x, y, c);
        }
    }
    return p;
}

}  // namespace

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

TEST(TLEAD, ShowsChangesMadeThroughItsModel) {
    TLEAD lead;
    lead.resize(4, 4);
    lead.setBitmap(filled(4, 4, makeColour(255, 0, 0)));
    EXPECT_EQ(lead.displayImage().pixelColor(0, 0), QColor(255, 0, 0));
    lead.model().setBitmap(filled(4, 4, makeColour(0, 0, 255)));
    EXPECT_EQ(lead.displayImage().pixelColor(0, 0), QColor(0, 0, 255));
    lead.model().clearBitmapList();
    EXPECT_TRUE(lead.displayImage().isNull());
}
