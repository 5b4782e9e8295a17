#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <cmath>
#include <set>

#include "tests/support/WindowTest.h"

namespace {

using imaging::Colour;

// Information area (10,5)-(109,24), display area (10,25)-(109,74), panel 128 x 64.
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

// Whether `lead` shows nothing but the four panel greys tinted by `code`.
bool tintedBy(const TLEAD* lead, int code) {
    std::set<Colour> greys;
    for (int i = 0; i < 4; ++i) {
        greys.insert(produce::tintedGrey(code, i, produce::kDefaultChannelLevels));
    }
    const std::set<Colour> shown = coloursOf(lead);
    return std::includes(greys.begin(), greys.end(), shown.begin(), shown.end());
}

class PanelPageTest : public WindowTest {
  protected:
    // The device picture small.bmp of `size`, mid grey with its information area (10,5)-(109,24) a
    // strong red whose value lies between two panel greys.
    void writeDevice(QSize size) {
        picture("small.bmp", size.width(), size.height(), [](int x, int y) {
            return x >= 10 && x < 110 && y >= 5 && y < 25 ? qRgb(200, 30, 30) : qRgb(128, 128, 128);
        });
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

// The shipped device shows its information area in untinted greys and a blank display area;
// the colour bars tint both with the next panel frame, which need not be the current one.
TEST_F(PanelPageTest, ShippedDeviceShowsTheFramesTinted) {
    EXPECT_TRUE(missingShown());
    ASSERT_TRUE(QFile::copy(PIXMORA_DATA_DIR "/panels/Panel.bmp", path("Panel.bmp")));
    openWindow();
    ASSERT_TRUE(pictureShown());
    EXPECT_EQ(form->imgPanel->pos(), centredIn(form->Panel9, form->imgPanel->pixmap().size()));
    const std::set<Colour> info = coloursOf(form->LeadInfo);
    EXPECT_TRUE(tintedBy(form->LeadInfo, 63));
    const QColor face = form->palette().color(QPalette::Button);
    EXPECT_EQ(coloursOf(form->LeadImage),
              std::set<Colour>{imaging::makeColour(face.red(), face.green(), face.blue())});

    addFrames(6);
    form->tbOutPre->setPosition(2);
    form->tbPanel->setPosition(5);
    form->tbGreen->setPosition(1);
    const int code = form->BackColorCode;
    EXPECT_TRUE(tintedBy(form->LeadImage, 63) && coloursOf(form->LeadInfo) == info);
    form->tbPanel->setPosition(4);
    EXPECT_TRUE(tintedBy(form->LeadImage, code) && tintedBy(form->LeadInfo, code));
    EXPECT_NE(coloursOf(form->LeadInfo), info);
    form->abbOutPreDel->click();
    ASSERT_EQ(form->outputFrameCount(), 5);
    EXPECT_EQ(imaging::redOf(form->LeadCLF->frame(1).colourAt(0, 0)), 30);
}

// Refusals change nothing but the folder. A description lays its device out anew: the
// information area undithered, the picture centred or cut off; a missing picture shows the
// message instead.
TEST_F(PanelPageTest, RegisteredDescriptionsLayOutTheirDeviceOrAreRefused) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir("other"));
    registerDescription(write("other/bad.pnl", "[FileType]\nType=other\n[Panel]\nWidth=10\n"));
    registerDescription(write("other/wide.pnl", "[Panel]\nWidth=300\n"));
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(std::tuple(dialogs.messages[0].text, form->PanelWidth, form->DirPanelIn),
              std::tuple(form->ErrorTexts[4], 160, path("other")));
    registerDescription(QString());
    EXPECT_EQ(dialogs.fileRequests.back().initialDir, path("other"));

    writeDevice({120, 90});
    registerDescription(write("small.pnl", kSmallDevice));
    ASSERT_TRUE(pictureShown());
    EXPECT_EQ(std::tuple(form->DirPanelIn, form->PanelWidth, form->PanelHeight, form->ViewWidth,
                         form->ViewHeight),
              std::tuple(dir_.path(), 128, 64, 100, 50));
    EXPECT_EQ(coloursOf(form->LeadInfo), std::set<Colour>{0xAAAAAA});
    EXPECT_EQ(form->imgPanel->pos(), centredIn(form->Panel9, {120, 90}));
    EXPECT_EQ(form->LeadImage->geometry(),
              QRect(form->imgPanel->pos() + QPoint(10, 25), QSize(100, 50)));
    form->resize(1100, 760);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->imgPanel->pos(), centredIn(form->Panel9, {120, 90}));

    writeDevice({1001, 700});
    registerDescription(path("small.pnl"));
    const QPoint origin = form->imgPanel->pos();
    EXPECT_EQ(origin, centredIn(form->Panel9, {1001, 700}));
    EXPECT_LT(origin.x(), 0);
    EXPECT_EQ(form->LeadInfo->pos(), origin + QPoint(10, 5));

    write("small.bmp", "BM not a picture");
    registerDescription(path("small.pnl"));
    EXPECT_TRUE(missingShown());
    writeDevice({120, 90});
    registerDescription(path("small.pnl"));
    ASSERT_TRUE(pictureShown());
    registerDescription(write("gone.pnl", "[Panel]\nPanelFile=gone.bmp\nWidth=64\n"));
    EXPECT_TRUE(missingShown());
    EXPECT_EQ(std::pair(form->PanelWidth, dialogs.messages.size()), std::pair(64, std::size_t{2}));
}

}  // namespace
