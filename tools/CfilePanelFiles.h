#pragma once

#include "tools/PanelFiles.h"

namespace tools {

// Panel files through the panel file library, each frame with its own background code.
class CfilePanelFiles : public PanelFiles {
  public:
    int read(const QString& fileName, std::vector<PanelFrame>* frames) override;
    int write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
              int code) override;
};

}  // namespace tools
