#pragma once

#include <QIcon>
#include <QStyle>
#include <optional>
#include <string_view>

namespace platform {

// The desktop icon theme's icon for a freedesktop icon name, or the application style's
// standard pixmap when the theme lacks that name (a bare machine often has no theme at all).
QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback);

// The standard pixmap that stands in for one of the freedesktop names the tool's buttons use;
// nothing for other names.
std::optional<QStyle::StandardPixmap> standardFallback(std::string_view themeName);

// themedIcon with the fallback from standardFallback. For a name outside that list the theme's
// icon is the only source, so the result is null when the theme lacks it.
QIcon themedIcon(const char* themeName);

}  // namespace platform
