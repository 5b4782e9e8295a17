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

// The per-user settings file, in Qt's test folder while this lives and removed around it.
class UserSettingsFile {
  public:
    UserSettingsFile() {
        QStandardPaths::setTestModeEnabled(true);
        QFile::remove(path());
    }
    ~UserSettingsFile() {
        QFile::remove(path());
        QStandardPaths::setTestModeEnabled(false);
    }
    static QString path() {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
            .filePath("pixmora.INI");
    }
};

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

// A value the window cannot use reads, and is written back, as its default or as the nearest
// usable value.
struct UnusableValue {
    const char* file;
    const char* section;
    const char* key;
    int expected;
};

class UnusableValueTest : public SettingsTest, public testing::WithParamInterface<UnusableValue> {};

TEST_P(UnusableValueTest, BecomesTheDefaultOrTheNearestUsableValue) {
    const UnusableValue& v = GetParam();
    Profile written(path("written.INI"));
    app::writeSettings(written, readFrom(v.file));
    EXPECT_EQ(written.ReadInteger(v.section, v.key, -1), v.expected) << v.file;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, UnusableValueTest,
    testing::Values(UnusableValue{"[MainForm]\nTop=abc\n", "MainForm", "Top", 100},
                    UnusableValue{"[MainForm]\nLeft=12x\n", "MainForm", "Left", 100},
                    UnusableValue{"[MainForm]\nInitMax=yes\n", "MainForm", "InitMax", 0},
                    UnusableValue{"[MainForm]\nLeft=2147483647\n", "MainForm", "Left", 32767},
                    UnusableValue{"[MainForm]\nTop=-2147483648\n", "MainForm", "Top", -32767},
                    UnusableValue{"[Panel]\nInfoLeft=99999999999\n", "Panel", "InfoLeft", 45},
                    UnusableValue{"[Panel]\nInfoLeft=100\nInfoRight=100\n", "Panel", "InfoLeft",
                                  45},
                    UnusableValue{"[Panel]\nInfoLeft=10\nInfoRight=11\n", "Panel", "InfoLeft", 10},
                    UnusableValue{"[Panel]\nViewTop=151\nViewBottom=97\n", "Panel", "ViewTop", 97},
                    UnusableValue{"[Panel]\nViewLeft=-2000000000\n", "Panel", "ViewLeft", 0},
                    UnusableValue{"[Panel]\nViewRight=2000000000\n", "Panel", "ViewRight", 2047},
                    UnusableValue{"[Panel]\nViewBottom=8000\n", "Panel", "ViewBottom", 2047},
                    UnusableValue{"[Panel]\nWidth=0\n", "Panel", "Width", 160},
                    UnusableValue{"[Panel]\nWidth=-5\n", "Panel", "Width", 160},
                    UnusableValue{"[Panel]\nHeight=257\n", "Panel", "Height", 54},
                    UnusableValue{"[Panel]\nHeight=1\n", "Panel", "Height", 1},
                    UnusableValue{"[Panel]\nPixelWidth=4.5\n", "Panel", "PixelWidth", 46},
                    UnusableValue{"[Panel]\nPixelWidth=2147483647\n", "Panel", "PixelWidth", 1000},
                    UnusableValue{"[Panel]\nPixelSpace=-5\n", "Panel", "PixelSpace", 0},
                    UnusableValue{"[Red]\n0=2147483647\n", "Red", "0", 255},
                    UnusableValue{"[Green]\n1=-1\n", "Green", "1", 0},
                    UnusableValue{"[Blue]\n2=x\n", "Blue", "2", 170},
                    UnusableValue{"[Blue]\n3=+3\n", "Blue", "3", 3}));

TEST_F(SettingsTest, FilesLieBesideTheProgramOrInTheUserFolder) {
    auto forExecutable = [](const QString& exe) {
        return app::settingsFiles(app::basePathOf(exe));
    };
    for (const auto& [exe, ini] : {std::pair<QString, QString>{"Pixmora.exe", "Pixmora.INI"},
                                   {"pix.v2.exe", "pix.v2.INI"}}) {
        const app::SettingsFiles files = forExecutable(dir_.filePath(exe));
        EXPECT_EQ(files.read, dir_.filePath(ini));
        EXPECT_EQ(files.write, dir_.filePath(ini));
    }
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());  // the check for a usable folder leaves nothing

    const UserSettingsFile userFile;
    write("file", "");
    for (const QString& base : {path("missing/pixmora"), path("file/pixmora")}) {
        EXPECT_EQ(app::settingsFiles(base).write, userFile.path());
    }
}

// A settings file beside a program in a read-only folder is read, also when written on an older
// system in Shift_JIS; the settings then go to the user's file, as UTF-8 with the same text.
TEST_F(SettingsTest, WindowInAReadOnlyProgramFolderReadsTheFileBesideIt) {
    const UserSettingsFile userFile;
    const QString caption = QStringLiteral("パネル作業");
    const QString folder = QStringLiteral("/写真/表示");
    QStringEncoder toShiftJis("Shift_JIS");
    const QByteArray beside = toShiftJis(
        QStringLiteral("[MainForm]\nCaption=%1\n[Directory]\nDirPicIn=%2\n[URL]\nPanelURL=%2\n")
            .arg(caption, folder));
    write("pixmora.INI", beside);
    {
        FolderRefusingNewFiles lock(dir_.path());
        ASSERT_TRUE(lock.active());
        TForm1& f = openWindow();
        EXPECT_EQ(f.windowTitle(), caption);
        EXPECT_EQ(f.DirPicIn, folder);
        f.DirImg = QStringLiteral("/changed");
        closeWindow();
        const QString saved = QString::fromUtf8(bytesOf(userFile.path()));
        for (const QString& line :
             {"Caption=" + caption, "DirPicIn=" + folder, "PanelURL=" + folder}) {
            EXPECT_TRUE(saved.contains(line)) << saved.toStdString();
        }
        EXPECT_EQ(openWindow().DirImg, "/changed");  // the user's file is read from now on
        form.reset();
    }
    EXPECT_EQ(bytesOf(iniPath()), beside);
}

TEST_F(SettingsTest, WindowFromExtremeSettingsStaysUsable) {
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
        EXPECT_TRUE(frame.right() <= area.right() || f.width() == f.minimumWidth());
        EXPECT_TRUE(frame.bottom() <= area.bottom() || f.height() == f.minimumHeight());
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
