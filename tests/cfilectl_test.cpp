#include "files/Cfilectl.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <random>

#include "imaging/LeadModel.h"

using imaging::Picture;
using Control = CustumFileControl;

namespace {

constexpr int kWhiteCode = 0x3F;

class CfilectlFileTest : public testing::Test {
  protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

    static QByteArray readAll(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void writeAll(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // Saves `list` under `name` and returns the status.
    int save(const QString& name, imaging::LeadModel& list, int code = kWhiteCode) {
        Control control;
        control.SetFileName(path(name));
        control.BackColorCode = code;
        return control.Save(list);
    }

    int load(const QString& name, imaging::LeadModel& list) {
        Control control;
        control.SetFileName(path(name));
        return control.Load(list, work_);
    }

    QTemporaryDir dir_;
    imaging::LeadModel work_;
};

// A frame whose palette indices are the given levels, over the panel greys of `bits`.
Picture levelFrame(int width, int height, int bits, const std::vector<int>& levels) {
    Picture frame(width, height, bits);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        frame.pixels()[i] = static_cast<std::uint8_t>(levels[i]);
    }
    return frame;
}

Picture randomFrame(int width, int height, int bits, std::mt19937& random) {
    std::uniform_int_distribution<int> level(0, (1 << bits) - 1);
    std::vector<int> levels(static_cast<std::size_t>(width) * height);
    for (int& l : levels) {
        l = level(random);
    }
    return levelFrame(width, height, bits, levels);
}

// `count` random frames of one size and depth.
std::vector<Picture> randomFrames(int count, int width, int height, int bits,
                                  std::mt19937& random) {
    std::vector<Picture> frames;
    for (int i = 0; i < count; ++i) {
        frames.push_back(randomFrame(width, height, bits, random));
    }
    return frames;
}

// The level of every pixel, read through the picture's colours.
std::vector<int> levelsOf(const Picture& frame, int bits) {
    std::vector<int> levels;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            levels.push_back(Control::GreyToLevel(imaging::blueOf(frame.colourAt(x, y)), bits));
        }
    }
    return levels;
}

void fillList(imaging::LeadModel& list, const std::vector<Picture>& frames) {
    list.clearBitmapList();
    for (const Picture& frame : frames) {
        ASSERT_EQ(list.InsertBitmapListItem(-1, frame), 0);
    }
}

// Makes the XOR of the record starting at `at` 0xFF again after a test edited it.
void fixCheck(QByteArray& bytes, int at) {
    bytes[at + 3] = 0;
    std::uint8_t x = 0;
    for (qsizetype i = at; i < bytes.size(); ++i) {
        x ^= static_cast<std::uint8_t>(bytes[i]);
    }
    bytes[at + 3] = static_cast<char>(~x);
}

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}

// --- Conversions ---

TEST(CfilectlLevels, BitsForLevelsIsSmallestDepthHoldingTheLevels) {
    const std::vector<std::pair<int, int>> cases{{1, 0},   {2, 1},  {3, 2},   {4, 2},   {5, 3},
                                                 {9, 4},   {16, 4}, {17, 5},  {128, 7}, {129, 8},
                                                 {256, 8}, {0, 0},  {257, 0}, {-4, 0}};
    for (const auto& [levels, bits] : cases) {
        EXPECT_EQ(Control::BitsForLevels(levels), bits) << levels;
    }
}

TEST(CfilectlLevels, GreyToLevelTruncatesAtEachDepth) {
    const std::vector<std::pair<int, int>> twoBits{{0, 0},   {63, 0},  {64, 1},  {127, 1},
                                                   {128, 2}, {191, 2}, {192, 3}, {255, 3}};
    for (const auto& [grey, level] : twoBits) {
        EXPECT_EQ(Control::GreyToLevel(grey, 2), level) << grey;
    }
    EXPECT_EQ(Control::GreyToLevel(127, 1), 0);
    EXPECT_EQ(Control::GreyToLevel(128, 1), 1);
    EXPECT_EQ(Control::GreyToLevel(0xEF, 4), 14);
    EXPECT_EQ(Control::GreyToLevel(200, 8), 200);
    EXPECT_EQ(Control::GreyToLevel(300, 2), 3);
    EXPECT_EQ(Control::GreyToLevel(-5, 2), 0);
    EXPECT_EQ(Control::GreyToLevel(255, 0), 0);
}

TEST(CfilectlLevels, LevelToGreyScalesToFullWhite) {
    EXPECT_EQ(Control::LevelToGrey(1, 1), 255);
    EXPECT_EQ(Control::LevelToGrey(2, 2), 170);
    EXPECT_EQ(Control::LevelToGrey(3, 2), 255);
    EXPECT_EQ(Control::LevelToGrey(7, 4), 119);
    EXPECT_EQ(Control::LevelToGrey(200, 8), 200);
    EXPECT_EQ(Control::LevelToGrey(0, 2), 0);
    EXPECT_EQ(Control::LevelToGrey(1, 0), 0);
    EXPECT_EQ(Control::LevelToGrey(1, 9), 0);
}

// --- Names ---

TEST(CfilectlNames, KindFollowsExtensionInAnyCase) {
    Control control;
    EXPECT_EQ(control.SetFileName("/a/b.zml"), Control::kImage);
    EXPECT_EQ(control.FileName, "/a/b.zml");
    EXPECT_EQ(control.SetFileName("/a/c.ZML"), Control::kImage);
    EXPECT_EQ(control.FileName, "/a/c.ZML");
    EXPECT_EQ(control.SetFileName("/a/d.Zma"), Control::kAnimation);
    EXPECT_EQ(control.FileName, "/a/d.Zma");
    EXPECT_EQ(control.SetFileName("/a/e.bmp"), Control::kOther);
    EXPECT_EQ(control.SetFileName("/a.zma/noextension"), Control::kOther);
    EXPECT_EQ(control.SetFileName("/a/e.zma.bmp"), Control::kOther);
    EXPECT_EQ(control.FileName, "/a/d.Zma");
}

TEST(CfilectlNames, LongBaseNameIsCutTo122Bytes) {
    Control control;
    ASSERT_EQ(control.SetFileName("/dir.x/" + QString(130, 'n') + ".zma"), Control::kAnimation);
    EXPECT_EQ(control.FileName, "/dir.x/" + QString(122, 'n') + ".zma");
    control.SetFileName("/d/" + QString(122, 'k') + ".zml");
    EXPECT_EQ(control.FileName, "/d/" + QString(122, 'k') + ".zml");
}

TEST(CfilectlNames, MultiByteNameIsCutAtCharacterBoundary) {
    Control control;
    // 'a' then 61 two-byte characters: 123 bytes, so the last whole character goes.
    control.SetFileName("/d/a" + QString(61, QChar(0x00E9)) + ".zml");
    EXPECT_EQ(control.FileName, "/d/a" + QString(60, QChar(0x00E9)) + ".zml");
    // 41 three-byte characters: 123 bytes, cut to 40 characters (120 bytes).
    control.SetFileName("/d/" + QString(41, QChar(0x20AC)) + ".zma");
    EXPECT_EQ(control.FileName, "/d/" + QString(40, QChar(0x20AC)) + ".zma");
    // Four-byte characters (surrogate pairs in the string) stay whole: 31 * 4 = 124 bytes.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    control.SetFileName("/d/" + emoji.repeated(31) + ".zma");
    EXPECT_EQ(control.FileName, "/d/" + emoji.repeated(30) + ".zma");
    EXPECT_EQ(control.FileName.toUtf8().size(), 3 + 120 + 4);
}

// --- Frame counts ---

TEST_F(CfilectlFileTest, FrameCountOfImageNeedsNoFile) {
    Control control;
    control.SetFileName(path("missing.zml"));
    EXPECT_EQ(control.GetFrameCount(), 1);
    control.SetFileName(path("missing.zma"));
    EXPECT_EQ(control.GetFrameCount(), 0);
    Control unnamed;
    EXPECT_EQ(unnamed.GetFrameCount(), 0);
}

TEST_F(CfilectlFileTest, FrameCountOfAnimationIsBigEndianHeaderCount) {
    Control control;
    control.SetFileName(path("a.zma"));
    writeAll(path("a.zma"), hex("7A610102"));
    EXPECT_EQ(control.GetFrameCount(), 258);
    writeAll(path("a.zma"), hex("7A610000"));
    EXPECT_EQ(control.GetFrameCount(), 0);
    writeAll(path("a.zma"), hex("7A6101"));
    EXPECT_EQ(control.GetFrameCount(), 0);
    writeAll(path("a.zma"), hex("7A6D0102"));
    EXPECT_EQ(control.GetFrameCount(), 0);
}

// --- Layout ---

TEST_F(CfilectlFileTest, WorkedExampleIsWrittenByteForByte) {
    imaging::LeadModel list;
    fillList(list, {levelFrame(1, 1, 1, {1})});
    ASSERT_EQ(save("one.zml", list), Control::kOk);
    EXPECT_EQ(readAll(path("one.zml")), hex("7A6D099F3F0000013F7F"));

    imaging::LeadModel loaded;
    Control control;
    control.SetFileName(path("one.zml"));
    ASSERT_EQ(control.Load(loaded, work_), Control::kOk);
    ASSERT_EQ(loaded.BitmapListCount(), 1);
    EXPECT_EQ(loaded.picture()->bits(), 1);
    EXPECT_EQ(loaded.picture()->colourAt(0, 0), imaging::greyColour(255));
    EXPECT_EQ(control.BackColorCode, kWhiteCode);
    EXPECT_EQ(control.Width, 1);
    EXPECT_EQ(control.Height, 1);
    EXPECT_EQ(control.Bits, 1);
    EXPECT_TRUE(control.Buffer.empty());
    EXPECT_FALSE(control.WorkBitmap.has_value());
}

TEST_F(CfilectlFileTest, OnlyLowByteOfColourCodeIsWritten) {
    imaging::LeadModel list;
    fillList(list, {levelFrame(1, 1, 1, {1})});
    ASSERT_EQ(save("one.zml", list, 0x13F), Control::kOk);
    EXPECT_EQ(readAll(path("one.zml")), hex("7A6D099F3F0000013F7F"));
}

// Each case: a one-row frame, its stored pixel data, and the same data with other padding.
struct RowCase {
    int bits;
    std::vector<int> levels;
    const char* stored;
    const char* otherPadding;
};

TEST_F(CfilectlFileTest, RowsArePackedFromTheHighBitsAndInverted) {
    std::vector<int> white21(21, 1);
    std::vector<int> blackLast21 = white21;
    blackLast21[20] = 0;
    std::vector<int> ramp21(21);
    for (int x = 0; x < 21; ++x) {
        ramp21[x] = x % 4;
    }
    ramp21[20] = 2;
    const std::vector<RowCase> cases{
        {1, white21, "000007", "000000"},
        {1, blackLast21, "00000F", "000008"},
        {2, ramp21, "E4E4E4E4E47F", "E4E4E4E4E440"},
        {4, {1, 14, 5}, "E1AF", "E1A0"},
        {8, {0, 1, 200, 255}, "FFFE3700", "FFFE3700"},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.stored);
        const int width = static_cast<int>(c.levels.size());
        imaging::LeadModel list;
        fillList(list, {levelFrame(width, 1, c.bits, c.levels)});
        ASSERT_EQ(save("row.zml", list), Control::kOk);
        QByteArray bytes = readAll(path("row.zml"));
        EXPECT_EQ(bytes.mid(9), hex(c.stored));
        EXPECT_EQ(static_cast<std::uint8_t>(bytes[7]), (1 << c.bits) - 1);

        bytes = bytes.left(9) + hex(c.otherPadding);
        fixCheck(bytes, 0);
        writeAll(path("row.zml"), bytes);
        imaging::LeadModel loaded;
        ASSERT_EQ(load("row.zml", loaded), Control::kOk);
        EXPECT_EQ(loaded.picture()->bits(), c.bits);
        EXPECT_EQ(levelsOf(*loaded.picture(), c.bits), c.levels);
    }
}

TEST_F(CfilectlFileTest, EightBitFrameStoresInverseGrey) {
    imaging::LeadModel list;
    fillList(list, {levelFrame(2, 2, 8, {0, 17, 128, 255})});
    ASSERT_EQ(save("g.zml", list), Control::kOk);
    EXPECT_EQ(readAll(path("g.zml")).mid(9), hex("FFEE7F00"));
}

TEST_F(CfilectlFileTest, PanelSizedFilesHaveDocumentedLengths) {
    std::mt19937 random(1);
    const std::vector<Picture> frames = randomFrames(10, 160, 54, 2, random);
    imaging::LeadModel list;
    fillList(list, frames);
    ASSERT_EQ(save("panel.zml", list), Control::kOk);
    EXPECT_EQ(readAll(path("panel.zml")).size(), 2169);
    ASSERT_EQ(save("panel.zma", list), Control::kOk);
    const QByteArray bytes = readAll(path("panel.zma"));
    EXPECT_EQ(bytes.size(), 21694);
    EXPECT_EQ(bytes.left(4), hex("7A61000A"));
    Control control;
    control.SetFileName(path("panel.zma"));
    EXPECT_EQ(control.GetFrameCount(), 10);
}

TEST_F(CfilectlFileTest, SingleFrameAnimationKeepsItsHeader) {
    imaging::LeadModel list;
    fillList(list, {levelFrame(1, 1, 1, {1})});
    ASSERT_EQ(save("one.zma", list), Control::kOk);
    EXPECT_EQ(readAll(path("one.zma")), hex("7A610001") + hex("7A6D099F3F0000013F7F"));
    imaging::LeadModel loaded;
    ASSERT_EQ(load("one.zma", loaded), Control::kOk);
    EXPECT_EQ(loaded.BitmapListCount(), 1);
}

// --- Round trips ---

TEST_F(CfilectlFileTest, EveryDepthRoundTripsLevelsInPlace) {
    std::mt19937 random(42);
    for (int bits : {1, 2, 4, 8}) {
        for (const auto& [width, height] : {std::pair{21, 5}, {160, 54}, {256, 3}, {7, 256}}) {
            SCOPED_TRACE(QString("%1 bits %2x%3").arg(bits).arg(width).arg(height).toStdString());
            const std::vector<Picture> frames = randomFrames(3, width, height, bits, random);
            imaging::LeadModel list;
            fillList(list, frames);
            ASSERT_EQ(save("trip.zma", list), Control::kOk);
            imaging::LeadModel loaded;
            Control control;
            control.SetFileName(path("trip.zma"));
            ASSERT_EQ(control.Load(loaded, work_), Control::kOk);
            ASSERT_EQ(loaded.BitmapListCount(), 3);
            EXPECT_EQ(loaded.BitmapListIndex(), 0);
            for (int i = 0; i < 3; ++i) {
                const Picture& frame = loaded.bitmapListItem(i);
                EXPECT_EQ(frame.bits(), bits);
                EXPECT_EQ(frame.palette(), Picture::greyPalette(bits));
                EXPECT_EQ(levelsOf(frame, bits), levelsOf(frames[i], bits));
            }
        }
    }
}

TEST_F(CfilectlFileTest, FramesAreSavedAtTheCurrentPicturesDepth) {
    imaging::LeadModel list;
    // An 8-bit grey 200 saved at 2 bits is level 3; 100 is level 1.
    fillList(list, {levelFrame(2, 1, 2, {0, 3}), levelFrame(2, 1, 8, {200, 100})});
    ASSERT_EQ(save("mixed.zma", list), Control::kOk);
    imaging::LeadModel loaded;
    ASSERT_EQ(load("mixed.zma", loaded), Control::kOk);
    ASSERT_EQ(loaded.BitmapListCount(), 2);
    EXPECT_EQ(loaded.bitmapListItem(1).bits(), 2);
    EXPECT_EQ(levelsOf(loaded.bitmapListItem(1), 2), (std::vector<int>{3, 1}));
}

TEST_F(CfilectlFileTest, SaveLeavesListAndItsCurrentIndexAsTheyWere) {
    std::mt19937 random(5);
    const std::vector<Picture> frames = randomFrames(4, 9, 4, 2, random);
    imaging::LeadModel list;
    fillList(list, frames);
    ASSERT_EQ(list.setBitmapListIndex(2), 0);
    ASSERT_EQ(save("keep.zma", list), Control::kOk);
    EXPECT_EQ(list.BitmapListIndex(), 2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(list.bitmapListItem(i), frames[i]);
    }
    // An image file holds the list's first frame.
    ASSERT_EQ(save("first.zml", list), Control::kOk);
    EXPECT_EQ(list.BitmapListIndex(), 2);
    imaging::LeadModel loaded;
    ASSERT_EQ(load("first.zml", loaded), Control::kOk);
    EXPECT_EQ(levelsOf(*loaded.picture(), 2), levelsOf(frames[0], 2));
}

TEST_F(CfilectlFileTest, LonePictureSavesAsImage) {
    imaging::LeadModel lone;
    lone.setBitmap(levelFrame(3, 1, 4, {15, 0, 8}));
    ASSERT_EQ(save("lone.zml", lone), Control::kOk);
    imaging::LeadModel loaded;
    ASSERT_EQ(load("lone.zml", loaded), Control::kOk);
    EXPECT_EQ(levelsOf(*loaded.picture(), 4), (std::vector<int>{15, 0, 8}));
}

// --- Reading ---

class CfilectlReadTest : public CfilectlFileTest {
  protected:
    void SetUp() override {
        std::mt19937 random(9);
        frames_ = {randomFrame(21, 3, 2, random), randomFrame(21, 3, 2, random)};
        imaging::LeadModel list;
        fillList(list, frames_);
        ASSERT_EQ(save("two.zma", list), Control::kOk);
        ASSERT_EQ(save("one.zml", list), Control::kOk);
        animation_ = readAll(path("two.zma"));
        image_ = readAll(path("one.zml"));
        ASSERT_EQ(animation_.size(), 4 + 2 * kRecord);
    }

    static constexpr int kRecord = 9 + 6 * 3;
    std::vector<Picture> frames_;
    QByteArray animation_;
    QByteArray image_;
};

TEST_F(CfilectlReadTest, LoadReplacesWhatTheListHeld) {
    imaging::LeadModel list;
    fillList(list, {levelFrame(1, 1, 1, {0}), levelFrame(1, 1, 1, {1})});
    ASSERT_EQ(load("two.zma", list), Control::kOk);
    ASSERT_EQ(list.BitmapListCount(), 2);
    EXPECT_EQ(levelsOf(list.bitmapListItem(1), 2), levelsOf(frames_[1], 2));
}

TEST_F(CfilectlReadTest, ZeroFrameAnimationLoadsEmpty) {
    writeAll(path("none.zma"), hex("7A610000"));
    Control control;
    control.SetFileName(path("none.zma"));
    EXPECT_EQ(control.GetFrameCount(), 0);
    imaging::LeadModel list;
    fillList(list, {levelFrame(1, 1, 1, {0})});
    EXPECT_EQ(control.Load(list, work_), Control::kOk);
    EXPECT_EQ(list.BitmapListCount(), 0);
    EXPECT_FALSE(list.hasBitmap());
}

TEST_F(CfilectlReadTest, MissingOrForeignFileCannotBeOpened) {
    imaging::LeadModel list;
    fillList(list, {levelFrame(1, 1, 1, {0})});
    EXPECT_EQ(load("missing.zma", list), Control::kCannotOpen);
    EXPECT_FALSE(list.hasBitmap());

    writeAll(path("frame.bmp"), image_);
    Control control;
    EXPECT_EQ(control.SetFileName(path("frame.bmp")), Control::kOther);
    EXPECT_EQ(control.Load(list, work_), Control::kCannotOpen);
    control.FileName = path("frame.bmp");
    EXPECT_EQ(control.Load(list, work_), Control::kCannotOpen);
    EXPECT_EQ(control.Save(list), Control::kCannotOpen);
    EXPECT_EQ(readAll(path("frame.bmp")), image_);
}

TEST_F(CfilectlReadTest, DeviceWithoutLengthIsRefused) {
    ASSERT_TRUE(QFile::link("/dev/zero", path("endless.zml")));
    imaging::LeadModel list;
    EXPECT_EQ(load("endless.zml", list), Control::kNoLength);
    EXPECT_FALSE(list.hasBitmap());
}

TEST_F(CfilectlReadTest, BadCheckByteIsStatus3BeforeDecoding) {
    QByteArray bytes = image_;
    bytes[12] = static_cast<char>(bytes[12] ^ 0x01);
    writeAll(path("bad.zml"), bytes);
    imaging::LeadModel list;
    EXPECT_EQ(load("bad.zml", list), Control::kBadCheck);
    EXPECT_FALSE(list.hasBitmap());

    bytes = animation_;
    bytes[4 + kRecord + 3] = static_cast<char>(bytes[4 + kRecord + 3] ^ 0x40);
    writeAll(path("bad.zma"), bytes);
    EXPECT_EQ(load("bad.zma", list), Control::kBadCheck);
    ASSERT_EQ(list.BitmapListCount(), 1);
    EXPECT_EQ(levelsOf(list.bitmapListItem(0), 2), levelsOf(frames_[0], 2));
}

TEST_F(CfilectlReadTest, ShortOrMalformedFilesAreStatus4) {
    const std::vector<std::pair<QString, QByteArray>> cases{
        {"short.zml", image_.left(8)},
        {"empty.zml", QByteArray()},
        {"cut.zml", image_.left(image_.size() - 1)},
        {"short.zma", animation_.left(3)},
        {"nomagic.zma", hex("7A6E0001") + image_},
        {"bare.zma", image_},
        {"cutrecord.zma", animation_.left(4 + kRecord + 5)},
        {"cutdata.zma", animation_.left(animation_.size() - 1)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name.toStdString());
        writeAll(path(name), bytes);
        imaging::LeadModel list;
        EXPECT_EQ(load(name, list), Control::kTruncated);
    }
}

TEST_F(CfilectlReadTest, WrongRecordMagicOrSmallDataOffsetIsStatus4) {
    for (const auto& [at, value] : {std::pair{0, 0x7B}, {1, 0x6C}, {2, 8}, {2, 0}}) {
        QByteArray bytes = image_;
        bytes[at] = static_cast<char>(value);
        fixCheck(bytes, 0);
        writeAll(path("m.zml"), bytes);
        imaging::LeadModel list;
        EXPECT_EQ(load("m.zml", list), Control::kTruncated) << at << " " << value;
    }
}

TEST_F(CfilectlReadTest, LargeDataOffsetStillReadsDataBehindHeader) {
    QByteArray bytes = image_;
    bytes[2] = static_cast<char>(200);
    fixCheck(bytes, 0);
    writeAll(path("far.zml"), bytes);
    imaging::LeadModel list;
    ASSERT_EQ(load("far.zml", list), Control::kOk);
    EXPECT_EQ(levelsOf(*list.picture(), 2), levelsOf(frames_[0], 2));
}

TEST_F(CfilectlReadTest, AnnouncedFramesMustBeHeld) {
    QByteArray bytes = animation_;
    bytes[3] = 3;
    writeAll(path("more.zma"), bytes);
    imaging::LeadModel list;
    EXPECT_EQ(load("more.zma", list), Control::kTruncated);
    EXPECT_EQ(list.BitmapListCount(), 2);
}

TEST_F(CfilectlReadTest, BytesAfterLastRecordAreIgnored) {
    writeAll(path("tail.zma"), animation_ + QByteArray(100, 'x'));
    writeAll(path("tail.zml"), image_ + animation_);
    imaging::LeadModel list;
    ASSERT_EQ(load("tail.zma", list), Control::kOk);
    EXPECT_EQ(list.BitmapListCount(), 2);
    ASSERT_EQ(load("tail.zml", list), Control::kOk);
    EXPECT_EQ(list.BitmapListCount(), 1);
}

TEST_F(CfilectlReadTest, LevelCountDecidesDepth) {
    QByteArray bytes = image_;
    bytes[7] = 2;
    fixCheck(bytes, 0);
    writeAll(path("three.zml"), bytes);
    imaging::LeadModel list;
    Control control;
    control.SetFileName(path("three.zml"));
    ASSERT_EQ(control.Load(list, work_), Control::kOk);
    EXPECT_EQ(control.Bits, 2);
    EXPECT_EQ(levelsOf(*list.picture(), 2), levelsOf(frames_[0], 2));

    for (int levelsMinusOne : {0, 7, 31, 100}) {
        bytes[7] = static_cast<char>(levelsMinusOne);
        fixCheck(bytes, 0);
        writeAll(path("odd.zml"), bytes);
        EXPECT_EQ(load("odd.zml", list), Control::kBadDepth) << levelsMinusOne;
    }
}

TEST_F(CfilectlReadTest, ColourCodeComesFromLastFramesOffset8) {
    QByteArray bytes = animation_;
    bytes[4 + 4] = 1;  // offset 4 is only a copy and is ignored
    bytes[4 + 8] = 5;
    bytes[4 + kRecord + 4] = 2;
    bytes[4 + kRecord + 8] = 40;
    QByteArray first = bytes.left(4 + kRecord);
    fixCheck(first, 4);
    QByteArray second = bytes.mid(4 + kRecord);
    fixCheck(second, 0);
    writeAll(path("codes.zma"), first + second);
    imaging::LeadModel list;
    Control control;
    control.SetFileName(path("codes.zma"));
    ASSERT_EQ(control.Load(list, work_), Control::kOk);
    EXPECT_EQ(control.BackColorCode, 40);
    writeAll(path("codes.zml"), first.mid(4));
    control.SetFileName(path("codes.zml"));
    ASSERT_EQ(control.Load(list, work_), Control::kOk);
    EXPECT_EQ(control.BackColorCode, 5);
}

// --- Refused and failing saves ---

class CfilectlSaveFailureTest : public CfilectlFileTest {
  protected:
    void SetUp() override {
        imaging::LeadModel list;
        fillList(list, {levelFrame(1, 1, 1, {1})});
        ASSERT_EQ(save("old.zma", list), Control::kOk);
        previous_ = readAll(path("old.zma"));
    }

    void expectPreviousFileKept() { EXPECT_EQ(readAll(path("old.zma")), previous_); }

    QByteArray previous_;
};

TEST_F(CfilectlSaveFailureTest, FramesTheFormatCannotCarryAreRefusedBeforeWriting) {
    std::mt19937 random(3);
    const Picture ok = randomFrame(8, 8, 2, random);
    const std::vector<std::pair<const char*, std::vector<Picture>>> cases{
        {"24-bit current", {Picture(8, 8, 24)}},
        {"24-bit third", {ok, ok, Picture(8, 8, 24), ok}},
        {"too wide", {Picture(257, 1, 1)}},
        {"too high", {Picture(1, 257, 8)}},
        {"other size", {ok, randomFrame(8, 9, 2, random)}},
    };
    for (const auto& [what, frames] : cases) {
        SCOPED_TRACE(what);
        imaging::LeadModel list;
        fillList(list, frames);
        EXPECT_EQ(save("old.zma", list), Control::kBadDepth);
        expectPreviousFileKept();
        EXPECT_EQ(save("new.zml", list), frames.size() == 1 ? Control::kBadDepth : Control::kOk);
    }
    imaging::LeadModel empty;
    EXPECT_EQ(save("old.zma", empty), Control::kBadDepth);
    expectPreviousFileKept();
}

TEST_F(CfilectlSaveFailureTest, MoreFramesThanTheHeaderCountsAreRefused) {
    imaging::LeadModel list;
    const Picture frame = levelFrame(1, 1, 1, {1});
    for (int i = 0; i < 65536; ++i) {
        list.InsertBitmapListItem(-1, frame);
    }
    EXPECT_EQ(save("old.zma", list), Control::kBadDepth);
    expectPreviousFileKept();
    list.setBitmapListIndex(65535);
    list.releaseBitmap();
    ASSERT_EQ(save("old.zma", list), Control::kOk);
    EXPECT_EQ(readAll(path("old.zma")).left(4), hex("7A61FFFF"));
}

TEST_F(CfilectlSaveFailureTest, SidesOf256AreAccepted) {
    imaging::LeadModel list;
    fillList(list, {Picture(256, 256, 8)});
    ASSERT_EQ(save("big.zml", list), Control::kOk);
    EXPECT_EQ(readAll(path("big.zml")).size(), 9 + 256 * 256);
    imaging::LeadModel loaded;
    ASSERT_EQ(load("big.zml", loaded), Control::kOk);
    EXPECT_EQ(loaded.picture()->width(), 256);
    EXPECT_EQ(loaded.picture()->height(), 256);
}

TEST_F(CfilectlSaveFailureTest, FileThatCannotBeCreatedIsStatus1) {
    imaging::LeadModel list;
    fillList(list, {levelFrame(1, 1, 1, {1})});
    EXPECT_EQ(save("nofolder/x.zma", list), Control::kCannotOpen);
    EXPECT_FALSE(QFile::exists(path("nofolder/x.zma")));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.zma"));
    EXPECT_EQ(save("folder.zma", list), Control::kCannotOpen);
    EXPECT_TRUE(QFileInfo(path("folder.zma")).isDir());
}

// Lets the process write files of at most `bytes` bytes while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(CfilectlSaveFailureTest, FailedWriteKeepsPreviousFileAndIndex) {
    std::mt19937 random(8);
    const std::vector<Picture> frames = randomFrames(10, 160, 54, 2, random);
    imaging::LeadModel list;
    fillList(list, frames);
    list.setBitmapListIndex(6);
    {
        FileSizeLimit limit(4096);
        EXPECT_EQ(save("old.zma", list), Control::kShortWrite);
    }
    expectPreviousFileKept();
    EXPECT_EQ(list.BitmapListIndex(), 6);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"old.zma"});
}

TEST_F(CfilectlSaveFailureTest, ShorterSaveLeavesNoStaleBytes) {
    std::mt19937 random(4);
    const std::vector<Picture> frames = randomFrames(10, 160, 54, 2, random);
    imaging::LeadModel list;
    fillList(list, frames);
    ASSERT_EQ(save("old.zma", list), Control::kOk);
    fillList(list, {frames[0]});
    ASSERT_EQ(save("old.zma", list), Control::kOk);
    EXPECT_EQ(readAll(path("old.zma")).size(), 4 + 2169);
}

}  // namespace
