#include "produce/OutputFrames.h"

#include "imaging/Combine.h"
#include "imaging/TLEAD.h"
#include "produce/PicMCut.h"

namespace produce {

namespace {

// Inserts at `position` (past the end appends) and makes the new frame current.
void insertAt(TLEAD& list, const imaging::Picture& picture, int position) {
    const int count = list.BitmapListCount();
    const int at = position < 0 || position > count ? count : position;
    list.InsertBitmapListItem(at, picture);
    list.setBitmapListIndex(at);
}

}  // namespace

void addOutputFrame(const OutputLists& lists, const imaging::Picture& picture, int position,
                    int ditherMethod) {
    lists.work.setBitmap(picture);
    if (lists.overlay.hasBitmap()) {
        lists.work.Combine(0, 0, picture.width(), picture.height(), *lists.overlay.picture(), 0, 0,
                           imaging::kCombineAdd);
    }
    insertAt(lists.colour, *lists.work.picture(), position);
    reduceToPanel(lists.work, ditherMethod);
    insertAt(lists.panel, *lists.work.picture(), position);
}

void copyOutputFrame(const OutputLists& lists, int from, int to) {
    for (TLEAD* list : {&lists.colour, &lists.panel}) {
        list->setBitmapListIndex(from);
        const imaging::Picture frame = *list->picture();
        insertAt(*list, frame, to);
    }
}

}  // namespace produce
