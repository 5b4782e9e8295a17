#pragma once

#include <QIODevice>
#include <QString>
#include <vector>

#include "imaging/Picture.h"

namespace tools {

enum GifStatus : int {
    kGifOk = 0,
    kGifNoFrames = 1,        // nothing to write
    kGifBadFrame = 2,        // an empty frame, a side over 65535, or an index past the palette
    kGifTooManyColours = 3,  // a 24-bit frame with more than 256 distinct colours
    kGifWriteFailed = 4,     // the device or file refused the bytes
};

// Writes an endlessly looping GIF89a animation: each frame at the top left corner with its own
// colour table, shown for `delayHundredths` hundredths of a second. Indexed frames keep their
// indices and palette; 24-bit frames are mapped onto their distinct colours (at most 256).
// The logical screen is as large as the largest frame.
int writeGif(QIODevice& device, const std::vector<imaging::Picture>& frames, int delayHundredths);

// The same into a file, replaced only when everything was written.
int saveGif(const QString& fileName, const std::vector<imaging::Picture>& frames,
            int delayHundredths);

}  // namespace tools
