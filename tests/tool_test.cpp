#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <set>

#include "files/Cfilectl.h"
#include "produce/PicMCut.h"
#include "support/MemoryPanelFiles.h"
#include "support/ToolRun.h"
#include "tools/PanelFrames.h"
#include "tools/ToolCommands.h"

using imaging::Picture;

namespace {

using Result = ToolResult;

Result run(tools::PanelFiles& files, const QStringList& args) {
    return runToolWith(files, args);
}

// A `bits`-deep frame whose level at (x, y) is f(x, y), with the greys of the levels.
template <typename F>
Picture frame(int w, int h, int bits, F f) {
    Picture p(w, h, bits);
    for (int i = 0; i < (1 << bits); ++i) {
        p.palette()[i] = imaging::greyColour(CustumFileControl::LevelToGrey(i, bits));
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.row(y)[x] = static_cast<std::uint8_t>(f(x, y));
        }
    }
    return p;
}

constexpr produce::ChannelLevels kLevels{{0, 85, 170, 255}, {0, 85, 170, 255}, {0, 85, 170, 255}};

class ToolTest : public testing::Test {
  protected:
    MemoryPanelFiles files;
    QTemporaryDir dir;
};

}  // namespace

TEST_F(ToolTest, HelpForTheToolAndEachCommand) {
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"info", "--help"},
                                    QStringList{"export", "-h"}, QStringList{"import", "--help"}}) {
        const Result r = run(files, args);
        EXPECT_EQ(r.code, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.startsWith("Usage: pixmora-tool")) << r.out.toStdString();
        EXPECT_TRUE(r.err.isEmpty());
    }
    EXPECT_TRUE(run(files, {"export", "--help"}).out.contains("(channel level x g) / 255"));
}

TEST_F(ToolTest, BadCommandLinesExitTwoWithAMessage) {
    const std::vector<QStringList> bad{
        {},
        {"frobnicate"},
        {"info"},
        {"info", "a.zma", "b.zma"},
        {"info", "--verbose", "a.zma"},
        {"export", "a.zma"},
        {"export", "a.zma", "out.bmp"},
        {"export", "a.zma", "out"},
        {"import"},
        {"import", "out.zma"},
        {"import", "--frob", "out.zma", "a.png"},
        {"import", "out.zma", "a.png", "--bits"},
        {"import", "--bits", "3", "out.zma", "a.png"},
        {"import", "--bits", "two", "out.zma", "a.png"},
        {"import", "--background", "64", "out.zma", "a.png"},
        {"import", "--background", "-1", "out.zma", "a.png"},
        {"import", "--dither", "floyd", "out.zma", "a.png"},
        {"import", "--size", "0x54", "out.zma", "a.png"},
        {"import", "--size", "257x54", "out.zma", "a.png"},
        {"import", "--size", "160", "out.zma", "a.png"},
        {"import", "out.png", "a.png"},
        {"import", "out.zml", "a.png", "b.png"},
    };
    for (const QStringList& args : bad) {
        const Result r = run(files, args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("pixmora-tool: ")) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_TRUE(files.stored.empty());
}

TEST_F(ToolTest, FileStatusesBecomeExitCodesWithTheirMeaning) {
    Result r = run(files, {"info", "missing.zma"});
    EXPECT_EQ(r.code, 7);
    EXPECT_EQ(r.err, "missing.zma: no such file, or an animation without frames\n");
    r = run(files, {"export", "missing.zma", dir.filePath("x.gif")});
    EXPECT_EQ(r.code, 7);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.gif")));

    const QString picture = twoColourPicture(dir, "p.png", qRgb(9, 9, 9), qRgb(9, 9, 9));
    files.writeStatus = tools::kShortWrite;
    r = run(files, {"import", "out.zma", picture});
    EXPECT_EQ(r.code, 5);
    EXPECT_TRUE(r.err.startsWith("out.zma: fewer bytes"));
    r = run(files, {"import", "out.zma", dir.filePath("nothing.png")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("nothing.png"));
}

TEST_F(ToolTest, InfoListsEachFrameWithItsOwnBackground) {
    files.stored["a.zma"] = {{frame(160, 54, 2, [](int, int) { return 0; }), 63},
                             {frame(160, 54, 2, [](int, int) { return 1; }), 5}};
    files.stored["b.zml"] = {{frame(7, 3, 8, [](int, int) { return 0; }), 0}};
    Result r = run(files, {"info", "a.zma"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "a.zma: 2 frames\n"
              "frame 1: 160x54, 2 bits, background 63\n"
              "frame 2: 160x54, 2 bits, background 5\n");
    r = run(files, {"info", "b.zml"});
    EXPECT_EQ(r.out, "b.zml: 1 frames\nframe 1: 7x3, 8 bits, background 0\n");
}

TEST_F(ToolTest, ExportNumbersPngsOnlyForSeveralFrames) {
    files.stored["a.zma"] = {{frame(4, 2, 2, [](int x, int) { return x; }), 63},
                             {frame(4, 2, 4, [](int x, int) { return x * 5; }), 63},
                             {frame(4, 2, 1, [](int x, int) { return x % 2; }), 63}};
    files.stored["b.zml"] = {{frame(4, 2, 8, [](int x, int) { return x * 60; }), 63}};
    const QString out = dir.filePath("frames.png");
    EXPECT_EQ(run(files, {"export", "a.zma", out}).code, 0);
    EXPECT_FALSE(QFileInfo::exists(out));
    const std::vector<std::vector<int>> greys{
        {0, 85, 170, 255}, {0, 85, 170, 255}, {0, 255, 0, 255}};
    for (int i = 0; i < 3; ++i) {
        const QImage image(dir.filePath(QStringLiteral("frames-00%1.png").arg(i + 1)));
        ASSERT_FALSE(image.isNull()) << i;
        EXPECT_TRUE(image.isGrayscale());
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(qGray(image.pixel(x, 1)), greys[i][x]) << i << " " << x;
        }
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("frames-004.png")));

    const QString single = dir.filePath("one.PNG");
    EXPECT_EQ(run(files, {"export", "b.zml", single}).code, 0);
    const QImage image(single);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(qGray(image.pixel(3, 0)), 180);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("one-001.PNG")));
}

TEST_F(ToolTest, ExportGifTintsEachFrameWithItsOwnCode) {
    const auto ramp = [](int x, int) { return x; };
    files.stored["a.zma"] = {
        {frame(4, 1, 2, ramp), 48},                               // red 255
        {frame(4, 1, 2, ramp), 9},                                // green 170, blue 85
        {frame(4, 1, 4, [](int x, int) { return x * 5; }), 21},   // every channel 85
        {frame(4, 1, 1, [](int x, int) { return x % 2; }), 63}};  // white
    const QString out = dir.filePath("a.gif");
    const Result r = run(files, {"export", "a.zma", out});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    QImageReader reader(out);
    std::vector<QImage> images;
    while (reader.canRead()) {
        images.push_back(reader.read());
        EXPECT_EQ(reader.nextImageDelay(), 100);
    }
    ASSERT_EQ(images.size(), 4u);
    const std::vector<std::vector<QRgb>> expected{
        {qRgb(0, 0, 0), qRgb(85, 0, 0), qRgb(170, 0, 0), qRgb(255, 0, 0)},
        {qRgb(0, 0, 0), qRgb(0, 56, 28), qRgb(0, 113, 56), qRgb(0, 170, 85)},
        {qRgb(0, 0, 0), qRgb(28, 28, 28), qRgb(56, 56, 56), qRgb(85, 85, 85)},
        {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 255, 255)},
    };
    for (int f = 0; f < 4; ++f) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(images[f].pixel(x, 0) & 0xFFFFFF, expected[f][x] & 0xFFFFFF) << f << " " << x;
        }
    }
    // 2-bit frames look exactly as the window tints them.
    for (int x = 0; x < 4; ++x) {
        const imaging::Colour c = produce::tintedGrey(9, x, kLevels);
        EXPECT_EQ(images[1].pixel(x, 0) & 0xFFFFFF,
                  static_cast<QRgb>(
                      qRgb(imaging::redOf(c), imaging::greenOf(c), imaging::blueOf(c)) & 0xFFFFFF));
    }
}

TEST_F(ToolTest, ImportAtEachDepthKeepsTheValuePlaneLevels) {
    // Left half value 200, right half value 90.
    const QString picture = twoColourPicture(dir, "p.png", qRgb(200, 50, 10), qRgb(30, 60, 90));
    struct Case {
        QString bits;
        int left;
        int right;
    };
    for (const Case& c : {Case{"1", 1, 0}, Case{"2", 2, 1}, Case{"4", 12, 5}, Case{"8", 200, 90}}) {
        const QString out = "d" + c.bits + ".zma";
        const Result r =
            run(files, {"import", "--bits", c.bits, "--dither", "none", out, picture, picture});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        ASSERT_EQ(files.stored[out].size(), 2u);
        const int bits = c.bits.toInt();
        for (const tools::PanelFrame& f : files.stored[out]) {
            EXPECT_EQ(f.code, 63);
            EXPECT_EQ(f.picture.bits(), bits);
            EXPECT_EQ(f.picture.width(), 160);
            EXPECT_EQ(f.picture.height(), 54);
            EXPECT_EQ(f.picture.row(27)[0], c.left) << bits;
            EXPECT_EQ(f.picture.row(27)[159], c.right) << bits;
            const int top = (1 << bits) - 1;
            EXPECT_EQ(f.picture.palette()[top], imaging::greyColour(255));
            EXPECT_EQ(f.picture.palette()[1], imaging::greyColour(255 / top));
        }
    }
}

TEST_F(ToolTest, ImportOptionsSetSizeBackgroundAndDither) {
    const QString picture = twoColourPicture(dir, "p.png", qRgb(120, 120, 120), qRgb(40, 40, 40));
    Result r = run(files, {"import", "--size", "7x5", "--background", "5", "one.zml", picture});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    ASSERT_EQ(files.stored["one.zml"].size(), 1u);
    const tools::PanelFrame& small = files.stored["one.zml"][0];
    EXPECT_EQ(small.code, 5);
    EXPECT_EQ(small.picture.width(), 7);
    EXPECT_EQ(small.picture.height(), 5);
    EXPECT_EQ(small.picture.bits(), 2);
    EXPECT_EQ(r.out, "one.zml: 1 frames\n");

    // A flat grey between two panel greys: undithered it is one level, dithered a mixture.
    const auto levelsUsed = [&](const QString& dither) {
        const QString out = dither + ".zma";
        EXPECT_EQ(run(files, {"import", "--dither", dither, out, picture}).code, 0);
        std::set<int> used;
        const Picture& p = files.stored[out][0].picture;
        for (int x = 0; x < 80; ++x) {
            used.insert(p.row(20)[x]);
        }
        return used;
    };
    EXPECT_EQ(levelsUsed("none"), (std::set<int>{1}));
    EXPECT_EQ(levelsUsed("burkes"), (std::set<int>{1, 2}));
    EXPECT_EQ(levelsUsed("ordered"), (std::set<int>{1, 2}));
}
