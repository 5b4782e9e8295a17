#pragma once

#include <cstdint>

#include "produce/CropFrame.h"

// The arithmetic of crop frames on the input viewer, without widgets: where the mouse grabs a
// frame, how a drag step moves or resizes it, how the view scrolls to follow it, and how a
// frame is fitted to the picture. The window's handlers read the viewer into a ViewerGeometry,
// call these and write the geometry back.
namespace app {

// What the crop arithmetic needs of the viewer. The picture's top-left corner lies at
// (dstLeft, dstTop) in the control, negative when scrolled; it is displayed
// pictureWidth x pictureHeight (W and H); the control is controlWidth x controlHeight.
struct ViewerGeometry {
    int dstLeft = 0;
    int dstTop = 0;
    int clipLeft = 0;
    int clipTop = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
    int controlWidth = 0;
    int controlHeight = 0;
};

// Where the mouse grabs a frame, and so what a drag does.
enum DragZone : int {
    kZoneOutside = 0,
    kZoneTopLeft = 1,
    kZoneTop = 2,
    kZoneTopRight = 3,
    kZoneLeft = 4,
    kZoneInside = 5,  // moves the whole frame
    kZoneRight = 6,
    kZoneBottomLeft = 7,
    kZoneBottom = 8,
    kZoneBottomRight = 9,
};

// Cursor ids of the zones: 0 default, -6 diagonal up-right, -7 vertical, -8 diagonal
// down-right, -9 horizontal, -22 four-way move.
std::int16_t cursorIdOfZone(int zone);
inline constexpr std::int16_t kCursorMove = -22;

// The zone under control pixel (x, y). Each edge has a grab band from 2 pixels outside to 2
// pixels inside it.
int hitTestFrame(const CropFrame& f, const ViewerGeometry& view, int x, int y);

// The height-to-width ratio a fixed-ratio drag keeps, in single precision (0 for an empty
// width).
float aspectRatioOf(const CropFrame& f);

// One drag step of (dx, dy) in `zone` with fixed ratio `ratio` (0 for none): resizes or moves
// f, refusing a step that would leave it narrower or lower than 10 pixels, scrolls the view so
// the edited edge stays visible (never beyond the range the picture scrolls, so a picture that
// fits never scrolls), and keeps the edges within the picture. False when dx and dy are both 0
// (nothing changes).
bool dragFrame(CropFrame& f, ViewerGeometry& view, int zone, float ratio, int dx, int dy);

// Moves the text frame by (dx, dy) on a preview of width x height. Each direction is refused on
// its own (its two edges stay) when the move would take the frame's left or top below 0, or,
// moving right or down, its right or bottom beyond the preview. False when dx and dy are both 0.
bool moveTextFrame(CropFrame& f, int dx, int dy, int width, int height);

// Moves a frame that sticks out past the picture's right or bottom edge back inside, keeping
// its size where the picture allows.
void fitFrameToImage(CropFrame& f, int pictureWidth, int pictureHeight);

// Binds f to input frame `frameNo` and scrolls the view to centre it, as far as the picture
// scrolls.
void centerOnFrame(CropFrame& f, ViewerGeometry& view, int frameNo);

// The default size of a crop frame: the panel view's proportions, as large as the displayed
// picture allows. Width and height are edge differences (Right - Left, Bottom - Top).
struct FrameSize {
    int width = 0;
    int height = 0;
};
FrameSize defaultFrameSize(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight);

// Copies the four edges of `from` into `to`; the frame number, state and kind stay.
void copyEdges(const CropFrame& from, CropFrame& to);

// Where the viewer control lies in its panel, and its size, for a picture displayed
// pictureWidth x pictureHeight: centred when it fits, else filling the panel with room for
// scroll bars.
struct ViewerPlacement {
    int left = 1;
    int top = 1;
    int width = 0;
    int height = 0;
};
ViewerPlacement placeViewer(int pictureWidth, int pictureHeight, int panelWidth, int panelHeight);

}  // namespace app
