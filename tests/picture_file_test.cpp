#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "imaging/PictureFile.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/TempFolderTest.h"

using namespace imaging;

namespace {

class PictureFileTest : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        QImage image(9, 9, QImage::Format_RGB32);
        image.fill(qRgb(200, 10, 20));
        ASSERT_TRUE(image.save(still_, "bmp"));
        ASSERT_TRUE(
            testsupport::writeClip(clip_.toStdString(), testsupport::ClipCodec::kMpeg4BFrames, {}));
    }
    const QString still_ = path("really-a-bmp.avi"), clip_ = path("really-a-clip.jpg");
    PictureFileReader reader_;
    std::vector<Picture> pages_;
};

}  // namespace

TEST_F(PictureFileTest, ContentDecidesAndAStillIsDecodedWhenReadAndWatchedOnDisk) {
    ASSERT_EQ(reader_.open(clip_), kOk);
    EXPECT_EQ(std::pair(reader_.pageCount(), reader_.delayMs()), std::pair(60, 40));
    ASSERT_EQ(reader_.open(still_), kOk);
    EXPECT_EQ(std::tuple(reader_.fileName(), reader_.pageCount(), reader_.delayMs()),
              std::tuple(still_, 1, 0));
    EXPECT_TRUE(reader_.isUnchangedOnDisk());
    ASSERT_EQ(reader_.readPages(1, 10, &pages_), kOk);
    ASSERT_EQ(pages_.size(), 1u);
    EXPECT_EQ(pages_[0].colourAt(4, 4), makeColour(200, 10, 20));
    EXPECT_EQ(reader_.readPages(2, 1, &pages_), kPageOutOfRange);
    EXPECT_TRUE(pages_.empty());
    EXPECT_EQ((std::vector{reader_.readPages(1, 0, &pages_), reader_.readPages(0, 1, &pages_),
                           reader_.readPages(1, 1, nullptr)}),
              std::vector(3, int(kInvalidArgument)));
    QFile file(still_);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QDateTime opened = file.fileTime(QFileDevice::FileModificationTime);
    ASSERT_TRUE(file.setFileTime(opened.addSecs(-60), QFileDevice::FileModificationTime));
    EXPECT_FALSE(reader_.isUnchangedOnDisk());   // same size, other time
    ASSERT_TRUE(file.resize(file.size() - 20));  // cut short after opening
    ASSERT_TRUE(file.setFileTime(opened, QFileDevice::FileModificationTime));
    EXPECT_FALSE(reader_.isUnchangedOnDisk());                  // other size, same time
    EXPECT_EQ(reader_.readPages(1, 1, &pages_), kCorruptData);  // refused, not half decoded
    EXPECT_TRUE(pages_.empty());
    ASSERT_TRUE(QFile::remove(still_));
    EXPECT_FALSE(reader_.isUnchangedOnDisk());
}

// A still's signature decides: a damaged one is not tried as a clip.
TEST_F(PictureFileTest, BadFilesFailAndLeaveTheReaderClosed) {
    for (const auto& [file, status] :
         {std::pair{dir_.path(), kFileNotFound},
          {write("empty.avi", {}), kCorruptData},
          {write("pixels.jpg", bytesOf(still_).mid(60)), kUnknownFormat},
          {write("bmp-start.avi", bytesOf(still_).left(40)), kCorruptData},
          {write("clip-start.png", bytesOf(clip_).left(300)), kCorruptData}}) {
        ASSERT_EQ(reader_.open(still_), kOk);
        EXPECT_EQ(reader_.open(file), status) << file.toStdString();
        EXPECT_EQ(std::tuple(reader_.isOpen(), reader_.pageCount(), reader_.fileName()),
                  std::tuple(false, 0, QString()));
        pages_.resize(1);
        EXPECT_EQ(reader_.readPages(1, 1, &pages_), kNoBitmap);
        EXPECT_TRUE(pages_.empty());
    }
}
