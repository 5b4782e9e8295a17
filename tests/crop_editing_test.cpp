#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/CropEditing.h"

using namespace app;

namespace {

using Edges = std::array<int, 4>;

Edges edgesOf(const CropFrame& f) {
    return {f.Left, f.Top, f.Right, f.Bottom};
}

Edges scrollOf(const ViewerGeometry& v) {
    return {v.dstLeft, v.dstTop, v.clipLeft, v.clipTop};
}

// Geometries as {dstLeft, dstTop, clipLeft, clipTop, picture width, height, control width,
// height}. Both scroll bars: the view scrolls 400 - (200 - 17) = 217 pixels across,
// 300 - (150 - 17) = 167 down; `left` is where it stands across.
constexpr ViewerGeometry scrolled(int left = 0) {
    return {left, 0, left, 0, 400, 300, 200, 150};
}
constexpr ViewerGeometry kFitting{0, 0, 0, 0, 100, 50, 100, 50};  // nothing scrolls
constexpr ViewerGeometry kRoomy{0, 0, 0, 0, 400, 300, 500, 400};  // larger than the picture

TEST(CropEditing, GrabBands) {
    ViewerGeometry view{.dstLeft = -5};
    const CropFrame f{15, 10, 115, 60};  // at control x 10 to 110
    std::vector<std::string> zones;
    for (const int y : {7, 8, 12, 13, 57, 58, 62, 63}) {
        zones.emplace_back();
        for (const int x : {7, 8, 12, 13, 107, 108, 112, 113}) {
            zones.back() += static_cast<char>('0' + hitTestFrame(f, view, x, y));
        }
    }
    EXPECT_EQ(zones, (std::vector<std::string>{"00000000", "01122330", "01122330", "04455660",
                                               "04455660", "07788990", "07788990", "00000000"}));
}

// One drag step from a frame in a view: the edges it leaves, and where the view then stands
// (a picture that fits never scrolls). Zones: 1 2 3 / 4 5 6 / 7 8 9, 5 inside.
TEST(CropEditing, DragStepsResizeMoveAndScroll) {
    struct Drag {
        ViewerGeometry view;
        CropFrame frame;
        int zone;
        float ratio;
        int dx, dy;
        Edges edges;
        int dstLeft, dstTop;
    };
    const ViewerGeometry sc = scrolled(), fit = kFitting, big = kRoomy;
    const std::vector<Drag> drags{
        // Ten pixels at least; too narrow a step drops its rise too; the top edge: height only.
        {sc, {20, 20, 40, 40}, 6, 0, -10, 0, {20, 20, 30, 40}, 0, 0},
        {sc, {20, 20, 30, 40}, 1, 0, 1, -5, {20, 20, 30, 40}, 0, 0},
        {sc, {20, 20, 30, 40}, 2, 0, 0, -5, {20, 15, 30, 40}, 0, 0},
        // With a ratio the other edge follows from the size before the step, truncated (266.67,
        // 150 - 60.0000024); a horizontal step ignores dy, an edge ignores the ratio.
        {big, {100, 100, 300, 150}, 1, 0.5f, -8, 3, {92, 50, 300, 150}, 0, 0},
        {big, {100, 100, 300, 150}, 3, 0.5f, 0, -4, {100, 96, 200, 150}, 0, 0},
        {big, {100, 100, 300, 150}, 7, 0.5f, 0, 4, {200, 100, 300, 154}, 0, 0},
        {big, {100, 100, 300, 150}, 9, 0.3f, 0, 4, {100, 100, 266, 154}, 0, 0},
        {big, {100, 100, 300, 150}, 1, 0.3f, -8, 0, {92, 89, 300, 150}, 0, 0},
        {big, {100, 100, 300, 150}, 6, 0.5f, 8, 5, {100, 100, 308, 150}, 0, 0},
        {sc, {0, 0, 200, 50}, 9, 0.25f, 8, 0, {0, 0, 208, 50}, -25, 0},
        {scrolled(-25), {0, 0, 208, 50}, 9, 0.25f, 8, 0, {0, 0, 216, 52}, -33, 0},
        // Within the picture, keeping the size where it moves.
        {fit, {5, 5, 55, 35}, 5, 0, -20, -9, {0, 0, 50, 30}, 0, 0},
        {fit, {0, 0, 50, 30}, 5, 0, 100, 100, {50, 20, 100, 50}, 0, 0},
        {fit, {0, 0, 50, 40}, 6, 0, 80, 0, {0, 0, 100, 40}, 0, 0},
        {fit, {0, 0, 100, 40}, 7, 0, -8, 30, {0, 0, 100, 50}, 0, 0},
        // The view follows the edited edge (right edge 200 needs 17 more pixels), or the moved
        // frame, but not beyond the picture.
        {sc, {10, 10, 150, 100}, 6, 0, 50, 0, {10, 10, 200, 100}, -17, 0},
        {sc, {100, 10, 180, 60}, 5, 0, 10, 0, {110, 10, 190, 60}, -10, 0},
        {scrolled(-120), {110, 10, 190, 60}, 5, 0, -5, 0, {105, 10, 185, 60}, -115, 0},
        {scrolled(-217), {380, 200, 395, 280}, 9, 0, 20, 20, {380, 200, 400, 300}, -217, -152},
    };
    for (std::size_t i = 0; i < drags.size(); ++i) {
        const Drag& d = drags[i];
        ViewerGeometry view = d.view;
        CropFrame f = d.frame;
        EXPECT_TRUE(dragFrame(f, view, d.zone, d.ratio, d.dx, d.dy)) << i;
        EXPECT_EQ(std::pair(edgesOf(f), scrollOf(view)),
                  std::pair(d.edges, Edges{d.dstLeft, d.dstTop, d.dstLeft, d.dstTop}))
            << i;
    }
    ViewerGeometry view = scrolled();
    CropFrame f{20, 20, 30, 40};
    EXPECT_FALSE(dragFrame(f, view, kZoneRight, 0, 0, 0));
    EXPECT_TRUE(dragFrame(f, view, kZoneRight, 0, -1, 0));  // refused, still a step
    EXPECT_EQ(edgesOf(f), (Edges{20, 20, 30, 40}));
    EXPECT_EQ(aspectRatioOf({0, 0, 200, 50}), 0.25f);
    EXPECT_EQ(aspectRatioOf({5, 0, 5, 9}), 0.0f);

    // After a zoom change, a frame past the right or bottom edge moves back keeping its size.
    for (auto [frame, after] :
         std::vector<std::pair<CropFrame, Edges>>{{{20, 10, 80, 40}, {20, 10, 80, 40}},
                                                  {{30, 10, 180, 40}, {0, 10, 100, 40}},
                                                  {{90, 45, 120, 60}, {70, 35, 100, 50}}}) {
        fitFrameToImage(frame, 100, 50);
        EXPECT_EQ(edgesOf(frame), after);
    }
}

// Centring scrolls within the picture; the default frame size and the viewer's place follow it.
TEST(CropEditing, CentringDefaultSizeAndViewerPlace) {
    for (const auto& [start, frame, left, top] :
         std::vector<std::tuple<ViewerGeometry, CropFrame, int, int>>{
             {scrolled(), {5, 5, 55, 35}, 0, 0},
             {scrolled(), {200, 150, 260, 190}, -131, -96},
             {scrolled(), {380, 280, 400, 300}, -217, -167},
             {kFitting, {60, 30, 90, 45}, 0, 0}}) {
        ViewerGeometry view = start;
        CropFrame f = frame;
        centerOnFrame(f, view, 7);
        EXPECT_EQ(std::pair(f.FrameNo, scrollOf(view)), std::pair(7, Edges{left, top, left, top}));
    }

    std::vector<std::array<int, 2>> sizes;
    for (const auto& [w, h] :
         std::vector<std::array<int, 2>>{{400, 44}, {203, 55}, {1000, 800}, {160, 120}, {0, 120}}) {
        const FrameSize size = defaultFrameSize(w, h, 203, 55);
        sizes.push_back({size.width, size.height});
    }
    EXPECT_EQ(sizes, (std::vector<std::array<int, 2>>{
                         {161, 43}, {202, 54}, {202, 54}, {158, 42}, {0, 0}}));
    EXPECT_EQ(defaultFrameSize(160, 120, 0, 55).width, 0);

    std::vector<Edges> placements;
    for (const auto& [w, h] :
         std::vector<std::array<int, 2>>{{100, 50}, {300, 50}, {100, 150}, {300, 200}, {195, 50}}) {
        const ViewerPlacement v = placeViewer(w, h, 200, 100);
        placements.push_back({v.left, v.top, v.width, v.height});
    }
    EXPECT_EQ(placements, (std::vector<Edges>{{49, 24, 100, 50},  // centred
                                              {1, 15, 198, 67},   // horizontal scroll bar
                                              {40, 1, 117, 98},   // vertical scroll bar
                                              {1, 1, 198, 98},
                                              {1, 24, 198, 50}}));  // centred at 1: panel width
}

}  // namespace
