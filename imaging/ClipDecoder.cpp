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

}  // namespace

ClipDecoder::ClipDecoder() = default;
ClipDecoder::~ClipDecoder() = default;

void ClipDecoder::close() {
    stream_.reset();
    pageCount_ = 0;
    delayMs_ = 0;
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
        status = measureDecoderDelay();
    }
    if (status == kOk) {
        status = countPages();
    }
    if (status != kOk) {
        close();
    }
    return status;
}

// The first frame's timestamp is page 1's: with B-frames it lies after the first packet's
// dts by the decoder's delay, and every later frame keeps that offset.
int ClipDecoder::measureDecoderDelay() {
    while (stream_->decodeNext()) {
        if (!stream_->frameIsDamaged() && stream_->frameTimestamp() != AV_NOPTS_VALUE) {
            startDts_ = stream_->firstPacketDts() != AV_NOPTS_VALUE ? stream_->firstPacketDts() : 0;
            firstFrameTs_ = std::max(stream_->frameTimestamp(), startDts_);
            return kOk;
        }
    }
    return kCorruptData;
}

// The header's frame count when present, else the video packets; either is only an upper
// bound, lowered when decoding meets the real end.
int ClipDecoder::countPages() {
    headerFrameCount_ = stream_->stream().nb_frames;
    std::int64_t count = headerFrameCount_;
    if (count <= 0) {
        count = stream_->countPackets();
    }
    pageCount_ = static_cast<int>(std::min<std::int64_t>(count, INT_MAX));
    if (pageCount_ < 1 || !seekTo(startDts_)) {
        return kCorruptData;
    }
    nextPage_ = 1;
    return kOk;
}

std::int64_t ClipDecoder::pageOf(std::int64_t timestamp) const {
    if (timestamp == AV_NOPTS_VALUE || timestamp < firstFrameTs_ - ticksPerFrame_) {
        return 0;
    }
    const std::int64_t ticks = timestamp - firstFrameTs_ + ticksPerFrame_ / 2;
    return ticks < 0 ? 0 : std::min<std::int64_t>(ticks / ticksPerFrame_ + 1, INT_MAX);
}

// Page p shows at firstFrameTs_ + (p - 1) ticks-per-frame; its packet sits the decoder delay
// earlier, so the keyframe to start from is at or before that.
std::int64_t ClipDecoder::seekTimestampOf(int page) const {
    const std::int64_t delay = firstFrameTs_ - startDts_;
    return std::max(startDts_, startDts_ + (page - 1) * ticksPerFrame_ - delay);
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

// Frames drained at the end of a clip with B-frames have no packet left to date them. Each
// follows the one before by a frame, but only in a whole file: after a lost packet the frames
// still held could be any, so they stay undated.
std::int64_t ClipDecoder::frameTimestamp() {
    std::int64_t timestamp = stream_->frameTimestamp();
    if (timestamp == AV_NOPTS_VALUE && previousTs_ != AV_NOPTS_VALUE &&
        stream_->isIntactSinceSeek() && headerFrameCount_ > 0 &&
        stream_->lastPacketDts() - startDts_ + 1 == headerFrameCount_) {
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
    if (count < 1 || !isOpen()) {
        return kInvalidArgument;
    }
    if (firstPage < 1 || firstPage > pageCount_) {
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
    std::int64_t seekTs = INT64_MAX;
    if (!isPositionedFor(firstPage)) {
        seekTs = seekTimestampOf(firstPage);
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
        seekTs = earlierSeekTimestamp(firstPage, seekTs, reseeks);
        if (!seekTo(seekTs)) {
            return kCorruptData;
        }
    }
}

// Decodes forward, keeping the frames of pages firstPage .. lastPage and dropping those before.
// A page that never comes (a damaged or missing frame) makes the run fail.
int ClipDecoder::decodeRun(int firstPage, int lastPage, std::vector<Picture>* out) {
    int expected = firstPage;
    nextPage_ = 0;
    while (expected <= lastPage) {
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
        out->push_back(std::move(picture));
        ++expected;
    }
    nextPage_ = expected;
    return kOk;
}

// The decoder is drained: it must be sought before decoding again, and the last page seen is
// the clip's real last page.
void ClipDecoder::noteClipEnd() {
    nextPage_ = 0;
    if (lastSeenPage_ >= 1) {
        pageCount_ = std::min<int>(pageCount_, static_cast<int>(lastSeenPage_));
    }
}

}  // namespace imaging
