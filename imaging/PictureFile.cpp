#include "imaging/PictureFile.h"

#include <QFile>
#include <QFileInfo>

#include "imaging/Status.h"
#include "imaging/StillDecoder.h"
#include "imaging/StillFormat.h"

namespace imaging {

namespace {

// kOk with the first bytes of a readable regular file, else why it cannot be read.
int readSignature(const QString& file, QByteArray* head) {
    if (!QFileInfo(file).isFile()) {
        return kFileNotFound;
    }
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return kFileNotFound;
    }
    *head = in.read(kStillSignatureBytes);
    return head->isEmpty() ? kCorruptData : kOk;
}

}  // namespace

int PictureFileReader::open(const QString& file) {
    close();
    QByteArray head;
    int status = readSignature(file, &head);
    if (status == kOk) {
        // A still's signature decides for good: a damaged still is not retried as a clip.
        status = stillFormatOf(head) != StillFormat::kNone ? openStill(file) : clip_.open(file);
    }
    if (status != kOk) {
        close();
        return status;
    }
    const QFileInfo info(file);
    fileName_ = file;
    fileSize_ = info.size();
    modified_ = info.lastModified();
    return kOk;
}

int PictureFileReader::openStill(const QString& file) {
    const int status = checkStill(file);
    isStill_ = status == kOk;
    return status;
}

void PictureFileReader::close() {
    clip_.close();
    isStill_ = false;
    fileName_.clear();
    fileSize_ = -1;
    modified_ = QDateTime();
}

int PictureFileReader::pageCount() const {
    return isStill_ ? 1 : clip_.pageCount();
}

int PictureFileReader::delayMs() const {
    return isStill_ ? 0 : clip_.delayMs();
}

int PictureFileReader::readPages(int firstPage, int count, std::vector<Picture>* out) {
    if (out == nullptr) {
        return kInvalidArgument;
    }
    out->clear();
    if (!isOpen()) {
        return kNoBitmap;
    }
    if (firstPage < 1 || count < 1) {
        return kInvalidArgument;
    }
    return isStill_ ? readStillPage(firstPage, out) : clip_.readPages(firstPage, count, out);
}

int PictureFileReader::readStillPage(int firstPage, std::vector<Picture>* out) const {
    if (firstPage != 1) {
        return kPageOutOfRange;
    }
    Picture page;
    const int status = decodeStill(fileName_, &page);
    if (status == kOk) {
        out->push_back(std::move(page));
    }
    return status;
}

bool PictureFileReader::isUnchangedOnDisk() const {
    if (!isOpen()) {
        return false;
    }
    const QFileInfo info(fileName_);
    return info.isFile() && info.size() == fileSize_ && info.lastModified() == modified_;
}

}  // namespace imaging
