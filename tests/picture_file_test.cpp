#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <random>

#include "imaging/PictureFile.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/TempFolderTest.h"
#include "texts/MessageBoxes.h"

using namespace imaging;
using testsupport::ClipCodec;

namespace {

class PictureFileTest : public TempFolderTest {
  protected:
    QString clip(const char* name, ClipCodec codec, int frames) const {
        EXPECT_TRUE(testsupport::writeClip(path(name).toStdString(), codec, {.frames = frames}));
        return path(name);
    }
};

QImage redSquare() {
    QImage image(9, 9, QImage::Format_RGB32);
    image.fill(qRgb(200, 10, 20));
    return image;
}

}  // namespace

TEST_F(PictureFileTest, StillIsOnePageWithoutDelay) {
    ASSERT_TRUE(redSquare().save(path("square.png"), "png"));
    PictureFileReader reader;
    ASSERT_EQ(reader.open(path("square.png")), kOk);
    EXPECT_EQ(reader.fileName(), path("square.png"));
    EXPECT_EQ(reader.pageCount(), 1);
    EXPECT_EQ(reader.delayMs(), 0);
    std::vector<Picture> pages;
    ASSERT_EQ(reader.readPages(1, 10, &pages), kOk);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].colourAt(4, 4), makeColour(200, 10, 20));
    EXPECT_EQ(reader.readPages(2, 1, &pages), kPageOutOfRange);
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(reader.readPages(1, 0, &pages), kInvalidArgument);
    EXPECT_EQ(reader.readPages(1, 1, nullptr), kInvalidArgument);
}

TEST_F(PictureFileTest, ClipPagesAndDelayWhateverItsName) {
    PictureFileReader reader;
    ASSERT_EQ(reader.open(clip("clip.jpg", ClipCodec::kMpeg4BFrames, 30)), kOk);
    EXPECT_EQ(reader.pageCount(), 30);
    EXPECT_EQ(reader.delayMs(), 40);
    std::vector<Picture> pages;
    ASSERT_EQ(reader.readPages(25, 10, &pages), kOk);
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_EQ(testsupport::frameNumberOf(pages[0]), 24);
    EXPECT_EQ(testsupport::frameNumberOf(pages[5]), 29);
    ASSERT_TRUE(redSquare().save(path("really-a-bmp.avi"), "bmp"));
    ASSERT_EQ(reader.open(path("really-a-bmp.avi")), kOk);
    EXPECT_EQ(reader.pageCount(), 1);
}

TEST_F(PictureFileTest, BadFilesFailAndLeaveTheReaderClosed) {
    ASSERT_TRUE(redSquare().save(path("good.png"), "png"));
    QImage gradient(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            gradient.setPixel(x, y, qRgb(x * 4, y * 4, x ^ y));
        }
    }
    ASSERT_TRUE(gradient.save(path("gradient.png"), "png"));
    const QByteArray png = bytesOf(path("gradient.png"));
    ASSERT_GT(png.size(), 200);
    std::mt19937 random(3);
    QByteArray noise(4096, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    const QByteArray clipBytes = bytesOf(clip("good.avi", ClipCodec::kMjpeg, 5));
    const struct {
        QString file;
        int status;
    } cases[] = {
        {path("missing.png"), kFileNotFound},
        {dir_.path(), kFileNotFound},
        {write("empty.avi", {}), kCorruptData},
        {write("text.avi", "RIFF? no, just some words in a text file\n"), kUnknownFormat},
        {write("noise.jpg", noise), kUnknownFormat},
        {write("png-start.bmp", png.left(100)), kCorruptData},
        {write("clip-start.avi", clipBytes.left(300)), kCorruptData},
    };
    for (const auto& c : cases) {
        PictureFileReader reader;
        ASSERT_EQ(reader.open(path("good.png")), kOk);
        EXPECT_EQ(reader.open(c.file), c.status) << c.file.toStdString();
        EXPECT_FALSE(reader.isOpen());
        EXPECT_EQ(reader.pageCount(), 0);
        EXPECT_TRUE(reader.fileName().isEmpty());
        std::vector<Picture> pages(1);
        EXPECT_EQ(reader.readPages(1, 1, &pages), kNoBitmap);
        EXPECT_TRUE(pages.empty());
    }
}

TEST_F(PictureFileTest, KnowsWhenTheFileChangesOnDisk) {
    ASSERT_TRUE(redSquare().save(path("square.bmp"), "bmp"));
    PictureFileReader reader;
    EXPECT_FALSE(reader.isUnchangedOnDisk());
    ASSERT_EQ(reader.open(path("square.bmp")), kOk);
    EXPECT_TRUE(reader.isUnchangedOnDisk());
    {
        QFile file(path("square.bmp"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(-60),
                                     QFileDevice::FileModificationTime));
    }
    EXPECT_FALSE(reader.isUnchangedOnDisk());  // same size, other time
    ASSERT_EQ(reader.open(path("square.bmp")), kOk);
    ASSERT_TRUE(QImage(20, 20, QImage::Format_RGB32).save(path("square.bmp"), "bmp"));
    EXPECT_FALSE(reader.isUnchangedOnDisk());
    ASSERT_TRUE(QFile::remove(path("square.bmp")));
    EXPECT_FALSE(reader.isUnchangedOnDisk());
}

TEST(ImagingStatus, EveryFailureShowsTheGenericErrorText) {
    std::array<QString, 10> entries;
    for (int i = 0; i < 10; ++i) {
        entries[i] = QString::number(i);
    }
    for (const int status : {kFileNotFound, kUnknownFormat, kUnsupportedCodec, kCorruptData,
                             kTooLarge, kPageOutOfRange, kInvalidArgument, kNoBitmap}) {
        EXPECT_EQ(texts::errorText(status, entries), entries[0]) << status;
    }
}
