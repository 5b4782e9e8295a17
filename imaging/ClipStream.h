#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "imaging/FfmpegPointers.h"
#include "imaging/Picture.h"

namespace imaging {

// The video stream of one clip file, demuxed and decoded frame by frame in output order.
// Owns every FFmpeg object it uses; knows nothing of pages.
class ClipStream {
  public:
    ClipStream() = default;
    ClipStream(const ClipStream&) = delete;
    ClipStream& operator=(const ClipStream&) = delete;

    // Opens the file's video stream, its container decided from content. Returns a Status.
    int open(const QString& file);

    const AVStream& stream() const { return *format_->streams[streamIndex_]; }

    // Moves to the keyframe at or before ts (stream time base) and empties the decoder. With
    // skipToKeyframe, packets before the first keyframe reached are dropped.
    bool seek(std::int64_t ts, bool skipToKeyframe);
    // Decodes the next frame; false once the decodable data has ended.
    bool decodeNext();
    // Of the last decoded frame: its best-effort timestamp (AVI stores no pts), whether the
    // decoder flagged it as damaged, and its pixels as a 24-bit picture.
    std::int64_t frameTimestamp() const { return frame_->best_effort_timestamp; }
    bool frameIsDamaged() const;
    int frameToPicture(Picture* out);
    // dts of the first packet read since the last seek or open; AV_NOPTS_VALUE before it.
    std::int64_t firstPacketDts() const { return firstPacketDts_; }
    // Whether the first packet read since the last seek was a keyframe.
    bool landedOnKeyframe() const { return landedOnKeyframe_; }
    // dts of the last packet read; AV_NOPTS_VALUE before any.
    std::int64_t lastPacketDts() const { return lastPacketDts_; }
    // Whether the decoder accepted every packet it was given since the last seek.
    bool isIntactSinceSeek() const { return intact_; }
    // Whether the packets have run out and the decoder is giving the frames it still held.
    bool isDraining() const { return draining_; }
    // Whether timestamps count the container's chunks from zero, empty chunks included (AVI),
    // so that a first packet dated after zero follows empty chunks.
    bool timestampsCountChunks() const;
    // The dts of every whole packet of the video stream in file order (AV_NOPTS_VALUE where
    // unknown), read from where the stream stands to its end without decoding; seek before
    // decoding again.
    std::vector<std::int64_t> readPacketTimes();

  private:
    int openContainer(const QString& file, const AVInputFormat* format);
    int openUnpacker();
    int openDecoder();
    bool readStreamPacket();
    bool nextDecoderPacket();
    bool prepareScaler();

    ffmpeg::InputContextPtr format_;
    ffmpeg::BitstreamFilterPtr unpacker_;
    ffmpeg::CodecContextPtr decoder_;
    ffmpeg::ScalerPtr scaler_;
    ffmpeg::PacketPtr packet_;
    ffmpeg::FramePtr frame_;
    int scalerWidth_ = 0;
    int scalerHeight_ = 0;
    int scalerFormat_ = AV_PIX_FMT_NONE;
    int streamIndex_ = -1;
    bool sawPacket_ = false;
    bool intact_ = true;
    bool skipToKeyframe_ = false;
    bool landedOnKeyframe_ = true;
    bool draining_ = false;
    std::int64_t lastPacketDts_ = AV_NOPTS_VALUE;
    std::int64_t firstPacketDts_ = AV_NOPTS_VALUE;
};

}  // namespace imaging
