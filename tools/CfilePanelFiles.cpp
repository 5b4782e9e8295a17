#include "tools/CfilePanelFiles.h"

#include "files/Cfilectl.h"
#include "imaging/TLEAD.h"
#include "tools/PanelHeaders.h"
#include "tools/ToolStatus.h"

namespace tools {

namespace {

int pictureCount(const TLEAD& list) {
    if (list.hasBitmapList()) {
        return list.BitmapListCount();
    }
    return list.hasBitmap() ? 1 : 0;
}

const imaging::Picture& pictureAt(const TLEAD& list, int index) {
    return list.hasBitmapList() ? list.bitmapListItem(index) : *list.picture();
}

}  // namespace

int CfilePanelFiles::read(const QString& fileName, std::vector<PanelFrame>* frames) {
    std::vector<FrameHeader> headers;
    int status = readFrameHeaders(fileName, &headers);
    if (status != kToolOk) {
        return status;
    }
    CustumFileControl control;
    if (control.SetFileName(fileName) == CustumFileControl::kOther) {
        return kCannotOpen;
    }
    TLEAD list;
    TLEAD work;
    list.setAutoRepaint(false);
    work.setAutoRepaint(false);
    status = control.Load(list, work);
    if (status != CustumFileControl::kOk) {
        return status;
    }
    if (pictureCount(list) != static_cast<int>(headers.size())) {
        return kTruncated;
    }
    frames->clear();
    for (std::size_t i = 0; i < headers.size(); ++i) {
        frames->push_back({pictureAt(list, static_cast<int>(i)), headers[i].code});
    }
    return kToolOk;
}

int CfilePanelFiles::write(const QString& fileName, const std::vector<imaging::Picture>& pictures,
                           int code) {
    CustumFileControl control;
    if (control.SetFileName(fileName) == CustumFileControl::kOther) {
        return kCannotOpen;
    }
    TLEAD list;
    list.setAutoRepaint(false);
    for (const imaging::Picture& picture : pictures) {
        list.InsertBitmapListItem(-1, picture);
    }
    list.setBitmapListIndex(0);
    control.BackColorCode = code;
    return control.Save(list);
}

}  // namespace tools
