#include <gtest/gtest.h>

#include <QSize>
#include <algorithm>
#include <random>

#include "imaging/ClipDecoder.h"
#include "imaging/ClipTiming.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"
#include "tests/support/TempFolderTest.h"

using namespace imaging;
using testsupport::ClipCodec;

namespace {

constexpr int kFrames = 60;

class ClipFileTest : public TempFolderTest {
  protected:
    QString clip(const char* name, ClipCodec codec, const testsupport::ClipOptions& options) {
        EXPECT_TRUE(testsupport::writeClip(path(name).toStdString(), codec, options));
        return path(name);
    }
};

class ClipDecoderTest : public ClipFileTest, public testing::WithParamInterface<ClipCodec> {
  protected:
    void SetUp() override {
        ClipFileTest::SetUp();
        path_ = clip("clip.avi", GetParam(), {.frames = kFrames});
    }
    // A copy of the clip cut at `fraction` of its frame data (the headers stay whole).
    QString cutCopy(double fraction) const {
        const QByteArray bytes = bytesOf(path_);
        const qsizetype frameData = bytes.indexOf("movi");
        return write(
            "cut.avi",
            bytes.left(frameData + static_cast<qsizetype>((bytes.size() - frameData) * fraction)));
    }

    QString path_;
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

TEST_P(ClipDecoderTest, EveryPageIsItsOwnFrameInAnyOrder) {
    ClipDecoder decoder;
    ASSERT_EQ(decoder.open(path_), kOk);
    EXPECT_EQ(decoder.pageCount(), kFrames);
    EXPECT_EQ(decoder.delayMs(), 40);
    std::vector<Picture> first;
    ASSERT_EQ(decoder.readPages(1, 1, &first), kOk);
    EXPECT_EQ(QSize(first[0].width(), first[0].height()), QSize(160, 120));
    EXPECT_EQ(first[0].bits(), 24);
    for (int first = 1; first <= kFrames; first += 10) {
        expectRun(decoder, first, 10, 10);
    }
    for (int first = kFrames - 9; first >= 1; first -= 10) {
        expectRun(decoder, first, 10, 10);
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> start(1, kFrames);
    for (int i = 0; i < 25; ++i) {
        const int first = start(random);
        expectRun(decoder, first, 10, std::min(10, kFrames - first + 1));
    }
    std::vector<int> order(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        order[i] = i + 1;
    }
    std::shuffle(order.begin(), order.end(), random);
    for (const int page : order) {
        expectRun(decoder, page, 1, 1);
    }
    expectRun(decoder, kFrames - 3, 10, 4);
    expectRun(decoder, 1, kFrames + 100, kFrames);
}

TEST_P(ClipDecoderTest, PagesOutsideTheClipAndBadArgumentsFail) {
    ClipDecoder decoder;
    std::vector<Picture> pages(3);
    EXPECT_EQ(decoder.readPages(1, 1, &pages), kInvalidArgument);  // not open
    ASSERT_EQ(decoder.open(path_), kOk);
    EXPECT_EQ(decoder.readPages(kFrames + 1, 1, &pages), kPageOutOfRange);
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(decoder.readPages(0, 1, &pages), kPageOutOfRange);
    EXPECT_EQ(decoder.readPages(-5, 10, &pages), kPageOutOfRange);
    EXPECT_EQ(decoder.readPages(1, 0, &pages), kInvalidArgument);
    EXPECT_EQ(decoder.readPages(1, 1, nullptr), kInvalidArgument);
    expectRun(decoder, kFrames, 1, 1);  // still usable after the failures
}

TEST_P(ClipDecoderTest, TruncatedClipCorrectsItsCount) {
    const QString cut = cutCopy(0.5);
    ClipDecoder decoder;
    ASSERT_EQ(decoder.open(cut), kOk);
    EXPECT_LE(decoder.pageCount(), kFrames);
    std::vector<Picture> pages;
    int decoded = 0;
    for (int first = 1; first <= decoder.pageCount(); first += 10) {
        if (decoder.readPages(first, 10, &pages) != kOk) {
            break;
        }
        for (std::size_t i = 0; i < pages.size(); ++i) {
            EXPECT_EQ(testsupport::frameNumberOf(pages[i]), first - 1 + static_cast<int>(i));
        }
        decoded += static_cast<int>(pages.size());
    }
    EXPECT_GT(decoded, kFrames / 4);
    EXPECT_LT(decoded, kFrames);
    EXPECT_EQ(decoder.pageCount(), decoded);
    EXPECT_EQ(decoder.readPages(decoded + 1, 1, &pages), kPageOutOfRange);
    EXPECT_EQ(decoder.readPages(kFrames, 1, &pages), kPageOutOfRange);
    expectRun(decoder, decoded, 1, 1);
}

TEST_P(ClipDecoderTest, PageBeyondTheRealEndOfATruncatedClipFailsFirst) {
    const QString cut = cutCopy(0.7);
    ClipDecoder decoder;
    ASSERT_EQ(decoder.open(cut), kOk);
    std::vector<Picture> pages;
    EXPECT_EQ(decoder.readPages(kFrames - 2, 10, &pages), kPageOutOfRange);
    EXPECT_TRUE(pages.empty());
    EXPECT_LT(decoder.pageCount(), kFrames);
    expectRun(decoder, decoder.pageCount(), 10, 1);
}

INSTANTIATE_TEST_SUITE_P(Codecs, ClipDecoderTest,
                         testing::Values(ClipCodec::kMjpeg, ClipCodec::kMpeg4,
                                         ClipCodec::kMpeg4BFrames, ClipCodec::kH264,
                                         ClipCodec::kRawBgr24, ClipCodec::kHuffyuv),
                         [](const auto& info) { return testsupport::codecName(info.param); });

TEST_F(ClipFileTest, FrameDelayFollowsTheFrameRate) {
    ClipDecoder decoder;
    ASSERT_EQ(decoder.open(clip("slow.avi", ClipCodec::kMjpeg, {.frames = 5, .fps = 10})), kOk);
    EXPECT_EQ(decoder.delayMs(), 100);
    EXPECT_EQ(decoder.pageCount(), 5);
}

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

namespace {

// The data with the bytes at `offset` after the end of the first `tag` overwritten: patches
// fields of the AVI headers.
QByteArray patched(QByteArray data, const QByteArray& tag, int offset, const QByteArray& bytes) {
    data.replace(data.indexOf(tag) + tag.size() + offset, bytes.size(), bytes);
    return data;
}

}  // namespace

TEST_F(ClipFileTest, ContentDecidesAndBadContentIsRefused) {
    const QByteArray good = bytesOf(clip("good.avi", ClipCodec::kRawBgr24, {.frames = 4}));
    ClipDecoder decoder;
    EXPECT_EQ(decoder.open(path("missing.avi")), kFileNotFound);
    EXPECT_EQ(decoder.open(write("empty.avi", {})), kCorruptData);
    EXPECT_EQ(decoder.open(write("words.avi", "Hello, this is text and not a clip.\n")),
              kUnknownFormat);
    EXPECT_EQ(decoder.open(
                  write("still.avi", QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(200, '\x11'))),
              kUnknownFormat);  // a JPEG start: a still-image demuxer, not a clip
    // strf holds a BITMAPINFOHEADER after its 4-byte size: width, height, planes, bits, fourcc.
    const QByteArray width20000("\x20\x4E\0\0", 4);
    EXPECT_EQ(decoder.open(write("huge.avi", patched(good, "strf", 8, width20000))), kTooLarge);
    // The codec's fourcc sits in strh (after the stream type) and in strf.
    const QByteArray unknownCodec = patched(patched(good, "strh", 8, "ZZZ9"), "strf", 20, "ZZZ9");
    EXPECT_EQ(decoder.open(write("codec.avi", unknownCodec)), kUnsupportedCodec);
    EXPECT_FALSE(decoder.isOpen());
    ASSERT_EQ(decoder.open(write("clip.png", good)), kOk);
    EXPECT_EQ(decoder.pageCount(), 4);
}
