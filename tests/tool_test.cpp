#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <set>

#include "support/FileSystemLimits.h"
#include "support/MemoryPanelFiles.h"
#include "support/TempFolderTest.h"
#include "support/ToolRun.h"

using imaging::Picture;

namespace {

class ToolTest : public TempFolderTest {
  protected:
    ToolResult run(const QStringList& args) { return runToolWith(files, args); }
    ToolResult runOnAFullDisk(const QStringList& args) {
        FileSizeLimit limit(20);
        return run(args);
    }
    MemoryPanelFiles files;
};

TEST_F(ToolTest, HelpForTheToolAndEachCommandWinsOverOtherArguments) {
    for (const char* line : {"--help", "help", "-h", "info --help", "export -h",
                             "import --frob --help", "import --bits 3 -h", "make -h"}) {
        const QStringList words = QString::fromLatin1(line).split(' ');
        const ToolResult r = run(words);
        EXPECT_EQ(r.code, 0) << line;
        EXPECT_TRUE(r.out.startsWith("Usage: pixmora-tool " +
                                     (words.size() > 1 ? words[0] : QString("COMMAND"))))
            << line;
        EXPECT_TRUE(r.err.isEmpty()) << line;
    }
}

class BadCommandLine : public testing::TestWithParam<std::string> {};

TEST_P(BadCommandLine, ExitsTwoWithAMessageAndWritesNothing) {
    MemoryPanelFiles files;
    const ToolResult r =
        runToolWith(files, QString::fromStdString(GetParam()).split(' ', Qt::SkipEmptyParts));
    EXPECT_EQ(r.code, 2);
    EXPECT_TRUE(r.err.startsWith("pixmora-tool: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Usage: pixmora-tool"));
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(files.stored.empty());
}

const std::string kMakeRect = "make --start a.png --start-rect ", kMake = kMakeRect + "0,0,9,9 ";

INSTANTIATE_TEST_SUITE_P(
    ToolTest, BadCommandLine,
    testing::Values(
        "", "frobnicate", "--frob info a.zma", "info", "info a.zma b.zma", "info --verbose a.zma",
        "export a.zma", "export a.zma out.bmp", "export -x a.zma out.gif", "import",
        "import out.zma", "import out.png a.png", "import out.zml a.png b.png",
        "import --frob out.zma a.png", "import out.zma a.png --bits",
        "import --bits 3 out.zma a.png", "import --bits two out.zma a.png",
        "import --background 64 out.zma a.png", "import --background +5 out.zma a.png",
        "import --background 4294967359 out.zma a.png", "import --dither floyd out.zma a.png",
        "import --size 0x54 out.zma a.png", "import --size 257x54 out.zma a.png",
        "import --size 160x54x2 out.zma a.png", "import out.zma c.avi@0-3",
        "import out.zma c.avi@3-1", "import out.zma c.avi@1-99999999999", "make out.zma",
        "make --start a.png --method 0 --frames 2 out.zma", kMake + "--frames 2 out.zma",
        kMake + "--method 0 out.zma", kMakeRect + "1,2,3 --method 0 --frames 2 out.zma",
        kMakeRect + "5,0,5,9 --method 0 --frames 2 out.zma",
        kMakeRect + "0,9,9,9 --method 0 --frames 2 out.zma",
        kMakeRect + "0,0,9,x --method 0 --frames 2 out.zma",
        kMake + "--method 8 --frames 2 out.zma", kMake + "--method 0 --frames 0 out.zma",
        kMake + "--method 0 --frames 91 out.zma", kMake + "--method 0 --frames 2 out.zml",
        kMake + "--method 0 --frames 1 out.png", kMake + "--method 0 --frames 1 a.zma b.zma",
        kMake + "--method 0 --frames 2 --dither floyd out.zma",
        kMake + "--method 0 --frames 2 --zoom 6401 out.zma",
        kMake + "--method 0 --frames 2 --end b.png out.zma",
        "make --start a.png@0 --start-rect 0,0,9,9 --method 0 --frames 2 out.zma"));

// The outputs are smaller than Qt's write buffer, where a full disk shows only on the last flush.
TEST_F(ToolTest, FailuresExitWithTheirStatusAndKeepThePreviousOutput) {
    files.stored["a.zml"] = {{Picture(160, 54, 2), 63}};
    files.writeStatus = tools::kShortWrite;
    const QString png = write("a.png", "previous"), gif = write("a.gif", "previous");
    const QString picture = twoColourPicture(dir_, "p.png", qRgb(9, 9, 9), qRgb(9, 9, 9));
    const QString shortWrite = ": fewer bytes were written than requested\n";
    for (const auto& [code, fullDisk, args, err] :
         std::vector<std::tuple<int, bool, QStringList, QString>>{
             {7, false, {"info", "missing.zma"}, "missing.zma: no such file"},
             {7, false, {"export", "missing.zma", png}, "missing.zma: no such file"},
             {5, true, {"export", "a.zml", png}, png + shortWrite},
             {5, true, {"export", "a.zml", gif}, gif + shortWrite},
             {1, false, {"export", "a.zml", path("no/a.png")}, path("no/a.png") + ": cannot open"},
             {1, false, {"export", "a.zml", path("no/a.gif")}, path("no/a.gif") + ": cannot open"},
             {1, false, {"import", "out.zma", path("no.png")}, path("no.png") + ": cannot read"},
             {5, false, {"import", "out.zma", picture}, "out.zma" + shortWrite}}) {
        const ToolResult r = fullDisk ? runOnAFullDisk(args) : run(args);
        EXPECT_EQ(r.code, code) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(err)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(bytesOf(png), "previous");
    EXPECT_EQ(bytesOf(gif), "previous");
}

TEST_F(ToolTest, ExportWritesNumberedGreyPngsOrOneTintedGif) {
    files.stored["a.zma"] = {{Picture(4, 2, 2), 63}, {Picture(4, 2, 1), 63}};
    files.stored["b.zml"] = {{Picture(4, 2, 8), 63}};
    EXPECT_EQ(run({"export", "a.zma", path("f.png")}).out,
              path("f-001.png") + "\n" + path("f-002.png") + "\n");
    EXPECT_EQ(run({"export", "b.zml", path("one.PNG")}).out, path("one.PNG") + "\n");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files),
              (QStringList{"f-001.png", "f-002.png", "one.PNG"}));
    EXPECT_EQ(QImage(path("f-002.png")).format(), QImage::Format_Grayscale8);

    // A GIF shows each frame in its own code, tinted as the window shows it, on a screen as
    // large as the largest frame.
    Picture ramp(4, 1, 2), grey(7, 3, 8);
    ramp.pixels() = {0, 1, 2, 3};
    grey.pixels().assign(21, 3);
    files.stored["c.zma"] = {{grey, 63}, {ramp, 9}};
    const QString out = path("c.gif");
    ASSERT_EQ(run({"export", "c.zma", out}).out, out + "\n");
    QImageReader reader(out);
    for (const QRgb colour : {0xFFFFFFu, 0x00AA55u}) {  // code 9: green 170, blue 85
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), QSize(7, 3));
        EXPECT_EQ(reader.nextImageDelay(), 100);
        EXPECT_EQ(image.pixel(3, 0) & 0xFFFFFF, colour);
    }
    EXPECT_FALSE(reader.canRead());
}

TEST_F(ToolTest, ImportOptionsSetSizeBackgroundDepthAndDither) {
    const QString picture = twoColourPicture(dir_, "p.png", qRgb(120, 120, 120), qRgb(40, 40, 40));
    for (const auto& [options, frame] :
         {std::pair{QStringList{}, std::array{160, 54, 2, 63}},
          {QStringList{"--size", "7X5", "--background", "05"}, std::array{7, 5, 2, 5}},
          {QStringList{"--bits=8"}, std::array{160, 54, 8, 63}}}) {
        ASSERT_EQ(run(QStringList{"import", "one.zml", picture} + options).out,
                  "one.zml: 1 frames\n");
        const tools::PanelFrame& f = files.stored["one.zml"].at(0);
        EXPECT_EQ((std::array{f.picture.width(), f.picture.height(), f.picture.bits(), f.code}),
                  frame);
    }
    // A flat grey between two panel greys: undithered it is one level, dithered a mixture.
    for (const auto& [dither, used] : {std::pair{"none", std::set<int>{1}},
                                       {"burkes", std::set<int>{1, 2}},
                                       {"ordered", std::set<int>{1, 2}}}) {
        ASSERT_EQ(run({"import", "--dither", dither, "d.zma", picture}).code, 0);
        const Picture& p = files.stored["d.zma"].at(0).picture;
        EXPECT_EQ(std::set<int>(p.row(20), p.row(20) + 80), used) << dither;
    }
}

}  // namespace
