#include "tools/ImportPicture.h"

#include <algorithm>

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

int makeFrame(const imaging::Picture& page, const ImportSettings& settings,
              imaging::Picture* frame) {
    imaging::LeadModel work;
    work.setBitmap(page);
    const int status = work.Size(settings.width, settings.height, 0);
    return status == imaging::kOk ? reduce(work, settings, frame) : status;
}

// Decodes one run of pages and appends their frames.
int importRun(imaging::LeadModel& pages, const QString& fileName, int firstPage, int count,
              const ImportSettings& settings, std::vector<imaging::Picture>* frames) {
    int status = pages.Load(fileName, 24, firstPage, count);
    if (status == imaging::kOk && pages.frameCount() != count) {
        status = imaging::kPageOutOfRange;
    }
    for (int i = 0; status == imaging::kOk && i < count; ++i) {
        imaging::Picture frame;
        status = makeFrame(pages.frame(i), settings, &frame);
        if (status == imaging::kOk) {
            frames->push_back(std::move(frame));
        }
    }
    return status;
}

}  // namespace

int pageCountOf(const QString& fileName, int* pages) {
    imaging::LeadModel model;
    const int status = model.GetFileInfo(fileName);
    if (status == imaging::kOk) {
        *pages = model.InfoTotalPages();
    }
    return status;
}

int importPages(const QString& fileName, int firstPage, int pageCount,
                const ImportSettings& settings, std::vector<imaging::Picture>* frames) {
    // One model for every run: a clip's reader stays open between runs.
    imaging::LeadModel pages;
    int status = imaging::kOk;
    for (int done = 0; status == imaging::kOk && done < pageCount; done += kImportRun) {
        const int count = std::min(kImportRun, pageCount - done);
        status = importRun(pages, fileName, firstPage + done, count, settings, frames);
    }
    return status;
}

}  // namespace tools
