#include <gtest/gtest.h>

#include "imaging/ClipDecoder.h"
#include "imaging/ClipTiming.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/TempFolderTest.h"

using namespace imaging;
using testsupport::ClipCodec;
using ClipFileTest = TempFolderTest;

namespace {

constexpr int kFrames = 60;

class ClipDecoderTest : public TempFolderTest, public testing::WithParamInterface<ClipCodec> {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ASSERT_TRUE(testsupport::writeClip(path_.toStdString(), GetParam(), {.frames = kFrames}));
    }
    // Opens a copy of the clip cut at `fraction` of its frame data (the headers stay whole).
    void openCutCopy(ClipDecoder& decoder, double fraction) {
        const QByteArray bytes = bytesOf(path_);
        const qsizetype frameData = bytes.indexOf("movi");
        const auto kept = frameData + static_cast<qsizetype>((bytes.size() - frameData) * fraction);
        ASSERT_EQ(decoder.open(write("cut.avi", bytes.left(kept))), kOk);
    }

    const QString path_ = path("clip.avi");
};

// Reads a run and checks each page shows its own frame number (page p is frame p - 1).
void expectRun(ClipDecoder& decoder, int first, int count, int expectedPages) {
    std::vector<Picture> pages;
    ASSERT_EQ(decoder.readPages(first, count, &pages), kOk) << "run at " << first;
    ASSERT_EQ(static_cast<int>(pages.size()), expectedPages) << "run at " << first;
    for (int i = 0; i < expectedPages; ++i) {
        EXPECT_EQ(testsupport::frameNumberOf(pages[i]), first + i - 1) << "run at " << first;
    }
}

}  // namespace

TEST_P(ClipDecoderTest, EveryPageIsItsOwnFrameInAnyOrderAndOthersFail) {
    ClipDecoder decoder;
    std::vector<Picture> pages(3);
    EXPECT_EQ(decoder.readPages(1, 1, &pages), kInvalidArgument);  // not open
    ASSERT_EQ(decoder.open(path_), kOk);
    EXPECT_EQ(std::pair(decoder.pageCount(), decoder.delayMs()), std::pair(kFrames, 40));
    ASSERT_EQ(decoder.readPages(1, 1, &pages), kOk);
    EXPECT_EQ(std::tuple(pages[0].width(), pages[0].height(), pages[0].bits()),
              std::tuple(160, 120, 24));
    for (int page = 1; page <= kFrames; page += 10) {
        expectRun(decoder, page, 10, 10);
    }
    for (int page = kFrames - 9; page >= 1; page -= 10) {
        expectRun(decoder, page, 10, 10);
    }
    for (int i = 0; i < kFrames; ++i) {  // every page once, jumping back and forth
        expectRun(decoder, i * 37 % kFrames + 1, 1, 1);
    }
    expectRun(decoder, kFrames - 3, 10, 4);
    expectRun(decoder, 1, kFrames + 100, kFrames);
    EXPECT_EQ(decoder.readPages(kFrames + 1, 1, &pages), kPageOutOfRange);
    EXPECT_EQ(decoder.readPages(0, 1, &pages), kPageOutOfRange);
    EXPECT_EQ(decoder.readPages(-5, 10, &pages), kPageOutOfRange);
    EXPECT_EQ(decoder.readPages(1, 0, &pages), kInvalidArgument);
    EXPECT_EQ(decoder.readPages(1, 1, nullptr), kInvalidArgument);
    expectRun(decoder, kFrames, 1, 1);  // still usable after the failures
}

TEST_P(ClipDecoderTest, TruncatedClipCorrectsItsCount) {
    ClipDecoder half, most;
    openCutCopy(half, 0.5);
    std::vector<Picture> pages;
    int decoded = 0;
    for (int first = 1; first <= half.pageCount() && half.readPages(first, 10, &pages) == kOk;
         first += 10) {
        for (const Picture& page : pages) {
            EXPECT_EQ(testsupport::frameNumberOf(page), decoded++);
        }
    }
    EXPECT_TRUE(decoded > kFrames / 4 && decoded < kFrames) << decoded;
    EXPECT_EQ(half.pageCount(), decoded);
    EXPECT_EQ(half.readPages(decoded + 1, 1, &pages), kPageOutOfRange);
    EXPECT_EQ(half.readPages(kFrames, 1, &pages), kPageOutOfRange);
    expectRun(half, decoded, 1, 1);
    // A page beyond the real end fails before anything lowered the count.
    openCutCopy(most, 0.7);
    EXPECT_EQ(most.readPages(kFrames - 2, 10, &pages), kPageOutOfRange);
    EXPECT_TRUE(pages.empty());
    EXPECT_LT(most.pageCount(), kFrames);
    expectRun(most, most.pageCount(), 10, 1);
}

INSTANTIATE_TEST_SUITE_P(Codecs, ClipDecoderTest,
                         testing::Values(ClipCodec::kMjpeg, ClipCodec::kMpeg4,
                                         ClipCodec::kMpeg4BFrames, ClipCodec::kH264,
                                         ClipCodec::kRawBgr24, ClipCodec::kHuffyuv),
                         [](const auto& info) { return testsupport::codecName(info.param); });

TEST(ClipTiming, DelayFallsBackThroughRatesToTheDefault) {
    const AVRational none{0, 0};
    EXPECT_EQ(frameDelayMs({25, 1}, {50, 1}, {1, 90000}), 40);
    EXPECT_EQ(frameDelayMs(none, {30000, 1001}, {1, 90000}), 33);
    EXPECT_EQ(frameDelayMs(none, none, {1, 8}), 125);
    EXPECT_EQ(frameDelayMs(none, {-5, 1}, {0, 1}), kDefaultFrameDelayMs);
    EXPECT_EQ(frameDelayMs({1, 1000000}, none, none), kDefaultFrameDelayMs);  // absurdly slow
    EXPECT_EQ(frameDelayMs({100000, 1}, none, none), kDefaultFrameDelayMs);   // rounds to 0
    EXPECT_EQ(ticksPerFrame({25, 1}, none, {1, 25}), 1);
    EXPECT_EQ(ticksPerFrame(none, {25, 1}, {1, 90000}), 3600);
    EXPECT_EQ(ticksPerFrame(none, none, {1, 25}), 1);
}

TEST_F(ClipFileTest, ContentDecidesAndBadContentIsRefused) {
    const std::string goodPath = path("good.avi").toStdString();
    ASSERT_TRUE(testsupport::writeClip(goodPath, ClipCodec::kRawBgr24, {.frames = 4}));
    const QByteArray good = bytesOf(path("good.avi"));
    // Four bytes after `tag` replaced: strh has the codec at 8, strf width at 8 and codec at 20.
    const auto patched = [](QByteArray data, const char* tag, int offset, const char* bytes) {
        return data.replace(data.indexOf(tag) + 4 + offset, 4, bytes, 4);
    };
    const QByteArray unknownCodec = patched(patched(good, "strh", 8, "ZZZ9"), "strf", 20, "ZZZ9");
    const QByteArray jpegStart = QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(200, 'x');
    ClipDecoder decoder;
    for (const auto& [file, status] :
         {std::pair{path("missing.avi"), kFileNotFound},
          std::pair{write("empty.avi", {}), kCorruptData},
          std::pair{write("words.avi", "Hello, this is text and not a clip.\n"), kUnknownFormat},
          std::pair{write("still.avi", jpegStart), kUnknownFormat},  // a still, not a clip
          std::pair{write("huge.avi", patched(good, "strf", 8, "\x20\x4E\0\0")), kTooLarge},
          std::pair{write("codec.avi", unknownCodec), kUnsupportedCodec}}) {
        EXPECT_EQ(decoder.open(file), status) << file.toStdString();
        EXPECT_FALSE(decoder.isOpen());
    }
    ASSERT_EQ(decoder.open(write("clip.png", good)), kOk);
    EXPECT_EQ(decoder.pageCount(), 4);
}
