#include <gtest/gtest.h>

#include <QtEndian>
#include <algorithm>

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
    const QString path_ = path("clip.avi");
};

// The slot whose frame a page shows: its own, else the last earlier slot with a frame, else
// the first slot with a frame.
int shownSlot(int page, const std::vector<int>& emptySlots) {
    for (int slot = page - 1; slot >= 0; --slot) {
        if (std::ranges::find(emptySlots, slot) == emptySlots.end()) {
            return slot;
        }
    }
    return shownSlot(page + 1, emptySlots);  // none earlier: the first frame
}

// Reads a run and checks each page shows the frame of its own slot (page p is slot p - 1).
void expectRun(ClipDecoder& decoder, int first, int count, int expectedPages,
               const std::vector<int>& emptySlots = {}) {
    std::vector<Picture> pages;
    ASSERT_EQ(decoder.readPages(first, count, &pages), kOk) << "run at " << first;
    ASSERT_EQ(static_cast<int>(pages.size()), expectedPages) << "run at " << first;
    for (int i = 0; i < expectedPages; ++i) {
        EXPECT_EQ(testsupport::frameNumberOf(pages[i]), shownSlot(first + i, emptySlots))
            << "run at " << first;
    }
}

// Frame chunks of an AVI whose data lies whole in the file: what a cut clip still holds.
int wholeFrameChunks(const QByteArray& avi) {
    int whole = 0;
    for (qsizetype at = avi.indexOf("movi") + 4; at + 8 <= avi.size();) {
        const auto size = qFromLittleEndian<quint32>(avi.constData() + at + 4);
        if (at + 8 + size > avi.size()) {
            break;
        }
        whole += avi.mid(at + 2, 2) == "dc" || avi.mid(at + 2, 2) == "db" ? 1 : 0;
        at += 8 + size + size % 2;
    }
    return whole;
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
    for (int i = 0; i < kFrames; ++i) {  // every page once, jumping back and forth
        expectRun(decoder, i * 37 % kFrames + 1, 1, 1);
    }
    expectRun(decoder, kFrames - 13, 10, 10);  // a run after a seek
    expectRun(decoder, kFrames - 3, 10, 4);
    expectRun(decoder, 1, kFrames + 100, kFrames);  // every page in order
    EXPECT_EQ(decoder.readPages(kFrames + 1, 1, &pages), kPageOutOfRange);
    EXPECT_EQ((std::vector{decoder.readPages(0, 1, &pages), decoder.readPages(-5, 10, &pages),
                           decoder.readPages(1, 0, &pages), decoder.readPages(1, 1, nullptr)}),
              std::vector(4, int(kInvalidArgument)));
    expectRun(decoder, kFrames, 1, 1);  // still usable after the failures
}

// A cut clip keeps every frame whose data is whole, in order; nothing past them is announced.
TEST_P(ClipDecoderTest, TruncatedClipKeepsEveryWholeFrame) {
    const QByteArray avi = bytesOf(path_);
    const qsizetype frameData = avi.indexOf("movi");
    for (const double fraction : {0.5, 0.7}) {
        const QByteArray cut =
            avi.left(frameData + static_cast<qsizetype>((avi.size() - frameData) * fraction));
        const int whole = wholeFrameChunks(cut);
        ClipDecoder decoder;
        ASSERT_EQ(decoder.open(write("cut.avi", cut)), kOk);
        EXPECT_EQ(decoder.pageCount(), whole) << fraction;
        std::vector<Picture> pages;
        int decoded = 0, previous = -1;
        for (int first = 1; decoder.readPages(first, 10, &pages) == kOk; first += 10) {
            for (const Picture& page : pages) {
                // A cut B-frame leaves its slot to the frame after it: numbers only increase.
                const int number = testsupport::frameNumberOf(page);
                EXPECT_TRUE(number > previous && number <= decoded + 1) << number;
                previous = number;
                ++decoded;
            }
        }
        EXPECT_EQ(std::pair(decoded, decoder.pageCount()), std::pair(whole, whole)) << fraction;
        EXPECT_EQ(decoder.readPages(whole + 1, 1, &pages), kPageOutOfRange);
        expectRun(decoder, 1, 10, 10);
    }
}

// The count comes from the stream: a header that claims none, fewer or more frames than the
// file holds, or a container without a count, changes nothing.
TEST_P(ClipDecoderTest, PageCountIsWhatTheStreamHolds) {
    const QByteArray avi = bytesOf(path_);
    std::vector<QString> files = {
        write("none.avi", testsupport::withHeaderFrameCount(avi, 0)),
        write("fewer.avi", testsupport::withHeaderFrameCount(avi, kFrames / 2)),
        write("more.avi", testsupport::withHeaderFrameCount(avi, kFrames + 30))};
    if (GetParam() != ClipCodec::kRawBgr24) {  // Matroska stores no raw BGR
        files.push_back(path("clip.mkv"));
        ASSERT_TRUE(testsupport::writeClip(
            files.back().toStdString(), GetParam(),
            {.frames = kFrames, .container = testsupport::ClipContainer::kMatroska}));
    }
    for (const QString& file : files) {
        ClipDecoder decoder;
        ASSERT_EQ(decoder.open(file), kOk) << file.toStdString();
        EXPECT_EQ(decoder.pageCount(), kFrames) << file.toStdString();
        expectRun(decoder, kFrames - 9, 10, 10);
        std::vector<Picture> pages;
        EXPECT_EQ(decoder.readPages(kFrames + 1, 1, &pages), kPageOutOfRange);
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, ClipDecoderTest,
                         testing::Values(ClipCodec::kMjpeg, ClipCodec::kMpeg4,
                                         ClipCodec::kMpeg4BFrames, ClipCodec::kH264,
                                         ClipCodec::kRawBgr24, ClipCodec::kHuffyuv),
                         [](const auto& info) { return testsupport::codecName(info.param); });

// Capture programs write an empty chunk for a dropped frame: its slot is a page showing the
// frame before it (the first frame when none comes before), so the clip keeps its speed.
class EmptySlotTest : public TempFolderTest, public testing::WithParamInterface<ClipCodec> {};

TEST_P(EmptySlotTest, EveryPageLoadsAndAnEmptySlotShowsTheFrameBefore) {
    const std::vector<int> empty = {5, 6, 19, 20, 30, 44};
    const QString muxed = path("dropped.avi");
    ASSERT_TRUE(testsupport::writeClip(muxed.toStdString(), GetParam(),
                                       {.frames = 50, .emptySlots = empty}));
    const QString captured = path("captured.avi");
    const std::vector<int> leading = {0, 1, 4, 9};
    ASSERT_TRUE(testsupport::writeCapturedAvi(captured.toStdString(),
                                              {.frames = 12, .emptySlots = leading}, 0));
    for (const auto& [file, emptied, count] :
         {std::tuple{muxed, empty, 50}, std::tuple{captured, leading, 12}}) {
        ClipDecoder decoder;
        ASSERT_EQ(decoder.open(file), kOk);
        EXPECT_EQ(decoder.pageCount(), count);
        for (int first = 1; first <= count; first += 10) {
            expectRun(decoder, first, 10, std::min(10, count - first + 1), emptied);
        }
        for (int i = 0; i < count; ++i) {  // every page alone, jumping back and forth
            expectRun(decoder, i * 7 % count + 1, 1, 1, emptied);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Codecs, EmptySlotTest,
                         testing::Values(ClipCodec::kMjpeg, ClipCodec::kMpeg4, ClipCodec::kRawBgr24,
                                         ClipCodec::kHuffyuv),
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
