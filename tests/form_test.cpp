#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <memory>
#include <set>

#include "app/PicMUnit1.h"
#include "app/SettingsFile.h"
#include "imaging/TLEAD.h"
#include "platform/Profile.h"
#include "platform/TPanel.h"
#include "platform/TStatusBar.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolderTest.h"

namespace {

class FormTest : public TempFolderTest {
  protected:
    QString settingsPath() const { return path("pixmora.INI"); }
    TForm1& open() {
        form = std::make_unique<TForm1>(path("pixmora"));
        return *form;
    }
    void expectEnabled(std::initializer_list<QWidget*> widgets, bool enabled) {
        for (QWidget* w : widgets) {
            EXPECT_EQ(w->isEnabled(), enabled) << w->objectName().toStdString();
        }
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(FormTest, StartStateWithoutSettingsFile) {
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
    expectEnabled({f.abbInPic, f.abbFLoad}, true);
    expectEnabled(
        {f.abbDelPic, f.abbInClr, f.abbFSave, f.abbInFramePlay, f.abbCutS, f.abbCutE, f.abbExecute,
         f.abbDesideEfA, f.abbInsFontA, f.abbOutPrePlay, f.abbOutPreDel, f.abbPPlay},
        false);
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
    write("pixmora.INI", text);
    TForm1& f = open();
    f.show();
    f.abbEnd->click();  // no answer scripted: Cancel
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].flags, platform::kMbOkCancel);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(bytesOf(settingsPath()), text);
    dialogs.messageAnswers.push_back(platform::kIdOk);
    EXPECT_TRUE(f.close());
    EXPECT_TRUE(app::readSettings(platform::Profile(settingsPath()), none) ==
                app::readSettings(platform::Profile(write("given.INI", text)), none));
}

TEST_F(FormTest, OutputFramesPlayersPagesAndEffectGovernTheCommands) {
    TForm1& f = open();
    for (int i = 0; i < 90; ++i) {
        f.LeadMNF->InsertBitmapListItem(-1, imaging::Picture(160, 54, 2));
    }
    f.UpdateAvailability(Availability::kNoOutput);
    expectEnabled({f.abbFSave, f.abbDesideEfA, f.abbOutPrePlay, f.abbOutPreDel, f.abbPPlay}, true);
    expectEnabled({f.abbFLoad}, false);  // 90 frames: nothing more can be loaded

    f.abbOutPrePlay->setDown(true);
    f.UpdateAvailability(Availability::kOutputPlaying);
    expectEnabled({f.abbFSave, f.abbDesideEfA, f.abbOutPreDel}, false);
    expectEnabled({f.abbOutPreStop}, true);
    f.abbOutPrePlay->setDown(false);
    f.UpdateAvailability(Availability::kOutputPlaying);
    f.abbPPlay->setDown(true);
    f.abbPPause->setDown(true);
    f.TimerP->start();
    f.UpdateAvailability(Availability::kPanelPlaying);
    expectEnabled({f.abbFSave}, false);

    // Leaving the panel page stops its player; the text page works on the shown frame.
    f.tbOutPre->setMax(3);
    f.tbOutPre->setPosition(2);
    f.PageControl1->setCurrentWidget(f.TabSheet3);
    EXPECT_FALSE(f.TimerP->isActive() || f.abbPPlay->Down() || f.abbPPause->Down());
    expectEnabled({f.abbFSave}, true);
    expectEnabled({f.abbInPic}, false);
    EXPECT_EQ(f.LeadMNF->BitmapListIndex(), 1);
    f.PageControl1->setCurrentWidget(f.TabSheet1);
    expectEnabled({f.abbInPic}, true);

    f.abbCutE->setDown(true);
    f.udGetFrm->setPosition(1);
    f.UpdateAvailability(Availability::kSingleFrame);
    EXPECT_FALSE(f.abbCutE->Down());
    f.abbInFramePlay->setDown(true);
    f.UpdateAvailability(Availability::kInputPlaying);
    expectEnabled({f.abbInPic}, false);
    // The strength bar shows only for effects that take a strength (the rule alone: a choice
    // without colour frames would go back to none).
    const QSignalBlocker choiceOnly(f.cbEffect);
    f.cbEffect->addItems({"none", "brightness", "contrast", "sharpen", "negative"});
    for (int effect : {0, 1, 3, 4}) {
        f.cbEffect->setCurrentIndex(effect);
        f.UpdateAvailability(Availability::kEffectStrength);
        EXPECT_EQ(f.tbEffect->isVisibleTo(f.TabSheet2), effect >= 1 && effect <= 3) << effect;
    }
}

TEST_F(FormTest, ColourBarsRetintShownPicturesAndFollowCodes) {
    TForm1& f = open();
    imaging::Picture panel(4, 1, 2);
    panel.row(0)[3] = 3;
    for (TLEAD* shown : {f.LeadMono, f.LeadFont, f.LeadEfMono}) {
        shown->setBitmap(panel);
    }
    f.tbRed->setPosition(0);  // code 0*16 + 3*4 + 3 = 15
    EXPECT_EQ(f.BackColorCode, 15);
    for (TLEAD* shown : {f.LeadMono, f.LeadFont, f.LeadEfMono}) {
        EXPECT_EQ(shown->Get_Pixel(3, 0), imaging::makeColour(0, 255, 255));
        EXPECT_EQ(shown->Get_Pixel(0, 0), 0u);
    }
    // Bars set from a loaded file's code do not change the code through their handler.
    f.SetColorSliders(52);
    EXPECT_EQ((std::array{f.tbRed->Position(), f.tbGreen->Position(), f.tbBlue->Position()}),
              (std::array{3, 1, 0}));
    EXPECT_EQ(f.BackColorCode, 15);
}

TEST_F(FormTest, CropPreviewShowsColourAndPanelGreys) {
    TForm1& f = open();
    imaging::Picture picture(406, 110);
    for (int i = 0; i < 406 * 110; ++i) {
        picture.setColourAt(
            i % 406, i / 406,
            i % 406 < 203 ? imaging::makeColour(250, 0, 0) : imaging::greyColour(20));
    }
    f.LeadIn->setBitmap(picture);
    f.tbGreen->setPosition(1);  // code 52: red 3, green 1, blue 0
    f.tbBlue->setPosition(0);
    f.PreviewCrop({0, 0, 406, 110});
    EXPECT_EQ(f.LeadColor->Get_Pixel(0, 0), imaging::makeColour(250, 0, 0));
    EXPECT_EQ(f.LeadMono->BitmapBits(), 2);  // a palette picture, so the colour bars retint it
    EXPECT_EQ(f.LeadMono->Get_Pixel(0, 0), imaging::makeColour(255, 85, 0));  // level 3, tinted
    EXPECT_EQ(f.LeadMono->Get_Pixel(f.LeadMono->width() - 1, 0), 0u);         // 20: level 0
    EXPECT_TRUE(!f.LeadWk1->hasBitmap() && f.LeadGrWk->BitmapWidth() == 160);
    // A new dithering choice redoes only the effect preview, from the colour one.
    f.LeadEfColor->setBitmap(picture);
    f.cbDither->addItems({"Burkes", "JJN", "none", "ordered"});
    f.cbDither->setCurrentIndex(2);
    f.cbDitherOnChange();
    EXPECT_EQ(f.LeadEfMono->BitmapBits(), 2);
    EXPECT_EQ(f.LeadEfMono->Get_Pixel(0, 0), imaging::makeColour(255, 85, 0));
    EXPECT_EQ(f.LeadMono->BitmapWidth(), f.LeadMono->width());
}

TEST_F(FormTest, OutputFramesEnterBothLists) {
    TForm1& f = open();
    const imaging::Picture frame(160, 54);
    f.AddOutputFrame(frame, 0);
    f.AddOutputFrame(frame, 1);
    f.CopyOutputFrame(0, 2);
    EXPECT_EQ((std::array{f.LeadCLF->BitmapListCount(), f.LeadMNF->BitmapListCount(),
                          f.LeadCLF->BitmapListIndex(), f.LeadMNF->BitmapListIndex()}),
              (std::array{3, 3, 2, 2}));
    EXPECT_EQ(f.LeadMNF->BitmapBits(), 2);  // the panel list holds the reduced frames
}

}  // namespace
