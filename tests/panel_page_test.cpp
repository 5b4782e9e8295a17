#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <cmath>
#include <set>

#include "platform/TPanel.h"
#include "platform/TTrackBar.h"
#include "produce/PicMCut.h"
#include "tests/support/WindowTest.h"

namespace {

using imaging::Colour;

// A device of its own: information area (10,5)-(109,24), display area (10,25)-(109,74), panel
// 128 x 64.
const QByteArray kSmallDevice =
    "[FileType]\nType=pixmora_PanelImage\n[Panel]\n"
    "PanelFile=small.bmp\nInfoLeft=10\nInfoTop=5\nInfoRight=109\n"
    "InfoBottm=24\nViewLeft=10\nViewTop=25\nViewRight=109\n"
    "ViewBottom=74\nWidth=128\nHeight=64\n";

std::set<Colour> coloursOf(const TLEAD* lead) {
    std::set<Colour> colours;
    for (int y = 0; y < lead->BitmapHeight(); ++y) {
        for (int x = 0; x < lead->BitmapWidth(); ++x) {
            colours.insert(lead->Get_Pixel(x, y));
        }
    }
    return colours;
}

std::set<Colour> tintedGreys(int code) {
    std::set<Colour> colours;
    for (int i = 0; i < 4; ++i) {
        colours.insert(produce::tintedGrey(code, i, produce::kDefaultChannelLevels));
    }
    return colours;
}

bool within(const std::set<Colour>& colours, const std::set<Colour>& allowed) {
    return std::includes(allowed.begin(), allowed.end(), colours.begin(), colours.end());
}

class PanelPageTest : public WindowTest {
  protected:
    // A device picture of `size`, mid grey with its information area (10,5)-(109,24) a strong
    // red whose value lies between two panel greys.
    void writeDevice(const char* name, QSize size) {
        QImage picture(size, QImage::Format_RGB888);
        picture.fill(QColor(0x80, 0x80, 0x80));
        QPainter(&picture).fillRect(10, 5, 100, 20, QColor(200, 30, 30));
        EXPECT_TRUE(picture.save(path(name), "BMP"));
    }
    void registerDescription(const QString& file) {
        dialogs.fileAnswers.push_back(file);
        form->abbSelPanel->click();
    }
    QPoint centredIn(const QWidget* area, QSize size) const {
        return {static_cast<int>(std::floor((area->width() - size.width()) / 2.0)),
                static_cast<int>(std::floor((area->height() - size.height()) / 2.0))};
    }
    bool pictureShown() const {
        return !form->imgPanel->isHidden() && !form->LeadInfo->isHidden() &&
               !form->LeadImage->isHidden() && form->Panel9->Caption().isEmpty();
    }
    bool missingShown() const {
        return form->imgPanel->isHidden() && form->LeadInfo->isHidden() &&
               form->LeadImage->isHidden() && form->Panel9->Caption() == form->ErrorTexts[8];
    }
};

// Without a picture beside the program the page says so; with the shipped one it shows the
// device, the information area in untinted panel greys and the display area blank. The panel
// player's frame is not the current output frame, and the colour bars reach the device only
// with the next frame shown, which tints both areas.
TEST_F(PanelPageTest, ShippedDeviceShowsTheFramesTinted) {
    EXPECT_TRUE(missingShown());
    ASSERT_TRUE(QFile::copy(PIXMORA_DATA_DIR "/panels/Panel.bmp", path("Panel.bmp")));
    form = std::make_unique<TForm1>(path("pixmora"));
    form->resize(1280, 800);
    form->show();
    ASSERT_TRUE(pictureShown());
    const QPoint origin = form->imgPanel->pos();
    EXPECT_EQ(origin, centredIn(form->Panel9, form->imgPanel->pixmap().size()));
    EXPECT_EQ(form->LeadInfo->geometry(), QRect(origin + QPoint(45, 60), QSize(203, 37)));
    EXPECT_EQ(form->LeadImage->geometry(), QRect(origin + QPoint(45, 97), QSize(203, 55)));
    const std::set<Colour> info = coloursOf(form->LeadInfo);
    EXPECT_TRUE(within(info, tintedGreys(63)));
    const QColor face = form->palette().color(QPalette::Button);
    EXPECT_EQ(coloursOf(form->LeadImage),
              std::set<Colour>{imaging::makeColour(face.red(), face.green(), face.blue())});

    addFrames(6);
    form->tbOutPre->setPosition(2);
    form->tbPanel->setPosition(5);
    form->tbGreen->setPosition(1);
    const int code = form->BackColorCode;
    EXPECT_TRUE(within(coloursOf(form->LeadImage), tintedGreys(63)));
    EXPECT_EQ(coloursOf(form->LeadInfo), info);
    form->tbPanel->setPosition(4);
    EXPECT_TRUE(within(coloursOf(form->LeadImage), tintedGreys(code)));
    EXPECT_TRUE(within(coloursOf(form->LeadInfo), tintedGreys(code)));
    EXPECT_NE(coloursOf(form->LeadInfo), info);
    form->abbOutPreDel->click();
    ASSERT_EQ(form->outputFrameCount(), 5);
    EXPECT_EQ(imaging::redOf(form->LeadCLF->frame(1).colourAt(0, 0)), 30);
}

// A registered description replaces the panel members and lays the page out anew: the
// information area reduced without dithering, the picture centred, also when the area
// changes size, and cut off when larger than the area.
TEST_F(PanelPageTest, RegisteredDescriptionLaysOutItsDevice) {
    writeDevice("small.bmp", {120, 90});
    registerDescription(write("small.pnl", kSmallDevice));
    ASSERT_TRUE(pictureShown());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form->DirPanelIn, dir_.path());
    EXPECT_EQ(std::tie(form->PanelWidth, form->PanelHeight, form->ViewWidth, form->ViewHeight),
              std::make_tuple(128, 64, 100, 50));
    EXPECT_EQ(coloursOf(form->LeadInfo), std::set<Colour>{0xAAAAAA});
    EXPECT_EQ(form->imgPanel->pos(), centredIn(form->Panel9, {120, 90}));
    EXPECT_EQ(form->LeadImage->geometry(),
              QRect(form->imgPanel->pos() + QPoint(10, 25), QSize(100, 50)));
    form->resize(1100, 760);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->imgPanel->pos(), centredIn(form->Panel9, {120, 90}));

    writeDevice("small.bmp", {1001, 700});
    registerDescription(path("small.pnl"));
    const QPoint origin = form->imgPanel->pos();
    EXPECT_EQ(origin, centredIn(form->Panel9, {1001, 700}));
    EXPECT_LT(origin.x(), 0);
    EXPECT_EQ(form->LeadInfo->pos(), origin + QPoint(10, 5));
}

// Refusals name their error and change nothing but the folder; a description whose picture is
// missing or unreadable is taken, and the page shows the message in place of the device.
TEST_F(PanelPageTest, RefusedDescriptionsAndMissingPictures) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("other"));
    registerDescription(write("other/bad.pnl", "[FileType]\nType=other\n[Panel]\nWidth=10\n"));
    registerDescription(write("other/wide.pnl", "[Panel]\nWidth=300\n"));
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(dialogs.messages[0].text, form->ErrorTexts[4]);
    EXPECT_EQ(form->PanelWidth, 160);
    EXPECT_EQ(form->DirPanelIn, path("other"));
    registerDescription(QString());
    EXPECT_EQ(dialogs.fileRequests.back().initialDir, path("other"));
    EXPECT_EQ(dialogs.fileRequests.back().defaultSuffix, "pnl");
    EXPECT_TRUE(dialogs.fileRequests.back().filter.endsWith("(*.pnl)"));
    EXPECT_EQ(dialogs.messages.size(), 2U);

    writeDevice("small.bmp", {120, 90});
    registerDescription(write("small.pnl", kSmallDevice));
    ASSERT_TRUE(pictureShown());
    write("small.bmp", "BM not a picture");
    registerDescription(path("small.pnl"));
    EXPECT_TRUE(missingShown());
    writeDevice("small.bmp", {120, 90});
    registerDescription(path("small.pnl"));
    ASSERT_TRUE(pictureShown());
    registerDescription(write("gone.pnl", "[Panel]\nPanelFile=gone.bmp\nWidth=64\n"));
    EXPECT_TRUE(missingShown());
    EXPECT_EQ(form->PanelWidth, 64);
    EXPECT_EQ(dialogs.messages.size(), 2U);
}

}  // namespace
