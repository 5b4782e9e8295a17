#include "imaging/StillDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <cstdlib>
#include <cstring>

#include "imaging/DecoderLimit.h"
#include "imaging/JpegDecoder.h"
#include "imaging/Status.h"
#include "imaging/StillFormat.h"

namespace imaging {

namespace {

// Largest file read whole: an uncompressed picture at the decoder limit, with room to spare.
constexpr qint64 kMaxStillFileBytes = kMaxPicturePixels * 4 + (64 << 20);
// Qt counts 4 bytes a pixel for its own image; this lets a picture at the decoder limit through.
constexpr int kAllocationLimitMb = static_cast<int>(kMaxPicturePixels * 4 / (1 << 20)) + 16;

int readWholeFile(const QString& file, QByteArray* data) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return kFileNotFound;
    }
    if (in.size() > kMaxStillFileBytes) {
        return kTooLarge;
    }
    *data = in.readAll();
    return data->isEmpty() ? kCorruptData : kOk;
}

// The bytes of one still file, checked before anything is decoded; a JPEG is decoded by
// libjpeg, other formats by Qt's reader over the bytes.
class StillSource {
  public:
    StillSource() : buffer_(&data_) {}

    int open(const QString& file) {
        const int status = readWholeFile(file, &data_);
        if (status != kOk) {
            return status;
        }
        format_ = stillFormatOf(data_.left(kStillSignatureBytes));
        return format_ == StillFormat::kNone ? kUnknownFormat : checkStructure();
    }

    // A JPEG decodes straight into *picture; any other format into *image.
    int decode(Picture* picture, QImage* image) {
        if (format_ == StillFormat::kJpeg) {
            return decodeJpeg(data_, picture);
        }
        if (!reader_.read(image) || image->isNull() || image->size() != size_) {
            return kCorruptData;
        }
        return kOk;
    }

  private:
    // Qt reports no size for a header whose pixels are missing, so the header's own claim is
    // checked first; the decoders also return partly decoded pictures, so the structure is
    // checked whole.
    int checkStructure() {
        const ClaimedSize claimed = claimedSizeOf(format_, data_);
        if (exceedsDecoderLimit(claimed.width, claimed.height)) {
            return kTooLarge;
        }
        size_ = format_ == StillFormat::kJpeg ? jpegSizeOf(data_) : sizeFromQtReader();
        if (exceedsDecoderLimit(size_.width(), size_.height())) {
            return kTooLarge;
        }
        if (!isWithinDecoderLimit(size_.width(), size_.height()) ||
            !isStillComplete(format_, data_)) {
            return kCorruptData;
        }
        return kOk;
    }

    QSize sizeFromQtReader() {
        buffer_.open(QIODevice::ReadOnly);
        reader_.setDevice(&buffer_);
        reader_.setFormat(qtFormatName(format_));
        reader_.setAutoDetectImageFormat(false);
        reader_.setAllocationLimit(kAllocationLimitMb);
        const QSize size = reader_.size();
        // Qt gives a top-down BMP's height negative, as its header stores it.
        return {size.width(), std::abs(size.height())};
    }

    QByteArray data_;
    QBuffer buffer_;
    QImageReader reader_;
    StillFormat format_ = StillFormat::kNone;
    QSize size_;
};

// Qt's image read into a 24-bit picture one row at a time, so that no second full-size
// image is made on the way (any format Qt gives converts the same way, row by row).
Picture trueColourPictureOf(const QImage& image) {
    Picture picture(image.width(), image.height(), 24);
    const QList<QRgb> colourTable = image.colorTable();
    for (int y = 0; y < image.height(); ++y) {
        QImage row(image.constScanLine(y), image.width(), 1, image.bytesPerLine(), image.format());
        if (!colourTable.isEmpty()) {
            row.setColorTable(colourTable);
        }
        const QImage rgb = row.convertToFormat(QImage::Format_RGB888);
        std::memcpy(picture.row(y), rgb.constScanLine(0), picture.stride());
    }
    return picture;
}

// A JPEG into *picture, another format into *image; the file's bytes are released on return,
// before Qt's image becomes a picture.
int decodeFile(const QString& file, Picture* picture, QImage* image) {
    StillSource source;
    const int status = source.open(file);
    return status == kOk ? source.decode(picture, image) : status;
}

}  // namespace

int checkStill(const QString& file) {
    return StillSource().open(file);
}

int decodeStill(const QString& file, Picture* out) {
    if (out == nullptr) {
        return kInvalidArgument;
    }
    QImage image;
    const int status = decodeFile(file, out, &image);
    if (status == kOk && !image.isNull()) {
        *out = trueColourPictureOf(image);
    }
    return status;
}

}  // namespace imaging
