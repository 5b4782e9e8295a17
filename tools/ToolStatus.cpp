#include "tools/ToolStatus.h"

namespace tools {

QString statusMessage(int status) {
    switch (status) {
        case kToolOk:
            return QStringLiteral("no error");
        case kCannotOpen:
            return QStringLiteral("cannot open or create the file, or it is not a .zml or .zma");
        case kNoLength:
            return QStringLiteral("the file's length is unknown");
        case kBadCheck:
            return QStringLiteral("a frame fails its check byte");
        case kTruncated:
            return QStringLiteral("the file ends early or is not a panel file");
        case kShortWrite:
            return QStringLiteral("fewer bytes were written than requested");
        case kBadDepth:
            return QStringLiteral(
                "bits per pixel not 1, 2, 4 or 8, a frame larger than 256, or frames of "
                "different sizes");
        case kMissingFile:
            return QStringLiteral("no such file, or an animation without frames");
        default:
            return QStringLiteral("unknown error %1").arg(status);
    }
}

}  // namespace tools
