#include "produce/PicMCutGenerate.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "imaging/LeadModel.h"
#include "imaging/Picture.h"
#include "imaging/Status.h"
#include "produce/PicMCut.h"
#include "store/Framectl.h"
#include "store/OutputStore.h"

namespace produce {

namespace {

// Products and sums far beyond any picture are kept within int before truncation.
int truncatedToInt(double v) {
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<int>(std::clamp(v, kLow, kHigh));
}

// The step from `from` to `to` in `divisions` parts, as the nearest single-precision value.
float stepOf(std::int32_t from, std::int32_t to, int divisions) {
    const double difference = static_cast<double>(to) - static_cast<double>(from);
    return static_cast<float>(difference / divisions);
}

int steppedEdge(std::int32_t start, float step, int j) {
    return truncatedToInt(static_cast<double>(j) * static_cast<double>(step) + start);
}

// A float band edge in pixels, rounded half up and kept within the extent.
int bandEdge(float edge, int extent) {
    const double rounded = std::floor(static_cast<double>(edge) + 0.5);
    return static_cast<int>(std::clamp(rounded, 0.0, static_cast<double>(extent)));
}

bool isValidRequest(const GenerationRequest& request) {
    return request.method >= 0 && request.method < kMethodCount && request.frames >= 1 &&
           request.frames <= store::kMaxOutputFrames && request.panelWidth >= 1 &&
           request.panelHeight >= 1;
}

bool isPanelPicture(const imaging::LeadModel& model, const GenerationRequest& request) {
    const imaging::Picture* p = model.picture();
    return p != nullptr && p->isTrueColour() && p->width() == request.panelWidth &&
           p->height() == request.panelHeight;
}

// Crops `target` from input frame `rect.FrameNo` (1-based). A frame outside the store, or one
// whose picture cannot be decoded, is a failure rather than a crop of whatever is shown.
int cropFromInput(const CropFrame& rect, const GenerationRequest& request,
                  store::TFrameControl& input, imaging::LeadModel& target) {
    const long long number = static_cast<long long>(rect.FrameNo) - 1;
    if (number < 0 || number >= input.Total) {
        return imaging::kPageOutOfRange;
    }
    const imaging::LeadModel* source = input.SelectFrame(static_cast<int>(number));
    if (source == nullptr || !source->hasBitmap()) {
        return imaging::kNoBitmap;
    }
    return cropToPanel(rect, request.zoomPercent, *source, target, request.panelWidth,
                       request.panelHeight);
}

void makeBlackOverlay(const GenerationRequest& request, const OutputLists& lists) {
    lists.overlay.setBitmap(imaging::Picture(request.panelWidth, request.panelHeight, 24));
}

bool isBlack(const std::uint8_t* pixel) {
    return (pixel[0] | pixel[1] | pixel[2]) == 0;
}

// The dissolve's state over one run: the draws and how many pixels a draw may still take.
class Dissolve {
  public:
    Dissolve(const imaging::Picture& a, const imaging::Picture& o) : acceptable_(0) {
        const std::uint8_t* pa = a.pixels().data();
        const std::uint8_t* po = o.pixels().data();
        const std::size_t size = a.pixels().size();
        for (std::size_t i = 0; i < size; i += 3) {
            acceptable_ += isTaken(pa + i, po + i) ? 0 : 1;
        }
    }

    // Replaces up to `count` pixels of A by black and of O by B's pixel, skipping pixels
    // already replaced; stops early when none is left to take.
    void replace(imaging::Picture& a, imaging::Picture& o, const imaging::Picture& b, int count) {
        const int width = a.width();
        const int height = a.height();
        std::uint8_t* pa = a.pixels().data();
        std::uint8_t* po = o.pixels().data();
        const std::uint8_t* pb = b.pixels().data();
        for (int done = 0; done < count && acceptable_ > 0;) {
            const std::uint32_t x = draws_.next() % static_cast<std::uint32_t>(width);
            const std::uint32_t y = draws_.next() % static_cast<std::uint32_t>(height);
            const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
            if (isTaken(pa + at, po + at)) {
                continue;
            }
            std::memset(pa + at, 0, 3);
            std::memcpy(po + at, pb + at, 3);
            acceptable_ -= isTaken(pa + at, po + at) ? 1 : 0;
            ++done;
        }
    }

  private:
    static bool isTaken(const std::uint8_t* a, const std::uint8_t* o) {
        return isBlack(a) && !isBlack(o);
    }

    DissolveDraws draws_;
    long long acceptable_;
};

void copyRows(imaging::Picture& a, const imaging::Picture& b, Band rows) {
    for (int y = rows.begin; y < rows.end; ++y) {
        std::memcpy(a.row(y), b.row(y), static_cast<std::size_t>(a.stride()));
    }
}

void copyColumns(imaging::Picture& a, const imaging::Picture& b, Band columns) {
    const std::size_t bytes = static_cast<std::size_t>(columns.end - columns.begin) * 3;
    for (int y = 0; y < a.height(); ++y) {
        std::memcpy(a.row(y) + columns.begin * 3, b.row(y) + columns.begin * 3, bytes);
    }
}

// One run: inserts its frames at consecutive positions and can take them out again.
class RunWriter {
  public:
    RunWriter(const GenerationRequest& request, store::TFrameControl& input,
              const GenerationWork& work, const OutputLists& lists, int first)
        : request_(request),
          input_(input),
          work_(work),
          lists_(lists),
          first_(first),
          next_(first),
          colourCount_(lists.colour.BitmapListCount()),
          panelCount_(lists.panel.BitmapListCount()),
          colourIndex_(lists.colour.BitmapListIndex()),
          panelIndex_(lists.panel.BitmapListIndex()),
          k_(intermediateCount(request.frames, isBackAndForth(request.method))) {}

    int write() {
        const std::vector<RunFrame> frames =
            runFrames(request_.frames, isBackAndForth(request_.method));
        for (const RunFrame& frame : frames) {
            const int status = writeFrame(frame);
            if (status != imaging::kOk) {
                rollBack();
                return status;
            }
        }
        return imaging::kOk;
    }

  private:
    int writeFrame(const RunFrame& frame) {
        switch (frame.kind) {
            case RunFrame::kStart:
                return add(*work_.start.picture());
            case RunFrame::kStep: {
                const int status = makeStep(frame.ref);
                return status == imaging::kOk ? add(*work_.start.picture()) : status;
            }
            case RunFrame::kEnd:
                makeBlackOverlay(request_, lists_);
                return add(*work_.end.picture());
            case RunFrame::kCopy:
                return copyOutputFrame(lists_, first_ + frame.ref, next_++);
        }
        return imaging::kInvalidArgument;
    }

    int add(const imaging::Picture& picture) {
        return addOutputFrame(lists_, picture, next_++, request_.ditherMethod);
    }

    // Makes intermediate frame j in A (and, for a dissolve, in O).
    int makeStep(int j) {
        switch (motionOf(request_.method)) {
            case Motion::kMove:
                return cropFromInput(moveStep(request_.start, request_.end, k_, j), request_,
                                     input_, work_.start);
            case Motion::kDissolve:
                dissolveStep();
                return imaging::kOk;
            case Motion::kVerticalWipe:
            case Motion::kHorizontalWipe:
                wipeStep(j);
                return imaging::kOk;
        }
        return imaging::kInvalidArgument;
    }

    void dissolveStep() {
        imaging::Picture a = *work_.start.picture();
        imaging::Picture o = *lists_.overlay.picture();
        if (!dissolve_) {
            dissolve_.emplace(a, o);
        }
        const int per = dissolvePerFrame(request_.panelWidth, request_.panelHeight, k_);
        dissolve_->replace(a, o, *work_.end.picture(), per);
        work_.start.setBitmap(std::move(a));
        lists_.overlay.setBitmap(std::move(o));
    }

    void wipeStep(int j) {
        imaging::Picture a = *work_.start.picture();
        const imaging::Picture& b = *work_.end.picture();
        if (motionOf(request_.method) == Motion::kVerticalWipe) {
            copyRows(a, b, wipeBand(request_.panelHeight, k_, j));
        } else {
            copyColumns(a, b, wipeBand(request_.panelWidth, k_, j));
        }
        work_.start.setBitmap(std::move(a));
    }

    // Removes what this run inserted from each list and brings back the current frame.
    void rollBack() {
        removeInserted(lists_.colour, colourCount_, colourIndex_);
        removeInserted(lists_.panel, panelCount_, panelIndex_);
    }

    void removeInserted(imaging::LeadModel& list, int count, int index) const {
        for (int extra = list.BitmapListCount() - count; extra > 0; --extra) {
            list.setBitmapListIndex(first_);
            list.releaseBitmap();
        }
        if (count > 0) {
            list.setBitmapListIndex(index);
        }
    }

    const GenerationRequest& request_;
    store::TFrameControl& input_;
    const GenerationWork& work_;
    const OutputLists& lists_;
    const int first_;
    int next_;
    const int colourCount_;
    const int panelCount_;
    const int colourIndex_;
    const int panelIndex_;
    const int k_;
    std::optional<Dissolve> dissolve_;
};

}  // namespace

std::vector<RunFrame> runFrames(int frames, bool backAndForth) {
    std::vector<RunFrame> run;
    if (frames < 1) {
        return run;
    }
    run.push_back({RunFrame::kStart, 0});
    if (frames == 1) {
        return run;
    }
    const int k = intermediateCount(frames, backAndForth);
    for (int j = 1; j <= k; ++j) {
        run.push_back({RunFrame::kStep, j});
    }
    const int endOffset = static_cast<int>(run.size());
    run.push_back({RunFrame::kEnd, 0});
    if (!backAndForth || frames < 3) {
        return run;
    }
    if ((frames - 1) % 2 == 1) {
        run.push_back({RunFrame::kCopy, endOffset});
    }
    for (int j = k; j >= 1; --j) {
        run.push_back({RunFrame::kCopy, j});
    }
    run.push_back({RunFrame::kCopy, 0});
    return run;
}

int intermediateCount(int frames, bool backAndForth) {
    if (frames < 3) {
        return 0;
    }
    return backAndForth ? (frames - 1) / 2 - 1 : frames - 2;
}

CropFrame moveStep(const CropFrame& start, const CropFrame& end, int k, int j) {
    const int divisions = std::max(k, 0) + 1;
    CropFrame step = start;
    step.Left = steppedEdge(start.Left, stepOf(start.Left, end.Left, divisions), j);
    step.Top = steppedEdge(start.Top, stepOf(start.Top, end.Top, divisions), j);
    step.Right = steppedEdge(start.Right, stepOf(start.Right, end.Right, divisions), j);
    step.Bottom = steppedEdge(start.Bottom, stepOf(start.Bottom, end.Bottom, divisions), j);
    const float frameStep = stepOf(start.FrameNo, end.FrameNo, divisions);
    step.FrameNo = truncatedToInt(static_cast<double>(j) * static_cast<double>(frameStep) +
                                  start.FrameNo + 0.5);
    return step;
}

int dissolvePerFrame(int width, int height, int k) {
    const long long pixels = static_cast<long long>(std::max(width, 0)) * std::max(height, 0);
    const long long parts = static_cast<long long>(std::max(k, 0)) + 1;
    return static_cast<int>(
        std::min<long long>((pixels + parts - 1) / parts, std::numeric_limits<int>::max()));
}

Band wipeBand(int extent, int k, int j) {
    const float step = static_cast<float>(extent) / static_cast<float>(std::max(k, 0) + 1);
    float s = 0.0f;
    for (int i = 1; i < j; ++i) {
        s += step;
    }
    return {bandEdge(s, extent), bandEdge(s + step, extent)};
}

int cropStartAndEnd(const GenerationRequest& request, store::TFrameControl& input,
                    const GenerationWork& work, const OutputLists& lists) {
    if (!isValidRequest(request)) {
        return imaging::kInvalidArgument;
    }
    const int status = cropFromInput(request.start, request, input, work.start);
    if (status != imaging::kOk) {
        return status;
    }
    makeBlackOverlay(request, lists);
    return cropFromInput(request.end, request, input, work.end);
}

int produceRun(const GenerationRequest& request, store::TFrameControl& input,
               const GenerationWork& work, const OutputLists& lists, int first) {
    if (!isValidRequest(request) || first < 0 || first > lists.colour.BitmapListCount() ||
        first > lists.panel.BitmapListCount()) {
        return imaging::kInvalidArgument;
    }
    if (!isPanelPicture(work.start, request) || !isPanelPicture(work.end, request) ||
        !isPanelPicture(lists.overlay, request)) {
        return imaging::kNoBitmap;
    }
    return RunWriter(request, input, work, lists, first).write();
}

}  // namespace produce
