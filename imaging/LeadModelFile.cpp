// The picture model's file reading: pages of stills and clips into a bitmap list.
#include <algorithm>

#include "imaging/LeadModel.h"
#include "imaging/PictureFile.h"
#include "imaging/Status.h"

namespace imaging {

// Clip readers stay open between calls, so stepping through a clip ten pages at a time does
// not pay for opening it again. A still's reader is dropped: opening one only checks its
// header, and its pixels are decoded once, by the load.
int LeadModel::openReader(const QString& fileName) {
    if (reader_ && reader_->fileName() == fileName && reader_->isUnchangedOnDisk()) {
        return kOk;
    }
    reader_ = std::make_unique<PictureFileReader>();
    const int status = reader_->open(fileName);
    if (status != kOk) {
        reader_.reset();
    }
    return status;
}

void LeadModel::dropStillReader() {
    if (reader_ && reader_->delayMs() == 0) {
        reader_.reset();
    }
}

int LeadModel::GetFileInfo(const QString& fileName, int, int) {
    const int status = openReader(fileName);
    if (status != kOk) {
        return status;
    }
    infoTotalPages_ = reader_->pageCount();
    dropStillReader();
    return kOk;
}

int LeadModel::Load(const QString& fileName, int bits, int firstPage, int pageCount) {
    if (bits != 24 || firstPage < 0 || pageCount < 1) {
        return kInvalidArgument;
    }
    int status = openReader(fileName);
    if (status != kOk) {
        return status;
    }
    const int first = std::max(firstPage, 1);
    if (first > reader_->pageCount()) {
        dropStillReader();
        return kPageOutOfRange;
    }
    // The old pictures go before the new ones are decoded, so that one run at most is held.
    items_.clear();
    listMode_ = false;
    index_ = 0;
    std::vector<Picture> pages;
    status = reader_->readPages(first, pageCount, &pages);
    if (status == kOk) {
        bitmapDelay_ = reader_->delayMs();
        infoTotalPages_ = reader_->pageCount();
        items_ = std::move(pages);
        listMode_ = true;
    }
    dropStillReader();
    changed();
    return status;
}

}  // namespace imaging
