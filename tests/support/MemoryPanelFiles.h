#pragma once

#include <map>

#include "tools/PanelFiles.h"
#include "tools/ToolStatus.h"

// Panel files kept in memory by name, for testing the commands apart from the file format.
// A name never written reads as missing; writeStatus makes every write fail with it.
class MemoryPanelFiles : public tools::PanelFiles {
  public:
    int readHeaders(const QString& fileName, std::vector<tools::FrameInfo>* headers) override {
        headers->clear();
        return readFrames(fileName, [headers](const tools::PanelFrame& f) {
            headers->push_back({f.picture.width(), f.picture.height(), f.picture.bits(), f.code});
            return 0;
        });
    }
    int readFrames(const QString& fileName, const FrameVisitor& visit) override {
        const auto it = stored.find(fileName);
        if (it == stored.end()) {
            return tools::kMissingFile;
        }
        for (const tools::PanelFrame& frame : it->second) {
            if (const int status = visit(frame)) {
                return status;
            }
        }
        return tools::kToolOk;
    }
    int write(const QString& fileName, const std::vector<imaging::Picture>& pictures, int code,
              QString* written) override {
        *written = fileName;
        if (writeStatus == tools::kToolOk) {
            std::vector<tools::PanelFrame>& frames = stored[fileName] = {};
            for (const imaging::Picture& p : pictures) {
                frames.push_back({p, code});
            }
        }
        return writeStatus;
    }

    std::map<QString, std::vector<tools::PanelFrame>> stored;
    int writeStatus = tools::kToolOk;
};
