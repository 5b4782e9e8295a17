#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <memory>

#include "app/PicMUnit1.h"
#include "imaging/TLEAD.h"
#include "platform/Profile.h"
#include "platform/TPanel.h"
#include "platform/TStatusBar.h"
#include "platform/TTrackBar.h"
#include "platform/TUpDown.h"
#include "tests/support/ScriptedDialogs.h"

namespace {

// A window built beside a temporary "executable", with scripted dialogs.
class FormTest : public testing::Test {
  protected:
    QString basePath() const { return dir.filePath("pixmora"); }
    QString settingsPath() const { return dir.filePath("pixmora.INI"); }

    void writeSettings(const QString& text) {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write(text.toUtf8());
    }

    TForm1& open() {
        form = std::make_unique<TForm1>(basePath());
        return *form;
    }

    // Fills the panel frame list with n frames, as the output store would.
    void fillOutputFrames(int n) {
        for (int i = 0; i < n; ++i) {
            form->LeadMNF->InsertBitmapListItem(-1, imaging::Picture(160, 54, 2));
        }
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

}  // namespace

// Names are what the window's code and the catalogue find controls by; each must be unique.
TEST_F(FormTest, ControlNamesAreUniqueAndTimersStartIdle) {
    TForm1& f = open();
    QSet<QString> names;
    for (const QObject* child : f.findChildren<QObject*>()) {
        if (!child->objectName().isEmpty() &&
            !child->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_FALSE(names.contains(child->objectName())) << child->objectName().toStdString();
            names.insert(child->objectName());
        }
    }
    EXPECT_EQ(f.findChildren<TLEAD*>().size(), 8);  // the work pictures are no widgets
    EXPECT_EQ(f.StatusBar1->panelCount(), 3);
    EXPECT_EQ(f.ActStop->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_EQ(f.ActBack->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
    for (QTimer* t : {f.TimerIn, f.TimerOutPre, f.TimerP}) {
        EXPECT_FALSE(t->isActive());
        EXPECT_EQ(t->interval(), 100);
    }
}

TEST_F(FormTest, StartStateWithoutSettingsFile) {
    TForm1& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Default Caption"));
    // The offscreen screen is smaller than the window: it starts at the screen's corner.
    EXPECT_EQ(f.pos(), QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    EXPECT_FALSE(f.isMaximized());
    EXPECT_EQ(f.ViewWidth, 203);
    EXPECT_EQ(f.ViewHeight, 55);
    EXPECT_EQ(f.PanelWidth, 160);
    EXPECT_EQ(f.PanelHeight, 54);
    for (const auto* levels : {&f.RedLevels, &f.GreenLevels, &f.BlueLevels}) {
        EXPECT_EQ(*levels, (std::array<int, 4>{0, 85, 170, 255}));
    }
    EXPECT_EQ(f.BackColorCode, 63);
    EXPECT_EQ(f.DirPicIn, dir.path());
    EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet1);
    EXPECT_EQ(f.MkFrm->text(), QStringLiteral("30"));
    EXPECT_EQ(f.udGetFrm->Max(), 90);
    EXPECT_EQ(f.StartRect.Right, 202);
    EXPECT_EQ(f.EndRect.Bottom, 54);
    EXPECT_EQ(f.StatusBar1->panelText(0), QStringLiteral("Start 1:(0,0)-(202,54)"));
    EXPECT_EQ(f.StatusBar1->panelText(1), QStringLiteral("End 1:(0,0)-(202,54)"));
    EXPECT_TRUE(f.StatusBar1->panelText(2).startsWith(QStringLiteral("Font :(0,0)-(")));
    EXPECT_EQ(f.LeadIn->DrawMode(), TLEAD::kDrawModeXorPen);
    EXPECT_EQ(f.LeadIn->DrawPenWidth(), 2);
    EXPECT_FALSE(f.cbFontB->isVisibleTo(f.TabSheet3));
    EXPECT_FALSE(f.tbEffect->isVisibleTo(f.TabSheet2));

    // Previews take the display area's proportions inside their holders.
    const double aspect = static_cast<double>(f.LeadMono->width()) / f.LeadMono->height();
    EXPECT_NEAR(aspect, 203.0 / 55.0, 0.05);
    EXPECT_LE(f.LeadMono->width(), f.Panel12->width());
    EXPECT_EQ(f.LeadEfColor->size(), f.LeadMono->size());
    EXPECT_EQ(f.LeadMono->BitmapWidth(), 203);

    // Only adding pictures and loading a panel file are possible at first.
    for (QWidget* w : {f.abbInPic, f.abbFLoad}) {
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             f.abbDelPic, f.abbInClr, f.abbFSave, f.abbInFramePlay, f.abbInFrameEnd, f.abbCutS,
             f.abbCutE, f.abbExecute, f.abbDesideEfA, f.abbInsFontA, f.abbOutPrePlay,
             f.abbOutPreDel, f.abbOutPreClr, f.abbPPlay, f.abbPStop}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    }
}

TEST_F(FormTest, SettingsAreReadAppliedAndWrittenBack) {
    writeSettings(QStringLiteral(
        "[MainForm]\nTop=120\nLeft=140\nCaption=パネル作業\nInitMax=0\n"
        "[panel]\nPanelFile=Device.bmp\nWidth=128\nHEIGHT=32\nViewLeft=10\nViewTop=20\n"
        "ViewRight=137\nViewBottom=51\n"
        "[Directory]\nDirPicIn=/pictures\n"
        "[URL]\nPanelURL=https://example.invalid/panels\n"
        "[Red]\nColors=2\n0=10\n1=abc\n"));
    TForm1& f = open();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("パネル作業"));
    EXPECT_EQ(f.pos(), QPoint(140, 120));
    EXPECT_EQ(f.PanelFile, QStringLiteral("Device.bmp"));
    EXPECT_EQ(f.PanelWidth, 128);
    EXPECT_EQ(f.PanelHeight, 32);
    EXPECT_EQ(f.ViewWidth, 128);
    EXPECT_EQ(f.ViewHeight, 32);
    EXPECT_EQ(f.DirPicIn, QStringLiteral("/pictures"));
    EXPECT_EQ(f.PanelURL, QStringLiteral("https://example.invalid/panels"));
    EXPECT_EQ(f.RedLevelCount, 2);
    EXPECT_EQ(f.RedLevels, (std::array<int, 4>{10, 85, 0, 0}));  // "abc" is not a number

    f.DirImg = QStringLiteral("/animations");
    f.setWindowTitle(QStringLiteral("Renamed"));
    dialogs.messageAnswers.push_back(platform::kIdOk);
    EXPECT_TRUE(f.close());
    const platform::Profile written(settingsPath());
    EXPECT_EQ(written.ReadString("MainForm", "Caption", {}), QStringLiteral("Renamed"));
    EXPECT_EQ(written.ReadInteger("MainForm", "Left", 0), 140);
    EXPECT_EQ(written.ReadString("Directory", "DirImg", {}), QStringLiteral("/animations"));
    EXPECT_EQ(written.ReadInteger("Panel", "Width", 0), 128);
    EXPECT_EQ(written.ReadInteger("Red", "Colors", 0), 2);
    EXPECT_FALSE(written.hasKey("Red", "2"));
    // The web address was put there by hand and is never written, so it survives.
    EXPECT_EQ(written.ReadString("URL", "PanelURL", {}),
              QStringLiteral("https://example.invalid/panels"));
    EXPECT_FALSE(written.hasKey("URL", "AnimeURL"));
}

TEST_F(FormTest, UnusableSettingsFallBack) {
    writeSettings(
        QStringLiteral("[MainForm]\nTop=-40000\nLeft=90000\nInitMax=1\n"
                       "[Panel]\nWidth=0\nHeight=300\nViewRight=10\n"));
    TForm1& f = open();
    // Off every screen: moved back onto one.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(f.pos())) << f.pos().x() << "," << f.pos().y();
    EXPECT_TRUE(f.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(f.PanelWidth, 160);
    EXPECT_EQ(f.PanelHeight, 54);
    EXPECT_EQ(f.ViewWidth, 203);  // right not beyond left: the default display area
}

TEST_F(FormTest, SettingsGoToTheUserFolderWhenTheProgramFolderIsNotWritable) {
    QStandardPaths::setTestModeEnabled(true);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    TForm1 f(dir.filePath("missing/pixmora"));
    EXPECT_EQ(f.settingsFileName(), QDir(userFolder).filePath(QStringLiteral("pixmora.INI")));
    QFile::remove(f.settingsFileName());
    dialogs.messageAnswers.push_back(platform::kIdOk);
    f.close();
    EXPECT_TRUE(QFile::exists(f.settingsFileName()));
    QFile::remove(f.settingsFileName());
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(FormTest, ClosingAsksAndOnlyOkWritesTheSettings) {
    TForm1& f = open();
    f.show();
    f.EndConfirmCaption = QStringLiteral("Pixmora");
    f.EndConfirmText = QStringLiteral("Quit?");
    f.abbEnd->click();  // no answer scripted: Cancel
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Quit?"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Pixmora"));
    EXPECT_EQ(dialogs.messages[0].flags, platform::kMbOkCancel);
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(QFile::exists(settingsPath()));

    dialogs.messageAnswers.push_back(platform::kIdOk);
    f.abbEnd->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(QFile::exists(settingsPath()));
}

TEST_F(FormTest, OutputFramesAndPlayersGovernTheCommands) {
    TForm1& f = open();
    fillOutputFrames(89);
    f.UpdateAvailability(8);
    for (QWidget* w :
         {f.abbFLoad, f.abbFSave, f.abbDesideEfA, f.abbOutPrePlay, f.abbOutPreDel, f.abbPPlay}) {
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_FALSE(f.sbDesideEf->isVisibleTo(f.TabSheet2));  // in its group but never shown
    fillOutputFrames(1);
    f.UpdateAvailability(8);
    EXPECT_FALSE(f.abbFLoad->isEnabled());  // 90 frames: nothing more can be loaded
    EXPECT_TRUE(f.abbFSave->isEnabled());

    f.LeadMNF->releaseBitmap();
    f.UpdateAvailability(8);
    f.abbOutPrePlay->setDown(true);
    f.UpdateAvailability(16);
    for (QWidget* w : {f.abbFLoad, f.abbFSave, f.abbDesideEfA, f.abbOutPreDel}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_TRUE(f.abbOutPreStop->isEnabled());
    f.abbPPlay->setDown(true);
    f.UpdateAvailability(32);
    f.abbOutPrePlay->setDown(false);
    f.UpdateAvailability(16);
    EXPECT_FALSE(f.abbFSave->isEnabled());  // the panel player still runs
    f.abbPPlay->setDown(false);
    f.UpdateAvailability(32);
    EXPECT_TRUE(f.abbFSave->isEnabled());

    f.abbInFramePlay->setDown(true);
    f.UpdateAvailability(2);
    EXPECT_FALSE(f.abbInPic->isEnabled());
    f.abbInFramePlay->setDown(false);
    f.UpdateAvailability(2);
    EXPECT_TRUE(f.abbInPic->isEnabled());
}

TEST_F(FormTest, PagesStopThePanelPlayerAndTakeAwayInputCommands) {
    TForm1& f = open();
    fillOutputFrames(3);
    f.UpdateAvailability(8);
    f.PageControl1->setCurrentWidget(f.TabSheet4);
    EXPECT_FALSE(f.abbInPic->isEnabled());
    f.abbPPlay->setDown(true);
    f.abbPPause->setDown(true);
    f.TimerP->start();
    f.UpdateAvailability(32);
    EXPECT_FALSE(f.abbFSave->isEnabled());

    f.tbOutPre->setMax(3);
    f.tbOutPre->setPosition(2);
    f.PageControl1->setCurrentWidget(f.TabSheet3);  // leaving the panel page stops its player
    EXPECT_FALSE(f.TimerP->isActive());
    EXPECT_FALSE(f.abbPPlay->Down());
    EXPECT_FALSE(f.abbPPause->Down());
    EXPECT_TRUE(f.abbFSave->isEnabled());
    EXPECT_EQ(f.LeadMNF->BitmapListIndex(), 1);  // the text page works on the shown frame

    f.PageControl1->setCurrentWidget(f.TabSheet1);
    EXPECT_TRUE(f.abbInPic->isEnabled());
    EXPECT_FALSE(f.abbInClr->isEnabled());  // still no input frames
}

TEST_F(FormTest, OneFrameToMakeReleasesTheEndCropButton) {
    TForm1& f = open();
    f.abbCutE->setDown(true);
    f.udGetFrm->setPosition(1);
    f.UpdateAvailability(Availability::kSingleFrame);
    EXPECT_FALSE(f.abbCutE->Down());
    EXPECT_FALSE(f.abbCutE->isEnabled());
    EXPECT_EQ(f.DisableFlags.flags(Availability::kGroupEndCrop) & 4, 4);
    f.udGetFrm->setPosition(2);
    f.UpdateAvailability(Availability::kSingleFrame);
    EXPECT_EQ(f.DisableFlags.flags(Availability::kGroupEndCrop) & 4, 0);
}

TEST_F(FormTest, EffectStrengthBarFollowsTheEffect) {
    TForm1& f = open();
    f.cbEffect->addItems({"none", "brightness", "contrast", "sharpen", "negative"});
    for (int effect : {0, 1, 2, 3, 4}) {
        f.cbEffect->setCurrentIndex(effect);
        f.UpdateAvailability(255);
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
    EXPECT_EQ(f.tbRed->Position(), 3);
    EXPECT_EQ(f.tbGreen->Position(), 1);
    EXPECT_EQ(f.tbBlue->Position(), 0);
    EXPECT_EQ(f.BackColorCode, 15);
    EXPECT_FALSE(f.UpdatingColors);
}

TEST_F(FormTest, CropPreviewShowsColourAndPanelGreys) {
    TForm1& f = open();
    imaging::Picture picture(406, 110);
    for (int y = 0; y < 110; ++y) {
        for (int x = 0; x < 406; ++x) {
            picture.setColourAt(
                x, y, x < 203 ? imaging::makeColour(250, 0, 0) : imaging::makeColour(20, 20, 20));
        }
    }
    f.LeadIn->setBitmap(picture);
    f.tbGreen->setPosition(1);  // code 52: red 3, green 1, blue 0
    f.tbBlue->setPosition(0);
    CropFrame rect = f.StartRect;
    rect.Right = 406;
    rect.Bottom = 110;
    f.PreviewCrop(rect);
    EXPECT_EQ(f.LeadColor->BitmapWidth(), f.LeadColor->width());
    EXPECT_EQ(f.LeadColor->Get_Pixel(0, 0), imaging::makeColour(250, 0, 0));
    EXPECT_EQ(f.LeadMono->BitmapBits(), 2);
    EXPECT_EQ(f.LeadMono->Get_Pixel(0, 0), imaging::makeColour(255, 85, 0));  // level 3, tinted
    EXPECT_EQ(f.LeadMono->Get_Pixel(f.LeadMono->width() - 1, 0), 0u);         // 20: level 0
    EXPECT_FALSE(f.LeadWk1->hasBitmap());
    EXPECT_EQ(f.LeadGrWk->BitmapWidth(), 160);

    // A new dithering choice redoes only the effect preview, from the colour one.
    f.LeadEfColor->setBitmap(picture);
    f.cbDither->addItems({"Burkes", "JJN", "none", "ordered"});
    f.cbDither->setCurrentIndex(2);
    f.cbDitherOnChange();
    EXPECT_EQ(f.LeadEfMono->BitmapBits(), 2);
    EXPECT_EQ(f.LeadEfMono->BitmapWidth(), 406);
    EXPECT_EQ(f.LeadEfMono->Get_Pixel(0, 0), imaging::makeColour(255, 85, 0));
    EXPECT_EQ(f.LeadMono->BitmapWidth(), f.LeadMono->width());  // untouched
}

TEST_F(FormTest, OutputFramesEnterBothLists) {
    TForm1& f = open();
    const imaging::Picture frame(160, 54);
    f.AddOutputFrame(frame, 0);
    f.AddOutputFrame(frame, 1);
    f.CopyOutputFrame(0, 2);
    EXPECT_EQ(f.outputFrameCount(), 3);
    EXPECT_EQ(f.LeadCLF->BitmapListCount(), 3);
    EXPECT_EQ(f.LeadCLF->BitmapListIndex(), 2);
    EXPECT_EQ(f.LeadMNF->BitmapListIndex(), 2);
    EXPECT_EQ(f.LeadMNF->BitmapBits(), 2);
    f.UpdateAvailability(8);
    EXPECT_TRUE(f.abbFSave->isEnabled());
}
