#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Result of writeFileSafely: 0 is success.
enum SaveStatus : int {
    kSaveOk = 0,
    kSaveOpenFailed = 1,   // neither a temporary sibling nor the file itself could be opened
    kSaveWriteFailed = 2,  // a write, the final flush or the replacement failed
};

// Writes `bytes` as the whole content of `fileName`. Where the folder allows new files, a
// temporary sibling is written and renamed over the file only when every byte reached the disk,
// so a failure leaves the previous file as it was. Where the folder does not, an existing
// writable file is written in place.
int writeFileSafely(const QString& fileName, const QByteArray& bytes);

}  // namespace platform
