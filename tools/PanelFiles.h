#pragma once

#include <QString>
#include <vector>

#include "imaging/Picture.h"

namespace tools {

// One stored frame: an indexed picture whose pixels are grey levels (palette = their greys)
// and the background colour code the frame was saved with.
struct PanelFrame {
    imaging::Picture picture;
    int code = 0;
};

// Reading and writing panel files, as the commands need it. Both return a ToolStatus.
class PanelFiles {
  public:
    virtual ~PanelFiles() = default;
    // Every frame of a .zml or .zma with its own background code.
    virtual int read(const QString& fileName, std::vector<PanelFrame>* frames) = 0;
    // Writes all `pictures` (a .zml takes the first) with background code `code`.
    virtual int write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
                      int code) = 0;
};

}  // namespace tools
