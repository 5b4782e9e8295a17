#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <memory>

#include "app/PicMUnit1.h"
#include "app/SettingsFile.h"
#include "imaging/TLEAD.h"
#include "platform/Profile.h"
#include "tests/support/FileSystemLimits.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolderTest.h"

using app::Settings;
using platform::Profile;

namespace {

const app::Defaults kDefaults{"/opt/pixmora", "https://panel.example/", "https://anime.example/"};

class SettingsTest : public TempFolderTest {
  protected:
    // A home of this test's own, so tests running at once never share the per-user file.
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_TRUE(home_.isValid());
        previousHome_ = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home_.path()));
        QStandardPaths::setTestModeEnabled(true);
    }
    void TearDown() override { qputenv("HOME", previousHome_); }
    QString iniPath() const { return path("pixmora.INI"); }
    static QString userFile() {
        return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/pixmora.INI";
    }
    Settings readFrom(const QByteArray& text) const {
        write("pixmora.INI", text);
        return app::readSettings(Profile(iniPath()), kDefaults);
    }
    void save(const Settings& settings) const {
        Profile profile(iniPath());
        app::writeSettings(profile, settings);
        ASSERT_EQ(profile.save(), platform::kProfileOk);
    }
    TForm1& openWindow(const QByteArray& text = {}) {
        if (!text.isEmpty()) {
            write("pixmora.INI", text);
        }
        form = std::make_unique<TForm1>(path("pixmora"));
        return *form;
    }
    void closeWindow() {
        dialogs.messageAnswers.push_back(platform::kIdOk);
        EXPECT_TRUE(form->close());
        form.reset();
    }

    QTemporaryDir home_;
    QByteArray previousHome_;
    ScriptedDialogs dialogs;
    std::unique_ptr<TForm1> form;
};

// The web addresses are only ever put there by hand: they are read but never written. The key
// names are checked against a hand-written file by the window's close test.
TEST_F(SettingsTest, AddressesAreReadButNotWrittenAndEverySettingReadsBack) {
    Settings settings = readFrom("[URL]\nPanelURL=https://mine.example/\n");
    EXPECT_EQ(settings.panelUrl, "https://mine.example/");
    EXPECT_EQ(settings.animeUrl, kDefaults.animeUrl);
    save(settings);
    const QString saved = QString::fromUtf8(bytesOf(iniPath()));
    EXPECT_TRUE(saved.startsWith("[URL]\nPanelURL=https://mine.example/\n\n\n[MainForm]"));
    EXPECT_FALSE(saved.contains("AnimeURL"));

    settings.window = {-20, 3000, QStringLiteral(" アニメ作成 "), true, true};
    settings.panel = {"Other.bmp", {1, 2, 30, 40}, {5, 6, 70, 80}, 256, 1, 7, 8, 0};
    settings.red = {3, {1, 2, 3, 0}};
    settings.green = {4, {10, 20, 30, 255}};
    settings.blue = {1, {0, 0, 0, 0}};
    save(settings);
    EXPECT_TRUE(app::readSettings(Profile(iniPath()), kDefaults) == settings);
}

// A value the window cannot use reads as its default or as the nearest usable value.
TEST_F(SettingsTest, UnusableValuesBecomeTheDefaultOrTheNearestUsableValue) {
    Settings expected = readFrom("");
    expected.window = {-32767, 32767, expected.window.caption, false, true};
    expected.panel.viewRect = {0, 97, 2047, 151};
    expected.panel.pixelWidth = 1000;
    expected.panel.pixelSpace = 0;
    expected.red.levels[0] = 255;
    expected.green = {2, {0, 0, 0, 0}};
    EXPECT_TRUE(
        readFrom("[MainForm]\nTop=-2147483648\nLeft=2147483647\nInitMax=yes\n[Panel]\n"
                 "InfoLeft=100\nInfoRight=100\nViewLeft=-2000000000\nViewRight=2000000000\n"
                 "Width=0\nHeight=257\nPixelWidth=2147483647\nPixelSpace=-5\n"
                 "[Red]\nColors=9\n0=2147483647\n[Green]\nColors=2\n1=-1\n2=9\n[Blue]\n2=x\n") ==
        expected);
    expected = readFrom("");
    expected.panel.infoRect = {10, 60, 11, 96};
    expected.panel.panelHeight = 1;
    EXPECT_TRUE(readFrom("[MainForm]\nTop=abc\n[Panel]\nInfoLeft=10\nInfoRight=11\nViewTop=151\n"
                         "ViewBottom=97\nHeight=1\n") == expected);
}

TEST_F(SettingsTest, FilesLieBesideTheProgramOrInTheUserFolder) {
    const app::SettingsFiles files = app::settingsFiles(app::basePathOf(path("pix.v2.exe")));
    EXPECT_EQ(files.read, path("pix.v2.INI"));
    EXPECT_EQ(files.write, files.read);
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());  // the check for a usable folder leaves nothing
    write("file", "");
    for (const char* base : {"missing/pixmora", "file/pixmora"}) {
        EXPECT_EQ(app::settingsFiles(path(base)).write, userFile()) << base;
    }
}

// A Shift_JIS file beside a program in a read-only folder is read; the settings then go to the
// user's file as UTF-8 with the same text, and that file is read from then on.
TEST_F(SettingsTest, WindowInAReadOnlyProgramFolderReadsTheFileBesideIt) {
    const QString caption = QStringLiteral("パネル作業");
    const QByteArray beside = QStringEncoder("Shift_JIS")(
        QStringLiteral("[MainForm]\nCaption=%1\n[URL]\nPanelURL=/%1\n").arg(caption));
    write("pixmora.INI", beside);
    FolderRefusingNewFiles lock(dir_.path());
    ASSERT_TRUE(lock.active());
    openWindow().DirImg = QStringLiteral("/changed");
    closeWindow();
    const QString saved = QString::fromUtf8(bytesOf(userFile()));
    EXPECT_TRUE(saved.contains("Caption=" + caption) && saved.contains("PanelURL=/" + caption))
        << saved.toStdString();
    EXPECT_EQ(openWindow().DirImg, "/changed");
    EXPECT_EQ(bytesOf(iniPath()), beside);
}

// Unsaved, the window fits the screen as far as its minimum size allows; saved, it keeps its size.
TEST_F(SettingsTest, WindowStaysUsableOnTheScreenWhateverThePlaceSaved) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QByteArray& file : {QByteArray(), QByteArray("[MainForm]\nTop=300\n")}) {
        TForm1& f = openWindow(file);
        f.show();
        const QRect frame = f.frameGeometry();
        EXPECT_TRUE(area.contains(frame.topLeft())) << file.toStdString();
        EXPECT_TRUE(frame.right() <= area.right() || f.width() == f.minimumWidth());
        EXPECT_TRUE(frame.bottom() <= area.bottom() || f.height() == f.minimumHeight());
    }
    EXPECT_EQ(openWindow("[MainForm]\nTop=120\nLeft=140\n").size(), QSize(1280, 800));
    TForm1& f = openWindow(
        "[MainForm]\nTop=-2147483648\nLeft=2147483647\nInitMax=1\n"
        "[Panel]\nViewLeft=-2000000000\nViewRight=2000000000\nViewTop=0\nViewBottom=8000\n");
    EXPECT_TRUE(area.contains(f.pos()) && f.isMaximized());
    EXPECT_EQ(std::pair(f.ViewWidth, f.ViewHeight), std::pair(2048, 2048));
    EXPECT_GT(f.LeadMono->width(), 0);
}

}  // namespace
