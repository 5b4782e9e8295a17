// The settings file: read while the window is built, written when it closes.
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include "app/PicMUnit1.h"
#include "platform/Profile.h"

namespace {

// A window whose title bar shows less than this on every screen is moved back onto one.
constexpr QSize kTitleBar(200, 30);
constexpr QSize kMinVisibleTitle(50, 20);
constexpr QPoint kDefaultOffset(100, 100);

bool titleBarVisible(const QPoint& topLeft) {
    const QRect title(topLeft, kTitleBar);
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect visible = screen->availableGeometry().intersected(title);
        if (visible.width() >= kMinVisibleTitle.width() &&
            visible.height() >= kMinVisibleTitle.height()) {
            return true;
        }
    }
    return false;
}

QPoint placeOnScreen(const QPoint& topLeft) {
    if (titleBarVisible(topLeft) || QGuiApplication::primaryScreen() == nullptr) {
        return topLeft;
    }
    return QGuiApplication::primaryScreen()->availableGeometry().topLeft() + kDefaultOffset;
}

app::ColourLevels levelsOf(int count, const std::array<int, 4>& levels) {
    app::ColourLevels c;
    c.count = count;
    c.levels = levels;
    return c;
}

}  // namespace

void TForm1::readSettingsFile() {
    settingsFile_ = app::settingsFilePath(basePath_);
    const QString folder = QFileInfo(basePath_).absolutePath();
    const app::Defaults defaults{
        folder,
        QUrl::fromLocalFile(folder + QStringLiteral("/web/panels.html")).toString(),
        QUrl::fromLocalFile(folder + QStringLiteral("/web/animations.html")).toString(),
    };
    const platform::Profile profile(settingsFile_);
    const app::Settings s = app::readSettings(profile, defaults);
    applyWindowPlacement(s.window);
    PanelFile = s.panel.panelFile;
    InfoRect = s.panel.infoRect;
    ViewRect = s.panel.viewRect;
    PanelWidth = s.panel.panelWidth;
    PanelHeight = s.panel.panelHeight;
    PixelWidth = s.panel.pixelWidth;
    PixelHeight = s.panel.pixelHeight;
    PixelSpace = s.panel.pixelSpace;
    DirPicIn = s.dirPicIn;
    DirImg = s.dirImg;
    DirPanelIn = s.dirPanelIn;
    PanelURL = s.panelUrl;
    AnimeURL = s.animeUrl;
    RedLevelCount = s.red.count;
    RedLevels = s.red.levels;
    GreenLevelCount = s.green.count;
    GreenLevels = s.green.levels;
    BlueLevelCount = s.blue.count;
    BlueLevels = s.blue.levels;
}

void TForm1::applyWindowPlacement(const app::WindowPlacement& placement) {
    move(placeOnScreen(QPoint(placement.left, placement.top)));
    setWindowTitle(placement.caption);
    if (placement.maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TForm1::writeSettingsFile() {
    app::Settings s;
    s.window.top = y();
    s.window.left = x();
    s.window.caption = windowTitle();
    s.window.maximised = isMaximized();
    s.panel.panelFile = PanelFile;
    s.panel.infoRect = InfoRect;
    s.panel.viewRect = ViewRect;
    s.panel.panelWidth = PanelWidth;
    s.panel.panelHeight = PanelHeight;
    s.panel.pixelWidth = PixelWidth;
    s.panel.pixelHeight = PixelHeight;
    s.panel.pixelSpace = PixelSpace;
    s.dirPicIn = DirPicIn;
    s.dirImg = DirImg;
    s.dirPanelIn = DirPanelIn;
    s.red = levelsOf(RedLevelCount, RedLevels);
    s.green = levelsOf(GreenLevelCount, GreenLevels);
    s.blue = levelsOf(BlueLevelCount, BlueLevels);
    // Re-read the file so that keys written by hand (the web addresses) stay as they are.
    platform::Profile profile(settingsFile_);
    app::writeSettings(profile, s);
    profile.save();
}
