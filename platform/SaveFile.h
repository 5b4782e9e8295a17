#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

namespace platform {

// Result of a safe save: 0 is success.
enum SaveStatus : int {
    kSaveOk = 0,
    kSaveOpenFailed = 1,   // neither a temporary sibling nor the file itself could be opened
    kSaveWriteFailed = 2,  // a write, the final flush or the replacement failed
};

// Writes a file as a whole. Where the folder allows new files, a temporary sibling is written
// and renamed over the file only when every byte reached the disk, so a failure leaves the
// previous file as it was. Where the folder does not, an existing writable file is written in
// place. Nothing is replaced unless commit() is called and succeeds.
class SafeFileWriter {
  public:
    explicit SafeFileWriter(const QString& fileName);
    int open();
    // False once any write failed; later writes are ignored.
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Flushes and checks every byte, then replaces the file. kSaveOk or kSaveWriteFailed.
    int commit();

  private:
    QSaveFile atomic_;
    QFile inPlace_;
    QFileDevice* device_ = nullptr;
    bool failed_ = false;
};

// The whole content of `fileName` as `bytes`, through a SafeFileWriter.
int writeFileSafely(const QString& fileName, const QByteArray& bytes);

}  // namespace platform
