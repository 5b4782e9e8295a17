#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "imaging/PictureFile.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/TempFolderTest.h"

using namespace imaging;
using testsupport::ClipCodec;

namespace {

class PictureFileTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        QImage image(9, 9, QImage::Format_RGB32);
        image.fill(qRgb(200, 10, 20));
        ASSERT_TRUE(image.save(still_, "bmp"));
        ASSERT_TRUE(testsupport::writeClip(clip_.toStdString(), ClipCodec::kMpeg4BFrames, {}));
    }

    const QString still_ = path("really-a-bmp.avi");
    const QString clip_ = path("really-a-clip.jpg");
};

}  // namespace

TEST_F(PictureFileTest, ContentDecidesAndAStillIsDecodedWhenReadAndWatchedOnDisk) {
    PictureFileReader reader;
    ASSERT_EQ(reader.open(still_), kOk);
    EXPECT_EQ(std::tuple(reader.fileName(), reader.pageCount(), reader.delayMs()),
              std::tuple(still_, 1, 0));
    EXPECT_TRUE(reader.isUnchangedOnDisk());
    std::vector<Picture> pages;
    ASSERT_EQ(reader.readPages(1, 10, &pages), kOk);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].colourAt(4, 4), makeColour(200, 10, 20));
    EXPECT_EQ(reader.readPages(2, 1, &pages), kPageOutOfRange);
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(reader.readPages(1, 0, &pages), kInvalidArgument);
    EXPECT_EQ(reader.readPages(0, 1, &pages), kInvalidArgument);
    EXPECT_EQ(reader.readPages(1, 1, nullptr), kInvalidArgument);
    QFile file(still_);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(file.fileTime(QFileDevice::FileModificationTime).addSecs(-60),
                                 QFileDevice::FileModificationTime));
    EXPECT_FALSE(reader.isUnchangedOnDisk());  // same size, other time
    ASSERT_EQ(reader.open(still_), kOk);
    const QDateTime opened = file.fileTime(QFileDevice::FileModificationTime);
    write("really-a-bmp.avi", bytesOf(still_).chopped(20));  // cut short after opening
    ASSERT_TRUE(file.setFileTime(opened, QFileDevice::FileModificationTime));
    EXPECT_FALSE(reader.isUnchangedOnDisk());                 // other size, same time
    EXPECT_EQ(reader.readPages(1, 1, &pages), kCorruptData);  // refused, not half decoded
    EXPECT_TRUE(pages.empty());
    ASSERT_TRUE(QFile::remove(still_));
    EXPECT_FALSE(reader.isUnchangedOnDisk());
    ASSERT_EQ(reader.open(clip_), kOk);
    EXPECT_EQ(std::pair(reader.pageCount(), reader.delayMs()), std::pair(60, 40));
    ASSERT_EQ(reader.readPages(55, 10, &pages), kOk);
    ASSERT_EQ(pages.size(), 6u);
    EXPECT_EQ(testsupport::frameNumberOf(pages[0]), 54);
}

TEST_F(PictureFileTest, BadFilesFailAndLeaveTheReaderClosed) {
    // A still's signature decides: a damaged one is not tried as a clip.
    for (const auto& [file, status] :
         {std::pair{dir_.path(), kFileNotFound}, std::pair{write("empty.avi", {}), kCorruptData},
          std::pair{write("pixels.jpg", bytesOf(still_).mid(60)), kUnknownFormat},
          std::pair{write("bmp-start.avi", bytesOf(still_).left(40)), kCorruptData},
          std::pair{write("clip-start.png", bytesOf(clip_).left(300)), kCorruptData}}) {
        PictureFileReader reader;
        ASSERT_EQ(reader.open(still_), kOk);
        EXPECT_EQ(reader.open(file), status) << file.toStdString();
        EXPECT_EQ(std::tuple(reader.isOpen(), reader.pageCount(), reader.fileName()),
                  std::tuple(false, 0, QString()));
        std::vector<Picture> pages(1);
        EXPECT_EQ(reader.readPages(1, 1, &pages), kNoBitmap);
        EXPECT_TRUE(pages.empty());
    }
}
