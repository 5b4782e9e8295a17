#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
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
    QString redSquare(const char* name, const char* format) const {
        QImage image(9, 9, QImage::Format_RGB32);
        image.fill(qRgb(200, 10, 20));
        EXPECT_TRUE(image.save(path(name), format));
        return path(name);
    }
};

}  // namespace

TEST_F(PictureFileTest, StillIsOnePageDecodedWhenRead) {
    PictureFileReader reader;
    ASSERT_EQ(reader.open(redSquare("square.png", "png")), kOk);
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
    // Cut short on disk after opening: the page is refused, not half decoded.
    write("square.png", bytesOf(path("square.png")).chopped(20));
    EXPECT_EQ(reader.readPages(1, 1, &pages), kCorruptData);
    EXPECT_TRUE(pages.empty());
}

TEST_F(PictureFileTest, ContentDecidesBetweenClipAndStill) {
    PictureFileReader reader;
    ASSERT_EQ(reader.open(clip("clip.jpg", ClipCodec::kMpeg4BFrames, 30)), kOk);
    EXPECT_EQ(reader.pageCount(), 30);
    EXPECT_EQ(reader.delayMs(), 40);
    std::vector<Picture> pages;
    ASSERT_EQ(reader.readPages(25, 10, &pages), kOk);
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_EQ(testsupport::frameNumberOf(pages[0]), 24);
    EXPECT_EQ(testsupport::frameNumberOf(pages[5]), 29);
    ASSERT_EQ(reader.open(redSquare("really-a-bmp.avi", "bmp")), kOk);
    EXPECT_EQ(reader.pageCount(), 1);
}

TEST_F(PictureFileTest, BadFilesFailAndLeaveTheReaderClosed) {
    std::mt19937 random(3);
    QByteArray noise(4096, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    const QString good = redSquare("good.png", "png");
    const struct {
        QString file;
        int status;
    } cases[] = {
        {path("missing.png"), kFileNotFound},
        {dir_.path(), kFileNotFound},
        {write("empty.avi", {}), kCorruptData},
        {write("text.avi", "RIFF? no, just some words in a text file\n"), kUnknownFormat},
        {write("noise.jpg", noise), kUnknownFormat},
        {write("png-start.bmp", bytesOf(good).left(40)), kCorruptData},
        {write("clip-start.avi", bytesOf(clip("good.avi", ClipCodec::kMjpeg, 5)).left(300)),
         kCorruptData},
    };
    for (const auto& c : cases) {
        PictureFileReader reader;
        ASSERT_EQ(reader.open(good), kOk);
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
    PictureFileReader reader;
    EXPECT_FALSE(reader.isUnchangedOnDisk());
    ASSERT_EQ(reader.open(redSquare("square.bmp", "bmp")), kOk);
    EXPECT_TRUE(reader.isUnchangedOnDisk());
    {
        QFile file(path("square.bmp"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(-60),
                                     QFileDevice::FileModificationTime));
    }
    EXPECT_FALSE(reader.isUnchangedOnDisk());  // same size, other time
    ASSERT_EQ(reader.open(path("square.bmp")), kOk);
    write("square.bmp", bytesOf(path("square.bmp")) + "more");
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
