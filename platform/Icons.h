#pragma once

#include <QIcon>
#include <QStyle>

namespace platform {

// The desktop icon theme's icon for a freedesktop icon name, or the application style's
// standard pixmap when the theme lacks that name (a bare machine often has no theme at all).
QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback);

}  // namespace platform
