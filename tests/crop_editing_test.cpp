#include <gtest/gtest.h>

#include <array>
#include <string>
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

// Both scroll bars: the view scrolls 400 - (200 - 17) = 217 pixels across, 300 - (150 - 17) =
// 167 down.
constexpr ViewerGeometry kScrolled{
    .pictureWidth = 400, .pictureHeight = 300, .controlWidth = 200, .controlHeight = 150};
// The control is the picture's size: nothing scrolls.
constexpr ViewerGeometry kFitting{
    .pictureWidth = 100, .pictureHeight = 50, .controlWidth = 100, .controlHeight = 50};

TEST(CropEditing, GrabBandsAndCursors) {
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
    std::vector<int> cursors;
    for (int zone = -1; zone <= 10; ++zone) {
        cursors.push_back(cursorIdOfZone(zone));
    }
    EXPECT_EQ(cursors, (std::vector<int>{0, 0, -8, -7, -6, -9, -22, -9, -6, -7, -8, 0}));
}

TEST(CropEditing, ResizeStopsAtTenPixels) {
    ViewerGeometry view = kScrolled;
    CropFrame f{20, 20, 40, 40};
    EXPECT_FALSE(dragFrame(f, view, kZoneRight, 0, 0, 0));
    EXPECT_TRUE(dragFrame(f, view, kZoneRight, 0, -10, 0));
    EXPECT_EQ(edgesOf(f), (Edges{20, 20, 30, 40}));
    EXPECT_TRUE(dragFrame(f, view, kZoneRight, 0, -1, 0));  // refused, still a step
    dragFrame(f, view, kZoneTopLeft, 0, 1, -5);             // too narrow: the rise goes too
    EXPECT_EQ(edgesOf(f), (Edges{20, 20, 30, 40}));
    dragFrame(f, view, kZoneTop, 0, 0, -5);  // only the height counts for the top edge
    EXPECT_EQ(edgesOf(f), (Edges{20, 15, 30, 40}));
}

TEST(CropEditing, RatioDerivesTheOtherEdgeFromTheSizeBeforeTheStep) {
    struct Step {
        int zone;
        float ratio;
        int dx, dy;
        Edges expected;  // from 100,100,300,150 in a picture that does not scroll
    };
    for (const Step& s :
         std::vector<Step>{{1, 0.5f, -8, 3, {92, 50, 300, 150}},  // a horizontal step ignores dy
                           {3, 0.5f, 0, -4, {100, 96, 200, 150}},
                           {7, 0.5f, 0, 4, {200, 100, 300, 154}},
                           {9, 0.3f, 0, 4, {100, 100, 266, 154}},     // 266.67 truncated
                           {1, 0.3f, -8, 0, {92, 89, 300, 150}},      // 150 - 60.0000024 truncated
                           {6, 0.5f, 8, 5, {100, 100, 308, 150}}}) {  // edges ignore the ratio
        ViewerGeometry view{
            .pictureWidth = 400, .pictureHeight = 300, .controlWidth = 500, .controlHeight = 400};
        CropFrame f{100, 100, 300, 150};
        dragFrame(f, view, s.zone, s.ratio, s.dx, s.dy);
        EXPECT_EQ(edgesOf(f), s.expected) << "zone " << s.zone << " step " << s.dx << "," << s.dy;
    }
    ViewerGeometry view = kScrolled;
    CropFrame f{0, 0, 200, 50};
    const float ratio = aspectRatioOf(f);
    dragFrame(f, view, kZoneBottomRight, ratio, 8, 0);
    EXPECT_EQ(edgesOf(f), (Edges{0, 0, 208, 50}));
    dragFrame(f, view, kZoneBottomRight, ratio, 8, 0);  // the ratio comes back
    EXPECT_EQ(edgesOf(f), (Edges{0, 0, 216, 52}));
    EXPECT_EQ(aspectRatioOf(CropFrame{5, 0, 5, 9}), 0.0f);
}

TEST(CropEditing, FrameStaysInsideThePicture) {
    ViewerGeometry view = kFitting;
    CropFrame f{5, 5, 55, 35};
    dragFrame(f, view, kZoneInside, 0, -20, -9);
    EXPECT_EQ(edgesOf(f), (Edges{0, 0, 50, 30}));  // as far as it goes, same size
    dragFrame(f, view, kZoneInside, 0, 100, 100);
    EXPECT_EQ(edgesOf(f), (Edges{50, 20, 100, 50}));
    f = {0, 0, 50, 40};
    dragFrame(f, view, kZoneRight, 0, 80, 0);
    dragFrame(f, view, kZoneBottomLeft, 0, -8, 30);  // past the left edge as well
    EXPECT_EQ(edgesOf(f), (Edges{0, 0, 100, 50}));
    EXPECT_EQ(scrollOf(view), (Edges{0, 0, 0, 0}));  // never scrolled, nor right of 0

    // After a zoom change, a frame past the right or bottom edge moves back keeping its size.
    for (auto [frame, after] :
         std::vector<std::pair<CropFrame, Edges>>{{{20, 10, 80, 40}, {20, 10, 80, 40}},
                                                  {{30, 10, 180, 40}, {0, 10, 100, 40}},
                                                  {{90, 45, 120, 60}, {70, 35, 100, 50}}}) {
        fitFrameToImage(frame, 100, 50);
        EXPECT_EQ(edgesOf(frame), after);
    }
}

TEST(CropEditing, ViewFollowsTheEditedEdgeWithinThePicture) {
    ViewerGeometry view = kScrolled;
    CropFrame f{10, 10, 150, 100};
    dragFrame(f, view, kZoneRight, 0, 50, 0);  // right edge 200 needs 17 more pixels
    EXPECT_EQ(scrollOf(view), (Edges{-17, 0, -17, 0}));

    f = {100, 10, 180, 60};
    view = kScrolled;
    dragFrame(f, view, kZoneInside, 0, 10, 0);  // past the visible edge: the view moves with it
    EXPECT_EQ(view.dstLeft, -10);
    view.dstLeft = view.clipLeft = -120;
    dragFrame(f, view, kZoneInside, 0, -5, 0);  // left edge hidden: the view moves back with it
    EXPECT_EQ(edgesOf(f), (Edges{105, 10, 185, 60}));
    EXPECT_EQ(scrollOf(view), (Edges{-115, 0, -115, 0}));

    f = {380, 200, 395, 280};
    view.dstLeft = view.clipLeft = -217;  // at the picture's right end already
    dragFrame(f, view, kZoneBottomRight, 0, 20, 20);
    EXPECT_EQ(edgesOf(f), (Edges{380, 200, 400, 300}));
    EXPECT_EQ(scrollOf(view), (Edges{-217, -152, -217, -152}));
}

TEST(CropEditing, CentringScrollsWithinThePicture) {
    struct Centre {
        ViewerGeometry view;
        CropFrame frame;
        int dstLeft, dstTop;
    };
    for (const Centre& c : std::vector<Centre>{{kScrolled, {5, 5, 55, 35}, 0, 0},
                                               {kScrolled, {200, 150, 260, 190}, -131, -96},
                                               {kScrolled, {380, 280, 400, 300}, -217, -167},
                                               {kFitting, {60, 30, 90, 45}, 0, 0}}) {
        ViewerGeometry view = c.view;
        CropFrame f = c.frame;
        centerOnFrame(f, view, 7);
        EXPECT_EQ(f.FrameNo, 7);
        EXPECT_EQ(scrollOf(view), (Edges{c.dstLeft, c.dstTop, c.dstLeft, c.dstTop}));
    }
}

TEST(CropEditing, FrameSizeAndViewerPlaceFollowThePicture) {
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
