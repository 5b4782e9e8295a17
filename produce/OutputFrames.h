#pragma once

#include "imaging/Picture.h"

namespace imaging {
class LeadModel;
}

// Entering frames into the two output frame lists: the colour list holds each frame as it was
// produced, the panel list the same frame reduced to the panel greys. Both lists always have
// the same length and current position.
namespace produce {

struct OutputLists {
    imaging::LeadModel& colour;   // the colour frame list
    imaging::LeadModel& panel;    // the panel frame list
    imaging::LeadModel& work;     // where a frame is assembled before it enters the lists
    imaging::LeadModel& overlay;  // the generation overlay, added to every frame (black but in a
                                  // dissolve)
};

// Adds `picture` (24 bits, panel-sized) at `position` of both lists, reducing it for the panel
// list with `ditherMethod`, and makes `position` current in both. An empty picture, or a
// reduction that fails, adds nothing to either list and returns its status.
int addOutputFrame(const OutputLists& lists, const imaging::Picture& picture, int position,
                   int ditherMethod);

// Inserts a copy of frame `from` at `to` in both lists and makes `to` current; kInvalidArgument
// (and nothing changed) when `from` is not a frame.
int copyOutputFrame(const OutputLists& lists, int from, int to);

}  // namespace produce
