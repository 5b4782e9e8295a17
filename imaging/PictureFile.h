#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

#include "imaging/ClipDecoder.h"
#include "imaging/Picture.h"

namespace imaging {

// The one way the imaging control reads a file: a still (JPEG, PNG, BMP) or a clip, each
// recognised by its content whatever the file is named. Pages are numbered from 1.
// Opening a still checks its header and structure only; its pixels are decoded by readPages,
// straight into the page it gives, so loading a still decodes it once.
class PictureFileReader {
  public:
    // Opens the file, closing what was open. kOk, or kFileNotFound (missing, not a file),
    // kUnknownFormat, kUnsupportedCodec, kCorruptData (empty, truncated, damaged) or kTooLarge;
    // on failure the reader is closed.
    int open(const QString& file);
    void close();
    bool isOpen() const { return isStill_ || clip_.isOpen(); }

    // 1 for a still; 0 when closed.
    int pageCount() const;
    // Milliseconds a page is shown: 0 for a still, always positive for a clip.
    int delayMs() const;
    // Replaces *out with pages firstPage .. firstPage + count - 1 (fewer at the end).
    // kPageOutOfRange for a page the file does not have, kInvalidArgument for a first page or
    // a count below 1 or a null out, kNoBitmap when closed, or a decoding failure (also of a still
    // whose file was damaged since it was opened); *out is empty on failure.
    int readPages(int firstPage, int count, std::vector<Picture>* out);

    // The file as given to open(); empty when closed.
    QString fileName() const { return fileName_; }
    // Whether the file on disk still has the size and modification time it had when opened,
    // so that an open reader may be reused instead of opening the file again.
    bool isUnchangedOnDisk() const;

  private:
    int openStill(const QString& file);
    int readStillPage(int firstPage, std::vector<Picture>* out) const;

    QString fileName_;
    qint64 fileSize_ = -1;
    QDateTime modified_;
    bool isStill_ = false;
    ClipDecoder clip_;
};

}  // namespace imaging
