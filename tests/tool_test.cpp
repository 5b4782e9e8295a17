#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <random>
#include <set>

#include "support/FileSystemLimits.h"
#include "support/MemoryPanelFiles.h"
#include "support/TempFolderTest.h"
#include "support/ToolRun.h"

using imaging::Picture;

namespace {

// A `bits`-deep frame whose level at (x, y) is f(x, y), with the greys of the levels.
template <typename F>
Picture frame(int w, int h, int bits, F f) {
    Picture p(w, h, bits);
    p.palette() = Picture::greyPalette(bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            p.row(y)[x] = static_cast<std::uint8_t>(f(x, y));
        }
    }
    return p;
}

class ToolTest : public TempFolderTest {
  protected:
    ToolResult run(const QStringList& args) { return runToolWith(files, args); }
    MemoryPanelFiles files;
};

// One command line, words separated by spaces.
class BadCommandLine : public testing::TestWithParam<const char*> {};

}  // namespace

TEST_F(ToolTest, HelpForTheToolAndEachCommand) {
    for (const char* line : {"--help", "help", "-h", "info --help", "export -h",
                             "import --frob --help", "import --bits 3 -h"}) {
        const ToolResult r = run(QString::fromLatin1(line).split(' '));
        EXPECT_EQ(r.code, 0) << line;
        EXPECT_TRUE(r.out.startsWith("Usage: pixmora-tool")) << line;
        EXPECT_TRUE(r.err.isEmpty()) << line;
    }
    EXPECT_TRUE(run({"import", "--help"}).out.startsWith("Usage: pixmora-tool import"));
}

TEST_P(BadCommandLine, ExitsTwoWithAMessageAndWritesNothing) {
    MemoryPanelFiles files;
    const QStringList args = QString::fromLatin1(GetParam()).split(' ', Qt::SkipEmptyParts);
    const ToolResult r = runToolWith(files, args);
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith("pixmora-tool: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Usage: pixmora-tool"));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(files.stored.empty());
}

INSTANTIATE_TEST_SUITE_P(
    ToolTest, BadCommandLine,
    testing::Values("", "frobnicate", "--frob info a.zma", "info", "info a.zma b.zma",
                    "info --verbose a.zma", "export a.zma", "export a.zma out.bmp",
                    "export -x a.zma out.gif", "import", "import out.zma", "import out.png a.png",
                    "import out.zml a.png b.png", "import --frob out.zma a.png",
                    "import out.zma a.png --bits", "import --bits 3 out.zma a.png",
                    "import --bits two out.zma a.png", "import --background 64 out.zma a.png",
                    "import --background +5 out.zma a.png",
                    "import --background 4294967359 out.zma a.png",
                    "import --dither floyd out.zma a.png", "import --size 0x54 out.zma a.png",
                    "import --size 257x54 out.zma a.png", "import --size 160x54x2 out.zma a.png"));

TEST_F(ToolTest, FileStatusesBecomeExitCodesWithTheirMeaning) {
    ToolResult r = run({"info", "missing.zma"});
    EXPECT_EQ(r.code, 7);
    EXPECT_EQ(r.err, "missing.zma: no such file, or an animation without frames\n");
    r = run({"export", "missing.zma", path("x.gif")});
    EXPECT_EQ(r.code, 7);
    EXPECT_FALSE(QFileInfo::exists(path("x.gif")));

    const QString picture = twoColourPicture(dir_, "p.png", qRgb(9, 9, 9), qRgb(9, 9, 9));
    files.writeStatus = tools::kShortWrite;
    r = run({"import", "out.zma", picture});
    EXPECT_EQ(r.code, 5);
    EXPECT_TRUE(r.err.startsWith("out.zma: fewer bytes"));
    r = run({"import", "out.zma", path("nothing.png")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("nothing.png"));
}

TEST_F(ToolTest, InfoListsEachFrameWithItsOwnBackground) {
    files.stored["a.zma"] = {{frame(160, 54, 2, [](int, int) { return 0; }), 63},
                             {frame(7, 3, 8, [](int, int) { return 1; }), 5}};
    const ToolResult r = run({"info", "a.zma"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "a.zma: 2 frames\n"
              "frame 1: 160x54, 2 bits, background 63\n"
              "frame 2: 7x3, 8 bits, background 5\n");
}

TEST_F(ToolTest, ExportNumbersPngsOnlyForSeveralFrames) {
    files.stored["a.zma"] = {{frame(4, 2, 2, [](int x, int) { return x; }), 63},
                             {frame(4, 2, 1, [](int x, int) { return x % 2; }), 63}};
    files.stored["b.zml"] = {{frame(4, 2, 8, [](int x, int) { return x * 60; }), 63}};
    const QString out = path("frames.png");
    EXPECT_EQ(run({"export", "a.zma", out}).code, 0);
    EXPECT_FALSE(QFileInfo::exists(out));
    const std::vector<std::vector<int>> greys{{0, 85, 170, 255}, {0, 255, 0, 255}};
    for (int i = 0; i < 2; ++i) {
        const QImage image(path(i == 0 ? "frames-001.png" : "frames-002.png"));
        ASSERT_FALSE(image.isNull()) << i;
        EXPECT_TRUE(image.isGrayscale());
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(qGray(image.pixel(x, 1)), greys[i][x]) << i << " " << x;
        }
    }
    EXPECT_FALSE(QFileInfo::exists(path("frames-003.png")));

    const QString single = path("one.PNG");
    EXPECT_EQ(run({"export", "b.zml", single}).code, 0);
    EXPECT_EQ(qGray(QImage(single).pixel(3, 0)), 180);
    EXPECT_FALSE(QFileInfo::exists(path("one-001.PNG")));
}

TEST_F(ToolTest, ExportGifShowsEachFrameInItsOwnCodeAsTheWindowDoes) {
    const int fourBitLevels[] = {0, 1, 3, 15};
    files.stored["a.zma"] = {
        {frame(4, 1, 2, [](int x, int) { return x; }), 9},  // green 170, blue 85
        {frame(4, 1, 4, [&](int x, int) { return fourBitLevels[x]; }), 21},
        {frame(4, 1, 1, [](int x, int) { return x % 2; }), 63}};
    const QString out = path("a.gif");
    const ToolResult r = run({"export", "a.zma", out});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, out + "\n");
    QImageReader reader(out);
    const std::vector<std::vector<QRgb>> expected{
        {0x000000, 0x00381C, 0x007138, 0x00AA55},
        {0x000000, 0x1C1C1C, 0x555555, 0xFFFFFF},  // levels from 4 up keep their grey
        {0x000000, 0x555555, 0x000000, 0x555555},
    };
    for (std::size_t f = 0; f < expected.size(); ++f) {
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << f;
        EXPECT_EQ(reader.nextImageDelay(), 100);
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(image.pixel(x, 0) & 0xFFFFFF, expected[f][x]) << f << " " << x;
        }
    }
    EXPECT_FALSE(reader.canRead());
}

// The files are smaller than Qt's write buffer, where a full disk shows only on the last flush.
TEST_F(ToolTest, ExportToAFullDiskFailsAndKeepsThePreviousFile) {
    std::mt19937 rng(3);
    files.stored["a.zml"] = {{frame(160, 54, 2, [&rng](int, int) { return rng() % 4; }), 63}};
    for (const char* name : {"a.png", "a.gif"}) {
        const QString out = write(name, "previous");
        ToolResult r;
        {
            FileSizeLimit limit(100);
            r = run({"export", "a.zml", out});
        }
        EXPECT_EQ(r.code, 5) << name;
        EXPECT_EQ(r.err, out + ": fewer bytes were written than requested\n");
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(bytesOf(out), "previous");
    }
    const ToolResult r = run({"export", "a.zml", path("missing/a.png")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.startsWith(path("missing/a.png") + ": cannot open"));
}

TEST_F(ToolTest, ImportOptionsSetSizeBackgroundAndDither) {
    const QString picture = twoColourPicture(dir_, "p.png", qRgb(120, 120, 120), qRgb(40, 40, 40));
    struct Case {
        QStringList options;
        int width, height, bits, code;
    };
    for (const Case& c :
         {Case{{}, 160, 54, 2, 63}, Case{{"--size", "7X5", "--background", "05"}, 7, 5, 2, 5},
          Case{{"--bits=8"}, 160, 54, 8, 63}}) {
        const ToolResult r = run(QStringList{"import", "one.zml", picture} + c.options);
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        EXPECT_EQ(r.out, "one.zml: 1 frames\n");
        ASSERT_EQ(files.stored["one.zml"].size(), 1u);
        const tools::PanelFrame& f = files.stored["one.zml"][0];
        EXPECT_EQ(f.picture.width(), c.width);
        EXPECT_EQ(f.picture.height(), c.height);
        EXPECT_EQ(f.picture.bits(), c.bits);
        EXPECT_EQ(f.code, c.code);
    }

    // A flat grey between two panel greys: undithered it is one level, dithered a mixture.
    const auto levelsUsed = [&](const QString& dither) {
        const QString out = dither + ".zma";
        EXPECT_EQ(run({"import", "--dither", dither, out, picture}).code, 0);
        std::set<int> used;
        const Picture& p = files.stored[out][0].picture;
        used.insert(p.row(20), p.row(20) + 80);
        return used;
    };
    EXPECT_EQ(levelsUsed("none"), (std::set<int>{1}));
    EXPECT_EQ(levelsUsed("burkes"), (std::set<int>{1, 2}));
    EXPECT_EQ(levelsUsed("ordered"), (std::set<int>{1, 2}));
}
