#include "platform/Icons.h"

#include <QApplication>
#include <array>
#include <utility>

namespace platform {

namespace {

using Fallback = std::pair<std::string_view, QStyle::StandardPixmap>;

// Standard pixmaps chosen to look like the theme icon they replace.
constexpr std::array kFallbacks{
    Fallback{"media-playback-start", QStyle::SP_MediaPlay},
    Fallback{"media-playback-stop", QStyle::SP_MediaStop},
    Fallback{"media-playback-pause", QStyle::SP_MediaPause},
    Fallback{"media-skip-backward", QStyle::SP_MediaSkipBackward},
    Fallback{"media-skip-forward", QStyle::SP_MediaSkipForward},
    Fallback{"media-seek-backward", QStyle::SP_MediaSeekBackward},
    Fallback{"media-seek-forward", QStyle::SP_MediaSeekForward},
    Fallback{"media-playlist-repeat", QStyle::SP_BrowserReload},
    Fallback{"document-open", QStyle::SP_DialogOpenButton},
    Fallback{"document-save", QStyle::SP_DialogSaveButton},
    Fallback{"edit-delete", QStyle::SP_TrashIcon},
    Fallback{"edit-clear", QStyle::SP_DialogResetButton},
    Fallback{"edit-undo", QStyle::SP_ArrowBack},
    Fallback{"help-contents", QStyle::SP_DialogHelpButton},
    Fallback{"application-exit", QStyle::SP_DialogCloseButton},
    Fallback{"insert-image", QStyle::SP_FileIcon},
    Fallback{"insert-text", QStyle::SP_FileDialogDetailedView},
    Fallback{"view-refresh", QStyle::SP_BrowserReload},
    Fallback{"zoom-fit-best", QStyle::SP_TitleBarMaxButton},
    Fallback{"go-first", QStyle::SP_MediaSkipBackward},
    Fallback{"go-last", QStyle::SP_MediaSkipForward},
    Fallback{"go-previous", QStyle::SP_ArrowLeft},
    Fallback{"go-next", QStyle::SP_ArrowRight},
};

}  // namespace

QIcon themedIcon(const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QApplication::style()->standardIcon(fallback));
}

std::optional<QStyle::StandardPixmap> standardFallback(std::string_view themeName) {
    for (const auto& [name, pixmap] : kFallbacks) {
        if (name == themeName) {
            return pixmap;
        }
    }
    return std::nullopt;
}

QIcon themedIcon(const char* themeName) {
    const auto fallback = standardFallback(themeName);
    if (fallback) {
        return themedIcon(themeName, *fallback);
    }
    return QIcon::fromTheme(QString::fromLatin1(themeName));
}

}  // namespace platform
