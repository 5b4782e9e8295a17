#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>
#include <cstdlib>

#include "imaging/Status.h"
#include "imaging/StillDecoder.h"
#include "tests/support/TempFolderTest.h"

using namespace imaging;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values) {
        out += static_cast<char>(v);
    }
    return out;
}

// Smooth gradients: every channel varies, JPEG keeps it close.
QImage gradient() {
    QImage image(67, 41, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 255 / 66, y * 255 / 40, (x + y) * 255 / 106));
        }
    }
    return image;
}

QByteArray encoded(const char* format, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(gradient())) << format;
    return buffer.data();
}

// A BMP with a 40-byte info header, no data size and sixteen palette entries when `bits` is 4
// or 8, entry i being colour (16 i, 8 i, 255 - 16 i). A negative height stores rows top-down.
QByteArray bmpFile(int width, int height, int bits, int compression, const QByteArray& pixels) {
    QByteArray palette;
    for (int i = 0; bits <= 8 && i < 16; ++i) {
        palette += bytes({255 - 16 * i, 8 * i, 16 * i, 0});
    }
    QByteArray header = QByteArray("BM") + QByteArray(52, '\0');
    qToLittleEndian<quint32>(54 + palette.size() + pixels.size(), header.data() + 2);
    qToLittleEndian<quint32>(54 + palette.size(), header.data() + 10);
    qToLittleEndian<quint32>(40, header.data() + 14);
    qToLittleEndian<qint32>(width, header.data() + 18);
    qToLittleEndian<qint32>(height, header.data() + 22);
    qToLittleEndian<quint16>(1, header.data() + 26);
    qToLittleEndian<quint16>(bits, header.data() + 28);
    qToLittleEndian<quint32>(compression, header.data() + 30);
    qToLittleEndian<quint32>(palette.size() / 4, header.data() + 46);
    return header + palette + pixels;
}

// A picture from its colours, row by row; with palette indices, the palette of bmpFile.
QImage imageOf(int width, std::initializer_list<QRgb> colours) {
    QImage image(width, static_cast<int>(colours.size()) / width, QImage::Format_RGB32);
    int i = 0;
    for (const QRgb c : colours) {
        image.setPixel(i % width, i / width, c < 16 ? qRgb(16 * c, 8 * c, 255 - 16 * c) : c);
        ++i;
    }
    return image;
}

// Run-length coded 4 x 2 pictures, bottom row first: (count, index) runs, 00 00 ends a row,
// 00 01 the picture, 00 n is followed by n literal pixels padded to 16 bits.
const QByteArray kRle8 = bytes({4, 1, 0, 0, 0, 4, 2, 3, 4, 5, 0, 0, 0, 1});
const QByteArray kRle4 = bytes({4, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 0, 0, 1});

struct Readable {
    const char* name;
    QByteArray file;
    QImage expected;
    int tolerance;
};

// Files as Qt and other programs write them, whatever their names say.
std::vector<Readable> readables() {
    const QImage rle8 = imageOf(4, {2, 3, 4, 5, 1, 1, 1, 1});
    const QRgb white = qRgb(255, 255, 255);
    return {
        {"png", encoded("png"), gradient(), 0},
        {"bmp", encoded("bmp"), gradient(), 0},
        {"jpeg", encoded("jpeg"), gradient(), 12},
        {"progressive jpeg", encoded("jpeg", true), gradient(), 12},
        {"top-down bmp",
         bmpFile(2, -2, 24, 0, bytes({0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0})),
         imageOf(2, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), white}), 0},
        {"RLE8 bmp", bmpFile(4, 2, 8, 1, kRle8), rle8, 0},
        {"RLE4 bmp", bmpFile(4, 2, 4, 2, kRle4), imageOf(4, {3, 4, 5, 6, 1, 2, 1, 2}), 0},
        {"RLE8 bmp without end code", bmpFile(4, 2, 8, 1, kRle8.chopped(2)), rle8, 0},
        {"RLE8 bmp ending with its last row", bmpFile(4, 2, 8, 1, kRle8.chopped(4)), rle8, 0},
    };
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

class StillDecoderTest : public TempFolderTest {
  protected:
    // decodeStill gives `status` and leaves the picture alone; checkStill agrees.
    void expectRefused(const QByteArray& file, int status, const std::string& what) {
        Picture picture;
        EXPECT_EQ(decodeStill(write("still.png", file), &picture), status) << what;
        EXPECT_TRUE(picture.isEmpty()) << what;
        EXPECT_EQ(checkStill(path("still.png")), status) << what;
    }
};

}  // namespace

TEST_F(StillDecoderTest, FilesOtherProgramsWriteGiveTheirPixels) {
    for (const Readable& r : readables()) {
        const QString file = write("named.gif", r.file);
        EXPECT_EQ(checkStill(file), kOk) << r.name;
        Picture picture;
        ASSERT_EQ(decodeStill(file, &picture), kOk) << r.name;
        ASSERT_EQ(QSize(picture.width(), picture.height()), r.expected.size()) << r.name;
        EXPECT_EQ(picture.bits(), 24);
        EXPECT_LE(largestDifference(r.expected, picture), r.tolerance) << r.name;
    }
}

TEST_F(StillDecoderTest, MissingEmptyTruncatedAndDamagedFilesAreRefused) {
    EXPECT_EQ(checkStill(path("missing.png")), kFileNotFound);
    expectRefused({}, kCorruptData, "empty");
    expectRefused("this is not a picture at all", kUnknownFormat, "text");
    expectRefused(bmpFile(4, 2, 8, 1, kRle8.left(4)), kCorruptData, "RLE8 without its top row");
    expectRefused(bmpFile(4, 2, 8, 1, kRle8.left(7)), kCorruptData, "RLE8 cut in a literal run");
    expectRefused(bmpFile(4, 2, 4, 2, kRle4.left(7)), kCorruptData, "RLE4 cut in a literal run");
    // Run-length files lose nothing when their last codes are cut; they are cut above.
    for (const Readable& r : readables()) {
        for (const qsizetype cut : {qsizetype{20}, r.file.size() / 2, r.file.size() - 3}) {
            if (!QByteArray(r.name).startsWith("RLE")) {
                expectRefused(r.file.left(cut), kCorruptData,
                              r.name + (" cut at " + std::to_string(cut)));
            }
        }
    }
    QByteArray garbled = encoded("png");
    garbled.replace(garbled.size() / 2, 40, QByteArray(40, '\x5A'));
    Picture picture;
    EXPECT_EQ(decodeStill(write("garbled.png", garbled), &picture), kCorruptData);
    EXPECT_EQ(decodeStill(path("garbled.png"), nullptr), kInvalidArgument);
}

TEST_F(StillDecoderTest, HeadersClaimingTooLargeAPictureAreRefusedUnread) {
    const auto png = [](quint32 width, quint32 height) {
        QByteArray ihdr = bytes({0, 0, 0, 13}) + "IHDR" + QByteArray(8, '\0') + bytes({8, 2});
        qToBigEndian<quint32>(width, ihdr.data() + 8);
        qToBigEndian<quint32>(height, ihdr.data() + 12);
        return QByteArray("\x89PNG\r\n\x1A\n", 8) + ihdr + QByteArray(7, '\0');
    };
    QByteArray jpeg = encoded("jpeg");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    jpeg.replace(frame + 7, 2, bytes({0x4E, 0x20}));  // 20000 wide
    expectRefused(jpeg, kTooLarge, "jpeg 20000 x 41");
    expectRefused(png(20000, 20000), kTooLarge, "png 20000 x 20000");
    expectRefused(png(16385, 1), kTooLarge, "png 16385 x 1");
    expectRefused(bmpFile(16384, -16384, 24, 0, {}), kTooLarge, "bmp 16384 x 16384");
    // Within the limit but with no pixel data: truncated, not too large.
    expectRefused(bmpFile(100, 100, 24, 0, {}), kCorruptData, "bmp 100 x 100");
}
