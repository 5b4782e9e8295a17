#include "imaging/ClipStream.h"

#include <QFile>
#include <cstring>

#include "imaging/ClipProbe.h"
#include "imaging/DecoderLimit.h"
#include "imaging/Status.h"

namespace imaging {

int ClipStream::open(const QString& file) {
    // Failures reach the user as statuses; FFmpeg's own warnings would only clutter stderr.
    av_log_set_level(AV_LOG_FATAL);
    const AVInputFormat* format = nullptr;
    int status = probeClipFormat(file, &format);
    if (status != kOk) {
        return status;
    }
    packet_.reset(av_packet_alloc());
    frame_.reset(av_frame_alloc());
    if (packet_ == nullptr || frame_ == nullptr) {
        return kTooLarge;
    }
    status = openContainer(file, format);
    return status != kOk ? status : openDecoder();
}

int ClipStream::openContainer(const QString& file, const AVInputFormat* format) {
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // The prefix keeps a file name that looks like a URL from reaching another protocol.
    const QByteArray url = "file:" + QFile::encodeName(file);
    AVFormatContext* context = nullptr;
    const int opened = avformat_open_input(&context, url.constData(), format, &options);
    av_dict_free(&options);
    format_.reset(context);  // null when opening failed
    if (opened < 0) {
        return kCorruptData;
    }
    streamIndex_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    // The header's size is checked before stream analysis decodes anything.
    if (streamIndex_ >= 0 &&
        exceedsDecoderLimit(format_->streams[streamIndex_]->codecpar->width,
                            format_->streams[streamIndex_]->codecpar->height)) {
        return kTooLarge;
    }
    if (avformat_find_stream_info(format_.get(), nullptr) < 0) {
        return kCorruptData;
    }
    streamIndex_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (streamIndex_ < 0) {
        return kUnknownFormat;
    }
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        format_->streams[i]->discard =
            static_cast<int>(i) == streamIndex_ ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    const AVCodecParameters& parameters = *stream().codecpar;
    if (exceedsDecoderLimit(parameters.width, parameters.height)) {
        return kTooLarge;
    }
    return isWithinDecoderLimit(parameters.width, parameters.height) ? kOk : kCorruptData;
}

// Old DivX/Xvid files pack a B-frame with the frame before it; this filter splits them.
int ClipStream::openUnpacker() {
    const AVBitStreamFilter* filter = av_bsf_get_by_name("mpeg4_unpack_bframes");
    AVBSFContext* unpacker = nullptr;
    if (filter == nullptr || av_bsf_alloc(filter, &unpacker) < 0) {
        return kUnsupportedCodec;
    }
    unpacker_.reset(unpacker);
    if (avcodec_parameters_copy(unpacker_->par_in, stream().codecpar) < 0) {
        return kUnsupportedCodec;
    }
    unpacker_->time_base_in = stream().time_base;
    return av_bsf_init(unpacker_.get()) < 0 ? kUnsupportedCodec : kOk;
}

int ClipStream::openDecoder() {
    const AVCodec* codec = avcodec_find_decoder(stream().codecpar->codec_id);
    if (codec == nullptr) {
        return kUnsupportedCodec;
    }
    if (codec->id == AV_CODEC_ID_MPEG4 && openUnpacker() != kOk) {
        return kUnsupportedCodec;
    }
    const AVCodecParameters* parameters =
        unpacker_ != nullptr ? unpacker_->par_out : stream().codecpar;
    decoder_.reset(avcodec_alloc_context3(codec));
    if (decoder_ == nullptr || avcodec_parameters_to_context(decoder_.get(), parameters) < 0) {
        return kUnsupportedCodec;
    }
    decoder_->pkt_timebase = stream().time_base;
    decoder_->thread_count = 1;
    decoder_->max_pixels = kMaxPicturePixels;
    return avcodec_open2(decoder_.get(), codec, nullptr) < 0 ? kUnsupportedCodec : kOk;
}

bool ClipStream::seek(std::int64_t ts, bool skipToKeyframe) {
    if (av_seek_frame(format_.get(), streamIndex_, ts, AVSEEK_FLAG_BACKWARD) < 0) {
        return false;
    }
    avcodec_flush_buffers(decoder_.get());
    if (unpacker_ != nullptr) {
        av_bsf_flush(unpacker_.get());
    }
    sawPacket_ = false;
    skipToKeyframe_ = skipToKeyframe;
    landedOnKeyframe_ = true;
    draining_ = false;
    intact_ = true;
    firstPacketDts_ = AV_NOPTS_VALUE;
    lastPacketDts_ = AV_NOPTS_VALUE;
    return true;
}

// A packet cut short by the end of the file is dropped: decoding it gives a damaged picture.
// A seek in a file without an index may land on a frame that is not a keyframe; decoding
// starts at the next keyframe then.
bool ClipStream::readStreamPacket() {
    while (av_read_frame(format_.get(), packet_.get()) >= 0) {
        if (packet_->stream_index == streamIndex_) {
            const bool isKey = (packet_->flags & AV_PKT_FLAG_KEY) != 0;
            if (!sawPacket_) {
                sawPacket_ = true;
                firstPacketDts_ = packet_->dts;
                landedOnKeyframe_ = isKey;
            }
            skipToKeyframe_ = skipToKeyframe_ && !isKey;
            lastPacketDts_ = packet_->dts;
            if ((packet_->flags & AV_PKT_FLAG_CORRUPT) == 0 && !skipToKeyframe_) {
                return true;
            }
        }
        av_packet_unref(packet_.get());
    }
    return false;
}

bool ClipStream::nextDecoderPacket() {
    if (unpacker_ == nullptr) {
        return readStreamPacket();
    }
    for (;;) {
        const int received = av_bsf_receive_packet(unpacker_.get(), packet_.get());
        if (received != AVERROR(EAGAIN)) {
            return received == 0;
        }
        const bool read = readStreamPacket();
        if (av_bsf_send_packet(unpacker_.get(), read ? packet_.get() : nullptr) < 0) {
            av_packet_unref(packet_.get());
            if (!read) {
                return false;
            }
        }
    }
}

bool ClipStream::decodeNext() {
    for (;;) {
        const int received = avcodec_receive_frame(decoder_.get(), frame_.get());
        if (received != AVERROR(EAGAIN)) {
            return received == 0;
        }
        if (nextDecoderPacket()) {
            // A packet the decoder rejects is skipped; its frame shows up as missing.
            if (avcodec_send_packet(decoder_.get(), packet_.get()) < 0) {
                intact_ = false;
            }
            av_packet_unref(packet_.get());
        } else {
            draining_ = true;
            if (avcodec_send_packet(decoder_.get(), nullptr) < 0) {
                return false;
            }
        }
    }
}

bool ClipStream::frameIsDamaged() const {
    return (frame_->flags & AV_FRAME_FLAG_CORRUPT) != 0 || frame_->decode_error_flags != 0;
}

int ClipStream::frameToPicture(Picture* out) {
    const int width = frame_->width;
    const int height = frame_->height;
    if (exceedsDecoderLimit(width, height)) {
        return kTooLarge;
    }
    if (!isWithinDecoderLimit(width, height)) {
        return kCorruptData;
    }
    if (!prepareScaler()) {
        return kUnsupportedCodec;
    }
    Picture picture(width, height, 24);
    std::uint8_t* planes[4] = {picture.pixels().data(), nullptr, nullptr, nullptr};
    const int strides[4] = {picture.stride(), 0, 0, 0};
    if (sws_scale(scaler_.get(), frame_->data, frame_->linesize, 0, height, planes, strides) !=
        height) {
        return kCorruptData;
    }
    *out = std::move(picture);
    return kOk;
}

// The converter is kept while frames keep their size and format. sws_getCachedContext would
// rebuild it on every frame of full-range (JPEG) YUV, which it rewrites internally.
bool ClipStream::prepareScaler() {
    if (scaler_ != nullptr && frame_->width == scalerWidth_ && frame_->height == scalerHeight_ &&
        frame_->format == scalerFormat_) {
        return true;
    }
    scaler_.reset(sws_getContext(
        frame_->width, frame_->height, static_cast<AVPixelFormat>(frame_->format), frame_->width,
        frame_->height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    scalerWidth_ = frame_->width;
    scalerHeight_ = frame_->height;
    scalerFormat_ = frame_->format;
    return scaler_ != nullptr;
}

bool ClipStream::timestampsCountChunks() const {
    return std::strcmp(format_->iformat->name, "avi") == 0;
}

// A packet cut short by the end of the file is left out, as decoding leaves it out.
std::vector<std::int64_t> ClipStream::readPacketTimes() {
    std::vector<std::int64_t> times;
    while (av_read_frame(format_.get(), packet_.get()) >= 0) {
        if (packet_->stream_index == streamIndex_ && (packet_->flags & AV_PKT_FLAG_CORRUPT) == 0) {
            times.push_back(packet_->dts);
        }
        av_packet_unref(packet_.get());
    }
    return times;
}

}  // namespace imaging
