#include "imaging/StillDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include "imaging/DecoderLimit.h"
#include "imaging/QtImage.h"
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


int decodeData(const QByteArray& data, StillFormat format, Picture* out) {
    const ClaimedSize claimed = claimedSizeOf(format, data);
    if (exceedsDecoderLimit(claimed.width, claimed.height)) {
        return kTooLarge;
    }
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, qtFormatName(format));
    reader.setAutoDetectImageFormat(false);
    reader.setAllocationLimit(kAllocationLimitMb);
    const QSize size = reader.size();
    if (exceedsDecoderLimit(size.width(), size.height())) {
        return kTooLarge;
    }
    if (!isWithinDecoderLimit(size.width(), size.height()) || !isStillComplete(format, data)) {
        return kCorruptData;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull() || image.size() != size) {
        return kCorruptData;
    }
    *out = fromQImage(image);
    return out->isEmpty() ? kCorruptData : kOk;
}

}  // namespace

int decodeStill(const QString& file, Picture* out) {
    if (out == nullptr) {
        return kInvalidArgument;
    }
    QByteArray data;
    const int status = readWholeFile(file, &data);
    if (status != kOk) {
        return status;
    }
    const StillFormat format = stillFormatOf(data.left(kStillSignatureBytes));
    return format == StillFormat::kNone ? kUnknownFormat : decodeData(data, format, out);
}

}  // namespace imaging
