#include "imaging/TLEAD.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QImage>

#include "imaging/Status.h"
#include "imaging/TLEADDlg.h"
#include "platform/TFileDialog.h"
#include "tests/support/ScriptedDialogs.h"

using namespace imaging;

TEST(TLEAD, ExclusiveOrOutlineLivesAboveThePixels) {
    TLEAD lead;
    lead.resize(20, 20);
    ASSERT_EQ(lead.CreateBitmap(20, 20, 24), kOk);
    lead.setDrawMode(TLEAD::kDrawModeXorPen);
    lead.setDrawPenColor(0xFFFFFF);
    lead.setDrawPenWidth(2);
    ASSERT_EQ(lead.DrawRectangle(4, 4, 10, 8), kOk);
    EXPECT_EQ(*lead.picture(), Picture(20, 20));  // a crop never contains the outline
    QImage shown = lead.grab().toImage();
    EXPECT_EQ(shown.pixelColor(4, 8), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(9, 8), QColor(Qt::black));  // inside stays
    ASSERT_EQ(lead.DrawRectangle(4, 4, 10, 8), kOk);       // the same again removes it
    EXPECT_TRUE(lead.overlayRectangles().empty());
    EXPECT_EQ(lead.grab().toImage().pixelColor(4, 8), QColor(Qt::black));
    lead.setDrawMode(13);  // any other mode draws into the pixels
    lead.setDrawPenWidth(1);
    ASSERT_EQ(lead.DrawRectangle(1, 1, 3, 3), kOk);
    EXPECT_EQ((std::vector{lead.Get_Pixel(2, 1), lead.Get_Pixel(1, 2), lead.Get_Pixel(2, 2),
                           lead.Get_Pixel(3, 2), lead.Get_Pixel(2, 3)}),
              (std::vector<Colour>{0xFFFFFF, 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF}));
}

TEST(TLEAD, PaintsAtZoomAndOffsetsAndShowsChangesOfItsModel) {
    TLEAD lead;
    lead.resize(40, 30);
    ASSERT_EQ(lead.CreateBitmap(10, 10, 24), kOk);
    lead.Fill(makeColour(0, 0, 255));
    lead.Set_Pixel(0, 0, makeColour(255, 0, 0));
    EXPECT_EQ(lead.grab().toImage().pixelColor(3, 2), QColor(255, 0, 0));  // stretched to fit
    lead.setPaintSizeMode(TLEAD::kPaintSizeZoom);
    lead.setPaintZoomFactor(200);
    const auto placedAt = [&lead](int offset) {
        lead.setDstLeft(offset);
        lead.setDstTop(offset);
        lead.setDstClipLeft(offset);
        lead.setDstClipTop(offset);
        return lead.grab().toImage();
    };
    const QImage shown = placedAt(3);
    EXPECT_EQ(shown.pixelColor(4, 4), QColor(255, 0, 0));  // one pixel covers 2 x 2
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_EQ(shown.pixelColor(22, 22), QColor(0, 0, 255));
    EXPECT_EQ(placedAt(-2).pixelColor(0, 0), QColor(0, 0, 255));  // scrolled past the corner
    lead.setPaintZoomFactor(37);
    EXPECT_EQ(lead.DstWidth(), 3);  // 3.7 truncated
    const QImage shownBefore = lead.displayImage();
    lead.model().Fill(makeColour(0, 255, 0));
    EXPECT_EQ(lead.displayImage().pixelColor(0, 0), QColor(0, 255, 0));
    EXPECT_EQ(shownBefore.pixelColor(0, 0), QColor(255, 0, 0));  // the model's write stays its own
    lead.model().clearBitmapList();
    EXPECT_TRUE(lead.displayImage().isNull());
}

TEST(TLEADDlg, FilterLabelsAndCancel) {
    EXPECT_EQ(TFileDialog::qtFilter("All (*.jpg,*.avi)|*.jpg;*.avi|Clips(*.avi) |*.avi|Any|*"),
              "All (*.jpg *.avi);;Clips (*.avi);;Any (*)");
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
    const platform::FileDialogRequest& asked = dialogs.fileRequests.at(1);
    EXPECT_EQ(std::tuple(asked.title, asked.initialDir, asked.filter),
              std::tuple(QString("Open"), QString("/tmp"), QString("Pictures (*.png)")));
    EXPECT_EQ(asked.labels.at(QFileDialog::Accept), "Load it");
}
