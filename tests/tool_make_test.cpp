// make and clip import through real pictures, clips and panel files.
#include <gtest/gtest.h>

#include "imaging/Dither.h"
#include "imaging/LeadModel.h"
#include "produce/PicMCut.h"
#include "support/ClipMaker.h"
#include "support/TempFolderTest.h"
#include "support/ToolRun.h"
#include "tools/CfilePanelFiles.h"

namespace {

constexpr int kClipFrames = 30;

class ToolMake : public TempFolderTest {
  protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        clip = path("clip.avi");
        ASSERT_TRUE(testsupport::writeClip(clip.toStdString(), testsupport::ClipCodec::kMjpeg,
                                           {.frames = kClipFrames}));
    }
    ToolResult run(const QStringList& args) {
        tools::CfilePanelFiles files;
        return runToolWith(files, args);
    }
    std::vector<tools::PanelFrame> readBack(const QString& file) {
        tools::CfilePanelFiles files;
        std::vector<tools::PanelFrame> frames;
        const auto keep = [&](const tools::PanelFrame& f) {
            frames.push_back(f);
            return 0;
        };
        EXPECT_EQ(files.readFrames(file, keep), 0);
        return frames;
    }
    std::vector<int> numbersShown(const QString& file) {
        std::vector<int> numbers;
        for (const tools::PanelFrame& frame : readBack(file)) {
            numbers.push_back(testsupport::frameNumberOf(frame.picture));
        }
        return numbers;
    }
    QString clip;
};

// The window's frames are compared byte for byte with make's in the output box tests; here the
// options that test leaves at their defaults.
TEST_F(ToolMake, MakeTakesPanelSizeBackgroundZoomAndDither) {
    const QString picture = twoColourPicture(dir_, "p.png", qRgb(200, 90, 9), qRgb(20, 60, 90));
    const QString out = path("move.zma");
    ASSERT_EQ(run({"make",     "--start",  picture,      "--start-rect", "0,0,80,20",
                   "--end",    picture,    "--end-rect", "30,0,70,20",   "--zoom",
                   "200",      "--method", "0",          "--frames",     "4",
                   "--dither", "ordered",  "--panel",    "80x30",        "--background",
                   "21",       out})
                  .out,
              out + ": 4 frames\n");
    const std::vector<tools::PanelFrame> written = readBack(out);
    ASSERT_EQ(written.size(), 4u);
    for (const tools::PanelFrame& f : written) {
        EXPECT_EQ(std::tuple(f.picture.width(), f.picture.height(), f.picture.bits(), f.code),
                  std::tuple(80, 30, 2, 21));
    }
    EXPECT_NE(written[0].picture.pixels(), written[3].picture.pixels());
}

// The end file's frames follow the start file's in the store, as in the window.
TEST_F(ToolMake, MovesAcrossClipFrames) {
    const QString picture = twoColourPicture(dir_, "p.png", qRgb(1, 2, 3), qRgb(4, 5, 6));
    const QString out = path("clip.zma");
    for (const auto& [start, end, first, last] :
         {std::tuple{clip + "@3", clip + "@25", 2, 24}, {picture, clip + "@5", -1, 4}}) {
        ASSERT_EQ(run({"make", "--start", start, "--start-rect", "0,0,160,120", "--end", end,
                       "--end-rect", "0,0,160,120", "--method", "0", "--frames", "5", out})
                      .code,
                  0);
        const std::vector<int> shown = numbersShown(out);
        ASSERT_EQ(shown.size(), 5u);
        EXPECT_EQ(shown.back(), last) << end.toStdString();
        if (first >= 0) {
            EXPECT_EQ(shown.front(), first);
            EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end()));
            EXPECT_GT(shown[2], first);
            EXPECT_LT(shown[2], last);
        }
    }
}

TEST_F(ToolMake, ImportsAClipRangeAsDecodedPageByPage) {
    const QString picture = twoColourPicture(dir_, "p@2-3.png", qRgb(1, 2, 3), qRgb(4, 5, 6));
    const QString out = path("range.zma");
    ASSERT_EQ(run({"import", "--dither", "jjn", out, clip + "@4-15", picture}).out,
              out + ": 13 frames\n");
    const std::vector<tools::PanelFrame> frames = readBack(out);
    ASSERT_EQ(frames.size(), 13u);
    for (int page = 4; page <= 15; ++page) {
        imaging::LeadModel decoded;
        ASSERT_EQ(decoded.Load(clip, 24, page, 1), 0);
        ASSERT_EQ(decoded.Size(160, 54, 0), 0);
        ASSERT_EQ(produce::reduceToPanel(decoded, imaging::kDitherJarvis), 0);
        EXPECT_EQ(frames[page - 4].picture.pixels(), decoded.picture()->pixels()) << page;
        EXPECT_EQ(testsupport::frameNumberOf(frames[page - 4].picture), page - 1);
    }
    EXPECT_EQ(run({"import", path("all.zma"), clip}).out, path("all.zma") + ": 30 frames\n");
    EXPECT_EQ(numbersShown(path("all.zma")).back(), kClipFrames - 1);
}

TEST_F(ToolMake, RefusesFramesBeyondTheInputsAndUnreadableInputs) {
    const QString big = path("big.avi"), out = path("x.zma"), one = path("one.zml");
    ASSERT_TRUE(
        testsupport::writeClip(big.toStdString(), testsupport::ClipCodec::kMjpeg, {.frames = 60}));
    EXPECT_EQ(run({"import", path("ninety.zma"), big, clip}).out,
              path("ninety.zma") + ": 90 frames\n");
    const QStringList make{"--start-rect", "0,0,10,10", "--method", "0", "--frames", "2", out};
    for (const auto& [args, code, message] : std::vector<std::tuple<QStringList, int, QString>>{
             {QStringList{"make", "--start", clip + "@31"} + make, 2,
              clip + " has 30 frames; there is no frame 31"},
             {QStringList{"make", "--start", path("missing.avi")} + make, 1,
              path("missing.avi") + ": cannot read"},
             {{"import", out, big, clip, clip + "@1-1"}, 2, "too many frames: 91 (at most 90)"},
             {{"import", out, clip + "@25-31"}, 2, "has 30 pages"},
             {{"import", out, clip + "@x-3"}, 2, "bad page range"},
             {{"import", one, clip + "@2-3"}, 2, "a .zml holds one frame; 2 frames"}}) {
        const ToolResult r = run(args);
        EXPECT_EQ(r.code, code) << message.toStdString();
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out) || QFile::exists(one));
    }
}

}  // namespace
