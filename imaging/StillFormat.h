#pragma once

#include <QByteArray>

namespace imaging {

enum class StillFormat { kNone, kJpeg, kPng, kBmp };

// Bytes enough to recognise a still format from the start of a file.
inline constexpr int kStillSignatureBytes = 8;

// The still format the first bytes of a file show; a file name never decides.
StillFormat stillFormatOf(const QByteArray& head);

// Qt's name of the format's image handler.
const char* qtFormatName(StillFormat format);

// The picture size a header claims; -1 each when the header names none.
struct ClaimedSize {
    long long width = -1;
    long long height = -1;
};

// Read from the header itself: Qt reports no size for a header whose pixels are missing, and a
// claimed size beyond the decoder limit must be refused whether the pixels follow or not.
ClaimedSize claimedSizeOf(StillFormat format, const QByteArray& data);

// Whether the data holds a whole picture: Qt returns a partly decoded image for some truncated
// files, so completeness is checked on the structure of the file itself.
bool isStillComplete(StillFormat format, const QByteArray& data);

}  // namespace imaging
