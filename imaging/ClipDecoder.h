#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/Picture.h"

namespace imaging {

class ClipStream;

// Reads pages (time slots, numbered from 1) of a clip. Stays open between calls so that runs
// of pages can be read again and again without paying for opening; page k is the same picture
// whichever order or run it is read in. A slot without a frame (an empty chunk, which capture
// programs write for a dropped frame) shows the frame before it, or the first frame when no
// frame comes before it, so the clip keeps its true speed.
class ClipDecoder {
  public:
    ClipDecoder();
    ~ClipDecoder();
    ClipDecoder(const ClipDecoder&) = delete;
    ClipDecoder& operator=(const ClipDecoder&) = delete;

    // Opens a clip recognised by its content. Returns kOk, kFileNotFound, kUnknownFormat,
    // kUnsupportedCodec, kCorruptData or kTooLarge; on failure the decoder is closed.
    int open(const QString& file);
    void close();
    bool isOpen() const { return stream_ != nullptr; }

    // Pages the clip has, counted from its packets (headers may lie); lowered when decoding
    // meets the real end before that.
    int pageCount() const { return pageCount_; }
    // Display time of one page in milliseconds, always positive.
    int delayMs() const { return delayMs_; }

    // Replaces *out with pages firstPage .. firstPage + count - 1, fewer at the end of the clip;
    // the old contents of *out are released before anything is decoded. kPageOutOfRange when
    // firstPage is past the pages that decode, kInvalidArgument for a first page below 1, a
    // count below 1, a null out or a closed decoder; *out is empty on any failure.
    int readPages(int firstPage, int count, std::vector<Picture>* out);

  private:
    int mapPages();
    int leadingEmptySlots(std::int64_t firstDts) const;
    std::int64_t slotStep(std::int64_t fromDts, std::int64_t toDts) const;
    int measureDecoderDelay();
    int sourcePageOf(int page) const;
    int nextFramePageAfter(int framePage) const;
    std::int64_t frameTimestamp();
    std::int64_t pageOf(std::int64_t timestamp) const;
    std::int64_t seekTimestampOf(int page) const;
    std::int64_t earlierSeekTimestamp(int page, std::int64_t previous, int reseeks) const;
    bool seekTo(std::int64_t timestamp);
    bool isPositionedFor(int page) const;
    int readRun(int firstPage, int lastPage, std::vector<Picture>* out);
    int decodeRun(int firstPage, int lastPage, std::vector<Picture>* out);
    void appendShown(Picture picture, int framePage, int firstPage, int lastPage,
                     std::vector<Picture>* out) const;
    void noteClipEnd();

    std::unique_ptr<ClipStream> stream_;
    int pageCount_ = 0;
    int delayMs_ = 0;
    std::vector<int> framePages_;  // the pages that hold a frame, ascending; the rest are empty
    std::int64_t ticksPerFrame_ = 1;
    std::int64_t startDts_ = 0;            // dts of the clip's first packet
    std::int64_t pageOneTs_ = 0;           // timestamp page 1 would have as a decoded frame
    std::int64_t decoderDelay_ = 0;        // a frame's timestamp minus its packet's dts
    int nextPage_ = 0;                     // page the decoder gives next without seeking; 0 unknown
    std::int64_t lastSeenPage_ = 0;        // highest page decoded since the last seek
    std::int64_t previousTs_ = INT64_MIN;  // timestamp of the frame decoded before, if known
};

}  // namespace imaging
