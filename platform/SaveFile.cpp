#include "platform/SaveFile.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

namespace {

// Writes and flushes every byte; Qt's buffered write reports a failure of its last part only on
// the flush, which QSaveFile::commit() and QFile::close() do not report.
bool writeAndFlush(QFileDevice& file, const QByteArray& bytes) {
    return file.write(bytes) == bytes.size() && file.flush() &&
           file.error() == QFileDevice::NoError;
}

int writeInPlace(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    if (!file.exists() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return kSaveOpenFailed;
    }
    return writeAndFlush(file, bytes) ? kSaveOk : kSaveWriteFailed;
}

}  // namespace

int writeFileSafely(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return writeInPlace(fileName, bytes);
    }
    if (!writeAndFlush(file, bytes)) {
        file.cancelWriting();
        return kSaveWriteFailed;
    }
    return file.commit() ? kSaveOk : kSaveWriteFailed;
}

}  // namespace platform
