#include "tools/PanelHeaders.h"

#include <QFile>
#include <QFileInfo>
#include <array>

#include "tools/ToolStatus.h"

namespace tools {

namespace {

constexpr int kRecordHeaderSize = 9;
constexpr int kAnimationHeaderSize = 4;

// Bits per pixel for a header's level count, 0 when it is not 2, 4, 16 or 256.
int bitsForLevels(int levels) {
    switch (levels) {
        case 2:
            return 1;
        case 4:
            return 2;
        case 16:
            return 4;
        case 256:
            return 8;
        default:
            return 0;
    }
}

bool readExactly(QFile& file, std::uint8_t* into, qint64 n) {
    return file.read(reinterpret_cast<char*>(into), n) == n;
}

// Reads the record header at the file position and skips its pixels.
int readRecord(QFile& file, FrameHeader* header) {
    std::array<std::uint8_t, kRecordHeaderSize> b{};
    if (!readExactly(file, b.data(), kRecordHeaderSize)) {
        return kTruncated;
    }
    if (b[0] != 0x7A || b[1] != 0x6D || b[2] != 0x09) {
        return kTruncated;
    }
    header->width = b[5] + 1;
    header->height = b[6] + 1;
    header->bits = bitsForLevels(b[7] + 1);
    header->code = b[8];
    if (header->bits == 0) {
        return kBadDepth;
    }
    const qint64 rowBytes = (static_cast<qint64>(header->width) * header->bits + 7) / 8;
    const qint64 end = file.pos() + rowBytes * header->height;
    if (end > file.size() || !file.seek(end)) {
        return kTruncated;
    }
    return kToolOk;
}

// The number of records the file announces.
int readFrameCount(QFile& file, bool animation, int* count) {
    if (!animation) {
        *count = 1;
        return kToolOk;
    }
    std::array<std::uint8_t, kAnimationHeaderSize> b{};
    if (!readExactly(file, b.data(), kAnimationHeaderSize)) {
        return kTruncated;
    }
    if (b[0] != 'z' || b[1] != 'a') {
        return kTruncated;
    }
    *count = (b[2] << 8) | b[3];
    return *count == 0 ? kMissingFile : kToolOk;
}

int readAll(QFile& file, bool animation, std::vector<FrameHeader>* headers) {
    int count = 0;
    const int status = readFrameCount(file, animation, &count);
    if (status != kToolOk) {
        return status;
    }
    for (int i = 0; i < count; ++i) {
        FrameHeader header;
        const int recordStatus = readRecord(file, &header);
        if (recordStatus != kToolOk) {
            return recordStatus;
        }
        if (!headers->empty() &&
            (header.width != headers->front().width || header.height != headers->front().height)) {
            return kBadDepth;
        }
        headers->push_back(header);
    }
    return kToolOk;
}

}  // namespace

int readFrameHeaders(const QString& fileName, std::vector<FrameHeader>* headers) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix != QStringLiteral("zma") && suffix != QStringLiteral("zml")) {
        return kCannotOpen;
    }
    if (!QFileInfo(fileName).isFile()) {
        return kMissingFile;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return kCannotOpen;
    }
    if (file.size() < 0) {
        return kNoLength;
    }
    std::vector<FrameHeader> read;
    const int status = readAll(file, suffix == QStringLiteral("zma"), &read);
    if (status == kToolOk) {
        *headers = std::move(read);
    }
    return status;
}

}  // namespace tools
