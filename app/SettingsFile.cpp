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

// Numbers are brought into the range the window can compute with before any use.
int readClamped(const Profile& profile, const QString& section, const QString& key, int fallback,
                int lowest, int highest) {
    return std::clamp(profile.ReadInteger(section, key, fallback), lowest, highest);
}

int readCoordinate(const Profile& profile, const QString& section, const QString& key,
                   int fallback) {
    return readClamped(profile, section, key, fallback, -kMaxWindowCoordinate,
                       kMaxWindowCoordinate);
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

int readPictureCoordinate(const Profile& profile, const QString& key, int fallback) {
    return readClamped(profile, kPanel, key, fallback, 0, kMaxPictureSide - 1);
}

// A rectangle on the device picture must have room inside it; anything else falls back to the
// default.
EdgeRect readEdgeRect(const Profile& profile, const EdgeKeys& keys, const EdgeRect& fallback) {
    const EdgeRect rect{readPictureCoordinate(profile, keys.left, fallback.left),
                        readPictureCoordinate(profile, keys.top, fallback.top),
                        readPictureCoordinate(profile, keys.right, fallback.right),
                        readPictureCoordinate(profile, keys.bottom, fallback.bottom)};
    const bool hasRoom = rect.right > rect.left && rect.bottom > rect.top;
    return hasRoom ? rect : fallback;
}

int readPixelSize(const Profile& profile, const QString& key, int fallback) {
    return readClamped(profile, kPanel, key, fallback, 0, kMaxPixelSize);
}

int readPanelSide(const Profile& profile, const QString& key, int fallback) {
    const int side = profile.ReadInteger(kPanel, key, fallback);
    return side >= 1 && side <= files::kMaxPanelSide ? side : fallback;
}

PanelGeometry readPanel(const Profile& profile) {
    PanelGeometry panel;
    panel.panelFile = profile.ReadString(kPanel, "PanelFile", panel.panelFile);
    panel.infoRect = readEdgeRect(profile, kInfoKeys, kDefaultInfoRect);
    panel.viewRect = readEdgeRect(profile, kViewKeys, kDefaultViewRect);
    panel.panelWidth = readPanelSide(profile, "Width", kDefaultPanelWidth);
    panel.panelHeight = readPanelSide(profile, "Height", kDefaultPanelHeight);
    panel.pixelWidth = readPixelSize(profile, "PixelWidth", panel.pixelWidth);
    panel.pixelHeight = readPixelSize(profile, "PixelHeight", panel.pixelHeight);
    panel.pixelSpace = readPixelSize(profile, "PixelSpace", panel.pixelSpace);
    return panel;
}

// Levels beyond the count are not read and stay zero.
ColourLevels readLevels(const Profile& profile, const QString& section) {
    ColourLevels colour;
    colour.levels = {};
    colour.count =
        std::min(profile.ReadInteger(section, kColors, kMaxColourLevels), kMaxColourLevels);
    for (int i = 0; i < colour.count; ++i) {
        colour.levels[i] = readClamped(profile, section, QString::number(i),
                                       produce::kDefaultLevels[i], 0, kMaxLevel);
    }
    return colour;
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

Settings readSettings(const Profile& profile, const Defaults& defaults) {
    Settings settings;
    settings.window = readWindow(profile);
    settings.panel = readPanel(profile);
    settings.dirPicIn = profile.ReadString(kDirectory, "DirPicIn", defaults.folder);
    settings.dirImg = profile.ReadString(kDirectory, "DirImg", defaults.folder);
    settings.dirPanelIn = profile.ReadString(kDirectory, "DirPanelIn", defaults.folder);
    settings.panelUrl = profile.ReadString(kUrl, "PanelURL", defaults.panelUrl);
    settings.animeUrl = profile.ReadString(kUrl, "AnimeURL", defaults.animeUrl);
    settings.red = readLevels(profile, kRed);
    settings.green = readLevels(profile, kGreen);
    settings.blue = readLevels(profile, kBlue);
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
