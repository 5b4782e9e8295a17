#pragma once

#include <deque>
#include <memory>

#include "imaging/LeadModel.h"

// The undo history of edits that rewrite output frames in place: each step keeps copies of the
// frames an edit is about to change, and undoing puts them back. Operations that change the
// number or order of the output frames empty the history instead. There is no redo.
namespace store {

// Steps the window's history keeps.
inline constexpr int kUndoDepth = 10;

// One step: copies of frames Index .. Index + Count - 1 of the lists it covers.
struct TUndoData {
    int Index = 0;
    int Count = 0;
    std::unique_ptr<imaging::LeadModel> ColourCopy;  // absent when the colour list is not covered
    std::unique_ptr<imaging::LeadModel> PanelCopy;   // absent when the panel list is not covered
};

class TUndoControl {
  public:
    explicit TUndoControl(int depth) : depth_(depth) {}

    // Takes a step before an edit of frames index .. index + count - 1 of the given lists
    // (either may be null). The oldest step goes when the history is full; a history of depth 0
    // takes none. A range outside a given list is refused with kInvalidArgument and nothing is
    // taken.
    int Push(int index, int count, const imaging::LeadModel* colour,
             const imaging::LeadModel* panel);
    // Puts the newest step's copies back into the lists and discards it; nothing happens when
    // the history is empty. Each restored frame is selected in turn, so the last one restored
    // is current afterwards.
    void Undo(imaging::LeadModel* colour, imaging::LeadModel* panel);
    void Clear() { steps_.clear(); }

    int Count() const { return static_cast<int>(steps_.size()); }
    int Depth() const { return depth_; }
    const TUndoData* Newest() const { return steps_.empty() ? nullptr : &steps_.back(); }
    const TUndoData* Oldest() const { return steps_.empty() ? nullptr : &steps_.front(); }

  private:
    int depth_;
    std::deque<TUndoData> steps_;  // oldest first
};

}  // namespace store
