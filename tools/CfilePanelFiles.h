#pragma once

#include "tools/PanelFiles.h"

namespace tools {

// Panel files through the panel file library, each frame with its own background code.
class CfilePanelFiles : public PanelFiles {
  public:
    int readHeaders(const QString& fileName, std::vector<FrameInfo>* headers) override;
    int readFrames(const QString& fileName, const FrameVisitor& visit) override;
    int write(const QString& fileName, const std::vector<imaging::Picture>& pictures, int code,
              QString* written) override;
};

}  // namespace tools
