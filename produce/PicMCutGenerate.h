#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "imaging/Dither.h"
#include "produce/CropFrame.h"
#include "produce/OutputFrames.h"

namespace imaging {
class LeadModel;
}
namespace store {
class TFrameControl;
}

// Animation generation: from a start crop and an end crop of the input frames, a run of panel
// frames leading from one to the other, inserted into the output frame lists. The window's
// Execute command and the command-line tool both run it.
namespace produce {

// The creation methods, in the order of the method list: the motion is method / 2, and an odd
// method goes back and forth.
inline constexpr int kMethodCount = 8;
enum class Motion { kMove = 0, kDissolve = 1, kVerticalWipe = 2, kHorizontalWipe = 3 };
constexpr Motion motionOf(int method) {
    return static_cast<Motion>(method / 2);
}
constexpr bool isBackAndForth(int method) {
    return method % 2 == 1;
}

// One frame of a run, in the order of insertion.
struct RunFrame {
    enum Kind { kStart, kEnd, kStep, kCopy };
    Kind kind = kStart;
    // kStep: the intermediate frame's number j (1-based); kCopy: the offset in the run of the
    // frame copied (always earlier in the run).
    int ref = 0;

    friend bool operator==(const RunFrame&, const RunFrame&) = default;
};

// The frames of a run of `frames` (1 or more): the start, the intermediate frames, the end and,
// going back, copies of frames already made.
std::vector<RunFrame> runFrames(int frames, bool backAndForth);

// The number of intermediate frames in such a run.
int intermediateCount(int frames, bool backAndForth);

// Move: the crop of intermediate frame j of k, the edges and the input frame number stepped
// from `start` towards `end`. Steps are single-precision; products and sums double-precision
// and truncated; the frame number is rounded half up.
CropFrame moveStep(const CropFrame& start, const CropFrame& end, int k, int j);

// Dissolve: how many pixels each of k intermediate frames replaces (ceil(W·H / (k + 1))).
int dissolvePerFrame(int width, int height, int k);

// The dissolve's draws: a sequence of non-negative integers that starts over for every run, so
// a run is repeatable.
class DissolveDraws {
  public:
    std::uint32_t next() { return static_cast<std::uint32_t>(engine_()); }

  private:
    std::mt19937 engine_;
};

// Wipes: the rows (vertical) or columns (horizontal) [begin, end) that intermediate frame j of
// k uncovers, of `extent` rows or columns. Bands are mapped to pixels the same way for every
// frame, so consecutive bands meet without gaps or overlaps.
struct Band {
    int begin = 0;
    int end = 0;

    friend bool operator==(const Band&, const Band&) = default;
};
Band wipeBand(int extent, int k, int j);

// What a run is made from.
struct GenerationRequest {
    CropFrame start{};  // edges in viewer pixels at zoomPercent; FrameNo 1-based
    CropFrame end{};
    int zoomPercent = 100;
    int method = 0;  // 0 .. kMethodCount - 1
    int frames = 1;  // 1 .. 90
    int panelWidth = 160;
    int panelHeight = 54;
    int ditherMethod = imaging::kDitherBurkes;
};

// The work pictures of a run: the start picture A, the end picture B; the overlay O is
// the output lists' overlay.
struct GenerationWork {
    imaging::LeadModel& start;  // A
    imaging::LeadModel& end;    // B
};

// Crops A from the start crop (selecting its input frame in `input`), makes the overlay a
// black panel-sized picture and crops B from the end crop. Returns the first failed status
// (an input frame that cannot be read, kInvalidArgument for a bad request); nothing is
// inserted anywhere.
int cropStartAndEnd(const GenerationRequest& request, store::TFrameControl& input,
                    const GenerationWork& work, const OutputLists& lists);

// Inserts the run of request.frames frames at positions first, first + 1, ... of both output
// lists, with A and B prepared by cropStartAndEnd. Leaves the last inserted frame current.
// On a failure (an input frame of a move that cannot be read) the frames it inserted are
// removed again and the status is returned. A bad request or `first` gives kInvalidArgument,
// and A, B or the overlay not being panel-sized 24-bit pictures kNoBitmap, before anything
// is inserted.
int produceRun(const GenerationRequest& request, store::TFrameControl& input,
               const GenerationWork& work, const OutputLists& lists, int first);

}  // namespace produce
