#include "app/CropEditing.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace app {

namespace {

constexpr int kMinFrameSide = 10;
constexpr int kGrabOutside = 2;  // the grab band reaches this far outside an edge
constexpr int kGrabInside = 3;   // and ends this far inside it
constexpr int kScrollBar = 17;   // width of a scroll bar beside the picture
constexpr int kEdgeMargin = 2;   // an edge the view follows stays this far inside the control
constexpr int kFollowBar = 15;   // extra room the follow keeps when it sees a scroll bar
constexpr int kPanelBorder = 2;  // the viewer's panel loses this much to its border

// Ratios are single precision, but the sums and products on them are taken in double and then
// truncated: a float product would round 203 * (160 / 203.0f) up to 160 where the established
// sizes have 159.99999.
//
// Truncates a dependent edge, saturating far outside any picture so that a degenerate ratio
// cannot overflow the conversion.
int truncateEdge(double v) {
    constexpr double kLimit = 1 << 30;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

// Scroll bars of the viewer: one appears when the picture does not fit the control, and each
// takes room from the other direction.
struct ScrollBars {
    bool horizontal = false;
    bool vertical = false;
};

ScrollBars scrollBarsOf(const ViewerGeometry& v) {
    const bool wide = v.pictureWidth > v.controlWidth;
    const bool tall = v.pictureHeight > v.controlHeight;
    return {wide || (tall && v.pictureWidth > v.controlWidth - kScrollBar),
            tall || (wide && v.pictureHeight > v.controlHeight - kScrollBar)};
}

// The most negative dstLeft / dstTop that still shows picture up to the control's far edge.
int lowestDstLeft(const ViewerGeometry& v) {
    const int room = v.controlWidth - (scrollBarsOf(v).vertical ? kScrollBar : 0);
    return std::min(0, room - v.pictureWidth);
}

int lowestDstTop(const ViewerGeometry& v) {
    const int room = v.controlHeight - (scrollBarsOf(v).horizontal ? kScrollBar : 0);
    return std::min(0, room - v.pictureHeight);
}

// Moves dst (and clip with it) by -s, in the direction asked but never past the range the
// picture can scroll, so the picture's corner never leaves the control's corner and a picture
// that fits never scrolls. A view already outside that range is not moved back.
void shiftView(int& dst, int& clip, int s, int lowest) {
    const int target = std::clamp(dst - s, std::min(lowest, dst), std::max(0, dst));
    clip -= dst - target;
    dst = target;
}

void shiftHorizontally(ViewerGeometry& v, int s) {
    shiftView(v.dstLeft, v.clipLeft, s, lowestDstLeft(v));
}

void shiftVertically(ViewerGeometry& v, int s) {
    shiftView(v.dstTop, v.clipTop, s, lowestDstTop(v));
}

int leftOverflow(const CropFrame& f, const ViewerGeometry& v) {
    return v.dstLeft + f.Left;
}

int topOverflow(const CropFrame& f, const ViewerGeometry& v) {
    return v.dstTop + f.Top;
}

int rightOverflow(const CropFrame& f, const ViewerGeometry& v) {
    const bool verticalBar = v.dstTop + v.pictureHeight > v.controlHeight - kEdgeMargin;
    return v.dstLeft + f.Right - v.controlWidth + kEdgeMargin + (verticalBar ? kFollowBar : 0);
}

int bottomOverflow(const CropFrame& f, const ViewerGeometry& v) {
    const bool horizontalBar = v.dstLeft + v.pictureWidth > v.controlWidth - kEdgeMargin;
    return v.dstTop + f.Bottom - v.controlHeight + kEdgeMargin + (horizontalBar ? kFollowBar : 0);
}

void followLeft(const CropFrame& f, ViewerGeometry& v) {
    const int s = leftOverflow(f, v);
    if (s < 0) {
        shiftHorizontally(v, s);
    }
}

void followTop(const CropFrame& f, ViewerGeometry& v) {
    const int s = topOverflow(f, v);
    if (s < 0) {
        shiftVertically(v, s);
    }
}

void followRight(const CropFrame& f, ViewerGeometry& v) {
    const int s = rightOverflow(f, v);
    if (s > 0) {
        shiftHorizontally(v, s);
    }
}

void followBottom(const CropFrame& f, ViewerGeometry& v) {
    const int s = bottomOverflow(f, v);
    if (s > 0) {
        shiftVertically(v, s);
    }
}

// Moves the whole frame within the picture; the view travels with it while the frame is at
// the control's edge.
void moveFrame(CropFrame& f, ViewerGeometry& v, int dx, int dy) {
    // One bound after the other, so a frame larger than the picture (which std::clamp could
    // not take) is held at the right and bottom edges.
    dx = std::min(std::max(dx, -f.Left), v.pictureWidth - f.Right);
    dy = std::min(std::max(dy, -f.Top), v.pictureHeight - f.Bottom);
    f.Left += dx;
    f.Right += dx;
    f.Top += dy;
    f.Bottom += dy;
    if ((dx < 0 && leftOverflow(f, v) < 0) || (dx > 0 && rightOverflow(f, v) > 0)) {
        shiftHorizontally(v, dx);
    }
    if ((dy < 0 && topOverflow(f, v) < 0) || (dy > 0 && bottomOverflow(f, v) > 0)) {
        shiftVertically(v, dy);
    }
}

// A corner drag with a fixed ratio: a horizontal step moves the vertical edge and derives the
// horizontal one from the width before the step, a purely vertical step the other way round.
// `leftSide` / `topSide` say which edges the corner holds.
CropFrame dragCorner(const CropFrame& f, bool leftSide, bool topSide, float r, int dx, int dy) {
    CropFrame n = f;
    const double w = f.width();
    const double h = f.height();
    const bool horizontalStep = r == 0.0f || dx != 0;
    int& xEdge = leftSide ? n.Left : n.Right;
    int& yEdge = topSide ? n.Top : n.Bottom;
    if (horizontalStep) {
        xEdge += dx;
    } else {
        yEdge += dy;
    }
    if (r == 0.0f) {
        yEdge += dy;
    } else if (horizontalStep) {
        const double span = w * r;
        yEdge = topSide ? truncateEdge(f.Bottom - span) : truncateEdge(f.Top + span);
    } else {
        const double span = h / r;
        xEdge = leftSide ? truncateEdge(f.Right - span) : truncateEdge(f.Left + span);
    }
    return n;
}

// The edges the view follows after a resize, in order, per zone.
using Follow = void (*)(const CropFrame&, ViewerGeometry&);

constexpr Follow kFollows[][2] = {
    {nullptr, nullptr},          {followLeft, followTop},    {followTop, nullptr},
    {followTop, followRight},    {followLeft, nullptr},      {nullptr, nullptr},
    {followRight, nullptr},      {followLeft, followBottom}, {followBottom, nullptr},
    {followRight, followBottom},
};

// The resized frame, or nothing for a zone that does not resize.
std::optional<CropFrame> resizedFrame(const CropFrame& f, int zone, float r, int dx, int dy) {
    CropFrame n = f;
    switch (zone) {
        case kZoneTopLeft:
        case kZoneTopRight:
        case kZoneBottomLeft:
        case kZoneBottomRight:
            return dragCorner(f, zone == kZoneTopLeft || zone == kZoneBottomLeft,
                              zone == kZoneTopLeft || zone == kZoneTopRight, r, dx, dy);
        case kZoneTop:
            n.Top += dy;
            return n;
        case kZoneLeft:
            n.Left += dx;
            return n;
        case kZoneRight:
            n.Right += dx;
            return n;
        case kZoneBottom:
            n.Bottom += dy;
            return n;
        default:
            return std::nullopt;
    }
}

// One resize step of a corner or edge zone: the new edges when the sides the zone changes stay
// at least the minimum, then the view follows the edited edges in the zone's order.
void resizeFrame(CropFrame& f, ViewerGeometry& v, int zone, float r, int dx, int dy) {
    const std::optional<CropFrame> n = resizedFrame(f, zone, r, dx, dy);
    if (!n) {
        return;
    }
    const bool widthKept = zone == kZoneTop || zone == kZoneBottom;
    const bool heightKept = zone == kZoneLeft || zone == kZoneRight;
    if ((!widthKept && n->width() < kMinFrameSide) ||
        (!heightKept && n->height() < kMinFrameSide)) {
        return;
    }
    f = *n;
    for (const Follow follow : kFollows[zone]) {
        if (follow != nullptr) {
            follow(f, v);
        }
    }
}

void keepInsidePicture(CropFrame& f, const ViewerGeometry& v) {
    f.Left = std::max(f.Left, 0);
    f.Top = std::max(f.Top, 0);
    f.Right = std::min(f.Right, v.pictureWidth);
    f.Bottom = std::min(f.Bottom, v.pictureHeight);
}

// How far the view scrolls to put `start` of a span `extent` long in the middle of a control
// `control` long, within [0, maxScroll].
int centringScroll(int start, int extent, int control, int maxScroll) {
    return std::clamp(start - (control - extent - kEdgeMargin) / 2, 0, std::max(0, maxScroll));
}

}  // namespace

std::int16_t cursorIdOfZone(int zone) {
    static constexpr std::int16_t kCursors[] = {0, -8, -7, -6, -9, -22, -9, -6, -7, -8};
    if (zone < 0 || zone > kZoneBottomRight) {
        return 0;
    }
    return kCursors[zone];
}

int hitTestFrame(const CropFrame& f, const ViewerGeometry& view, int x, int y) {
    const int l = view.dstLeft + f.Left;
    const int r = view.dstLeft + f.Right;
    const int t = view.dstTop + f.Top;
    const int b = view.dstTop + f.Bottom;
    if (x < l - kGrabOutside || x > r + kGrabOutside || y < t - kGrabOutside ||
        y > b + kGrabOutside) {
        return kZoneOutside;
    }
    const int column = x < l + kGrabInside ? 1 : (x < r - kGrabOutside ? 2 : 3);
    const int row = y < t + kGrabInside ? 0 : (y < b - kGrabOutside ? 3 : 6);
    return column + row;
}

bool moveTextFrame(CropFrame& f, int dx, int dy, int width, int height) {
    if (dx == 0 && dy == 0) {
        return false;
    }
    if (f.Left + dx >= 0 && !(dx > 0 && f.Right + dx > width)) {
        f.Left += dx;
        f.Right += dx;
    }
    if (f.Top + dy >= 0 && !(dy > 0 && f.Bottom + dy > height)) {
        f.Top += dy;
        f.Bottom += dy;
    }
    return true;
}

float aspectRatioOf(const CropFrame& f) {
    if (f.width() == 0) {
        return 0.0f;
    }
    return static_cast<float>(f.height()) / static_cast<float>(f.width());
}

bool dragFrame(CropFrame& f, ViewerGeometry& view, int zone, float ratio, int dx, int dy) {
    if (dx == 0 && dy == 0) {
        return false;
    }
    if (zone == kZoneInside) {
        moveFrame(f, view, dx, dy);
    } else {
        resizeFrame(f, view, zone, std::isfinite(ratio) ? ratio : 0.0f, dx, dy);
    }
    keepInsidePicture(f, view);
    return true;
}

void fitFrameToImage(CropFrame& f, int pictureWidth, int pictureHeight) {
    if (f.Right > pictureWidth) {
        f.Left = std::max(0, pictureWidth - f.width());
        f.Right = pictureWidth;
    }
    if (f.Bottom > pictureHeight) {
        f.Top = std::max(0, pictureHeight - f.height());
        f.Bottom = pictureHeight;
    }
}

void centerOnFrame(CropFrame& f, ViewerGeometry& view, int frameNo) {
    f.FrameNo = frameNo;
    const int ox = centringScroll(f.Left, f.width(), view.controlWidth, -lowestDstLeft(view));
    const int oy = centringScroll(f.Top, f.height(), view.controlHeight, -lowestDstTop(view));
    view.clipLeft = -ox;
    view.clipTop = -oy;
    view.dstLeft = -ox;
    view.dstTop = -oy;
}

FrameSize defaultFrameSize(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight) {
    if (viewWidth <= 0 || viewHeight <= 0) {
        return {};
    }
    const float byWidth = static_cast<float>(pictureWidth) / static_cast<float>(viewWidth);
    const float byHeight = static_cast<float>(pictureHeight) / static_cast<float>(viewHeight);
    const float r = std::min(byWidth, byHeight);
    if (r >= 1.0f) {
        return {viewWidth - 1, viewHeight - 1};
    }
    const double w = viewWidth * static_cast<double>(r);
    const double h = viewHeight * static_cast<double>(r);
    return {std::max(0, static_cast<int>(w) - 1), std::max(0, static_cast<int>(h) - 1)};
}

void copyEdges(const CropFrame& from, CropFrame& to) {
    to.Left = from.Left;
    to.Top = from.Top;
    to.Right = from.Right;
    to.Bottom = from.Bottom;
}

ViewerPlacement placeViewer(int pictureWidth, int pictureHeight, int panelWidth, int panelHeight) {
    int w = pictureWidth;
    int h = pictureHeight;
    if (panelWidth - kPanelBorder < w) {
        h += kScrollBar;
    }
    if (panelHeight - kPanelBorder < h) {
        w += kScrollBar;
    }
    ViewerPlacement p;
    if (panelWidth - kPanelBorder > w) {
        p.left = (panelWidth - w - kPanelBorder) / 2;
    }
    if (panelHeight - kPanelBorder > h) {
        p.top = (panelHeight - h - kPanelBorder) / 2;
    }
    p.width = p.left == 1 ? panelWidth - kPanelBorder : w;
    p.height = p.top == 1 ? panelHeight - kPanelBorder : h;
    return p;
}

}  // namespace app
