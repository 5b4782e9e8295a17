#include <QFile>
#include <QImage>
#include <climits>
#include <string>
#include <tuple>

#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "produce/PicMCutGenerate.h"
#include "store/Framectl.h"
#include "support/ClipMaker.h"
#include "support/TempFolderTest.h"

using namespace imaging;
using produce::GenerationRequest;
using produce::RunFrame;

namespace {

constexpr Colour kA = makeColour(200, 30, 30), kB = makeColour(20, 40, 220);

Picture solid(int width, int height, Colour colour) {
    LeadModel model;
    model.CreateBitmap(width, height, 24);
    model.Fill(colour);
    return *model.picture();
}

int countOf(const Picture& p, Colour colour) {
    int n = 0;
    for (int i = 0; i < p.width() * p.height(); ++i) {
        n += p.colourAt(i % p.width(), i / p.width()) == colour ? 1 : 0;
    }
    return n;
}

GenerationRequest request(int method, int frames, int width = 160, int height = 54,
                          CropFrame start = {}, CropFrame end = {}) {
    return {start, end, 100, method, frames, width, height};
}

// The output lists and work pictures of one run; A and B solid unless a test crops them.
struct Outputs {
    LeadModel colour, panel, work, overlay, start, end;
    produce::OutputLists lists{colour, panel, work, overlay};
    produce::GenerationWork gen{start, end};
    store::TFrameControl input;

    int produce(GenerationRequest r, int first = 0) {
        return produce::produceRun(r, input, gen, lists, first);
    }
    // Two output frames already held: A's colour, then B's.
    void holdTwoFrames(int width, int height) {
        for (const Colour c : {kA, kB}) {
            colour.InsertBitmapListItem(-1, solid(width, height, c));
            panel.InsertBitmapListItem(-1, Picture(width, height, 2));
        }
    }
    void prepareSolid(int width, int height) {
        start.setBitmap(solid(width, height, kA));
        end.setBitmap(solid(width, height, kB));
        overlay.setBitmap(Picture(width, height));
    }
};

// A run as its frames' labels, a copy shown as the label of the frame it copies.
std::string labels(int frames, bool backAndForth) {
    const std::vector<RunFrame> run = produce::runFrames(frames, backAndForth);
    std::string out;
    for (std::size_t i = 0; i < run.size(); ++i) {
        RunFrame f = run[i];
        if (f.kind == RunFrame::kCopy) {
            EXPECT_LT(static_cast<std::size_t>(f.ref), i);
            f = run[f.ref];
        }
        out += f.kind == RunFrame::kStart ? "S" : f.kind == RunFrame::kEnd ? "E" : "I";
        out += f.kind == RunFrame::kStep ? std::to_string(f.ref) + " " : " ";
    }
    return out;
}

// The order of a run's frames, and where each step of a move stands.
TEST(Generate, RunFrameOrderAndMoveSteps) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {1, "S ", "S "},
        {2, "S E ", "S E "},
        {3, "S I1 E ", "S E S "},
        {4, "S I1 I2 E ", "S E E S "},
        {5, "S I1 I2 I3 E ", "S I1 E I1 S "},
        {6, "S I1 I2 I3 I4 E ", "S I1 E E I1 S "},
        {7, "S I1 I2 I3 I4 I5 E ", "S I1 I2 E I2 I1 S "},
    };
    for (const auto& [n, oneWay, backAndForth] : cases) {
        EXPECT_EQ(labels(n, false), oneWay) << n;
        EXPECT_EQ(labels(n, true), backAndForth) << n;
    }
    EXPECT_EQ(produce::runFrames(90, true).size(), 90u);
    EXPECT_TRUE(produce::runFrames(0, false).empty());

    const CropFrame start{0, 0, 100, 50, 1}, end{40, 20, 140, 70, 10};
    const auto edges = [](const CropFrame& f) {
        return std::array{f.Left, f.Top, f.Right, f.Bottom};
    };
    EXPECT_EQ(std::pair(edges(produce::moveStep(start, end, 2, 1)),
                        edges(produce::moveStep(start, end, 2, 2))),
              std::pair(std::array{13, 6, 113, 56}, std::array{26, 13, 126, 63}));
    // Backwards: edges truncate towards zero, frames 10 -> 1 still round half up.
    const CropFrame back = produce::moveStep(end, {-40, 0, 100, 50, 1}, 2, 2);
    EXPECT_EQ((std::array{back.Left, back.Top, back.FrameNo}), (std::array{-13, 6, 4}));
    const CropFrame far = produce::moveStep({INT_MIN, 0, 0, 0, 1}, {INT_MAX, 0, 0, 0, 1}, 0, 5);
    EXPECT_EQ(far.Left, INT_MAX);
}

// Dissolve replaces its share of pixels and runs out; wipes uncover bands that meet.
TEST(Generate, DissolveAndWipesShareOutThePixels) {
    Outputs run, tiny;
    run.prepareSolid(7, 5);
    ASSERT_EQ(run.produce(request(2, 3, 7, 5)), kOk);
    EXPECT_EQ(std::pair(countOf(run.colour.frame(1), kB), countOf(run.colour.frame(1), kA)),
              std::pair(18, 35 - 18));
    EXPECT_EQ(run.colour.frame(2), solid(7, 5, kB));  // the overlay is black again for E

    // One pixel a frame: after four frames no draw is left to accept.
    tiny.prepareSolid(2, 2);
    ASSERT_EQ(tiny.produce(request(2, 20, 2, 2)), kOk);
    EXPECT_EQ(countOf(tiny.colour.frame(1), kB), 1);
    for (int i = 4; i < 20; ++i) {
        EXPECT_EQ(tiny.colour.frame(i), solid(2, 2, kB)) << i;
    }

    // Vertical wipes uncover rows (18 and 36 of 54), horizontal ones columns (3 and 7 of 10).
    for (const auto& [method, width, height, frame, uncovered, lastB, firstA] :
         std::vector<std::tuple<int, int, int, int, int, std::pair<int, int>, std::pair<int, int>>>{
             {4, 160, 54, 1, 160 * 18, {159, 17}, {0, 18}},
             {4, 160, 54, 2, 160 * 36, {159, 35}, {0, 36}},
             {6, 10, 3, 1, 3 * 3, {2, 2}, {3, 0}},
             {6, 10, 3, 2, 7 * 3, {6, 2}, {7, 0}}}) {
        Outputs run;
        run.prepareSolid(width, height);
        ASSERT_EQ(run.produce(request(method, 4, width, height)), kOk);
        const Picture& shown = run.colour.frame(frame);
        EXPECT_EQ(std::tuple(countOf(shown, kB), shown.colourAt(lastB.first, lastB.second),
                             shown.colourAt(firstA.first, firstA.second)),
                  std::tuple(uncovered, kB, kA))
            << method << " " << frame;
    }
    for (const auto& [extent, k] : {std::pair(10, 2), std::pair(160, 6), std::pair(54, 87)}) {
        std::vector<int> covered(extent, 0);
        for (int j = 1; j <= k + 1; ++j) {
            const produce::Band band = produce::wipeBand(extent, k, j);
            for (int x = band.begin; x < band.end; ++x) {
                ++covered[x];
            }
        }
        EXPECT_EQ(covered, std::vector<int>(extent, 1)) << extent << " " << k;
    }
}

using GenerateFromInput = TempFolderTest;

// Two stills cropped as A and B, every method, after the first of two frames held.
TEST_F(GenerateFromInput, EveryMethodFillsItsPlaceInTheLists) {
    for (const auto& [name, rgb] :
         {std::pair("a.png", qRgb(200, 30, 30)), std::pair("b.png", qRgb(20, 40, 220))}) {
        QImage image(320, 108, QImage::Format_RGB888);
        image.fill(rgb);
        image.setPixelColor(5, 5, Qt::white);
        ASSERT_TRUE(image.save(path(name), "PNG"));
    }
    for (int method = 0; method < produce::kMethodCount; ++method) {
        Outputs run;
        run.input.InsertAfter(path("a.png"));
        run.input.InsertAfter(path("b.png"));
        run.holdTwoFrames(160, 54);
        const GenerationRequest r =
            request(method, 6, 160, 54, {0, 0, 320, 108, 1}, {10, 10, 170, 64, 2});
        ASSERT_EQ(produce::cropStartAndEnd(r, run.input, run.gen, run.lists), kOk);
        const Picture a = *run.start.picture(), b = *run.end.picture();
        ASSERT_EQ(run.produce(r, 1), kOk) << method;
        const std::vector<RunFrame> frames = produce::runFrames(6, produce::isBackAndForth(method));
        ASSERT_EQ(std::pair(run.colour.BitmapListCount(), run.panel.BitmapListCount()),
                  std::pair(8, 8));
        EXPECT_EQ(std::pair(run.colour.frame(0), run.colour.frame(7)),
                  std::pair(solid(160, 54, kA), solid(160, 54, kB)));
        for (int i = 0; i < 6; ++i) {
            const RunFrame f = frames[i];
            if (f.kind == RunFrame::kCopy) {
                EXPECT_EQ(std::pair(run.colour.frame(1 + i), run.panel.frame(1 + i)),
                          std::pair(run.colour.frame(1 + f.ref), run.panel.frame(1 + f.ref)));
            } else if (f.kind != RunFrame::kStep) {
                EXPECT_EQ(run.colour.frame(1 + i), f.kind == RunFrame::kStart ? a : b) << method;
            }
        }
        EXPECT_EQ(std::pair(run.colour.BitmapListIndex(), run.panel.BitmapListIndex()),
                  std::pair(6, 6));
    }
}

// A move takes its frames from the clip; failures leave everything as it was.
TEST_F(GenerateFromInput, MoveThroughAClipAndFailures) {
    const QString file = path("clip.avi");
    ASSERT_TRUE(testsupport::writeClip(file.toStdString(), testsupport::ClipCodec::kMjpeg,
                                       {.frames = 25, .width = 144, .height = 16}));
    Outputs moved, run;
    moved.input.InsertAfter(file);
    // Viewer pixels at 200 %: the whole 144 x 16 frame.
    GenerationRequest move = request(0, 5, 144, 16, {0, 0, 288, 32, 1}, {0, 0, 288, 32, 10});
    move.zoomPercent = 200;
    ASSERT_EQ(produce::cropStartAndEnd(move, moved.input, moved.gen, moved.lists), kOk);
    ASSERT_EQ(moved.produce(move), kOk);
    std::vector<int> shown;
    for (int i = 0; i < moved.colour.BitmapListCount(); ++i) {
        shown.push_back(testsupport::frameNumberOf(moved.colour.frame(i)));
    }
    // Input frames 1, 3, 6, 8, 10: the steps' frame numbers round half up.
    EXPECT_EQ(shown, (std::vector{0, 2, 5, 7, 9}));

    run.input.InsertAfter(file);
    const GenerationRequest r = request(0, 5, 144, 16, {0, 0, 144, 16, 1}, {0, 0, 144, 16, 25});
    for (const GenerationRequest& bad :
         {request(8, 5), request(-1, 5), request(0, 0), request(0, 91), request(0, 5, 160, 0)}) {
        EXPECT_EQ(produce::cropStartAndEnd(bad, run.input, run.gen, run.lists), kInvalidArgument);
    }
    EXPECT_FALSE(run.start.hasBitmap() || run.overlay.hasBitmap());
    GenerationRequest missing = r;
    missing.end.FrameNo = 26;
    EXPECT_EQ(produce::cropStartAndEnd(missing, run.input, run.gen, run.lists), kPageOutOfRange);
    EXPECT_EQ(run.produce(r), kNoBitmap);  // B was never cropped

    ASSERT_EQ(produce::cropStartAndEnd(r, run.input, run.gen, run.lists), kOk);
    run.holdTwoFrames(144, 16);
    EXPECT_EQ(run.produce(r, 3), kInvalidArgument);
    // The clip is cut short: the move's frames 7, 13 and 19 cannot be decoded any more.
    QFile(file).resize(0);
    EXPECT_EQ(run.produce(r, 1), kNoBitmap);
    ASSERT_EQ(std::pair(run.colour.BitmapListCount(), run.panel.BitmapListCount()),
              std::pair(2, 2));
    EXPECT_EQ(std::tuple(run.colour.frame(0), run.colour.frame(1), run.colour.BitmapListIndex(),
                         run.panel.BitmapListIndex()),
              std::tuple(solid(144, 16, kA), solid(144, 16, kB), 0, 0));
}

}  // namespace
