#include "tools/CfilePanelFiles.h"

#include <QFileInfo>

#include "files/Cfilectl.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

using Header = CustumFileControl::FrameHeader;

// Reads every frame of `fileName` through the library; an animation announcing no frames is
// reported as nothing to read, as the window finds nothing in it either.
int readThrough(const QString& fileName, bool decode,
                const CustumFileControl::FrameVisitor& visit) {
    CustumFileControl control;
    if (control.SetFileName(fileName) == CustumFileControl::kOther) {
        return kCannotOpen;
    }
    if (!QFileInfo(fileName).isFile()) {
        return kMissingFile;
    }
    int frames = 0;
    const int status =
        control.ReadFrames(decode, [&](const Header& header, const imaging::Picture* levels) {
            ++frames;
            return visit(header, levels);
        });
    return status == kToolOk && frames == 0 ? kMissingFile : status;
}

}  // namespace

int CfilePanelFiles::readHeaders(const QString& fileName, std::vector<FrameInfo>* headers) {
    headers->clear();
    return readThrough(fileName, false, [headers](const Header& h, const imaging::Picture*) {
        headers->push_back({h.width, h.height, h.bits, h.code});
        return kToolOk;
    });
}

int CfilePanelFiles::readFrames(const QString& fileName, const FrameVisitor& visit) {
    return readThrough(fileName, true, [&visit](const Header& h, const imaging::Picture* levels) {
        return visit(PanelFrame{*levels, h.code});
    });
}

int CfilePanelFiles::write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
                           int code, QString* written) {
    CustumFileControl control;
    const int kind = control.SetFileName(fileName);
    if (kind == CustumFileControl::kOther) {
        return kCannotOpen;
    }
    *written = control.FileName;
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
