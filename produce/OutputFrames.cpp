#include "produce/OutputFrames.h"

#include "imaging/Combine.h"
#include "imaging/LeadModel.h"
#include "imaging/Status.h"
#include "produce/PicMCut.h"

namespace produce {

namespace {

// Inserts at `position` (past the end appends) and makes the new frame current.
int insertAt(imaging::LeadModel& list, imaging::Picture picture, int position) {
    const int count = list.BitmapListCount();
    const int at = position < 0 || position > count ? count : position;
    const int status = list.InsertBitmapListItem(at, std::move(picture));
    return status == imaging::kOk ? list.setBitmapListIndex(at) : status;
}

}  // namespace

int addOutputFrame(const OutputLists& lists, const imaging::Picture& picture, int position,
                   int ditherMethod) {
    if (picture.isEmpty()) {
        return imaging::kNoBitmap;
    }
    lists.work.setBitmap(picture);
    if (lists.overlay.hasBitmap()) {
        lists.work.Combine(0, 0, picture.width(), picture.height(), *lists.overlay.picture(), 0, 0,
                           imaging::kCombineAdd);
    }
    imaging::Picture colour = *lists.work.picture();
    const int status = reduceToPanel(lists.work, ditherMethod);
    if (status != imaging::kOk) {
        return status;
    }
    const int colourStatus = insertAt(lists.colour, std::move(colour), position);
    const int panelStatus = insertAt(lists.panel, *lists.work.picture(), position);
    return colourStatus != imaging::kOk ? colourStatus : panelStatus;
}

int copyOutputFrame(const OutputLists& lists, int from, int to) {
    if (from < 0 || from >= lists.colour.BitmapListCount() ||
        from >= lists.panel.BitmapListCount()) {
        return imaging::kInvalidArgument;
    }
    int status = imaging::kOk;
    for (imaging::LeadModel* list : {&lists.colour, &lists.panel}) {
        const int inserted = insertAt(*list, list->frame(from), to);
        status = status == imaging::kOk ? inserted : status;
    }
    return status;
}

}  // namespace produce
