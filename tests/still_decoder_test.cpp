#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdlib>

#include "imaging/Status.h"
#include "imaging/StillDecoder.h"

using namespace imaging;

namespace {

// Smooth gradients with a few flat blocks: every channel varies, JPEG keeps it close.
QImage testImage() {
    QImage image(67, 41, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 255 / 66, y * 255 / 40, (x + y) * 255 / 106));
        }
    }
    return image;
}

int largestDifference(const QImage& expected, const Picture& picture) {
    int largest = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb e = expected.pixel(x, y);
            const Colour c = picture.colourAt(x, y);
            largest = std::max({largest, std::abs(qRed(e) - redOf(c)),
                                std::abs(qGreen(e) - greenOf(c)), std::abs(qBlue(e) - blueOf(c))});
        }
    }
    return largest;
}

QByteArray fileBytes(const QString& path) {
    QFile in(path);
    in.open(QIODevice::ReadOnly);
    return in.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

// A PNG chunk with its CRC-32 (the one zlib and PNG use).
QByteArray pngChunk(const QByteArray& type, const QByteArray& data) {
    const QByteArray body = type + data;
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : body) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(data.size(), chunk.data());
    QByteArray tail(4, '\0');
    qToBigEndian<quint32>(~crc, tail.data());
    return chunk + body + tail;
}

QByteArray pngHeaderClaiming(int width, int height) {
    QByteArray ihdr(13, '\0');
    qToBigEndian<quint32>(width, ihdr.data());
    qToBigEndian<quint32>(height, ihdr.data() + 4);
    ihdr[8] = 8;  // bit depth
    ihdr[9] = 2;  // truecolour
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + pngChunk("IHDR", ihdr);
}

QByteArray bmpHeaderClaiming(int width, int height) {
    QByteArray header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    qToLittleEndian<quint32>(54, header.data() + 10);
    qToLittleEndian<quint32>(40, header.data() + 14);
    qToLittleEndian<qint32>(width, header.data() + 18);
    qToLittleEndian<qint32>(height, header.data() + 22);
    qToLittleEndian<quint16>(1, header.data() + 26);
    qToLittleEndian<quint16>(24, header.data() + 28);
    return header;
}

class StillDecoderTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString saved(const char* name, const char* format) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(testImage().save(path, format, 95));
        return path;
    }
    int decode(const char* name, const QByteArray& bytes, Picture* picture) {
        writeBytes(dir_.filePath(name), bytes);
        return decodeStill(dir_.filePath(name), picture);
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(StillDecoderTest, RoundTripsThroughEachFormat) {
    for (const char* format : {"png", "bmp", "jpeg"}) {
        Picture picture;
        ASSERT_EQ(decodeStill(saved("still", format), &picture), kOk) << format;
        EXPECT_EQ(picture.width(), 67);
        EXPECT_EQ(picture.height(), 41);
        EXPECT_EQ(picture.bits(), 24);
        EXPECT_LE(largestDifference(testImage(), picture), QByteArray(format) == "jpeg" ? 12 : 0)
            << format;
    }
}

TEST_F(StillDecoderTest, ContentDecidesNotTheName) {
    Picture picture;
    EXPECT_EQ(decodeStill(saved("really-a-png.jpg", "png"), &picture), kOk);
    EXPECT_EQ(largestDifference(testImage(), picture), 0);
    EXPECT_EQ(decodeStill(saved("really-a-bmp.png", "bmp"), &picture), kOk);
}

TEST_F(StillDecoderTest, DamagedFilesFail) {
    Picture picture;
    EXPECT_EQ(decodeStill(dir_.filePath("missing.png"), &picture), kFileNotFound);
    EXPECT_EQ(decode("empty.png", {}, &picture), kCorruptData);
    EXPECT_EQ(decode("text.jpg", "this is not a picture at all", &picture), kUnknownFormat);
    for (const char* format : {"png", "bmp", "jpeg"}) {
        const QByteArray whole = fileBytes(saved("whole", format));
        for (const qsizetype cut : {qsizetype{20}, whole.size() / 2, whole.size() - 3}) {
            EXPECT_EQ(decode("cut", whole.left(cut), &picture), kCorruptData)
                << format << " cut at " << cut;
        }
    }
    const QByteArray png = fileBytes(saved("whole.png", "png"));
    EXPECT_EQ(decode("first-100.bmp", png.left(100), &picture), kCorruptData);
    QByteArray garbled = png;
    garbled.replace(garbled.size() / 2, 40, QByteArray(40, '\x5A'));
    EXPECT_EQ(decode("garbled.png", garbled, &picture), kCorruptData);
    EXPECT_EQ(decodeStill(dir_.filePath("whole.png"), nullptr), kInvalidArgument);
}

TEST_F(StillDecoderTest, HeadersClaimingTooLargeAPictureAreRefused) {
    Picture picture;
    EXPECT_EQ(decode("huge.bmp", bmpHeaderClaiming(20000, 20000), &picture), kTooLarge);
    EXPECT_EQ(decode("huge.png", pngHeaderClaiming(20000, 20000), &picture), kTooLarge);
    EXPECT_EQ(decode("wide.png", pngHeaderClaiming(16385, 1), &picture), kTooLarge);
    EXPECT_EQ(decode("many.bmp", bmpHeaderClaiming(16384, 16384), &picture), kTooLarge);
    // Within the limit but with no pixel data: truncated, not too large.
    EXPECT_EQ(decode("small.bmp", bmpHeaderClaiming(100, 100), &picture), kCorruptData);
    EXPECT_TRUE(picture.isEmpty());
}
