#pragma once

#include "tools/PanelFiles.h"

namespace tools {

// Panel files through the panel file library, with each frame's background code read from
// its record header (the library keeps only the last one).
class CfilePanelFiles : public PanelFiles {
  public:
    int read(const QString& fileName, std::vector<PanelFrame>* frames) override;
    int write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
              int code) override;
};

}  // namespace tools
