#include "files/Cfilectl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <functional>
#include <numeric>
#include <random>

#include "imaging/LeadModel.h"
#include "tests/support/FileSystemLimits.h"
#include "tests/support/TempFolderTest.h"

using imaging::LeadModel;
using imaging::Picture;
using Control = CustumFileControl;
using enum CustumFileControl::Status;
using Levels = std::vector<std::vector<int>>;  // of each frame

namespace {

Picture randomFrame(int width, int height, int bits, unsigned seed) {
    std::mt19937 random(seed);
    Picture frame(width, height, bits);
    std::ranges::generate(frame.pixels(), [&] { return random() % (1u << bits); });
    return frame;
}

LeadModel listOf(const std::vector<Picture>& frames) {
    LeadModel list;
    for (const Picture& frame : frames) {
        list.InsertBitmapListItem(-1, frame);
    }
    return list;
}

// The level at `bits` (each frame's own when 0) of every pixel of the first `count` frames (all
// when -1), read through the frame's colours.
Levels levelsOf(const LeadModel& list, int bits = 0, int count = -1) {
    Levels all(count < 0 ? list.frameCount() : count);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Picture& frame = list.frame(i);
        for (const std::uint8_t index : frame.pixels()) {
            const int grey = imaging::blueOf(frame.palette()[index]);
            all[i].push_back(Control::GreyToLevel(grey, bits ? bits : frame.bits()));
        }
    }
    return all;
}

// Makes the XOR of the record starting at `at` 0xFF again after a test edited it.
void fixCheck(QByteArray& bytes, int at) {
    bytes[at + 3] = 0;
    bytes[at + 3] = ~std::accumulate(bytes.begin() + at, bytes.end(), char{0}, std::bit_xor<>());
}

class CfilectlTest : public TempFolderTest {
  protected:
    int save(const char* name, const LeadModel& list, int code = 0x3F) {
        Control control;
        control.FileName = path(name);
        control.BackColorCode = code;
        return control.Save(list);
    }
    int load(const char* name, Control& control) {
        control.FileName = path(name);
        return control.Load(list_, work_);
    }
    LeadModel list_, work_;
};

TEST(CfilectlNames, KindFollowsExtensionAndBaseNameIsCutAtACharacter) {
    Control control;
    EXPECT_EQ(control.SetFileName("/a/c.ZML"), Control::kImage);
    EXPECT_EQ(control.SetFileName("/a.zma/noextension"), Control::kOther);
    EXPECT_EQ(control.SetFileName("/a/e.zma.bmp"), Control::kOther);
    EXPECT_EQ(control.FileName, "/a/c.ZML");
    const QString e(QChar(0xE9)), smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    // Bases of 122, 123 (1 + 61 * 2) and 124 (31 * 4) UTF-8 bytes.
    for (const auto& [base, cut] : {std::pair{QString(122, 'k'), QString(122, 'k')},
                                    {"a" + e.repeated(61), "a" + e.repeated(60)},
                                    {smile.repeated(31), smile.repeated(30)}}) {
        EXPECT_EQ(control.SetFileName("/dir.x/" + base + ".Zma"), Control::kAnimation);
        EXPECT_EQ(control.FileName, "/dir.x/" + cut + ".Zma");
    }
}

// Records of one row each, saved with code 0x13F of which only the low byte is written.
TEST_F(CfilectlTest, RowsArePackedFromTheHighBitsInverted) {
    const std::vector<int> white(21, 1),
        ramp{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 2};
    for (const auto& [bits, levels, record] :
         std::vector<std::tuple<int, std::vector<int>, const char*>>{
             {1, {1}, "7A6D099F3F0000013F7F"},
             {1, white, "7A6D09F33F1400013F000007"},
             {2, ramp, "7A6D096D3F1400033FE4E4E4E4E47F"},
             {4, {1, 14, 5}, "7A6D09A23F02000F3FE1AF"},
             {8, {0, 1, 200, 255}, "7A6D092B3F0300FF3FFFFE3700"}}) {
        SCOPED_TRACE(record);
        Picture frame(static_cast<int>(levels.size()), 1, bits);
        std::copy(levels.begin(), levels.end(), frame.pixels().begin());
        ASSERT_EQ(save("row.zml", listOf({frame}), 0x13F), kOk);
        EXPECT_EQ(bytesOf(path("row.zml")), QByteArray::fromHex(record));
        Control control;
        ASSERT_EQ(load("row.zml", control), kOk);
        EXPECT_EQ(levelsOf(list_), Levels{levels});
    }
}

// Every frame goes at the current frame's size and depth (1 bit here); an image holds the first.
TEST_F(CfilectlTest, SavesAtTheCurrentFramesDepthAndRoundTripsLevels) {
    LeadModel list =
        listOf({randomFrame(9, 4, 8, 1), randomFrame(9, 4, 1, 2), randomFrame(9, 4, 4, 3)});
    ASSERT_EQ(list.setBitmapListIndex(1), 0);
    LeadModel largest = listOf({randomFrame(256, 256, 8, 4)});
    for (const auto& [name, saved, frames, bits, length] :
         {std::tuple{"a.zma", &list, 3, 1, 4 + 3 * (9 + 8)},
          {"a.zml", &list, 1, 1, 9 + 8},
          {"largest.zml", &largest, 1, 8, 9 + 65536}}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(save(name, *saved), kOk);
        EXPECT_EQ(bytesOf(path(name)).size(), length);
        Control control;
        ASSERT_EQ(load(name, control), kOk);
        EXPECT_EQ(control.GetFrameCount(), frames);
        EXPECT_EQ(levelsOf(list_), levelsOf(*saved, bits, frames));
    }
}

// A file of two 21 x 3 frames at 2 bits (records of 27 bytes), damaged; the frames before the
// damage are kept, and reading without decoding gives the same.
TEST_F(CfilectlTest, DamagedFilesGiveTheirStatusWhetherDecodingOrNot) {
    const LeadModel two = listOf({randomFrame(21, 3, 2, 9), randomFrame(21, 3, 2, 10)});
    ASSERT_EQ(save("two.zma", two), kOk);
    ASSERT_TRUE(QFile::link("/dev/zero", path("endless.zml")));
    const QByteArray animation = bytesOf(path("two.zma")), image = animation.mid(4, 27);
    const int flip = -1, second = 4 + 27;
    using Edit = std::function<void(QByteArray&)>;
    const auto cut = [](int size) { return Edit([=](QByteArray& b) { b.truncate(size); }); };
    // Sets byte `at` (flips its low bit for -1), then fixes the check of the record at `checked`.
    const auto set = [](int at, int value, int checked = -1) {
        return Edit([=](QByteArray& b) {
            b[at] = static_cast<char>(value < 0 ? b[at] ^ 1 : value);
            if (checked >= 0) {
                fixCheck(b, checked);
            }
        });
    };
    for (const auto& [name, edit, status, frames, announced] :
         std::vector<std::tuple<const char*, Edit, int, int, int>>{
             {"missing.zma", nullptr, kCannotOpen, 0, 0},
             {"endless.zml", nullptr, kNoLength, 0, 1},
             {"frame.bmp", cut(1000), kCannotOpen, 0, 0},
             {"check.zml", set(12, flip), kBadCheck, 0, 1},
             {"check.zma", set(second + 3, flip), kBadCheck, 1, 2},
             {"header.zml", cut(8), kTruncated, 0, 1},
             {"fileheader.zma", cut(3), kTruncated, 0, 0},
             {"filemagic.zma", set(1, 0x6E), kTruncated, 0, 0},
             {"secondheader.zma", cut(second + 5), kTruncated, 1, 2},
             {"seconddata.zma", cut(4 + 2 * 27 - 1), kTruncated, 1, 2},
             {"announced.zma", set(3, 3), kTruncated, 2, 3},
             {"bigendian.zma", set(2, 1), kTruncated, 2, 258},
             {"recordmagic.zml", set(1, 0x6C, 0), kTruncated, 0, 1},
             {"offset8.zml", set(2, 8, 0), kTruncated, 0, 1},
             {"onelevel.zml", set(7, 0, 0), kBadDepth, 0, 1},
             {"eightlevels.zma", set(second + 7, 7, second), kBadDepth, 1, 2},
             {"threelevels.zml", set(7, 2, 0), kOk, 1, 1},
             {"offset200.zml", set(2, 200, 0), kOk, 1, 1},
             {"tail.zma", [](QByteArray& b) { b += QByteArray(100, 'x'); }, kOk, 2, 2},
             {"tail.zml", [&](QByteArray& b) { b += animation; }, kOk, 1, 1},
             {"none.zma", [](QByteArray& b) { b = QByteArray::fromHex("7A610000"); }, kOk, 0, 0},
         }) {
        SCOPED_TRACE(name);
        QByteArray bytes = QString(name).endsWith(".zml") ? image : animation;
        if (edit) {
            edit(bytes);
            write(name, bytes);
        }
        list_ = listOf({Picture(1, 1, 1)});
        Control control;
        EXPECT_EQ(load(name, control), status);
        EXPECT_EQ(control.GetFrameCount(), announced);
        EXPECT_EQ(levelsOf(list_), levelsOf(two, 0, frames));
        int seen = 0;  // reading without decoding
        EXPECT_EQ(control.ReadFrames(false, [&](auto&, auto*) { return ++seen, kOk; }), status);
        EXPECT_EQ(seen, frames);
    }
}

// Records of different sizes, depths and codes under one header; offset 4 holds another code.
TEST_F(CfilectlTest, EachFrameKeepsItsOwnHeaderAndColourCode) {
    const LeadModel parts = listOf({randomFrame(21, 3, 2, 9), randomFrame(4, 2, 8, 2)});
    QByteArray bytes = QByteArray::fromHex("7A610002");
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(save("part.zml", listOf({parts.frame(i)}), i == 0 ? 5 : 40), kOk);
        QByteArray record = bytesOf(path("part.zml"));
        record[4] = 0x15;
        fixCheck(record, 0);
        bytes += record;
    }
    write("mixed.zma", bytes);
    Control control;
    ASSERT_EQ(load("mixed.zma", control), kOk);
    ASSERT_EQ(load("mixed.zma", control), kOk);  // a second Load starts afresh
    EXPECT_EQ(control.FrameColorCodes, (std::vector<std::uint8_t>{5, 40}));
    EXPECT_EQ(control.BackColorCode, 40);
    EXPECT_EQ(levelsOf(list_), levelsOf(parts));
    std::vector<std::array<int, 4>> seen;  // read without decoding: -1 if decoded after all
    ASSERT_EQ(control.ReadFrames(
                  false,
                  [&](const Control::FrameHeader& h, const Picture* levels) {
                      seen.push_back({h.width, h.height, h.bits, levels == nullptr ? h.code : -1});
                      return kOk;
                  }),
              kOk);
    EXPECT_EQ(seen, (std::vector<std::array<int, 4>>{{21, 3, 2, 5}, {4, 2, 8, 40}}));
    int visits = 0;  // a visitor's non-zero result stops the reading and is returned
    EXPECT_EQ(control.ReadFrames(false, [&](const auto&, const auto*) { return ++visits + 8; }), 9);
    EXPECT_EQ(visits, 1);
}

// Frames the format cannot carry are refused before writing; the safe writer's failures give
// their status. Neither touches the previous file or the list's current frame.
TEST_F(CfilectlTest, RefusedAndFailedSavesKeepThePreviousFileAndTheList) {
    const QString old = write("old.zma", "previous");
    const Picture ok(8, 8, 2);
    const std::vector<Picture> lists[] = {{Picture(8, 8, 24)},    {ok, ok, Picture(8, 8, 24)},
                                          {Picture(257, 1, 1)},   {Picture(1, 257, 8)},
                                          {ok, Picture(8, 9, 2)}, {}};
    for (const std::vector<Picture>& frames : lists) {
        EXPECT_EQ(save("old.zma", listOf(frames)), kBadDepth) << frames.size();
        // An image holds only the first frame.
        EXPECT_EQ(save("new.zml", listOf(frames)), frames.size() > 1 ? kOk : kBadDepth);
        EXPECT_EQ(save("frame.bmp", listOf(frames)), kCannotOpen);
    }
    EXPECT_EQ(save("old.zma", listOf(std::vector<Picture>(65536, Picture(1, 1, 1)))), kBadDepth);
    LeadModel list = listOf(std::vector<Picture>(10, randomFrame(160, 54, 2, 3)));
    list.setBitmapListIndex(6);
    {
        FileSizeLimit limit(1000);
        EXPECT_EQ(save("old.zma", list), kShortWrite);
    }
    EXPECT_EQ(save("nofolder/new.zma", list), kCannotOpen);
    EXPECT_EQ(list.BitmapListIndex(), 6);
    EXPECT_EQ(bytesOf(old), "previous");
    EXPECT_EQ(bytesOf(path("new.zml")).size(), 9 + 16);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"new.zml", "old.zma"}));
    ASSERT_EQ(save("old.zma", listOf(std::vector<Picture>(65535, Picture(1, 1, 1)))), kOk);
    EXPECT_EQ(bytesOf(old).left(4), QByteArray::fromHex("7A61FFFF"));
}

}  // namespace
