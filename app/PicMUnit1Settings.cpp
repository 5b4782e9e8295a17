// The settings file: read while the window is built, written when it closes.
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <algorithm>

#include "app/PanelDescription.h"
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

// The window's frame around its client area. Before the window is first shown the window system
// has not told it; room is then left for a usual title bar and border.
QMargins frameOf(const QWidget& window) {
    constexpr QMargins kUsualFrame(4, 36, 4, 4);
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    if (frame == client) {
        return kUsualFrame;
    }
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// The start nearest to `wanted` at which `length` fits between `first` and `first + room`; the
// start of the room when it does not fit at all.
int startInside(int wanted, int length, int first, int room) {
    return std::max(first, std::min(wanted, first + room - length));
}

// Shrinks the window, frame included, to the available area of the primary screen (never below
// its minimum size) and moves it inside that area, as near to where it is as it can.
void fitOnScreen(QWidget& window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    const QMargins frame = frameOf(window);
    const QSize room = area.size().shrunkBy(frame);
    window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
    const QSize outer = window.size().grownBy(frame);
    window.move(startInside(window.x(), outer.width(), area.left(), area.width()),
                startInside(window.y(), outer.height(), area.top(), area.height()));
}

}  // namespace

void TForm1::readSettingsFile() {
    const app::SettingsFiles files = app::settingsFiles(basePath_);
    settingsFile_ = files.write;
    const QString folder = QFileInfo(basePath_).absolutePath();
    const app::Defaults defaults{
        folder,
        QUrl::fromLocalFile(folder + QStringLiteral("/web/panels.html")).toString(),
        QUrl::fromLocalFile(folder + QStringLiteral("/web/animations.html")).toString(),
    };
    const platform::Profile profile(files.read);
    const app::Settings s = app::readSettings(profile, defaults);
    applyWindowPlacement(s.window);
    applyPanelGeometry(s.panel);
    DirPicIn = s.dirPicIn;
    DirImg = s.dirImg;
    DirPanelIn = s.dirPanelIn;
    PanelURL = s.panelUrl;
    AnimeURL = s.animeUrl;
    applyColourLevels(s.red, s.green, s.blue);
}

void TForm1::applyWindowPlacement(const app::WindowPlacement& placement) {
    if (placement.positionSaved) {
        move(placeOnScreen(QPoint(placement.left, placement.top)));
    } else {
        move(placement.left, placement.top);
        fitOnScreen(*this);
    }
    setWindowTitle(placement.caption);
    if (placement.maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TForm1::applyPanelGeometry(const app::PanelGeometry& panel) {
    PanelFile = panel.panelFile;
    InfoRect = panel.infoRect;
    ViewRect = panel.viewRect;
    PanelWidth = panel.panelWidth;
    PanelHeight = panel.panelHeight;
    PixelWidth = panel.pixelWidth;
    PixelHeight = panel.pixelHeight;
    PixelSpace = panel.pixelSpace;
}

void TForm1::applyColourLevels(const app::ColourLevels& red, const app::ColourLevels& green,
                               const app::ColourLevels& blue) {
    RedLevelCount = red.count;
    RedLevels = red.levels;
    GreenLevelCount = green.count;
    GreenLevels = green.levels;
    BlueLevelCount = blue.count;
    BlueLevels = blue.levels;
}

app::PanelDescription TForm1::panelDescription() const {
    app::PanelDescription d;
    d.panel = {PanelFile,   InfoRect,   ViewRect,    PanelWidth,
               PanelHeight, PixelWidth, PixelHeight, PixelSpace};
    d.red = {RedLevelCount, RedLevels};
    d.green = {GreenLevelCount, GreenLevels};
    d.blue = {BlueLevelCount, BlueLevels};
    return d;
}

void TForm1::writeSettingsFile() {
    app::Settings s;
    s.window.top = y();
    s.window.left = x();
    s.window.caption = windowTitle();
    s.window.maximised = isMaximized();
    s.dirPicIn = DirPicIn;
    s.dirImg = DirImg;
    s.dirPanelIn = DirPanelIn;
    const app::PanelDescription panel = panelDescription();
    s.panel = panel.panel;
    s.red = panel.red;
    s.green = panel.green;
    s.blue = panel.blue;
    // Re-read the file so that keys written by hand (the web addresses) stay as they are; that
    // is the file beside the program until one is written elsewhere.
    platform::Profile profile(app::settingsFiles(basePath_).read);
    app::writeSettings(profile, s);
    profile.saveAs(settingsFile_);
}
