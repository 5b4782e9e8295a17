#include <gtest/gtest.h>

#include <QComboBox>
#include <memory>
#include <set>
#include <tuple>

#include "app/PicMUnit1.h"
#include "app/SettingsFile.h"
#include "imaging/TLEAD.h"
#include "platform/Profile.h"
#include "platform/TPanel.h"
#include "platform/TStatusBar.h"
#include "platform/TTrackBar.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolderTest.h"

namespace {

class FormTest : public TempFolderTest {
  protected:
    TForm1& open() { return *(form = std::make_unique<TForm1>(path("pixmora"))); }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(FormTest, StartStateCropPreviewAndColourBars) {
    TForm1& f = open();
    // Names are what the window's code and the catalogue find controls by; each must be unique.
    std::set<QString> names;
    for (const QObject* child : f.findChildren<QObject*>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) {
            EXPECT_TRUE(names.insert(name).second) << name.toStdString();
        }
    }
    EXPECT_EQ(f.DirPicIn, dir_.path());
    // The default 203 x 55 view gives the initial crop frames their size.
    EXPECT_EQ(f.StatusBar1->panelText(1), QStringLiteral("End 1:(0,0)-(202,54)"));
    // Previews take the display area's proportions inside their holders.
    EXPECT_NEAR(static_cast<double>(f.LeadMono->width()) / f.LeadMono->height(), 203.0 / 55, 0.05);
    EXPECT_LE(f.LeadMono->width(), f.Panel12->width());
    EXPECT_EQ(f.LeadEfColor->size(), f.LeadMono->size());
    // Only adding pictures and loading a panel file are possible at first.
    for (QWidget* w : {f.abbInPic, f.abbFLoad, f.abbDelPic, f.abbInClr, f.abbFSave,
                       f.abbInFramePlay, f.abbCutS, f.abbCutE, f.abbExecute, f.abbDesideEfA,
                       f.abbInsFontA, f.abbOutPrePlay, f.abbOutPreDel, f.abbPPlay}) {
        EXPECT_EQ(w->isEnabled(), w == f.abbInPic || w == f.abbFLoad)
            << w->objectName().toStdString();
    }

    // The crop preview's panel greys are tinted by the colour bars' code; bars set from a
    // file's code leave the code alone.
    imaging::Picture picture(406, 110), panel(4, 1, 2);
    for (int i = 0; i < 406 * 110; ++i) {
        picture.setColourAt(
            i % 406, i / 406,
            i % 406 < 203 ? imaging::makeColour(250, 0, 0) : imaging::greyColour(20));
    }
    panel.row(0)[3] = 3;
    f.LeadIn->setBitmap(picture);
    f.LeadFont->setBitmap(panel);
    f.tbGreen->setPosition(1);  // code 52: red 3, green 1, blue 0
    f.tbBlue->setPosition(0);
    const imaging::Colour tintedLevel3 = imaging::makeColour(255, 85, 0);
    EXPECT_EQ(std::tuple(f.BackColorCode, f.LeadFont->Get_Pixel(3, 0), f.LeadFont->Get_Pixel(0, 0)),
              std::tuple(52, tintedLevel3, imaging::Colour{0}));
    f.PreviewCrop({0, 0, 406, 110});
    EXPECT_EQ(std::tuple(f.LeadColor->Get_Pixel(0, 0), f.LeadMono->Get_Pixel(0, 0),
                         f.LeadMono->Get_Pixel(f.LeadMono->width() - 1, 0)),
              std::tuple(imaging::makeColour(250, 0, 0), tintedLevel3, 0u));  // 20: level 0
    // A new dithering choice redoes only the effect preview, from the colour one.
    f.LeadEfColor->setBitmap(picture);
    f.cbDither->addItems({"Burkes", "JJN", "none", "ordered"});
    f.cbDither->setCurrentIndex(2);
    f.cbDitherOnChange();
    EXPECT_EQ(std::pair(f.LeadEfMono->Get_Pixel(0, 0), f.LeadMono->BitmapWidth()),
              std::pair(tintedLevel3, f.LeadMono->width()));

    f.SetColorSliders(15);
    EXPECT_EQ(std::tuple(f.tbRed->Position(), f.tbGreen->Position(), f.tbBlue->Position(),
                         f.BackColorCode),
              std::tuple(0, 3, 3, std::uint8_t{52}));
}

// Closing asks first; Cancel keeps the window and its file. Whatever the file gives reaches the
// window (its caption, place and view size included), and OK writes all of it back.
TEST_F(FormTest, ClosingAsksAndOkWritesTheSettingsBack) {
    const app::Defaults none;
    const QByteArray text =
        "[MainForm]\nTop=120\nLeft=140\nCaption=パネル作業\n"
        "[Panel]\nPanelFile=Device.bmp\nInfoLeft=1\nInfoTop=2\nInfoRight=30\nInfoBottm=40\n"
        "ViewLeft=10\nViewTop=20\nViewRight=137\nViewBottom=51\nWidth=128\nHeight=32\n"
        "PixelWidth=5\nPixelHeight=6\nPixelSpace=7\n"
        "[Directory]\nDirPicIn=/pictures\nDirImg=/animations\nDirPanelIn=/panels\n"
        "[Red]\nColors=2\n0=10\n1=20\n[Green]\nColors=3\n0=1\n1=2\n2=3\n[Blue]\nColors=1\n0=9\n";
    const QString settings = write("pixmora.INI", text);
    TForm1& f = open();
    f.show();
    f.abbEnd->click();  // no answer scripted: Cancel
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].flags, platform::kMbOkCancel);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(bytesOf(settings), text);
    dialogs.messageAnswers.push_back(platform::kIdOk);
    EXPECT_TRUE(f.close());
    EXPECT_TRUE(app::readSettings(platform::Profile(settings), none) ==
                app::readSettings(platform::Profile(write("given.INI", text)), none));
}

}  // namespace
