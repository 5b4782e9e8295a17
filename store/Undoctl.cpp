#include "store/Undoctl.h"

#include "imaging/Status.h"

namespace store {

namespace {

bool coversFrames(const imaging::LeadModel* list, int index, int count) {
    return list == nullptr || (index >= 0 && count >= 1 && index <= list->frameCount() - count);
}

// Copies of frames index .. index + count - 1; pictures are shared until one side writes.
std::unique_ptr<imaging::LeadModel> copyFrames(const imaging::LeadModel* list, int index,
                                               int count) {
    if (list == nullptr) {
        return nullptr;
    }
    auto copy = std::make_unique<imaging::LeadModel>();
    for (int i = 0; i < count; ++i) {
        copy->InsertBitmapListItem(-1, list->frame(index + i));
    }
    return copy;
}

void restoreFrames(const imaging::LeadModel* copy, int index, imaging::LeadModel* list) {
    if (copy == nullptr || list == nullptr) {
        return;
    }
    for (int i = 0; i < copy->frameCount(); ++i) {
        if (list->setBitmapListIndex(index + i) == imaging::kOk) {
            list->setBitmap(copy->frame(i));
        }
    }
}

}  // namespace

int TUndoControl::Push(int index, int count, const imaging::LeadModel* colour,
                       const imaging::LeadModel* panel) {
    if (depth_ <= 0) {
        return imaging::kOk;
    }
    if (!coversFrames(colour, index, count) || !coversFrames(panel, index, count)) {
        return imaging::kInvalidArgument;
    }
    steps_.push_back(
        {index, count, copyFrames(colour, index, count), copyFrames(panel, index, count)});
    if (Count() > depth_) {
        steps_.pop_front();
    }
    return imaging::kOk;
}

void TUndoControl::Undo(imaging::LeadModel* colour, imaging::LeadModel* panel) {
    if (steps_.empty()) {
        return;
    }
    const TUndoData step = std::move(steps_.back());
    steps_.pop_back();
    restoreFrames(step.ColourCopy.get(), step.Index, colour);
    restoreFrames(step.PanelCopy.get(), step.Index, panel);
}

}  // namespace store
