#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QStringEncoder>
#include <memory>
#include <string>

#include "app/PicMUnit1.h"
#include "app/SettingsFile.h"
#include "imaging/TLEAD.h"
#include "platform/Profile.h"
#include "platform/TTrackBar.h"
#include "tests/support/FileSystemLimits.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolderTest.h"

using app::Settings;
using platform::Profile;

namespace {

const app::Defaults kDefaults{"/opt/pixmora", "https://panel.example/", "https://anime.example/"};

class SettingsTest : public TempFolderTest {
  protected:
    QString iniPath() const { return path("pixmora.INI"); }
    Settings readFrom(const QByteArray& text) const {
        write("pixmora.INI", text);
        return app::readSettings(Profile(iniPath()), kDefaults);
    }
    void save(const Settings& settings) const {
        Profile profile(iniPath());
        app::writeSettings(profile, settings);
        ASSERT_EQ(profile.save(), platform::kProfileOk);
    }
    TForm1& openWindow() {
        form = std::make_unique<TForm1>(path("pixmora"));
        return *form;
    }
    void closeWindow() {
        dialogs.messageAnswers.push_back(platform::kIdOk);
        EXPECT_TRUE(form->close());
        form.reset();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

TEST_F(SettingsTest, NoFileGivesEveryDefault) {
    Settings expected;
    expected.dirPicIn = expected.dirImg = expected.dirPanelIn = "/opt/pixmora";
    expected.panelUrl = "https://panel.example/";
    expected.animeUrl = "https://anime.example/";
    EXPECT_TRUE(app::readSettings(Profile(iniPath()), kDefaults) == expected);
    EXPECT_EQ(expected.panel.viewRect.width(), 203);
    EXPECT_EQ(expected.panel.viewRect.height(), 55);
}

TEST_F(SettingsTest, WrittenFileFollowsTheKeyTableAndReadsBackEqual) {
    Settings settings;
    settings.dirPicIn = "/a";
    settings.dirImg = "/b";
    settings.dirPanelIn = "/c";
    settings.panelUrl = "https://changed.example/";
    save(settings);
    const std::string levels = "Colors=4\n0=0\n1=85\n2=170\n3=255\n";
    EXPECT_EQ(bytesOf(iniPath()).toStdString(),
              "[MainForm]\nTop=100\nLeft=100\nCaption=Default Caption\nInitMax=0\n\n\n"
              "[Panel]\nPanelFile=Panel.bmp\nInfoLeft=45\nInfoTop=60\nInfoRight=247\n"
              "InfoBottm=96\nViewLeft=45\nViewTop=97\nViewRight=247\nViewBottom=151\n"
              "Width=160\nHeight=54\nPixelWidth=46\nPixelHeight=34\nPixelSpace=12\n\n\n"
              "[Directory]\nDirPicIn=/a\nDirImg=/b\nDirPanelIn=/c\n\n\n"
              "[Red]\n" +
                  levels + "\n\n[Green]\n" + levels + "\n\n[Blue]\n" + levels);

    settings.window = {-20, 3000, QStringLiteral(" アニメ作成 "), true, true};
    settings.panel = {"Other.bmp", {1, 2, 30, 40}, {5, 6, 70, 80}, 256, 1, 7, 8, 0};
    settings.panelUrl = kDefaults.panelUrl;
    settings.animeUrl = kDefaults.animeUrl;
    settings.red = {3, {1, 2, 3, 0}};
    settings.green = {4, {10, 20, 30, 255}};
    settings.blue = {1, {0, 0, 0, 0}};
    save(settings);
    EXPECT_TRUE(app::readSettings(Profile(iniPath()), kDefaults) == settings);
}

TEST_F(SettingsTest, HandEditedAddressesSurviveAWrite) {
    Settings settings =
        readFrom("[URL]\nPanelURL=https://mine.example/panel\n[Extra]\nNote=kept\n");
    EXPECT_EQ(settings.panelUrl, "https://mine.example/panel");
    EXPECT_EQ(settings.animeUrl, "https://anime.example/");
    settings.panelUrl = "https://ignored.example/";
    save(settings);
    const Profile profile(iniPath());
    EXPECT_EQ(profile.ReadString("URL", "PanelURL", ""), "https://mine.example/panel");
    EXPECT_FALSE(profile.hasKey("URL", "AnimeURL"));
    EXPECT_EQ(profile.ReadString("Extra", "Note", ""), "kept");
}

TEST_F(SettingsTest, ColourCountsLimitWhichLevelsAreReadAndWritten) {
    Settings settings = readFrom(
        "[Red]\nColors=9\n0=1\n1=2\n2=3\n3=4\n4=5\n[Green]\nColors=2\n0=7\n1=8\n2=9\n"
        "[Blue]\nColors=-1\n0=11\n");
    EXPECT_TRUE(settings.red == (app::ColourLevels{4, {1, 2, 3, 4}}));
    EXPECT_TRUE(settings.green == (app::ColourLevels{2, {7, 8, 0, 0}}));
    EXPECT_TRUE(settings.blue == (app::ColourLevels{-1, {0, 0, 0, 0}}));

    QFile::remove(iniPath());
    save(settings);
    const Profile profile(iniPath());
    for (const auto& [section, count] :
         {std::pair<QString, int>{"Red", 4}, {"Green", 2}, {"Blue", -1}}) {
        EXPECT_EQ(profile.ReadInteger(section, "Colors", 0), count);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(profile.hasKey(section, QString::number(i)), i < count) << i;
        }
    }
}

// A value the window cannot use gives its default or the nearest usable value.
struct UnusableValue {
    const char* file;
    int (*field)(const Settings&);
    int expected;
};

class UnusableValueTest : public SettingsTest, public testing::WithParamInterface<UnusableValue> {};

TEST_P(UnusableValueTest, GivesTheDefaultOrTheNearestUsableValue) {
    EXPECT_EQ(GetParam().field(readFrom(GetParam().file)), GetParam().expected) << GetParam().file;
}

int top(const Settings& s) {
    return s.window.top;
}
int left(const Settings& s) {
    return s.window.left;
}
int maximised(const Settings& s) {
    return s.window.maximised;
}
int infoLeft(const Settings& s) {
    return s.panel.infoRect.left;
}
int viewWidth(const Settings& s) {
    return s.panel.viewRect.width();
}
int viewHeight(const Settings& s) {
    return s.panel.viewRect.height();
}
int panelWidth(const Settings& s) {
    return s.panel.panelWidth;
}
int panelHeight(const Settings& s) {
    return s.panel.panelHeight;
}
int pixelWidth(const Settings& s) {
    return s.panel.pixelWidth;
}
int pixelSpace(const Settings& s) {
    return s.panel.pixelSpace;
}
int red0(const Settings& s) {
    return s.red.levels[0];
}
int green1(const Settings& s) {
    return s.green.levels[1];
}
int blue2(const Settings& s) {
    return s.blue.levels[2];
}
int blue3(const Settings& s) {
    return s.blue.levels[3];
}

INSTANTIATE_TEST_SUITE_P(
    Settings, UnusableValueTest,
    testing::Values(
        UnusableValue{"[MainForm]\nTop=abc\n", top, 100},
        UnusableValue{"[MainForm]\nLeft=12x\n", left, 100},
        UnusableValue{"[MainForm]\nInitMax=yes\n", maximised, 0},
        UnusableValue{"[MainForm]\nLeft=2147483647\n", left, 32767},
        UnusableValue{"[MainForm]\nTop=-2147483648\n", top, -32767},
        UnusableValue{"[Panel]\nInfoLeft=99999999999\n", infoLeft, 45},
        UnusableValue{"[Panel]\nInfoLeft=100\nInfoRight=100\n", infoLeft, 45},
        UnusableValue{"[Panel]\nInfoLeft=10\nInfoRight=11\n", infoLeft, 10},
        UnusableValue{"[Panel]\nViewTop=151\nViewBottom=97\n", viewHeight, 55},
        UnusableValue{"[Panel]\nViewLeft=-2000000000\nViewRight=2000000000\n", viewWidth, 2048},
        UnusableValue{"[Panel]\nViewRight=8000\nViewBottom=8000\n", viewHeight, 2048 - 97},
        UnusableValue{"[Panel]\nWidth=0\n", panelWidth, 160},
        UnusableValue{"[Panel]\nWidth=-5\n", panelWidth, 160},
        UnusableValue{"[Panel]\nHeight=257\n", panelHeight, 54},
        UnusableValue{"[Panel]\nHeight=1\n", panelHeight, 1},
        UnusableValue{"[Panel]\nPixelWidth=4.5\n", pixelWidth, 46},
        UnusableValue{"[Panel]\nPixelWidth=2147483647\n", pixelWidth, 1000},
        UnusableValue{"[Panel]\nPixelSpace=-5\n", pixelSpace, 0},
        UnusableValue{"[Red]\n0=2147483647\n", red0, 255},
        UnusableValue{"[Green]\n1=-1\n", green1, 0}, UnusableValue{"[Blue]\n2=x\n", blue2, 170},
        UnusableValue{"[Blue]\n3=+3\n", blue3, 3}));

TEST_F(SettingsTest, FilesLieBesideTheProgramOrInTheUserFolder) {
    auto forExecutable = [](const QString& exe) {
        return app::settingsFiles(app::basePathOf(exe));
    };
    for (const auto& [exe, ini] : {std::pair<QString, QString>{"pixmora", "pixmora.INI"},
                                   {"Pixmora.exe", "Pixmora.INI"},
                                   {"pix.v2.exe", "pix.v2.INI"}}) {
        const app::SettingsFiles files = forExecutable(dir_.filePath(exe));
        EXPECT_EQ(files.read, dir_.filePath(ini));
        EXPECT_EQ(files.write, dir_.filePath(ini));
    }
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());  // the check for a usable folder leaves nothing

    QStandardPaths::setTestModeEnabled(true);
    const QString userFile =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
            .filePath("pixmora.INI");
    QFile::remove(userFile);
    write("file", "");
    for (const QString& base : {path("missing/pixmora"), path("file/pixmora")}) {
        EXPECT_EQ(app::settingsFiles(base).write, userFile);
    }
    // A folder that refuses new files: read beside the program until the user file exists.
    write("pixmora.INI", "[MainForm]\nCaption=Beside\n");
    {
        FolderRefusingNewFiles lock(dir_.path());
        ASSERT_TRUE(lock.active());
        EXPECT_EQ(app::settingsFiles(path("pixmora")).read, iniPath());
        EXPECT_EQ(app::settingsFiles(path("pixmora")).write, userFile);
        ASSERT_TRUE(QFile::copy(iniPath(), userFile));
        EXPECT_EQ(app::settingsFiles(path("pixmora")).read, userFile);
    }
    QFile::remove(userFile);
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(SettingsTest, WindowInAReadOnlyProgramFolderReadsTheFileBesideIt) {
    QStandardPaths::setTestModeEnabled(true);
    const QString userFile =
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
            .filePath("pixmora.INI");
    QFile::remove(userFile);
    const QByteArray beside = "[MainForm]\nCaption=Beside\n[URL]\nPanelURL=https://hand.example/\n";
    write("pixmora.INI", beside);
    {
        FolderRefusingNewFiles lock(dir_.path());
        ASSERT_TRUE(lock.active());
        TForm1& f = openWindow();
        EXPECT_EQ(f.windowTitle(), "Beside");
        EXPECT_EQ(f.PanelURL, "https://hand.example/");
        f.setWindowTitle("Changed");
        closeWindow();
        EXPECT_EQ(Profile(userFile).ReadString("URL", "PanelURL", ""), "https://hand.example/");
        EXPECT_EQ(openWindow().windowTitle(), "Changed");
        form.reset();
    }
    EXPECT_EQ(bytesOf(iniPath()), beside);
    QFile::remove(userFile);
    QStandardPaths::setTestModeEnabled(false);
}

TEST_F(SettingsTest, WindowFromExtremeSettingsStaysUsableAndWritesUsableValues) {
    write("pixmora.INI",
          "[MainForm]\nTop=-2147483648\nLeft=2147483647\n"
          "[Panel]\nViewLeft=-2000000000\nViewRight=2000000000\nViewTop=0\nViewBottom=8000\n"
          "[Red]\n0=2147483647\n1=2147483647\n2=2147483647\n3=2147483647\n");
    TForm1& f = openWindow();
    EXPECT_EQ(f.ViewWidth, 2048);
    EXPECT_EQ(f.ViewHeight, 2048);
    EXPECT_GT(f.LeadMono->width(), 0);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(f.pos()));
    EXPECT_EQ(f.RedLevels, (std::array<int, 4>{255, 255, 255, 255}));
    f.tbRed->setPosition(2);
    EXPECT_EQ(f.BackColorCode, 0x2F);
    closeWindow();
    const Profile written(iniPath());
    EXPECT_EQ(written.ReadInteger("Panel", "ViewRight", 0), 2047);
    EXPECT_EQ(written.ReadInteger("Red", "0", 0), 255);
}

// Settings files written on older systems are Shift_JIS; their text survives a start and a close.
TEST_F(SettingsTest, ShiftJisTextIsReadAndWrittenBackUnchanged) {
    const QString caption = QStringLiteral("パネル作業");
    const QString folder = QStringLiteral("/写真/表示");
    QStringEncoder toShiftJis("Shift_JIS");
    write("pixmora.INI", toShiftJis(QStringLiteral("[MainForm]\nCaption=%1\n[Directory]\n"
                                                   "DirPicIn=%2\n")
                                        .arg(caption, folder)));
    TForm1& f = openWindow();
    EXPECT_EQ(f.windowTitle(), caption);
    EXPECT_EQ(f.DirPicIn, folder);
    closeWindow();
    const QString saved = QString::fromUtf8(bytesOf(iniPath()));
    EXPECT_TRUE(saved.contains("Caption=" + caption)) << saved.toStdString();
    EXPECT_TRUE(saved.contains("DirPicIn=" + folder)) << saved.toStdString();
}

// Without a saved position the window fits the available area of the screen, as far as its
// minimum size allows; a saved position is kept.
TEST_F(SettingsTest, WindowWithoutSavedPositionFitsTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QByteArray& file : {QByteArray(), QByteArray("[MainForm]\nTop=300\n")}) {
        write("pixmora.INI", file);
        TForm1& f = openWindow();
        f.show();
        const QRect frame = f.frameGeometry();
        EXPECT_TRUE(area.contains(frame.topLeft())) << file.toStdString();
        EXPECT_GE(f.width(), f.minimumWidth());
        EXPECT_GE(f.height(), f.minimumHeight());
        if (area.width() >= frame.width()) {
            EXPECT_LE(frame.right(), area.right());
        } else {
            EXPECT_EQ(f.width(), f.minimumWidth());
        }
        if (area.height() >= frame.height()) {
            EXPECT_LE(frame.bottom(), area.bottom());
        } else {
            EXPECT_EQ(f.height(), f.minimumHeight());
        }
        form.reset();
    }
    write("pixmora.INI", "[MainForm]\nTop=120\nLeft=140\n");
    EXPECT_EQ(openWindow().pos(), QPoint(140, 120));
    EXPECT_EQ(form->size(), QSize(1280, 800));
}

TEST_F(SettingsTest, FailedWriteAtCloseKeepsThePreviousFile) {
    const QByteArray previous = "[MainForm]\nCaption=Before\n";
    write("pixmora.INI", previous);
    openWindow().setWindowTitle(QString(2000, u'x'));
    {
        FileSizeLimit limit(100);
        closeWindow();
    }
    EXPECT_EQ(bytesOf(iniPath()), previous);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"pixmora.INI"});
}

}  // namespace
