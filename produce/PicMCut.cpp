#include "produce/PicMCut.h"

#include <algorithm>

#include "imaging/Dither.h"
#include "imaging/LeadModel.h"
#include "imaging/Planes.h"
#include "imaging/Resample.h"
#include "imaging/Status.h"

namespace produce {

namespace {

constexpr int kValuePlane = 2;
// The zoom range of the viewer.
constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 6400;

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

int reduceToPanel(imaging::LeadModel& work, int ditherMethod) {
    int status = work.ColorSeparate(imaging::kPlanesHsv);
    if (status == imaging::kOk) {
        work.setBitmap(work.Get_ColorPlanes(kValuePlane));
        for (int i = 0; i < static_cast<int>(PanelGreys.size()); ++i) {
            work.Set_UserPalette(i, PanelGreys[i]);
        }
        status = work.ColorRes(2, imaging::kPaletteUser, ditherMethod,
                               static_cast<int>(PanelGreys.size()));
    }
    if (status != imaging::kOk) {
        work.releaseBitmap();
    }
    return status;
}

int tintPanelPalette(imaging::LeadModel& picture, int code, const ChannelLevels& levels) {
    if (!picture.hasBitmap()) {
        return imaging::kNoBitmap;
    }
    const int entries = std::min(4, static_cast<int>(picture.picture()->palette().size()));
    for (int i = 0; i < entries; ++i) {
        picture.Set_BitmapPalette(i, tintedGrey(code, i, levels));
    }
    return imaging::kOk;
}

int showFitted(imaging::LeadModel& display, int width, int height,
               const imaging::LeadModel& source) {
    display.setBitmapFrom(source);
    if (!display.hasBitmap()) {
        return imaging::kNoBitmap;
    }
    return display.Size(width, height, 0);
}

// The rectangle in picture pixels, as the viewer's edges divided by the zoom in single
// precision; the result is what copying that rectangle into a new picture and resizing it
// gives, computed from only the pixels the panel picture needs.
int cropToPanel(const CropFrame& rect, int zoomPercent, const imaging::LeadModel& source,
                imaging::LeadModel& target, int panelWidth, int panelHeight) {
    const float z = static_cast<float>(std::clamp(zoomPercent, kMinZoom, kMaxZoom)) * 0.01f;
    const float x = static_cast<float>(rect.Left) / z;
    const float y = static_cast<float>(rect.Top) / z;
    const float w = static_cast<float>(rect.Right) / z - x;
    const float h = static_cast<float>(rect.Bottom) / z - y;
    imaging::Picture cut;
    const imaging::Picture empty;
    const imaging::Picture& picture = source.hasBitmap() ? *source.picture() : empty;
    const int status = imaging::cropResized(picture, truncated(x), truncated(y), truncated(w),
                                            truncated(h), panelWidth, panelHeight, &cut);
    if (status != imaging::kOk) {
        target.releaseBitmap();
        return status;
    }
    target.setBitmap(cut);
    return imaging::kOk;
}

}  // namespace produce
