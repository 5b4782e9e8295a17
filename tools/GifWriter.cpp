#include "tools/GifWriter.h"

#include <QByteArray>
#include <QSaveFile>
#include <algorithm>
#include <map>

#include "tools/Lzw.h"

namespace tools {

namespace {

using imaging::Colour;
using imaging::Picture;

constexpr int kMaxSide = 0xFFFF;
constexpr int kMaxColours = 256;
constexpr int kLzwBlock = 255;

// One frame as the GIF stores it: a colour table of 2^tableBits entries and one index a pixel.
struct GifImage {
    int width = 0;
    int height = 0;
    int tableBits = 1;
    std::vector<Colour> table;
    std::vector<std::uint8_t> indices;
};

void putWord(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

void putByte(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
}

// The fewest table bits (1..8) holding `colours` entries.
int tableBitsFor(int colours) {
    int bits = 1;
    while ((1 << bits) < colours) {
        ++bits;
    }
    return bits;
}

int indexedImage(const Picture& p, GifImage* image) {
    const int colours = 1 << p.bits();
    image->table = p.palette();
    image->table.resize(static_cast<std::size_t>(colours), 0);
    const auto tooLarge = [colours](std::uint8_t v) { return v >= colours; };
    if (std::any_of(p.pixels().begin(), p.pixels().end(), tooLarge)) {
        return kGifBadFrame;
    }
    image->indices = p.pixels();
    return kGifOk;
}

int trueColourImage(const Picture& p, GifImage* image) {
    std::map<Colour, std::uint8_t> seen;
    image->indices.reserve(static_cast<std::size_t>(p.width()) * p.height());
    for (std::size_t i = 0; i + 2 < p.pixels().size(); i += 3) {
        const Colour c = imaging::makeColour(p.pixels()[i], p.pixels()[i + 1], p.pixels()[i + 2]);
        auto it = seen.find(c);
        if (it == seen.end()) {
            if (seen.size() == kMaxColours) {
                return kGifTooManyColours;
            }
            it = seen.emplace(c, static_cast<std::uint8_t>(seen.size())).first;
            image->table.push_back(c);
        }
        image->indices.push_back(it->second);
    }
    return kGifOk;
}

int gifImage(const Picture& p, GifImage* image) {
    if (p.isEmpty() || p.width() > kMaxSide || p.height() > kMaxSide) {
        return kGifBadFrame;
    }
    image->width = p.width();
    image->height = p.height();
    const int status = p.isTrueColour() ? trueColourImage(p, image) : indexedImage(p, image);
    image->tableBits = tableBitsFor(static_cast<int>(image->table.size()));
    image->table.resize(static_cast<std::size_t>(1) << image->tableBits, 0);
    return status;
}

void putHeader(QByteArray& out, int width, int height) {
    out.append("GIF89a");
    putWord(out, width);
    putWord(out, height);
    putByte(out, 0);  // no global colour table
    putByte(out, 0);  // background index
    putByte(out, 0);  // no aspect ratio
}

// The application extension that makes viewers loop the animation forever.
void putLoop(QByteArray& out) {
    out.append(
        "\x21\xFF\x0B"
        "NETSCAPE2.0",
        14);
    out.append("\x03\x01\x00\x00\x00", 5);
}

// Graphic control: leave the frame in place, no transparency, the delay.
void putControl(QByteArray& out, int delayHundredths) {
    out.append("\x21\xF9\x04", 3);
    putByte(out, 1 << 2);
    putWord(out, delayHundredths);
    putByte(out, 0);
    putByte(out, 0);
}

void putImage(QByteArray& out, const GifImage& image) {
    putByte(out, 0x2C);
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width);
    putWord(out, image.height);
    putByte(out, 0x80 | (image.tableBits - 1));  // local colour table, not interlaced
    for (const Colour c : image.table) {
        putByte(out, imaging::redOf(c));
        putByte(out, imaging::greenOf(c));
        putByte(out, imaging::blueOf(c));
    }
    const int minCodeSize = std::max(2, image.tableBits);
    putByte(out, minCodeSize);
    const std::vector<std::uint8_t> data = lzwEncode(image.indices, minCodeSize);
    for (std::size_t at = 0; at < data.size(); at += kLzwBlock) {
        const std::size_t n = std::min<std::size_t>(kLzwBlock, data.size() - at);
        putByte(out, static_cast<int>(n));
        out.append(reinterpret_cast<const char*>(data.data() + at), static_cast<qsizetype>(n));
    }
    putByte(out, 0);
}

int encodeGif(const std::vector<Picture>& frames, int delayHundredths, QByteArray* out) {
    if (frames.empty()) {
        return kGifNoFrames;
    }
    std::vector<GifImage> images(frames.size());
    int width = 0;
    int height = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const int status = gifImage(frames[i], &images[i]);
        if (status != kGifOk) {
            return status;
        }
        width = std::max(width, images[i].width);
        height = std::max(height, images[i].height);
    }
    putHeader(*out, width, height);
    putLoop(*out);
    const int delay = std::clamp(delayHundredths, 0, kMaxSide);
    for (const GifImage& image : images) {
        putControl(*out, delay);
        putImage(*out, image);
    }
    putByte(*out, 0x3B);
    return kGifOk;
}

}  // namespace

int writeGif(QIODevice& device, const std::vector<Picture>& frames, int delayHundredths) {
    QByteArray bytes;
    const int status = encodeGif(frames, delayHundredths, &bytes);
    if (status != kGifOk) {
        return status;
    }
    return device.write(bytes) == bytes.size() ? kGifOk : kGifWriteFailed;
}

int saveGif(const QString& fileName, const std::vector<Picture>& frames, int delayHundredths) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return kGifWriteFailed;
    }
    const int status = writeGif(file, frames, delayHundredths);
    if (status != kGifOk) {
        file.cancelWriting();
        return status;
    }
    return file.commit() ? kGifOk : kGifWriteFailed;
}

}  // namespace tools
