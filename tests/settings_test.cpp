#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>

#include "app/SettingsFile.h"
#include "platform/Profile.h"

using app::ColourLevels;
using app::EdgeRect;
using app::Settings;
using platform::Profile;

namespace {

const app::Defaults kDefaults{"/opt/pixmora", "https://panel.example/", "https://anime.example/"};

class SettingsFileTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path() const { return dir_.filePath("pixmora.INI"); }
    QString write(const QByteArray& bytes) const {
        QFile out(path());
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path();
    }
    Settings readBack() const { return app::readSettings(Profile(path()), kDefaults); }
    void save(const Settings& settings) const {
        Profile profile(path());
        app::writeSettings(profile, settings);
        ASSERT_EQ(profile.save(), platform::kProfileOk);
    }
    std::string fileText() const {
        QFile in(path());
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll().toStdString();
    }

    QTemporaryDir dir_;
};

void expectLevels(const ColourLevels& colour, int count, std::array<int, 4> levels) {
    EXPECT_EQ(colour.count, count);
    EXPECT_EQ(colour.levels, levels);
}

TEST_F(SettingsFileTest, NoFileGivesEveryDefault) {
    const Settings settings = readBack();
    EXPECT_EQ(settings.window.caption, "Default Caption");
    EXPECT_EQ(settings.panel.panelWidth, 160);
    EXPECT_EQ(settings.panel.panelHeight, 54);
    EXPECT_EQ(settings.panel.viewRect.width(), 203);
    EXPECT_EQ(settings.panel.viewRect.height(), 55);
    for (const ColourLevels& colour : {settings.red, settings.green, settings.blue}) {
        expectLevels(colour, 4, {0, 85, 170, 255});
    }
    Settings expected;
    expected.dirPicIn = expected.dirImg = expected.dirPanelIn = "/opt/pixmora";
    expected.panelUrl = "https://panel.example/";
    expected.animeUrl = "https://anime.example/";
    EXPECT_TRUE(settings == expected);
}

TEST_F(SettingsFileTest, EveryWrittenKeyReadsBackEqual) {
    Settings settings;
    settings.window = {-20, 3000, QString::fromUtf8("アニメ作成"), true};
    settings.panel = {"Other.bmp", {1, 2, 30, 40}, {5, 6, 70, 80}, 256, 1, 7, 8, 0};
    settings.dirPicIn = "/pics";
    settings.dirImg = "/imgs";
    settings.dirPanelIn = "/panels";
    settings.panelUrl = kDefaults.panelUrl;
    settings.animeUrl = kDefaults.animeUrl;
    settings.red = {3, {1, 2, 3, 0}};
    settings.green = {4, {10, 20, 30, 300}};
    settings.blue = {1, {-5, 0, 0, 0}};
    save(settings);
    EXPECT_TRUE(readBack() == settings);
}

TEST_F(SettingsFileTest, WrittenFileFollowsTheKeyTableAndLeavesAddressesOut) {
    Settings settings;
    settings.panelUrl = "https://changed.example/";
    settings.dirPicIn = "/a";
    settings.dirImg = "/b";
    settings.dirPanelIn = "/c";
    save(settings);
    const std::string levels = "Colors=4\n0=0\n1=85\n2=170\n3=255\n";
    EXPECT_EQ(fileText(),
              "[MainForm]\nTop=100\nLeft=100\nCaption=Default Caption\nInitMax=0\n\n\n"
              "[Panel]\nPanelFile=Panel.bmp\nInfoLeft=45\nInfoTop=60\nInfoRight=247\n"
              "InfoBottm=96\nViewLeft=45\nViewTop=97\nViewRight=247\nViewBottom=151\n"
              "Width=160\nHeight=54\nPixelWidth=46\nPixelHeight=34\nPixelSpace=12\n\n\n"
              "[Directory]\nDirPicIn=/a\nDirImg=/b\nDirPanelIn=/c\n\n\n"
              "[Red]\n" +
                  levels + "\n\n[Green]\n" + levels + "\n\n[Blue]\n" + levels);
}

TEST_F(SettingsFileTest, HandEditedAddressesSurviveAWrite) {
    write("[URL]\nPanelURL=https://mine.example/panel\n[Extra]\nNote=kept\n");
    Settings settings = readBack();
    EXPECT_EQ(settings.panelUrl, "https://mine.example/panel");
    EXPECT_EQ(settings.animeUrl, "https://anime.example/");
    settings.panelUrl = "https://ignored.example/";
    save(settings);

    const Profile profile(path());
    EXPECT_EQ(profile.ReadString("URL", "PanelURL", ""), "https://mine.example/panel");
    EXPECT_FALSE(profile.hasKey("URL", "AnimeURL"));
    EXPECT_EQ(profile.ReadString("Extra", "Note", ""), "kept");
}

TEST_F(SettingsFileTest, ColourCountsLimitWhichLevelsAreReadAndWritten) {
    write(
        "[Red]\nColors=9\n0=1\n1=2\n2=3\n3=4\n4=5\n"
        "[Green]\nColors=2\n0=7\n1=8\n2=9\n3=10\n"
        "[Blue]\nColors=0\n0=11\n");
    Settings settings = readBack();
    expectLevels(settings.red, 4, {1, 2, 3, 4});
    expectLevels(settings.green, 2, {7, 8, 0, 0});
    expectLevels(settings.blue, 0, {0, 0, 0, 0});

    QFile::remove(path());
    save(settings);
    const Profile profile(path());
    EXPECT_EQ(profile.ReadInteger("Red", "Colors", 0), 4);
    EXPECT_TRUE(profile.hasKey("Red", "3"));
    EXPECT_FALSE(profile.hasKey("Red", "4"));
    EXPECT_EQ(profile.ReadInteger("Green", "Colors", 0), 2);
    EXPECT_TRUE(profile.hasKey("Green", "1"));
    EXPECT_FALSE(profile.hasKey("Green", "2"));
    EXPECT_EQ(profile.ReadInteger("Blue", "Colors", 9), 0);
    EXPECT_FALSE(profile.hasKey("Blue", "0"));
}

TEST_F(SettingsFileTest, NegativeColourCountIsKeptWithoutLevels) {
    write("[Red]\nColors=-1\n0=50\n");
    Settings settings = readBack();
    expectLevels(settings.red, -1, {0, 0, 0, 0});
    settings.blue.count = 9;

    QFile::remove(path());
    save(settings);
    const Profile profile(path());
    EXPECT_EQ(profile.ReadInteger("Red", "Colors", 0), -1);
    EXPECT_FALSE(profile.hasKey("Red", "0"));
    EXPECT_EQ(profile.ReadInteger("Blue", "Colors", 0), 4);
    EXPECT_FALSE(profile.hasKey("Blue", "4"));
}

TEST_F(SettingsFileTest, MalformedNumbersGiveDefaults) {
    write(
        "[MainForm]\nTop=abc\nLeft=12x\nInitMax=yes\n"
        "[Panel]\nWidth=\nPixelWidth=4.5\nInfoLeft=99999999999\n"
        "[Red]\nColors=four\n0=x\n1=\n2=-\n3=+3\n");
    const Settings settings = readBack();
    EXPECT_EQ(settings.window.top, 100);
    EXPECT_EQ(settings.window.left, 100);
    EXPECT_FALSE(settings.window.maximised);
    EXPECT_EQ(settings.panel.panelWidth, 160);
    EXPECT_EQ(settings.panel.pixelWidth, 46);
    EXPECT_EQ(settings.panel.infoRect.left, 45);
    expectLevels(settings.red, 4, {0, 85, 170, 3});
}

TEST_F(SettingsFileTest, UnusablePanelValuesFallBack) {
    write(
        "[Panel]\nWidth=0\nHeight=257\n"
        "InfoLeft=100\nInfoRight=100\nViewTop=151\nViewBottom=97\n"
        "[Green]\n0=-1\n1=1000\n");
    Settings settings = readBack();
    EXPECT_EQ(settings.panel.panelWidth, 160);
    EXPECT_EQ(settings.panel.panelHeight, 54);
    EXPECT_EQ(settings.panel.infoRect, app::kDefaultInfoRect);
    EXPECT_EQ(settings.panel.viewRect, app::kDefaultViewRect);
    expectLevels(settings.green, 4, {-1, 1000, 170, 255});

    write(
        "[Panel]\nWidth=-5\nHeight=1\nInfoLeft=10\nInfoTop=10\nInfoRight=11\nInfoBottm=11\n"
        "ViewRight=46\nViewBottom=96\n");
    settings = readBack();
    EXPECT_EQ(settings.panel.panelWidth, 160);
    EXPECT_EQ(settings.panel.panelHeight, 1);
    EXPECT_EQ(settings.panel.infoRect, (EdgeRect{10, 10, 11, 11}));
    EXPECT_EQ(settings.panel.viewRect, app::kDefaultViewRect);
}

TEST(SettingsFilePath, ReplacesTheExtensionNextToTheExecutable) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto forExecutable = [](const QString& exe) {
        return app::settingsFilePath(app::basePathOf(exe));
    };
    EXPECT_EQ(forExecutable(dir.filePath("pixmora")), dir.filePath("pixmora.INI"));
    EXPECT_EQ(forExecutable(dir.filePath("Pixmora.exe")), dir.filePath("Pixmora.INI"));
    EXPECT_EQ(forExecutable(dir.filePath("pix.v2.exe")), dir.filePath("pix.v2.INI"));
    EXPECT_EQ(app::basePathOf(dir.filePath("pix.v2.exe")), dir.filePath("pix.v2"));
    // The check for a usable folder leaves nothing behind.
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(SettingsFilePath, FallsBackToTheUserConfigurationFolder) {
    QStandardPaths::setTestModeEnabled(true);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile plainFile(dir.filePath("file"));
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();

    const QString missing = app::settingsFilePath(dir.filePath("missing/Pixmora"));
    EXPECT_EQ(missing, QDir(userFolder).filePath("Pixmora.INI"));
    EXPECT_TRUE(QFileInfo(userFolder).isDir());
    EXPECT_EQ(app::settingsFilePath(dir.filePath("file/pixmora")),
              QDir(userFolder).filePath("pixmora.INI"));
    QStandardPaths::setTestModeEnabled(false);
}

}  // namespace
