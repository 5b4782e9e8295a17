#include "produce/PicMCut.h"

#include <algorithm>

#include "imaging/Dither.h"
#include "imaging/Planes.h"
#include "imaging/Resample.h"
#include "imaging/TLEAD.h"

namespace produce {

namespace {

constexpr int kValuePlane = 2;

// Rectangles far beyond any picture are kept within int before truncation.
int truncated(float v) {
    return static_cast<int>(std::clamp(v, -1.0e9f, 1.0e9f));
}

}  // namespace

int ditherForChoice(int choiceIndex) {
    if (choiceIndex < 0 || choiceIndex >= static_cast<int>(DitherMethods.size())) {
        return DitherMethods[0];
    }
    return DitherMethods[choiceIndex];
}

int backColorCode(int red, int green, int blue) {
    return red * 16 + green * 4 + blue;
}

imaging::Colour tintedGrey(int code, int i, const ChannelLevels& levels) {
    const int r = levels.red[(code >> 4) & 3];
    const int g = levels.green[(code >> 2) & 3];
    const int b = levels.blue[code & 3];
    return imaging::makeColour((r * i) / 3, (g * i) / 3, (b * i) / 3);
}

void reduceToPanel(TLEAD& work, int ditherMethod) {
    work.ColorSeparate(imaging::kPlanesHsv);
    work.setBitmap(work.Get_ColorPlanes(kValuePlane));
    for (int i = 0; i < static_cast<int>(PanelGreys.size()); ++i) {
        work.Set_UserPalette(i, PanelGreys[i]);
    }
    work.ColorRes(2, imaging::kPaletteUser, ditherMethod, static_cast<int>(PanelGreys.size()));
}

void tintPanelPalette(TLEAD& control, int code, const ChannelLevels& levels) {
    for (int i = 0; i < 4; ++i) {
        control.Set_BitmapPalette(i, tintedGrey(code, i, levels));
    }
}

void showFitted(TLEAD& display, const TLEAD& source) {
    display.setAutoRepaint(false);
    display.releaseBitmap();
    display.setBitmapFrom(source);
    display.Size(display.width(), display.height(), 0);
    display.setAutoRepaint(true);
}

// The rectangle in picture pixels, as the viewer's edges divided by the zoom in single
// precision; the result is what copying that rectangle into a new picture and resizing it
// gives, computed from only the pixels the panel picture needs.
void cropToPanel(const CropFrame& rect, int zoomPercent, TLEAD& source, TLEAD& target,
                 int panelWidth, int panelHeight) {
    source.setPaintZoomFactor(zoomPercent);
    const float z = static_cast<float>(source.PaintZoomFactor()) * 0.01f;
    const float x = static_cast<float>(rect.Left) / z;
    const float y = static_cast<float>(rect.Top) / z;
    const float w = static_cast<float>(rect.Right) / z - x;
    const float h = static_cast<float>(rect.Bottom) / z - y;
    imaging::Picture cut;
    const imaging::Picture empty;
    const imaging::Picture& picture = source.hasBitmap() ? *source.picture() : empty;
    if (imaging::cropResized(picture, truncated(x), truncated(y), truncated(w), truncated(h),
                             panelWidth, panelHeight, &cut) != 0) {
        target.releaseBitmap();
        return;
    }
    target.setBitmap(cut);
}

}  // namespace produce
