// make and clip import through real pictures, clips and panel files.
#include <gtest/gtest.h>

#include "imaging/LeadModel.h"
#include "produce/PicMCut.h"
#include "produce/PicMCutGenerate.h"
#include "store/Framectl.h"
#include "support/ClipMaker.h"
#include "support/TempFolderTest.h"
#include "support/ToolRun.h"
#include "tools/CfilePanelFiles.h"

using imaging::Picture;

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
    // The frames of a written panel file, with its first frame's background code.
    std::vector<Picture> readBack(const QString& file, int* code = nullptr) {
        tools::CfilePanelFiles files;
        std::vector<Picture> frames;
        EXPECT_EQ(files.readFrames(file,
                                   [&](const tools::PanelFrame& f) {
                                       frames.push_back(f.picture);
                                       if (code != nullptr) {
                                           *code = f.code;
                                       }
                                       return 0;
                                   }),
                  0);
        return frames;
    }
    std::vector<int> numbersShown(const QString& file) {
        std::vector<int> numbers;
        for (const Picture& frame : readBack(file)) {
            numbers.push_back(testsupport::frameNumberOf(frame));
        }
        return numbers;
    }
    QString clip;
};

// A picture of colour steps in both directions, so every crop of it differs.
QString stepsPicture(const QString& file) {
    QImage image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));
        }
    }
    EXPECT_TRUE(image.save(file));
    return file;
}

// The panel frames the generation gives straight into output lists.
std::vector<Picture> generatedDirectly(const QString& file,
                                       const produce::GenerationRequest& request) {
    store::TFrameControl input;
    input.InsertAfter(file);
    imaging::LeadModel colour, panel, work, overlay, a, b;
    const produce::OutputLists lists{colour, panel, work, overlay};
    const produce::GenerationWork pictures{a, b};
    EXPECT_EQ(produce::cropStartAndEnd(request, input, pictures, lists), 0);
    EXPECT_EQ(produce::produceRun(request, input, pictures, lists, 0), 0);
    std::vector<Picture> frames;
    for (int i = 0; i < panel.frameCount(); ++i) {
        frames.push_back(panel.frame(i));
    }
    return frames;
}

TEST_F(ToolMake, StillMovesExactlyAsTheGenerationMakesIt) {
    const QString picture = stepsPicture(path("steps.png"));
    const QString out = path("move.zma");
    ASSERT_EQ(run({"make",     "--start",  picture,      "--start-rect", "0,0,128,96",
                   "--end",    picture,    "--end-rect", "20,10,60,40",  "--zoom",
                   "200",      "--method", "0",          "--frames",     "4",
                   "--dither", "ordered",  "--panel",    "80x30",        "--background",
                   "21",       out})
                  .out,
              out + ": 4 frames\n");
    const std::vector<Picture> expected =
        generatedDirectly(picture, {.start = {0, 0, 128, 96, 1},
                                    .end = {20, 10, 60, 40, 1},
                                    .zoomPercent = 200,
                                    .frames = 4,
                                    .panelWidth = 80,
                                    .panelHeight = 30,
                                    .ditherMethod = imaging::kDitherOrdered});
    int code = 0;
    const std::vector<Picture> written = readBack(out, &code);
    EXPECT_EQ(code, 21);
    ASSERT_EQ(written.size(), 4u);
    ASSERT_EQ(expected.size(), 4u);
    for (std::size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(std::tuple(written[i].width(), written[i].bits(), written[i].pixels()),
                  std::tuple(80, 2, expected[i].pixels()))
            << i;
    }
    EXPECT_NE(written[0].pixels(), written[3].pixels());
}

// The end file's frames follow the start file's in the store, as in the window.
TEST_F(ToolMake, MovesAcrossClipFrames) {
    const QString picture = stepsPicture(path("steps.png"));
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

TEST_F(ToolMake, FrameBeyondTheFileOrAnUnreadableInputIsRefused) {
    for (const auto& [start, code, message] :
         {std::tuple{clip + "@31", 2, clip + " has 30 frames; there is no frame 31"},
          {path("missing.avi"), 1, path("missing.avi") + ": cannot read"}}) {
        const ToolResult r = run({"make", "--start", start, "--start-rect", "0,0,10,10", "--method",
                                  "0", "--frames", "2", path("x.zma")});
        EXPECT_EQ(r.code, code);
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("x.zma")));
    }
}

TEST_F(ToolMake, ImportsAClipRangeAsDecodedPageByPage) {
    const QString picture = stepsPicture(path("p@2-3.png"));
    const QString out = path("range.zma");
    ASSERT_EQ(run({"import", "--dither", "jjn", out, clip + "@4-15", picture}).out,
              out + ": 13 frames\n");
    const std::vector<Picture> frames = readBack(out);
    ASSERT_EQ(frames.size(), 13u);
    for (int page = 4; page <= 15; ++page) {
        imaging::LeadModel decoded;
        ASSERT_EQ(decoded.Load(clip, 24, page, 1), 0);
        ASSERT_EQ(decoded.Size(160, 54, 0), 0);
        ASSERT_EQ(produce::reduceToPanel(decoded, imaging::kDitherJarvis), 0);
        EXPECT_EQ(frames[page - 4].pixels(), decoded.picture()->pixels()) << page;
        EXPECT_EQ(testsupport::frameNumberOf(frames[page - 4]), page - 1);
    }
    EXPECT_EQ(run({"import", path("all.zma"), clip}).out, path("all.zma") + ": 30 frames\n");
    EXPECT_EQ(numbersShown(path("all.zma")).back(), kClipFrames - 1);
}

TEST_F(ToolMake, ImportRefusesRangesBeyondTheClipAndMoreThanNinetyFrames) {
    const QString big = path("big.avi");
    ASSERT_TRUE(
        testsupport::writeClip(big.toStdString(), testsupport::ClipCodec::kMjpeg, {.frames = 60}));
    EXPECT_EQ(run({"import", path("ninety.zma"), big, clip}).out,
              path("ninety.zma") + ": 90 frames\n");
    for (const auto& [inputs, message] :
         {std::pair{QStringList{big, clip, clip + "@1-1"}, "too many frames: 91 (at most 90)"},
          {QStringList{clip + "@25-31"}, "has 30 pages"},
          {QStringList{clip + "@x-3"}, "bad page range"},
          {QStringList{clip + "@2-3"}, "a .zml holds one frame; 2 frames"}}) {
        const QString out = path(inputs.last().endsWith("@2-3") ? "one.zml" : "no.zma");
        const ToolResult r = run(QStringList{"import", out} + inputs);
        EXPECT_EQ(r.code, 2) << message;
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

}  // namespace
