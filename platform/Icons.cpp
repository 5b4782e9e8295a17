#include "platform/Icons.h"

#include <QApplication>

namespace platform {

QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QApplication::style()->standardIcon(fallback));
}

}  // namespace platform
