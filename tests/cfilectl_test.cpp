#include "files/Cfilectl.h"

#include <gtest/gtest.h>

#include <QDir>
#include <algorithm>
#include <array>
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

namespace {

Picture levelFrame(int width, int bits, const std::vector<int>& levels) {
    Picture frame(width, static_cast<int>(levels.size()) / width, bits);
    std::copy(levels.begin(), levels.end(), frame.pixels().begin());
    return frame;
}

std::vector<Picture> randomFrames(int count, int width, int height, int bits, int seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> level(0, (1 << bits) - 1);
    std::vector<Picture> frames(count, Picture(width, height, bits));
    for (Picture& frame : frames) {
        std::generate(frame.pixels().begin(), frame.pixels().end(), [&] { return level(random); });
    }
    return frames;
}

// The level of every pixel at `bits`, read through the picture's colours.
std::vector<int> levelsOf(const Picture& frame, int bits) {
    std::vector<int> levels;
    for (const std::uint8_t index : frame.pixels()) {
        levels.push_back(Control::GreyToLevel(imaging::blueOf(frame.palette()[index]), bits));
    }
    return levels;
}

LeadModel listOf(const std::vector<Picture>& frames) {
    LeadModel list;
    for (const Picture& frame : frames) {
        list.InsertBitmapListItem(-1, frame);
    }
    return list;
}

// Makes the XOR of the record starting at `at` 0xFF again after a test edited it.
void fixCheck(QByteArray& bytes, int at) {
    bytes[at + 3] = 0;
    bytes[at + 3] = ~std::accumulate(bytes.begin() + at, bytes.end(), char{0}, std::bit_xor<>());
}

// Reads without decoding: the status, and each frame's width, height, bits and code (-1 when
// pixels were decoded after all).
int readHeaders(Control& control, std::vector<std::array<int, 4>>& seen) {
    return control.ReadFrames(false, [&](const Control::FrameHeader& h, const Picture* levels) {
        seen.push_back({h.width, h.height, h.bits, levels == nullptr ? h.code : -1});
        return kOk;
    });
}

class CfilectlTest : public TempFolderTest {
  protected:
    int save(const char* name, const LeadModel& list, int code = 0x3F) {
        Control control;
        control.FileName = path(name);
        control.BackColorCode = code;
        return control.Save(list);
    }
    int load(const char* name, LeadModel& list, Control& control) {
        control.FileName = path(name);
        return control.Load(list, work_);
    }
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
    LeadModel work_;
};

TEST(CfilectlConversions, LevelsGreysAndDepths) {
    const int bitsForLevels[][2] = {{1, 0},  {2, 1},   {3, 2},   {4, 2}, {5, 3},   {16, 4},
                                    {17, 5}, {129, 8}, {256, 8}, {0, 0}, {257, 0}, {-4, 0}};
    for (const auto& [levels, bits] : bitsForLevels) {
        EXPECT_EQ(Control::BitsForLevels(levels), bits) << levels;
    }
    // grey, bits -> level; that level, bits -> grey
    const int greys[][4] = {{63, 2, 0, 0},      {64, 2, 1, 85},    {191, 2, 2, 170},
                            {192, 2, 3, 255},   {127, 1, 0, 0},    {128, 1, 1, 255},
                            {0xEF, 4, 14, 238}, {0x77, 4, 7, 119}, {200, 8, 200, 200},
                            {300, 2, 3, 255},   {-5, 2, 0, 0},     {255, 0, 0, 0},
                            {255, 9, 0, 0}};
    for (const auto& [grey, bits, level, levelGrey] : greys) {
        EXPECT_EQ(Control::GreyToLevel(grey, bits), level) << grey << " " << bits;
        EXPECT_EQ(Control::LevelToGrey(level, bits), levelGrey) << level << " " << bits;
    }
}

TEST(CfilectlNames, KindFollowsExtensionAndBaseNameIsCutAtACharacter) {
    Control control;
    EXPECT_EQ(control.SetFileName("/a/c.ZML"), Control::kImage);
    EXPECT_EQ(control.SetFileName("/a/d.Zma"), Control::kAnimation);
    for (const char* other : {"/a/e.bmp", "/a.zma/noextension", "/a/e.zma.bmp"}) {
        EXPECT_EQ(control.SetFileName(other), Control::kOther);
    }
    EXPECT_EQ(control.FileName, "/a/d.Zma");
    const QString e(QChar(0xE9)), euro(QChar(0x20AC)),
        smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    // Bases of 130, 122, 123 (1 + 61 * 2), 123 (41 * 3) and 124 (31 * 4) UTF-8 bytes.
    for (const auto& [base, cut] : {std::pair{QString(130, 'n'), QString(122, 'n')},
                                    {QString(122, 'k'), QString(122, 'k')},
                                    {"a" + e.repeated(61), "a" + e.repeated(60)},
                                    {euro.repeated(41), euro.repeated(40)},
                                    {smile.repeated(31), smile.repeated(30)}}) {
        control.SetFileName("/dir.x/" + base + ".zma");
        EXPECT_EQ(control.FileName, "/dir.x/" + cut + ".zma");
    }
}

// Records of one row each, saved with code 0x13F of which only the low byte is written.
TEST_F(CfilectlTest, RowsArePackedFromTheHighBitsInvertedAndPaddingIsIgnored) {
    std::vector<int> white(21, 1), ramp(21);
    for (int x = 0; x < 21; ++x) {
        ramp[x] = x == 20 ? 2 : x % 4;
    }
    struct Row {
        int bits;
        std::vector<int> levels;
        const char *record, *otherPadding;
    };
    for (const Row& c :
         std::vector<Row>{{1, {1}, "7A6D099F3F0000013F7F", "00"},
                          {1, white, "7A6D09F33F1400013F000007", "000000"},
                          {2, ramp, "7A6D096D3F1400033FE4E4E4E4E47F", "E4E4E4E4E440"},
                          {4, {1, 14, 5}, "7A6D09A23F02000F3FE1AF", "E1A0"},
                          {8, {0, 1, 200, 255}, "7A6D092B3F0300FF3FFFFE3700", "FFFE3700"}}) {
        SCOPED_TRACE(c.record);
        const int width = static_cast<int>(c.levels.size());
        ASSERT_EQ(save("row.zml", listOf({levelFrame(width, c.bits, c.levels)}), 0x13F), kOk);
        QByteArray bytes = bytesOf(path("row.zml"));
        EXPECT_EQ(bytes, QByteArray::fromHex(c.record));
        bytes = bytes.left(9) + QByteArray::fromHex(c.otherPadding);
        fixCheck(bytes, 0);
        write("row.zml", bytes);
        LeadModel loaded;
        Control control;
        ASSERT_EQ(load("row.zml", loaded, control), kOk);
        EXPECT_EQ(levelsOf(*loaded.picture(), c.bits), c.levels);
        EXPECT_EQ((std::array{control.Width, control.Height, control.Bits, control.BackColorCode}),
                  (std::array{width, 1, c.bits, 0x3F}));
        EXPECT_TRUE(control.Buffer.empty() && !control.WorkBitmap.has_value());
    }
}

struct SaveCase {
    const char* name;
    int bits, width, height, count;
    int current;    // the list's current frame, whose size and depth the file takes
    int otherBits;  // the depth of every other frame
    qint64 length;
    bool lone = false;  // a picture without a list
};

void PrintTo(const SaveCase& c, std::ostream* out) {
    *out << c.name;
}

class CfilectlSaveTest : public CfilectlTest, public testing::WithParamInterface<SaveCase> {};

TEST_P(CfilectlSaveTest, SavesItsLengthKeepsTheListAndRoundTripsLevels) {
    const SaveCase& c = GetParam();
    std::vector<Picture> frames = randomFrames(c.count, c.width, c.height, c.otherBits, 7);
    frames[c.current] = randomFrames(1, c.width, c.height, c.bits, 8)[0];
    LeadModel list = listOf(frames);
    if (c.lone) {
        list.clearBitmapList();
        list.setBitmap(frames[0]);
    } else {
        ASSERT_EQ(list.setBitmapListIndex(c.current), 0);
    }
    write(c.name, QByteArray(70000, 'x'));  // a longer previous file leaves no stale bytes
    ASSERT_EQ(save(c.name, list), kOk);
    EXPECT_EQ(bytesOf(path(c.name)).size(), c.length);
    EXPECT_EQ(list.BitmapListIndex(), c.current);
    for (int i = 0; i < c.count; ++i) {
        EXPECT_EQ(list.frame(i), frames[i]);
    }
    LeadModel loaded;
    Control control;
    ASSERT_EQ(load(c.name, loaded, control), kOk);
    const int saved = QString(c.name).endsWith(".zml") ? 1 : c.count;  // an image: the first
    EXPECT_EQ(control.GetFrameCount(), saved);
    ASSERT_EQ(loaded.frameCount(), saved);
    for (int i = 0; i < saved; ++i) {
        EXPECT_EQ(loaded.frame(i).palette(), Picture::greyPalette(c.bits));
        EXPECT_EQ(levelsOf(loaded.frame(i), c.bits), levelsOf(frames[i], c.bits)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cfilectl, CfilectlSaveTest,
    testing::Values(SaveCase{"panel.zma", 2, 160, 54, 10, 0, 2, 4 + 10 * 2169},
                    SaveCase{"panel.zml", 2, 160, 54, 10, 4, 2, 2169},
                    SaveCase{"one.zma", 1, 1, 1, 1, 0, 1, 4 + 10},
                    SaveCase{"lone.zma", 4, 3, 1, 1, 0, 4, 4 + 9 + 2, true},
                    SaveCase{"oneBit.zma", 1, 21, 5, 3, 1, 1, 4 + 3 * (9 + 15)},
                    SaveCase{"wide.zma", 4, 256, 3, 3, 2, 4, 4 + 3 * (9 + 384)},
                    SaveCase{"high.zma", 8, 7, 256, 3, 0, 8, 4 + 3 * (9 + 1792)},
                    SaveCase{"largest.zml", 8, 256, 256, 1, 0, 8, 9 + 65536},
                    SaveCase{"mixed.zma", 2, 9, 4, 4, 2, 8, 4 + 4 * (9 + 12)},
                    SaveCase{"mixedOneBit.zma", 1, 9, 4, 3, 1, 4, 4 + 3 * (9 + 8)}),
    [](const auto& info) { return QString(info.param.name).remove('.').toStdString(); });

// A file of two 21 x 3 frames at 2 bits (records of 27 bytes) to damage.
class CfilectlReadTest : public CfilectlTest {
  protected:
    using Edit = std::function<void(QByteArray&)>;
    static Edit set(int at, int value, int checkedRecord = -1) {
        return [=](QByteArray& b) {
            b[at] = static_cast<char>(value < 0 ? b[at] ^ 1 : value);
            if (checkedRecord >= 0) {
                fixCheck(b, checkedRecord);
            }
        };
    }
    static Edit cut(int size) {
        return [=](QByteArray& b) { b = size < 0 ? b.mid(-size) : b.left(size); };
    }
    const std::vector<Picture> frames_ = randomFrames(2, 21, 3, 2, 9);
};

TEST_F(CfilectlReadTest, DamagedFilesGiveTheirStatusWhetherDecodingOrNot) {
    ASSERT_EQ(save("two.zma", listOf(frames_)), kOk);
    ASSERT_TRUE(QFile::link("/dev/zero", path("endless.zml")));
    const QByteArray animation = bytesOf(path("two.zma")), image = animation.mid(4, 27);
    const int flip = -1, second = 4 + 27;
    struct Row {
        const char* name;
        Edit edit;
        int status, frames, announced;
    };
    for (const Row& row : std::vector<Row>{
             {"missing.zml", nullptr, kCannotOpen, 0, 1},
             {"missing.zma", nullptr, kCannotOpen, 0, 0},
             {"endless.zml", nullptr, kNoLength, 0, 1},
             {"frame.bmp", cut(1000), kCannotOpen, 0, 0},
             {"check.zml", set(12, flip), kBadCheck, 0, 1},
             {"check.zma", set(second + 3, flip), kBadCheck, 1, 2},
             {"header.zml", cut(8), kTruncated, 0, 1},
             {"fileheader.zma", cut(3), kTruncated, 0, 0},
             {"filemagic.zma", set(1, 0x6E), kTruncated, 0, 0},
             {"bare.zma", cut(-4), kTruncated, 0, 0},
             {"secondheader.zma", cut(second + 5), kTruncated, 1, 2},
             {"seconddata.zma", cut(4 + 2 * 27 - 1), kTruncated, 1, 2},
             {"announced.zma", set(3, 3), kTruncated, 2, 3},
             {"bigendian.zma", set(2, 1), kTruncated, 2, 258},
             {"recordmagic0.zml", set(0, 0x7B, 0), kTruncated, 0, 1},
             {"recordmagic1.zml", set(1, 0x6C, 0), kTruncated, 0, 1},
             {"offset8.zml", set(2, 8, 0), kTruncated, 0, 1},
             {"offset0.zma", set(second + 2, 0, second), kTruncated, 1, 2},
             {"onelevel.zml", set(7, 0, 0), kBadDepth, 0, 1},
             {"eightlevels.zma", set(second + 7, 7, second), kBadDepth, 1, 2},
             {"threelevels.zml", set(7, 2, 0), kOk, 1, 1},
             {"offset200.zml", set(2, 200, 0), kOk, 1, 1},
             {"tail.zma", [](QByteArray& b) { b += QByteArray(100, 'x'); }, kOk, 2, 2},
             {"tail.zml", [&](QByteArray& b) { b += animation; }, kOk, 1, 1},
             {"none.zma", [](QByteArray& b) { b = QByteArray::fromHex("7A610000"); }, kOk, 0, 0},
         }) {
        SCOPED_TRACE(row.name);
        QByteArray bytes = QString(row.name).endsWith(".zml") ? image : animation;
        if (row.edit) {
            row.edit(bytes);
            write(row.name, bytes);
        }
        LeadModel list = listOf({levelFrame(1, 1, {0})});
        Control control;
        EXPECT_EQ(load(row.name, list, control), row.status);
        EXPECT_EQ(control.GetFrameCount(), row.announced);
        ASSERT_EQ(list.frameCount(), row.frames);
        for (int i = 0; i < row.frames; ++i) {
            EXPECT_EQ(levelsOf(list.frame(i), 2), levelsOf(frames_[i], 2));
        }
        std::vector<std::array<int, 4>> seen;
        EXPECT_EQ(readHeaders(control, seen), row.status);
        EXPECT_EQ(static_cast<int>(seen.size()), row.frames);
    }
}

TEST_F(CfilectlReadTest, EachFrameKeepsItsOwnHeaderAndColourCode) {
    // Records of different sizes, depths and codes under one header; offset 4 holds another code.
    const std::vector<std::pair<Picture, int>> parts{
        {levelFrame(1, 1, {1}), 0x3F}, {frames_[0], 5}, {randomFrames(1, 4, 2, 8, 2)[0], 40}};
    QByteArray bytes = QByteArray::fromHex("7A610003");
    for (const auto& [frame, code] : parts) {
        ASSERT_EQ(save("part.zml", listOf({frame}), code), kOk);
        QByteArray record = bytesOf(path("part.zml"));
        record[4] = 0x15;
        fixCheck(record, 0);
        bytes += record;
    }
    write("mixed.zma", bytes);
    Control control;
    control.SetFileName(path("mixed.zma"));
    std::vector<std::array<int, 4>> seen;
    ASSERT_EQ(readHeaders(control, seen), kOk);
    EXPECT_EQ(seen,
              (std::vector<std::array<int, 4>>{{1, 1, 1, 0x3F}, {21, 3, 2, 5}, {4, 2, 8, 40}}));
    LeadModel list;
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(control.Load(list, work_), kOk);
        EXPECT_EQ(control.FrameColorCodes, (std::vector<std::uint8_t>{0x3F, 5, 40}));
    }
    EXPECT_EQ(control.BackColorCode, 40);
    for (int i = 0; i < 3; ++i) {
        const int bits = parts[i].first.bits();
        EXPECT_EQ(list.frame(i).bits(), bits);
        EXPECT_EQ(levelsOf(list.frame(i), bits), levelsOf(parts[i].first, bits));
    }
    int visits = 0;  // a visitor's non-zero result stops the reading and is returned
    EXPECT_EQ(control.ReadFrames(false, [&](const auto&, const auto*) { return ++visits + 8; }), 9);
    EXPECT_EQ(visits, 1);
}

TEST_F(CfilectlTest, FramesTheFormatCannotCarryAreRefusedBeforeWriting) {
    const QString old = write("old.zma", "previous");
    const Picture ok(8, 8, 2);
    const std::vector<Picture> lists[] = {{Picture(8, 8, 24)},    {ok, ok, Picture(8, 8, 24)},
                                          {Picture(257, 1, 1)},   {Picture(1, 257, 8)},
                                          {ok, Picture(8, 9, 2)}, {}};
    for (const std::vector<Picture>& frames : lists) {
        EXPECT_EQ(save("old.zma", listOf(frames)), kBadDepth) << frames.size();
        // An image holds only the first frame.
        EXPECT_EQ(save("new.zml", listOf(frames)), frames.size() > 1 ? kOk : kBadDepth);
    }
    LeadModel many = listOf(std::vector<Picture>(65536, levelFrame(1, 1, {1})));
    EXPECT_EQ(save("old.zma", many), kBadDepth);
    EXPECT_EQ(bytesOf(old), "previous");
    EXPECT_EQ(files(), (QStringList{"new.zml", "old.zma"}));
    many.setBitmapListIndex(65535);
    many.releaseBitmap();
    ASSERT_EQ(save("old.zma", many), kOk);
    EXPECT_EQ(bytesOf(old).left(4), QByteArray::fromHex("7A61FFFF"));
}

// A full disk often fails only the last buffered write; one panel image is below Qt's buffer.
TEST_F(CfilectlTest, FullDiskKeepsThePreviousFileAndLeavesNoTemporary) {
    LeadModel list = listOf(randomFrames(10, 160, 54, 2, 3));
    list.setBitmapListIndex(6);
    for (const char* name : {"old.zml", "old.zma"}) {
        const QString file = write(name, "previous");
        {
            FileSizeLimit limit(1000);
            EXPECT_EQ(save(name, list), kShortWrite) << name;
        }
        EXPECT_EQ(bytesOf(file), "previous");
        EXPECT_EQ(files(), QStringList{name});
        EXPECT_EQ(list.BitmapListIndex(), 6);
        QFile::remove(file);
    }
}

TEST_F(CfilectlTest, FolderRefusingNewFilesIsWrittenInPlace) {
    const std::vector<Picture> frames = randomFrames(3, 21, 5, 2, 4);
    const QString kept = write("kept.zma", QByteArray(5000, 'x'));
    write("frame.bmp", "other");
    for (const char* name : {"nofolder/new.zma", "frame.bmp"}) {
        EXPECT_EQ(save(name, listOf(frames)), kCannotOpen) << name;
    }
    {
        FolderRefusingNewFiles refusing(dir_.path());
        ASSERT_TRUE(refusing.active());
        EXPECT_EQ(save("kept.zma", listOf(frames)), kOk);
        EXPECT_EQ(save("new.zma", listOf(frames)), kCannotOpen);
    }
    EXPECT_EQ(files(), (QStringList{"frame.bmp", "kept.zma"}));
    EXPECT_EQ(bytesOf(path("frame.bmp")), "other");
    EXPECT_EQ(bytesOf(kept).size(), 4 + 3 * (9 + 30));
    LeadModel loaded;
    Control control;
    ASSERT_EQ(load("kept.zma", loaded, control), kOk);
    ASSERT_EQ(loaded.frameCount(), 3);
    EXPECT_EQ(levelsOf(loaded.frame(2), 2), levelsOf(frames[2], 2));
}

}  // namespace
