#include "platform/SaveFile.h"

namespace platform {

SafeFileWriter::SafeFileWriter(const QString& fileName) : atomic_(fileName), inPlace_(fileName) {}

int SafeFileWriter::open() {
    if (atomic_.open(QIODevice::WriteOnly)) {
        device_ = &atomic_;
        return kSaveOk;
    }
    if (inPlace_.exists() && inPlace_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        device_ = &inPlace_;
        return kSaveOk;
    }
    return kSaveOpenFailed;
}

bool SafeFileWriter::write(const char* data, qint64 size) {
    if (device_ == nullptr || failed_) {
        return false;
    }
    failed_ = device_->write(data, size) != size;
    return !failed_;
}

int SafeFileWriter::commit() {
    if (device_ == nullptr) {
        return kSaveOpenFailed;
    }
    // Qt's buffered write reports a failure of its last part only on the flush, which
    // QSaveFile::commit() and QFile::close() do not report, so the flush is checked here.
    failed_ = failed_ || !device_->flush() || device_->error() != QFileDevice::NoError;
    if (device_ == &inPlace_) {
        inPlace_.close();
        return failed_ ? kSaveWriteFailed : kSaveOk;
    }
    if (failed_) {
        atomic_.cancelWriting();
        return kSaveWriteFailed;
    }
    return atomic_.commit() ? kSaveOk : kSaveWriteFailed;
}

int writeFileSafely(const QString& fileName, const QByteArray& bytes) {
    SafeFileWriter writer(fileName);
    const int status = writer.open();
    if (status != kSaveOk) {
        return status;
    }
    writer.write(bytes);
    return writer.commit();
}

}  // namespace platform
