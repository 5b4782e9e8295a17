#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "imaging/Picture.h"

namespace tools {

enum GifStatus : int {
    kGifOk = 0,
    kGifNoFrames = 1,      // nothing to write
    kGifBadFrame = 2,      // not indexed, empty, a side over 65535, or an index past the palette
    kGifCannotCreate = 3,  // the file could not be created
    kGifWriteFailed = 4,   // encoding or writing failed; the previous file is kept
};

// Encodes an endlessly looping GIF89a animation: each frame at the top left corner with its
// own colour table (its palette) and indices, shown for `delayHundredths` hundredths of a
// second. The logical screen is as large as the largest frame. *bytes is set only on success.
int encodeGif(const std::vector<imaging::Picture>& frames, int delayHundredths, QByteArray* bytes);

// The same into a file, replaced only when every byte reached the disk.
int saveGif(const QString& fileName, const std::vector<imaging::Picture>& frames,
            int delayHundredths);

}  // namespace tools
