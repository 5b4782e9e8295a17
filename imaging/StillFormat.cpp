#include "imaging/StillFormat.h"

#include <cstdint>
#include <cstdlib>

namespace imaging {

namespace {

using Bytes = const unsigned char*;

std::uint32_t bigEndian32(Bytes p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}
std::uint32_t littleEndian32(Bytes p) {
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) |
           p[0];
}
std::uint16_t littleEndian16(Bytes p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

bool isRestartOrStandalone(unsigned char marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// Position of the first marker after entropy-coded data starting at i (stuffed 0xFF00 and
// restart markers belong to the data).
qsizetype skipEntropyData(Bytes p, qsizetype n, qsizetype i) {
    for (; i + 1 < n; ++i) {
        if (p[i] == 0xFF && p[i + 1] != 0x00 && !isRestartOrStandalone(p[i + 1])) {
            return i;
        }
    }
    return n;
}

// Walks the marker segments up to the end-of-image marker.
bool isJpegComplete(Bytes p, qsizetype n) {
    qsizetype i = 2;
    while (i + 1 < n) {
        if (p[i] != 0xFF) {
            return false;
        }
        const unsigned char marker = p[i + 1];
        if (marker == 0xD9) {
            return true;
        }
        if (marker == 0xFF || isRestartOrStandalone(marker)) {
            i += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (i + 3 >= n) {
            return false;
        }
        const int length = (p[i + 2] << 8) | p[i + 3];
        if (length < 2) {
            return false;
        }
        i += 2 + length;
        if (marker == 0xDA) {
            i = skipEntropyData(p, n, i);
        }
    }
    return false;
}

// Walks the chunks, each of which must fit in the file, up to IEND.
bool isPngComplete(Bytes p, qsizetype n) {
    qsizetype i = 8;
    while (i + 12 <= n) {
        const std::uint32_t length = bigEndian32(p + i);
        if (length > 0x7FFFFFFFu || static_cast<qsizetype>(length) > n - i - 12) {
            return false;
        }
        if (p[i + 4] == 'I' && p[i + 5] == 'E' && p[i + 6] == 'N' && p[i + 7] == 'D') {
            return true;
        }
        i += 12 + static_cast<qsizetype>(length);
    }
    return false;
}

constexpr std::uint32_t kBmpRle8 = 1;
constexpr std::uint32_t kBmpRle4 = 2;

// The fields of a BMP info header that decide how long its pixel data is.
struct BmpLayout {
    long long width = -1;  // -1 when the header is too short to say
    long long height = -1;
    long long bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t dataSize = 0;
};

BmpLayout bmpLayoutOf(Bytes p, qsizetype n) {
    const std::uint32_t headerSize = littleEndian32(p + 14);
    if (headerSize == 12 && n >= 26) {
        return {littleEndian16(p + 18), littleEndian16(p + 20), littleEndian16(p + 24), 0, 0};
    }
    if (headerSize < 40 || n < 54) {
        return {};
    }
    // A negative height marks rows stored top-down.
    return {static_cast<std::int32_t>(littleEndian32(p + 18)),
            std::llabs(static_cast<std::int32_t>(littleEndian32(p + 22))), littleEndian16(p + 28),
            littleEndian32(p + 30), littleEndian32(p + 34)};
}

// Follows run-length coded rows to the end of the picture: an end-of-bitmap code, every row
// ended, or the data stopping right after the last row is full (some writers end so).
bool isRunLengthComplete(Bytes p, qsizetype n, bool fourBit, const BmpLayout& layout) {
    long long x = 0;
    long long y = 0;
    qsizetype i = 0;
    while (y < layout.height) {
        if (i + 2 > n) {
            return y == layout.height - 1 && x >= layout.width;
        }
        const int count = p[i];
        const int code = p[i + 1];
        i += 2;
        if (count > 0) {
            x += count;
        } else if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (i + 2 > n) {
                return false;
            }
            x += p[i];
            y += p[i + 1];
            i += 2;
        } else {
            // Absolute mode: `code` pixels follow, padded to a 16-bit boundary.
            const qsizetype bytes = fourBit ? (code + 1) / 2 : code;
            x += code;
            i += (bytes + 1) / 2 * 2;
            if (i > n) {
                return false;
            }
        }
    }
    return true;
}

bool isBmpComplete(Bytes p, qsizetype n) {
    if (n < 26) {
        return false;
    }
    const BmpLayout layout = bmpLayoutOf(p, n);
    const std::uint32_t offset = littleEndian32(p + 10);
    if (layout.width <= 0 || offset > n) {
        return false;
    }
    if (layout.compression == kBmpRle8 || layout.compression == kBmpRle4) {
        return isRunLengthComplete(p + offset, n - offset, layout.compression == kBmpRle4, layout);
    }
    const bool uncompressed =
        layout.compression == 0 || layout.compression == 3 || layout.compression == 6;
    const long long pixels = uncompressed
                                 ? (layout.width * layout.bits + 31) / 32 * 4 * layout.height
                                 : (layout.dataSize > 0 ? layout.dataSize : -1);
    return pixels >= 0 && offset + pixels <= n;
}

bool isStartOfFrame(unsigned char marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The size in the first start-of-frame segment.
ClaimedSize jpegClaimedSize(Bytes p, qsizetype n) {
    qsizetype i = 2;
    while (i + 8 < n && p[i] == 0xFF) {
        const unsigned char marker = p[i + 1];
        if (isStartOfFrame(marker)) {
            return {(p[i + 7] << 8) | p[i + 8], (p[i + 5] << 8) | p[i + 6]};
        }
        if (marker == 0xDA || marker == 0xD9) {
            break;
        }
        i += marker == 0xFF ? 1 : 2 + ((p[i + 2] << 8) | p[i + 3]);
    }
    return {};
}

ClaimedSize pngClaimedSize(Bytes p, qsizetype n) {
    if (n < 24 || p[12] != 'I' || p[13] != 'H' || p[14] != 'D' || p[15] != 'R') {
        return {};
    }
    return {bigEndian32(p + 16), bigEndian32(p + 20)};
}

ClaimedSize bmpClaimedSize(Bytes p, qsizetype n) {
    if (n >= 26 && littleEndian32(p + 14) == 12) {
        return {littleEndian16(p + 18), littleEndian16(p + 20)};
    }
    if (n < 26) {
        return {};
    }
    return {static_cast<std::int32_t>(littleEndian32(p + 18)),
            std::llabs(static_cast<std::int32_t>(littleEndian32(p + 22)))};
}

}  // namespace

ClaimedSize claimedSizeOf(StillFormat format, const QByteArray& data) {
    const auto* p = reinterpret_cast<Bytes>(data.constData());
    switch (format) {
        case StillFormat::kJpeg:
            return jpegClaimedSize(p, data.size());
        case StillFormat::kPng:
            return pngClaimedSize(p, data.size());
        case StillFormat::kBmp:
            return bmpClaimedSize(p, data.size());
        case StillFormat::kNone:
            break;
    }
    return {};
}

StillFormat stillFormatOf(const QByteArray& head) {
    if (head.startsWith("\xFF\xD8\xFF")) {
        return StillFormat::kJpeg;
    }
    if (head.startsWith("\x89PNG\r\n\x1A\n")) {
        return StillFormat::kPng;
    }
    if (head.startsWith("BM") && head.size() >= 6) {
        return StillFormat::kBmp;
    }
    return StillFormat::kNone;
}

const char* qtFormatName(StillFormat format) {
    switch (format) {
        case StillFormat::kJpeg:
            return "jpeg";
        case StillFormat::kPng:
            return "png";
        case StillFormat::kBmp:
            return "bmp";
        case StillFormat::kNone:
            break;
    }
    return "";
}

bool isStillComplete(StillFormat format, const QByteArray& data) {
    const auto* p = reinterpret_cast<Bytes>(data.constData());
    switch (format) {
        case StillFormat::kJpeg:
            return isJpegComplete(p, data.size());
        case StillFormat::kPng:
            return isPngComplete(p, data.size());
        case StillFormat::kBmp:
            return isBmpComplete(p, data.size());
        case StillFormat::kNone:
            break;
    }
    return false;
}

}  // namespace imaging
