#include <gtest/gtest.h>

#include <QBuffer>
#include <QDataStream>
#include <cstdio>
#include <cstdlib>
// After <cstdio>: libjpeg's header uses FILE without declaring it.
#include <jpeglib.h>

#include "imaging/QtImage.h"
#include "imaging/Status.h"
#include "imaging/StillDecoder.h"
#include "tests/support/TempFolderTest.h"

using namespace imaging;
using StillDecoderTest = TempFolderTest;

namespace {

// Smooth gradients: every channel varies, JPEG keeps it close.
QImage gradient(QImage::Format pixels = QImage::Format_RGB32) {
    QImage image(67, 41, QImage::Format_RGB32);
    for (int i = 0; i < 67 * 41; ++i) {
        const int x = i % 67, y = i / 67;
        image.setPixel(x, y, qRgb(x * 255 / 66, y * 255 / 40, (x + y) * 255 / 106));
    }
    return image.convertToFormat(pixels);
}

QByteArray encoded(const char* format, QImage::Format pixels = QImage::Format_RGB32) {
    QByteArray file;
    QBuffer buffer(&file);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && gradient(pixels).save(&buffer, format));
    return file;
}

// The gradient as CMYK (4 samples) or RGB (3) written by libjpeg, stored as `stored`: the JPEGs
// of print and camera programs that Qt's writer does not make. CMYK is written inverted, with
// the Adobe marker, as such programs write it.
QByteArray libjpegFile(int samples, J_COLOR_SPACE stored, bool progressive) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &bytes, &size);
    info.image_width = 67;
    info.image_height = 41;
    info.input_components = samples;
    info.in_color_space = samples == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, stored);
    info.restart_interval = 3;
    if (progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(67 * samples);
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x < 67; ++x) {
            const int values[4] = {x * 3, y * 6, (x + y) * 2, 255 - x};
            std::copy_n(values, samples, row.begin() + x * samples);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray file(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(size));
    std::free(bytes);
    return file;
}

// A BMP with a 40-byte header and, at 4 or 8 bits, 16 palette entries i of (16 i, 8 i, 255 - 16 i).
QByteArray bmpFile(int width, int height, int bits, int compression, const QByteArray& pixels) {
    QByteArray file("BM");
    QDataStream out(&file, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    const int colours = bits <= 8 ? 16 : 0;
    out << quint32(54 + 4 * colours + pixels.size()) << quint32(0) << quint32(54 + 4 * colours)
        << quint32(40) << qint32(width) << qint32(height) << quint16(1) << quint16(bits)
        << quint32(compression) << quint32(0) << quint64(0) << quint32(colours) << quint32(0);
    for (int i = 0; i < colours; ++i) {
        out << quint8(255 - 16 * i) << quint8(8 * i) << quint8(16 * i) << quint8(0);
    }
    return file + pixels;
}

// Indices into the palette of bmpFile, row by row, as a 24-bit picture.
Picture paletted(int width, const std::vector<std::uint8_t>& indices) {
    Picture p(width, static_cast<int>(indices.size()) / width, 8);
    p.pixels() = indices;
    for (int i = 0; i < 16; ++i) {
        p.palette()[i] = makeColour(16 * i, 8 * i, 255 - 16 * i);
    }
    return toTrueColour(p);
}

// 4 x 2 run-length codes from the bottom row: runs, 00 n + n literals, 00 00 row end, 00 01 end.
const QByteArray kRle8 = QByteArray::fromHex("0401 0000 0004 02030405 0000 0001");
const QByteArray kRle4 = QByteArray::fromHex("0412 0000 0004 3456 0000 0001");

using Case = std::tuple<std::string, QByteArray, Picture, int>;

// A JPEG expected to decode to exactly the pixels Qt's own reader gives.
Case asQtReads(const std::string& name, const QByteArray& file) {
    return {name, file, fromQImage(QImage::fromData(file, "jpeg")), 0};
}

std::vector<Case> filesOtherProgramsWrite() {
    const Picture smooth = fromQImage(gradient());
    const Picture rle8 = paletted(4, {2, 3, 4, 5, 1, 1, 1, 1});
    // The colours of entries 0 and 1 over those of 2 and 3, blue, green, red, each row padded.
    const QByteArray topDown = QByteArray::fromHex("FF0000 EF0810 0000 DF1020 CF1830 0000");
    // The decoder fills the rows the scan lacks; such files are accepted as Qt accepts them.
    QByteArray taller = encoded("jpeg");
    taller[taller.indexOf("\xFF\xC0") + 5] = 1;
    return {
        {"png", encoded("png"), smooth, 0},
        {"jpeg", encoded("jpeg"), smooth, 12},
        asQtReads("grey jpeg", encoded("jpeg", QImage::Format_Grayscale8)),
        asQtReads("cmyk jpeg", libjpegFile(4, JCS_CMYK, false)),
        asQtReads("ycck jpeg", libjpegFile(4, JCS_YCCK, false)),
        asQtReads("progressive cmyk jpeg", libjpegFile(4, JCS_CMYK, true)),
        asQtReads("rgb jpeg", libjpegFile(3, JCS_RGB, false)),
        asQtReads("ycbcr jpeg with restarts", libjpegFile(3, JCS_YCbCr, false)),
        asQtReads("jpeg frame taller than its scan", taller),
        {"top-down bmp", bmpFile(2, -2, 24, 0, topDown), paletted(2, {0, 1, 2, 3}), 0},
        {"RLE8 bmp", bmpFile(4, 2, 8, 1, kRle8), rle8, 0},
        {"RLE4 bmp", bmpFile(4, 2, 4, 2, kRle4), paletted(4, {3, 4, 5, 6, 1, 2, 1, 2}), 0},
        {"RLE8 bmp without end code", bmpFile(4, 2, 8, 1, kRle8.chopped(2)), rle8, 0},
        {"RLE8 bmp ending with its last row", bmpFile(4, 2, 8, 1, kRle8.chopped(4)), rle8, 0},
        {"RLE8 bmp ending at 00 01", bmpFile(4, 2, 8, 1, QByteArray(kRle8).remove(10, 2)), rle8, 0},
    };
}

}  // namespace

TEST_F(StillDecoderTest, ReadsWhatOtherProgramsWriteAndRefusesBadFiles) {
    const auto refused = [this](const QByteArray& file, int status, const std::string& what) {
        Picture picture;
        EXPECT_EQ(decodeStill(write("still.png", file), &picture), status) << what;
        EXPECT_TRUE(picture.isEmpty()) << what;
        EXPECT_EQ(checkStill(path("still.png")), status) << what;
    };
    Picture p;
    for (const auto& [name, file, expected, tolerance] : filesOtherProgramsWrite()) {
        ASSERT_EQ(decodeStill(write("named.gif", file), &p), kOk) << name;
        ASSERT_EQ(std::tuple(p.width(), p.height(), p.bits()),
                  std::tuple(expected.width(), expected.height(), expected.bits()))
            << name;
        for (std::size_t i = 0; i < p.pixels().size(); ++i) {
            ASSERT_LE(std::abs(p.pixels()[i] - expected.pixels()[i]), tolerance) << name;
        }
        // Run-length files lose nothing with their last codes (below); others are refused cut.
        for (const qsizetype cut :
             {qsizetype{20}, qsizetype{200}, file.size() / 2, file.size() - 3, file.size() - 2}) {
            if (!name.starts_with("RLE") && cut < file.size()) {
                refused(file.left(cut), kCorruptData, name + " cut at " + std::to_string(cut));
            }
        }
    }
    refused({}, kCorruptData, "empty");
    refused("this is not a picture at all", kUnknownFormat, "text");
    refused(bmpFile(4, 2, 8, 1, kRle8.left(4)), kCorruptData, "RLE8 without its top row");
    refused(bmpFile(4, 2, 8, 1, kRle8.left(7)), kCorruptData, "RLE8 cut in a literal run");
    refused(bmpFile(4, 2, 4, 2, kRle4.left(7)), kCorruptData, "RLE4 cut in a literal run");
    EXPECT_EQ(checkStill(path("missing.png")), kFileNotFound);
    QByteArray garbled = encoded("png");
    garbled.replace(garbled.size() / 2, 40, QByteArray(40, 'Z'));
    EXPECT_EQ(decodeStill(write("garbled.png", garbled), &p), kCorruptData);
    EXPECT_EQ(decodeStill(path("garbled.png"), nullptr), kInvalidArgument);
    // Headers claiming more than the decoder takes, refused before any pixel is read.
    const QByteArray pngHeader = QByteArray::fromHex(
        "89504E470D0A1A0A 0000000D 49484452 00004001 00000001 0802 00000000000000");
    QByteArray jpeg = encoded("jpeg");
    jpeg.replace(jpeg.indexOf("\xFF\xC0") + 7, 2, QByteArray::fromHex("4E20"));
    refused(jpeg, kTooLarge, "jpeg 20000 x 41");
    refused(pngHeader, kTooLarge, "png 16385 x 1 without pixel data");
    refused(bmpFile(16384, -16384, 24, 0, {}), kTooLarge, "bmp 16384 x 16384");
    refused(bmpFile(100, 100, 24, 0, {}), kCorruptData, "bmp 100 x 100 without pixels");
}
