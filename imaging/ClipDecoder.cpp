#include "imaging/ClipDecoder.h"

#include <algorithm>
#include <climits>

#include "imaging/ClipStream.h"
#include "imaging/ClipTiming.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

// Internal outcome of a run whose first frame came after the page asked for: the page lies
// before the keyframe reached (open GOP), so decoding must start from an earlier one. Positive,
// so it is never taken for a Status (0 or negative).
constexpr int kStartedLate = 1;
// Earlier keyframes tried before decoding from the start of the clip.
constexpr int kMaxReseeks = 8;
// Pages decoded and dropped to reach a page just ahead rather than seeking to it.
constexpr int kMaxPagesDecodedAhead = 12;
// Longest run of empty slots taken as dropped frames; a longer jump in time is a broken
// timestamp and counts as one slot.
constexpr int kLongestEmptyRun = 250;

}  // namespace

ClipDecoder::ClipDecoder() = default;
ClipDecoder::~ClipDecoder() = default;

void ClipDecoder::close() {
    stream_.reset();
    pageCount_ = 0;
    delayMs_ = 0;
    framePages_.clear();
    nextPage_ = 0;
    lastSeenPage_ = 0;
    previousTs_ = AV_NOPTS_VALUE;
}

int ClipDecoder::open(const QString& file) {
    close();
    stream_ = std::make_unique<ClipStream>();
    int status = stream_->open(file);
    if (status == kOk) {
        const AVStream& s = stream_->stream();
        delayMs_ = frameDelayMs(s.avg_frame_rate, s.r_frame_rate, s.time_base);
        ticksPerFrame_ = ticksPerFrame(s.avg_frame_rate, s.r_frame_rate, s.time_base);
        status = mapPages();
    }
    if (status == kOk) {
        status = measureDecoderDelay();
    }
    if (status == kOk && !seekTo(startDts_)) {
        status = kCorruptData;
    }
    if (status != kOk) {
        close();
        return status;
    }
    nextPage_ = 1;
    return kOk;
}

// Pages come from the packets the file holds, read without decoding: headers may claim more
// or fewer frames than there are. A gap between two packets' times is a run of empty slots.
int ClipDecoder::mapPages() {
    const std::vector<std::int64_t> times = stream_->readPacketTimes();
    if (times.empty()) {
        return kCorruptData;
    }
    startDts_ = times.front() != AV_NOPTS_VALUE ? times.front() : 0;
    framePages_.clear();
    framePages_.reserve(times.size());
    std::int64_t page = 1 + leadingEmptySlots(times.front());
    framePages_.push_back(static_cast<int>(page));
    for (std::size_t i = 1; i < times.size(); ++i) {
        page += slotStep(times[i - 1], times[i]);
        if (page > INT_MAX) {
            break;
        }
        framePages_.push_back(static_cast<int>(page));
    }
    pageCount_ = framePages_.back();
    return kOk;
}

int ClipDecoder::leadingEmptySlots(std::int64_t firstDts) const {
    if (!stream_->timestampsCountChunks() || firstDts == AV_NOPTS_VALUE || firstDts <= 0) {
        return 0;
    }
    const std::int64_t runLength = firstDts / ticksPerFrame_;
    return runLength <= kLongestEmptyRun ? static_cast<int>(runLength) : 0;
}

// Slots from one packet to the next: 1 for neighbours, more across empty chunks. A step that
// cannot be measured, goes backwards or is too long to be dropped frames counts as 1.
std::int64_t ClipDecoder::slotStep(std::int64_t fromDts, std::int64_t toDts) const {
    if (fromDts == AV_NOPTS_VALUE || toDts == AV_NOPTS_VALUE || toDts <= fromDts) {
        return 1;
    }
    const std::int64_t runLength = (toDts - fromDts + ticksPerFrame_ / 2) / ticksPerFrame_;
    return runLength >= 1 && runLength <= kLongestEmptyRun + 1 ? runLength : 1;
}

// A decoded frame's timestamp lies after its packet's dts by the decoder's delay (with
// B-frames); the first frame decoded shows the first page that holds a frame.
int ClipDecoder::measureDecoderDelay() {
    if (!seekTo(startDts_)) {
        return kCorruptData;
    }
    while (stream_->decodeNext()) {
        const std::int64_t timestamp = stream_->frameTimestamp();
        if (!stream_->frameIsDamaged() && timestamp != AV_NOPTS_VALUE) {
            const std::int64_t dts = stream_->firstPacketDts();
            decoderDelay_ =
                std::max<std::int64_t>(timestamp - (dts != AV_NOPTS_VALUE ? dts : startDts_), 0);
            pageOneTs_ = timestamp - (framePages_.front() - 1) * ticksPerFrame_;
            return kOk;
        }
    }
    return kCorruptData;
}

std::int64_t ClipDecoder::pageOf(std::int64_t timestamp) const {
    if (timestamp == AV_NOPTS_VALUE || timestamp < pageOneTs_ - ticksPerFrame_) {
        return 0;
    }
    const std::int64_t ticks = timestamp - pageOneTs_ + ticksPerFrame_ / 2;
    return ticks < 0 ? 0 : std::min<std::int64_t>(ticks / ticksPerFrame_ + 1, INT_MAX);
}

// The page whose frame `page` shows: the last one holding a frame at or before it, else the
// first one holding a frame.
int ClipDecoder::sourcePageOf(int page) const {
    const auto after = std::upper_bound(framePages_.begin(), framePages_.end(), page);
    return after == framePages_.begin() ? framePages_.front() : *(after - 1);
}

int ClipDecoder::nextFramePageAfter(int framePage) const {
    const auto after = std::upper_bound(framePages_.begin(), framePages_.end(), framePage);
    return after == framePages_.end() ? pageCount_ + 1 : *after;
}

// Page p shows at pageOneTs_ + (p - 1) ticks-per-frame; its packet sits the decoder delay
// earlier, and with B-frames a frame's packet may come that much earlier still, so the
// keyframe to start from is at or before that.
std::int64_t ClipDecoder::seekTimestampOf(int page) const {
    return std::max(startDts_, pageOneTs_ + (page - 1) * ticksPerFrame_ - 2 * decoderDelay_);
}

// Open GOP: restart just before the keyframe last reached, or from the start once earlier
// keyframes have been tried enough, no earlier one can be named or seeking missed keyframes.
std::int64_t ClipDecoder::earlierSeekTimestamp(int page, std::int64_t previous, int reseeks) const {
    if (previous == INT64_MAX) {
        return seekTimestampOf(page);
    }
    const std::int64_t dts = stream_->firstPacketDts();
    if (reseeks >= kMaxReseeks || dts == AV_NOPTS_VALUE || dts - 1 >= previous ||
        !stream_->landedOnKeyframe()) {
        return startDts_;
    }
    return std::max(dts - 1, startDts_);
}

// Frames drained at the end of a clip with B-frames have no packet left to date them; each
// follows the one before by a frame. After a packet the decoder refused, the frames it still
// holds could be any, so they stay undated.
std::int64_t ClipDecoder::frameTimestamp() {
    std::int64_t timestamp = stream_->frameTimestamp();
    if (timestamp == AV_NOPTS_VALUE && previousTs_ != AV_NOPTS_VALUE && stream_->isDraining() &&
        stream_->isIntactSinceSeek()) {
        timestamp = previousTs_ + ticksPerFrame_;
    }
    previousTs_ = timestamp;
    return timestamp;
}

bool ClipDecoder::seekTo(std::int64_t timestamp) {
    nextPage_ = 0;
    lastSeenPage_ = 0;
    previousTs_ = AV_NOPTS_VALUE;
    // From the start every packet is decoded: a file need not flag its first frame as a key.
    if (timestamp > startDts_ && stream_->seek(timestamp, true)) {
        return true;
    }
    return stream_->seek(startDts_, false);
}

bool ClipDecoder::isPositionedFor(int page) const {
    return nextPage_ >= 1 && page >= nextPage_ && page - nextPage_ <= kMaxPagesDecodedAhead;
}

int ClipDecoder::readPages(int firstPage, int count, std::vector<Picture>* out) {
    if (out == nullptr) {
        return kInvalidArgument;
    }
    out->clear();
    if (firstPage < 1 || count < 1 || !isOpen()) {
        return kInvalidArgument;
    }
    if (firstPage > pageCount_) {
        return kPageOutOfRange;
    }
    const auto lastPage =
        static_cast<int>(std::min<std::int64_t>(std::int64_t{firstPage} + count - 1, pageCount_));
    const int status = readRun(firstPage, lastPage, out);
    if (status != kOk) {
        out->clear();
    }
    return status;
}

int ClipDecoder::readRun(int firstPage, int lastPage, std::vector<Picture>* out) {
    const int sourcePage = sourcePageOf(firstPage);
    std::int64_t seekTs = INT64_MAX;
    if (!isPositionedFor(sourcePage)) {
        seekTs = seekTimestampOf(sourcePage);
        if (!seekTo(seekTs)) {
            return kCorruptData;
        }
    }
    for (int reseeks = 0;; ++reseeks) {
        const int status = decodeRun(firstPage, lastPage, out);
        if (status != kStartedLate) {
            return status;
        }
        if (seekTs <= startDts_) {
            return kCorruptData;
        }
        seekTs = earlierSeekTimestamp(sourcePage, seekTs, reseeks);
        if (!seekTo(seekTs)) {
            return kCorruptData;
        }
    }
}

// Decodes forward from the frame that firstPage shows, dropping the frames before it; each
// frame kept fills its page and the empty pages after it. A frame that never comes (damaged or
// missing) makes the run fail.
int ClipDecoder::decodeRun(int firstPage, int lastPage, std::vector<Picture>* out) {
    int expected = sourcePageOf(firstPage);
    nextPage_ = 0;
    // Before the first frame page, empty pages wait for the frame after them.
    while (expected <= lastPage || out->empty()) {
        if (!stream_->decodeNext()) {
            noteClipEnd();
            if (out->empty() && lastSeenPage_ == 0 && !stream_->landedOnKeyframe()) {
                return kStartedLate;  // the seek missed every keyframe up to the end
            }
            return out->empty() ? kPageOutOfRange : kOk;
        }
        const std::int64_t timestamp = frameTimestamp();
        if (timestamp == AV_NOPTS_VALUE && out->empty() && lastSeenPage_ == 0) {
            return kStartedLate;  // an undated frame is placed by the ones before it
        }
        const std::int64_t page = stream_->frameIsDamaged() ? 0 : pageOf(timestamp);
        lastSeenPage_ = std::max(lastSeenPage_, page);
        if (page < expected) {
            continue;
        }
        if (page > expected) {
            return out->empty() ? kStartedLate : kCorruptData;
        }
        Picture picture;
        const int status = stream_->frameToPicture(&picture);
        if (status != kOk) {
            return status;
        }
        appendShown(std::move(picture), expected, firstPage, lastPage, out);
        expected = nextFramePageAfter(expected);
    }
    nextPage_ = expected;
    return kOk;
}

// Appends the frame of framePage once for each page of firstPage .. lastPage that shows it.
void ClipDecoder::appendShown(Picture picture, int framePage, int firstPage, int lastPage,
                              std::vector<Picture>* out) const {
    const int from = std::max(firstPage, framePage == framePages_.front() ? 1 : framePage);
    const int to = std::min(lastPage, nextFramePageAfter(framePage) - 1);
    for (int page = from; page < to; ++page) {
        out->push_back(picture);
    }
    if (from <= to) {
        out->push_back(std::move(picture));
    }
}

// The decoder is drained: it must be sought before decoding again, and the last page seen is
// the clip's real last page.
void ClipDecoder::noteClipEnd() {
    nextPage_ = 0;
    const int last = static_cast<int>(std::max<std::int64_t>(lastSeenPage_, framePages_.front()));
    if (lastSeenPage_ >= 1 && last < pageCount_) {
        pageCount_ = last;
        framePages_.erase(std::upper_bound(framePages_.begin(), framePages_.end(), last),
                          framePages_.end());
    }
}

}  // namespace imaging
