#pragma once

#include <map>

#include "tools/PanelFiles.h"
#include "tools/ToolStatus.h"

// Panel files kept in memory by name, for testing the commands apart from the file format.
// A name never written reads as missing; writeStatus makes every write fail with it.
class MemoryPanelFiles : public tools::PanelFiles {
  public:
    int read(const QString& fileName, std::vector<tools::PanelFrame>* frames) override {
        const auto it = stored.find(fileName);
        if (it == stored.end()) {
            return tools::kMissingFile;
        }
        *frames = it->second;
        return tools::kToolOk;
    }
    int write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
              int code) override {
        if (writeStatus != tools::kToolOk) {
            return writeStatus;
        }
        std::vector<tools::PanelFrame> frames;
        for (const imaging::Picture& p : pictures) {
            frames.push_back({p, code});
        }
        stored[fileName] = frames;
        return tools::kToolOk;
    }

    std::map<QString, std::vector<tools::PanelFrame>> stored;
    int writeStatus = tools::kToolOk;
};
