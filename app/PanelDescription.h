#pragma once

#include <QString>

#include "app/SettingsFile.h"

namespace app {

// What a panel description sets: the device's geometry and the levels of its colour channels.
struct PanelDescription {
    PanelGeometry panel;
    ColourLevels red;
    ColourLevels green;
    ColourLevels blue;
    bool operator==(const PanelDescription&) const = default;
};

enum PanelDescriptionStatus : int {
    kDescriptionRead = 0,
    kDescriptionCannotOpen = 1,  // missing, a folder, or not readable
    kDescriptionNoLength = 2,    // not a regular file (a pipe or a device)
    kNotADescription = 4,        // see readPanelDescription
};

// Reads a panel description file (a profile whose first two lines may name its type) over
// `description`: every panel key takes the file's value or its default; levels whose index is
// not below their channel's count keep the values `description` has. Refused with
// kNotADescription, leaving `description` as it was: a file that is empty or blank, holds a NUL
// character or more bytes than a profile may have, starts with the type header but does not
// name this type on the next line, or gives a value the window cannot use (see usablePanel and
// usableLevels).
int readPanelDescription(const QString& fileName, PanelDescription& description);

// The device picture a description names, relative to the description's folder, or empty when
// there is no such file. Descriptions are often written where a backslash separates folders and
// names match without regard to case, so a backslash is taken as a separator and a name that
// matches an existing file or folder only without regard to case finds it.
QString devicePicturePath(const QString& folder, const QString& panelFile);

}  // namespace app
