#include "tools/ImportPicture.h"

#include "imaging/Planes.h"
#include "imaging/Status.h"
#include "imaging/TLEAD.h"
#include "produce/PicMCut.h"
#include "tools/PanelFrames.h"

namespace tools {

namespace {

constexpr int kPanelBits = 2;
constexpr int kValuePlane = 2;

int reduce(TLEAD& work, const ImportSettings& settings, imaging::Picture* out) {
    if (settings.bits == kPanelBits) {
        produce::reduceToPanel(work, settings.dither);
        if (!work.hasBitmap() || work.BitmapBits() != kPanelBits) {
            return imaging::kInvalidArgument;
        }
        *out = *work.picture();
        return imaging::kOk;
    }
    imaging::Picture value;
    const int status =
        imaging::separatePlane(*work.picture(), imaging::kPlanesHsv, kValuePlane, &value);
    if (status != imaging::kOk) {
        return status;
    }
    *out = levelsOfValuePlane(value, settings.bits);
    return imaging::kOk;
}

}  // namespace

int importPicture(const QString& fileName, const ImportSettings& settings, imaging::Picture* out) {
    TLEAD work;
    work.setAutoRepaint(false);
    int status = work.Load(fileName, 24, 1, 1);
    if (status == imaging::kOk) {
        status = work.Size(settings.width, settings.height, 0);
    }
    return status == imaging::kOk ? reduce(work, settings, out) : status;
}

}  // namespace tools
