#include "app/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>

#include "files/PanelRecord.h"
#include "platform/Profile.h"

namespace app {

namespace {

using platform::Profile;

const QString kMainForm = QStringLiteral("MainForm");
const QString kPanel = QStringLiteral("Panel");
const QString kDirectory = QStringLiteral("Directory");
const QString kUrl = QStringLiteral("URL");
const QString kRed = QStringLiteral("Red");
const QString kGreen = QStringLiteral("Green");
const QString kBlue = QStringLiteral("Blue");
const QString kColors = QStringLiteral("Colors");

struct EdgeKeys {
    QString left;
    QString top;
    QString right;
    QString bottom;
};

// "InfoBottm" is the name existing files use.
const EdgeKeys kInfoKeys{"InfoLeft", "InfoTop", "InfoRight", "InfoBottm"};
const EdgeKeys kViewKeys{"ViewLeft", "ViewTop", "ViewRight", "ViewBottom"};

// Window coordinates are brought into the range the window can compute with before any use.
int readCoordinate(const Profile& profile, const QString& section, const QString& key,
                   int fallback) {
    return std::clamp(profile.ReadInteger(section, key, fallback), -kMaxWindowCoordinate,
                      kMaxWindowCoordinate);
}

EdgeRect readEdgeKeys(const Profile& profile, const EdgeKeys& keys, const EdgeRect& fallback) {
    return {profile.ReadInteger(kPanel, keys.left, fallback.left),
            profile.ReadInteger(kPanel, keys.top, fallback.top),
            profile.ReadInteger(kPanel, keys.right, fallback.right),
            profile.ReadInteger(kPanel, keys.bottom, fallback.bottom)};
}

bool hasRoom(const EdgeRect& rect) {
    return rect.right > rect.left && rect.bottom > rect.top;
}

WindowPlacement readWindow(const Profile& profile) {
    WindowPlacement window;
    window.top = readCoordinate(profile, kMainForm, "Top", window.top);
    window.left = readCoordinate(profile, kMainForm, "Left", window.left);
    window.caption = profile.ReadString(kMainForm, "Caption", window.caption);
    window.maximised = profile.ReadBool(kMainForm, "InitMax", window.maximised);
    window.positionSaved = profile.hasKey(kMainForm, "Top") && profile.hasKey(kMainForm, "Left");
    return window;
}

// A rectangle on the device picture must have room inside it; anything else falls back to the
// default.
EdgeRect usableRect(const EdgeRect& read, const EdgeRect& fallback) {
    auto coordinate = [](int value) { return std::clamp(value, 0, kMaxPictureSide - 1); };
    const EdgeRect rect{coordinate(read.left), coordinate(read.top), coordinate(read.right),
                        coordinate(read.bottom)};
    return hasRoom(rect) ? rect : fallback;
}

int usablePanelSide(int side, int fallback) {
    return side >= 1 && side <= files::kMaxPanelSide ? side : fallback;
}

int usablePixelSize(int size) {
    return std::clamp(size, 0, kMaxPixelSize);
}

void writeWindow(Profile& profile, const WindowPlacement& window) {
    profile.WriteInteger(kMainForm, "Top", window.top);
    profile.WriteInteger(kMainForm, "Left", window.left);
    profile.WriteString(kMainForm, "Caption", window.caption);
    profile.WriteBool(kMainForm, "InitMax", window.maximised);
}

void writeEdgeRect(Profile& profile, const EdgeKeys& keys, const EdgeRect& rect) {
    profile.WriteInteger(kPanel, keys.left, rect.left);
    profile.WriteInteger(kPanel, keys.top, rect.top);
    profile.WriteInteger(kPanel, keys.right, rect.right);
    profile.WriteInteger(kPanel, keys.bottom, rect.bottom);
}

void writePanel(Profile& profile, const PanelGeometry& panel) {
    profile.WriteString(kPanel, "PanelFile", panel.panelFile);
    writeEdgeRect(profile, kInfoKeys, panel.infoRect);
    writeEdgeRect(profile, kViewKeys, panel.viewRect);
    profile.WriteInteger(kPanel, "Width", panel.panelWidth);
    profile.WriteInteger(kPanel, "Height", panel.panelHeight);
    profile.WriteInteger(kPanel, "PixelWidth", panel.pixelWidth);
    profile.WriteInteger(kPanel, "PixelHeight", panel.pixelHeight);
    profile.WriteInteger(kPanel, "PixelSpace", panel.pixelSpace);
}

// Mirrors readLevels, so a count above the maximum is stored as the maximum.
void writeLevels(Profile& profile, const QString& section, const ColourLevels& colour) {
    const int count = std::min(colour.count, kMaxColourLevels);
    profile.WriteInteger(section, kColors, count);
    for (int i = 0; i < count; ++i) {
        profile.WriteInteger(section, QString::number(i), colour.levels[i]);
    }
}

// Tries to create a file there, which is what saving needs, whatever would prevent it.
bool canCreateFilesIn(const QString& folder) {
    if (!QFileInfo(folder).isDir()) {
        return false;
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("settings-probe-XXXXXX")));
    return probe.open();
}

}  // namespace

PanelGeometry readPanelKeys(const Profile& profile) {
    PanelGeometry panel;
    panel.panelFile = profile.ReadString(kPanel, "PanelFile", panel.panelFile);
    panel.infoRect = readEdgeKeys(profile, kInfoKeys, kDefaultInfoRect);
    panel.viewRect = readEdgeKeys(profile, kViewKeys, kDefaultViewRect);
    panel.panelWidth = profile.ReadInteger(kPanel, "Width", kDefaultPanelWidth);
    panel.panelHeight = profile.ReadInteger(kPanel, "Height", kDefaultPanelHeight);
    panel.pixelWidth = profile.ReadInteger(kPanel, "PixelWidth", panel.pixelWidth);
    panel.pixelHeight = profile.ReadInteger(kPanel, "PixelHeight", panel.pixelHeight);
    panel.pixelSpace = profile.ReadInteger(kPanel, "PixelSpace", panel.pixelSpace);
    return panel;
}

ColourLevels readLevelKeys(const Profile& profile, const QString& section,
                           const ColourLevels& kept) {
    ColourLevels colour = kept;
    colour.count =
        std::min(profile.ReadInteger(section, kColors, kMaxColourLevels), kMaxColourLevels);
    for (int i = 0; i < colour.count; ++i) {
        colour.levels[i] =
            profile.ReadInteger(section, QString::number(i), produce::kDefaultLevels[i]);
    }
    return colour;
}

PanelGeometry usablePanel(const PanelGeometry& read) {
    PanelGeometry panel = read;
    panel.infoRect = usableRect(read.infoRect, kDefaultInfoRect);
    panel.viewRect = usableRect(read.viewRect, kDefaultViewRect);
    panel.panelWidth = usablePanelSide(read.panelWidth, kDefaultPanelWidth);
    panel.panelHeight = usablePanelSide(read.panelHeight, kDefaultPanelHeight);
    panel.pixelWidth = usablePixelSize(read.pixelWidth);
    panel.pixelHeight = usablePixelSize(read.pixelHeight);
    panel.pixelSpace = usablePixelSize(read.pixelSpace);
    return panel;
}

ColourLevels usableLevels(const ColourLevels& read) {
    ColourLevels colour = read;
    for (int i = 0; i < colour.count; ++i) {
        colour.levels[i] = std::clamp(colour.levels[i], 0, kMaxLevel);
    }
    return colour;
}

Settings readSettings(const Profile& profile, const Defaults& defaults) {
    Settings settings;
    settings.window = readWindow(profile);
    settings.panel = usablePanel(readPanelKeys(profile));
    settings.dirPicIn = profile.ReadString(kDirectory, "DirPicIn", defaults.folder);
    settings.dirImg = profile.ReadString(kDirectory, "DirImg", defaults.folder);
    settings.dirPanelIn = profile.ReadString(kDirectory, "DirPanelIn", defaults.folder);
    settings.panelUrl = profile.ReadString(kUrl, "PanelURL", defaults.panelUrl);
    settings.animeUrl = profile.ReadString(kUrl, "AnimeURL", defaults.animeUrl);
    // Levels beyond the count are not read and stay zero.
    ColourLevels none;
    none.levels = {};
    settings.red = usableLevels(readLevelKeys(profile, kRed, none));
    settings.green = usableLevels(readLevelKeys(profile, kGreen, none));
    settings.blue = usableLevels(readLevelKeys(profile, kBlue, none));
    return settings;
}

void writeSettings(Profile& profile, const Settings& settings) {
    writeWindow(profile, settings.window);
    writePanel(profile, settings.panel);
    profile.WriteString(kDirectory, "DirPicIn", settings.dirPicIn);
    profile.WriteString(kDirectory, "DirImg", settings.dirImg);
    profile.WriteString(kDirectory, "DirPanelIn", settings.dirPanelIn);
    writeLevels(profile, kRed, settings.red);
    writeLevels(profile, kGreen, settings.green);
    writeLevels(profile, kBlue, settings.blue);
}

QString basePathOf(const QString& executablePath) {
    const QFileInfo executable(executablePath);
    return QDir(executable.absolutePath()).filePath(executable.completeBaseName());
}

SettingsFiles settingsFiles(const QString& basePath) {
    const QFileInfo base(basePath);
    const QString name = base.fileName() + QStringLiteral(".INI");
    const QString folder = base.absolutePath();
    const QString besideProgram = QDir(folder).filePath(name);
    if (canCreateFilesIn(folder)) {
        return {besideProgram, besideProgram};
    }
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(userFolder);
    const QString userFile = QDir(userFolder).filePath(name);
    return {QFileInfo::exists(userFile) ? userFile : besideProgram, userFile};
}

}  // namespace app
