#include "tools/CfilePanelFiles.h"

#include <QFileInfo>

#include "files/Cfilectl.h"
#include "imaging/LeadModel.h"
#include "tools/ToolStatus.h"

namespace tools {

int CfilePanelFiles::read(const QString& fileName, std::vector<PanelFrame>* frames) {
    CustumFileControl control;
    if (control.SetFileName(fileName) == CustumFileControl::kOther) {
        return kCannotOpen;
    }
    if (!QFileInfo(fileName).isFile()) {
        return kMissingFile;
    }
    frames->clear();
    const int status = control.ReadFrames(
        true,
        [frames](const CustumFileControl::FrameHeader& header, const imaging::Picture* levels) {
            frames->push_back({*levels, header.code});
            return kToolOk;
        });
    // An animation announcing no frames loads as nothing in the window too.
    return status == kToolOk && frames->empty() ? kMissingFile : status;
}

int CfilePanelFiles::write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
                           int code) {
    CustumFileControl control;
    const int kind = control.SetFileName(fileName);
    if (kind == CustumFileControl::kOther) {
        return kCannotOpen;
    }
    if (pictures.empty()) {
        return kBadDepth;
    }
    const imaging::Picture& first = pictures.front();
    control.BackColorCode = code;
    const int count = kind == CustumFileControl::kAnimation ? static_cast<int>(pictures.size()) : 1;
    return control.SaveFrames(count, first.width(), first.height(), first.bits(),
                              [&pictures](int i) { return &pictures[i]; });
}

}  // namespace tools
