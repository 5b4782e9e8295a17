#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "imaging/Picture.h"

namespace tools {

// What a frame record's header says.
struct FrameInfo {
    int width = 0;
    int height = 0;
    int bits = 0;
    int code = 0;  // the background colour code the frame was saved with
};

// One stored frame: an indexed picture whose pixels are grey levels (palette = their greys)
// and the background colour code the frame was saved with.
struct PanelFrame {
    imaging::Picture picture;
    int code = 0;
};

// Reading and writing panel files, as the commands need it. Every call returns a ToolStatus.
class PanelFiles {
  public:
    using FrameVisitor = std::function<int(const PanelFrame&)>;

    virtual ~PanelFiles() = default;
    // The header of every frame of a .zml or .zma, with the same checks as reading the frames
    // but without decoding them.
    virtual int readHeaders(const QString& fileName, std::vector<FrameInfo>* headers) = 0;
    // Hands every frame to `visit` in order, one at a time; a non-zero result of `visit` stops
    // the reading and is returned.
    virtual int readFrames(const QString& fileName, const FrameVisitor& visit) = 0;
    // Writes all `pictures` (a .zml takes the first) with background code `code`; *written
    // receives the name written, whose base name may be shorter than asked for.
    virtual int write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
                      int code, QString* written) = 0;
};

}  // namespace tools
