#pragma once

#include <QString>
#include <array>

#include "produce/PicMCut.h"

namespace platform {
class Profile;
}

namespace app {

// Window coordinates are kept within this distance of the origin: beyond every screen, and
// within what window systems with 16-bit coordinates can take.
inline constexpr int kMaxWindowCoordinate = 32767;

struct WindowPlacement {
    int top = 100;
    int left = 100;
    QString caption = QStringLiteral("Default Caption");
    bool maximised = false;
    // True when the file gave Top and Left; without them the window finds its own place.
    bool positionSaved = false;
    bool operator==(const WindowPlacement&) const = default;
};

// A rectangle given by its edges; right and bottom are the last pixel inside it.
struct EdgeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
    bool operator==(const EdgeRect&) const = default;
};

inline constexpr EdgeRect kDefaultInfoRect{45, 60, 247, 96};
inline constexpr EdgeRect kDefaultViewRect{45, 97, 247, 151};
inline constexpr int kDefaultPanelWidth = 160;
inline constexpr int kDefaultPanelHeight = 54;
// Coordinates on the device picture are 0 up to this side less one: device pictures are far
// smaller, and the previews each hold a picture of the display area's size.
inline constexpr int kMaxPictureSide = 2048;
// The drawn size of one device pixel and the space between pixels are at most this.
inline constexpr int kMaxPixelSize = 1000;

// Where the panel picture sits in the window and how the device's pixels are drawn.
struct PanelGeometry {
    QString panelFile = QStringLiteral("Panel.bmp");
    EdgeRect infoRect = kDefaultInfoRect;
    EdgeRect viewRect = kDefaultViewRect;
    int panelWidth = kDefaultPanelWidth;
    int panelHeight = kDefaultPanelHeight;
    int pixelWidth = 46;
    int pixelHeight = 34;
    int pixelSpace = 12;
    bool operator==(const PanelGeometry&) const = default;
};

inline constexpr int kMaxColourLevels = 4;
inline constexpr int kMaxLevel = 255;

// The 8-bit intensities one colour channel steps through. A count of zero or less means no
// levels.
struct ColourLevels {
    int count = kMaxColourLevels;
    std::array<int, kMaxColourLevels> levels = produce::kDefaultLevels;
    bool operator==(const ColourLevels&) const = default;
};

struct Settings {
    WindowPlacement window;
    PanelGeometry panel;
    QString dirPicIn;
    QString dirImg;
    QString dirPanelIn;
    QString panelUrl;
    QString animeUrl;
    ColourLevels red;
    ColourLevels green;
    ColourLevels blue;
    bool operator==(const Settings&) const = default;
};

// Values that depend on where and how the program was installed.
struct Defaults {
    QString folder;  // the executable's folder, the starting point of every directory
    QString panelUrl;
    QString animeUrl;
};

// The panel keys, and the level keys of one colour section, as a settings file or a panel
// description gives them: a key that is missing or not a whole number gives its default, nothing
// else is checked. A count of 5 or more counts as 4; levels whose index is not below the count
// keep their values in `kept`.
PanelGeometry readPanelKeys(const platform::Profile& profile);
ColourLevels readLevelKeys(const platform::Profile& profile, const QString& section,
                           const ColourLevels& kept);

// The values the window can use: picture coordinates brought onto 0 .. kMaxPictureSide - 1, an
// area without room inside it and a panel side outside 1 .. 256 replaced by the default, pixel
// sizes brought onto 0 .. kMaxPixelSize, levels below the count onto 0 .. 255.
PanelGeometry usablePanel(const PanelGeometry& read);
ColourLevels usableLevels(const ColourLevels& read);

// Reads every setting, replacing what is missing, malformed or unusable by its default, and
// bringing numbers beyond what the window can use to the nearest usable value.
Settings readSettings(const platform::Profile& profile, const Defaults& defaults);

// Writes every setting except the web addresses, which are only ever edited by hand.
void writeSettings(platform::Profile& profile, const Settings& settings);

// The executable's path without its extension (if any): the settings file and the message
// catalogue are named after it.
QString basePathOf(const QString& executablePath);

// Where the settings are read from and written to.
struct SettingsFiles {
    QString read;
    QString write;
};

// Settings are written to the base path with ".INI" added; when its folder cannot take new files,
// to the same name in the per-user configuration folder (created). They are read from the file
// they are written to when it exists, else from beside the executable, so a settings file in a
// read-only program folder is still used.
SettingsFiles settingsFiles(const QString& basePath);

}  // namespace app
