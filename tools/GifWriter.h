#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "imaging/Picture.h"

namespace tools {

enum GifStatus : int {
    kGifOk = 0,
    kGifNoFrames = 1,     // nothing to write
    kGifBadFrame = 2,     // not indexed, empty, a side over 65535, or an index past the palette
    kGifWriteFailed = 4,  // giflib failed to encode
};

// Encodes an endlessly looping GIF89a animation frame by frame, so that only the encoded bytes
// and one frame are held at a time.
class GifAnimation {
  public:
    GifAnimation();
    ~GifAnimation();
    GifAnimation(const GifAnimation&) = delete;
    GifAnimation& operator=(const GifAnimation&) = delete;

    // Starts the animation on a logical screen of width x height.
    int begin(int width, int height, int delayHundredths);
    // Adds one indexed frame at the top left corner with its own colour table.
    int add(const imaging::Picture& frame);
    // Ends the animation; *bytes is set only when at least one frame was added.
    int finish(QByteArray* bytes);

  private:
    struct Encoder;
    std::unique_ptr<Encoder> encoder_;
    int delay_ = 0;
    int frames_ = 0;
};

}  // namespace tools
