#include "tools/ImportPicture.h"

#include "imaging/LeadModel.h"
#include "imaging/Planes.h"
#include "imaging/Status.h"
#include "produce/PicMCut.h"
#include "tools/PanelFrames.h"

namespace tools {

namespace {

constexpr int kPanelBits = 2;
constexpr int kValuePlane = 2;

int reduce(imaging::LeadModel& work, const ImportSettings& settings, imaging::Picture* out) {
    if (settings.bits == kPanelBits) {
        const int status = produce::reduceToPanel(work, settings.dither);
        if (status == imaging::kOk) {
            *out = *work.picture();
        }
        return status;
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
    imaging::LeadModel work;
    int status = work.Load(fileName, 24, 1, 1);
    if (status == imaging::kOk) {
        status = work.Size(settings.width, settings.height, 0);
    }
    return status == imaging::kOk ? reduce(work, settings, out) : status;
}

}  // namespace tools
