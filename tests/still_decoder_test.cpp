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

QByteArray encoded(const QImage& image, const char* format, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format;
    return buffer.data();
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values) {
        out += static_cast<char>(v);
    }
    return out;
}

// A BMP with a 40-byte info header; a negative height stores the rows top-down.
QByteArray bmpFile(int width, int height, int bits, int compression, const QByteArray& palette,
                   const QByteArray& pixels) {
    QByteArray header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
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

// Sixteen palette entries, entry i being colour (16 i, 8 i, 255 - 16 i); stored B, G, R, 0.
QByteArray sixteenColours() {
    QByteArray palette;
    for (int i = 0; i < 16; ++i) {
        palette += bytes({255 - 16 * i, 8 * i, 16 * i, 0});
    }
    return palette;
}

Colour entry(int i) {
    return makeColour(16 * i, 8 * i, 255 - 16 * i);
}

// 4 x 2 pictures coded as other programs write them. Rows are listed top first; the file
// stores the bottom row first. RLE codes: (count, index) runs, 00 00 end of row, 00 01 end of
// picture, 00 n followed by n literal pixels padded to 16 bits.
const QByteArray kRle8 = bytes({4, 1, 0, 0, 0, 4, 2, 3, 4, 5, 0, 0, 0, 1});
const QByteArray kRle4 = bytes({4, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 0, 0, 1});
const std::vector<Colour> kRle8Rows = {entry(2), entry(3), entry(4), entry(5),
                                       entry(1), entry(1), entry(1), entry(1)};
const std::vector<Colour> kRle4Rows = {entry(3), entry(4), entry(5), entry(6),
                                       entry(1), entry(2), entry(1), entry(2)};

struct Variant {
    const char* name;
    QByteArray file;
    int width;
    std::vector<Colour> pixels;
};

std::vector<Variant> variants() {
    const QByteArray topDown = bytes({0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0});
    return {
        {"top-down BMP",
         bmpFile(2, -2, 24, 0, {}, topDown),
         2,
         {makeColour(255, 0, 0), makeColour(0, 255, 0), makeColour(0, 0, 255), 0xFFFFFF}},
        {"RLE8 BMP", bmpFile(4, 2, 8, 1, sixteenColours(), kRle8), 4, kRle8Rows},
        {"RLE4 BMP", bmpFile(4, 2, 4, 2, sixteenColours(), kRle4), 4, kRle4Rows},
        {"RLE8 BMP without end code", bmpFile(4, 2, 8, 1, sixteenColours(), kRle8.chopped(2)), 4,
         kRle8Rows},
        {"RLE8 BMP whose last row ends the data",
         bmpFile(4, 2, 8, 1, sixteenColours(), kRle8.chopped(4)), 4, kRle8Rows},
    };
}

class StillDecoderTest : public TempFolderTest {
  protected:
    int decode(const QByteArray& file, Picture* picture) {
        return decodeStill(write("still", file), picture);
    }
    // decodeStill gives `status`, and checkStill gives it too when the failure is structural.
    void expectRefused(const QByteArray& file, int status, const std::string& what) {
        Picture picture;
        EXPECT_EQ(decode(file, &picture), status) << what;
        EXPECT_TRUE(picture.isEmpty()) << what;
        EXPECT_EQ(checkStill(path("still")), status) << what;
    }
};

}  // namespace

TEST_F(StillDecoderTest, EachFormatRoundTripsWhateverTheFileIsNamed) {
    for (const char* format : {"png", "bmp", "jpeg"}) {
        const QString file = write("named.gif", encoded(gradient(), format));
        EXPECT_EQ(checkStill(file), kOk) << format;
        Picture picture;
        ASSERT_EQ(decodeStill(file, &picture), kOk) << format;
        EXPECT_EQ(picture.width(), 67);
        EXPECT_EQ(picture.height(), 41);
        EXPECT_EQ(picture.bits(), 24);
        EXPECT_LE(largestDifference(gradient(), picture), QByteArray(format) == "jpeg" ? 12 : 0)
            << format;
    }
    Picture picture;
    ASSERT_EQ(decode(encoded(gradient(), "jpeg", true), &picture), kOk) << "progressive";
    EXPECT_LE(largestDifference(gradient(), picture), 12) << "progressive";
}

TEST_F(StillDecoderTest, VariantsOtherProgramsWriteGiveTheirPixels) {
    for (const Variant& v : variants()) {
        Picture picture;
        ASSERT_EQ(decode(v.file, &picture), kOk) << v.name;
        ASSERT_EQ(picture.width(), v.width) << v.name;
        ASSERT_EQ(picture.height(), 2) << v.name;
        for (int i = 0; i < static_cast<int>(v.pixels.size()); ++i) {
            EXPECT_EQ(picture.colourAt(i % v.width, i / v.width), v.pixels[i])
                << v.name << " " << i;
        }
    }
}

TEST_F(StillDecoderTest, MissingEmptyTruncatedAndDamagedFilesAreRefused) {
    EXPECT_EQ(checkStill(path("missing.png")), kFileNotFound);
    expectRefused({}, kCorruptData, "empty");
    expectRefused("this is not a picture at all", kUnknownFormat, "text");
    std::vector<std::pair<std::string, QByteArray>> truncated = {
        {"RLE8 without its top row", bmpFile(4, 2, 8, 1, sixteenColours(), kRle8.left(4))},
        {"RLE8 cut in a literal run", bmpFile(4, 2, 8, 1, sixteenColours(), kRle8.left(7))},
        {"RLE4 cut in a literal run", bmpFile(4, 2, 4, 2, sixteenColours(), kRle4.left(7))},
    };
    const std::pair<std::string, QByteArray> wholes[] = {
        {"png", encoded(gradient(), "png")},
        {"bmp", encoded(gradient(), "bmp")},
        {"jpeg", encoded(gradient(), "jpeg")},
        {"progressive jpeg", encoded(gradient(), "jpeg", true)},
    };
    for (const auto& [name, whole] : wholes) {
        for (const qsizetype cut : {qsizetype{20}, whole.size() / 2, whole.size() - 3}) {
            truncated.emplace_back(name + " cut at " + std::to_string(cut), whole.left(cut));
        }
    }
    for (const auto& [name, file] : truncated) {
        expectRefused(file, kCorruptData, name);
    }
    QByteArray garbled = wholes[0].second;
    garbled.replace(garbled.size() / 2, 40, QByteArray(40, '\x5A'));
    Picture picture;
    EXPECT_EQ(decode(garbled, &picture), kCorruptData);
    EXPECT_EQ(decodeStill(path("still"), nullptr), kInvalidArgument);
}

TEST_F(StillDecoderTest, HeadersClaimingTooLargeAPictureAreRefusedUnread) {
    const auto png = [](quint32 width, quint32 height) {
        QByteArray ihdr = bytes({0, 0, 0, 13}) + "IHDR" + QByteArray(8, '\0') + bytes({8, 2});
        qToBigEndian<quint32>(width, ihdr.data() + 8);
        qToBigEndian<quint32>(height, ihdr.data() + 12);
        return QByteArray("\x89PNG\r\n\x1A\n", 8) + ihdr + QByteArray(7, '\0');
    };
    QByteArray jpeg = encoded(QImage(8, 8, QImage::Format_RGB32), "jpeg");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    jpeg.replace(frame + 7, 2, bytes({0x4E, 0x20}));  // 20000 wide
    expectRefused(jpeg, kTooLarge, "jpeg 20000 x 8");
    expectRefused(png(20000, 20000), kTooLarge, "png 20000 x 20000");
    expectRefused(png(16385, 1), kTooLarge, "png 16385 x 1");
    expectRefused(bmpFile(16384, -16384, 24, 0, {}, {}), kTooLarge, "bmp 16384 x 16384");
    // Within the limit but with no pixel data: truncated, not too large.
    expectRefused(bmpFile(100, 100, 24, 0, {}, {}), kCorruptData, "bmp 100 x 100");
}
