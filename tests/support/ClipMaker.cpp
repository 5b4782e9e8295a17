#include "tests/support/ClipMaker.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <vector>

#include "imaging/FfmpegPointers.h"

namespace testsupport {

namespace {

using namespace imaging::ffmpeg;

struct CodecSetup {
    const char* name;
    const char* encoder;
    AVPixelFormat format;
    int maxBFrames;  // -1: libx264's own choice
};

// In the order of ClipCodec.
constexpr CodecSetup kCodecs[] = {
    {"Mjpeg", "mjpeg", AV_PIX_FMT_YUVJ420P, 0},       {"Mpeg4", "mpeg4", AV_PIX_FMT_YUV420P, 0},
    {"Mpeg4BFrames", "mpeg4", AV_PIX_FMT_YUV420P, 2}, {"H264", "libx264", AV_PIX_FMT_YUV420P, -1},
    {"RawBgr24", "rawvideo", AV_PIX_FMT_BGR24, 0},    {"Huffyuv", "huffyuv", AV_PIX_FMT_YUV422P, 0},
};

// The muxer, encoder and converter of one clip being written.
struct ClipWriter {
    OutputContextPtr muxer;
    CodecContextPtr encoder;
    AVStream* stream = nullptr;
    FramePtr frame{av_frame_alloc()};
    PacketPtr packet{av_packet_alloc()};
    ScalerPtr converter;

    bool open(const std::string& path, ClipCodec codec, const ClipOptions& options) {
        const CodecSetup& setup = kCodecs[static_cast<int>(codec)];
        const AVCodec* codecInfo = avcodec_find_encoder_by_name(setup.encoder);
        AVFormatContext* context = nullptr;
        if (codecInfo == nullptr ||
            avformat_alloc_output_context2(&context, nullptr, "avi", path.c_str()) < 0) {
            return false;
        }
        muxer.reset(context);
        encoder.reset(avcodec_alloc_context3(codecInfo));
        stream = avformat_new_stream(muxer.get(), nullptr);
        if (encoder == nullptr || stream == nullptr || frame == nullptr || packet == nullptr) {
            return false;
        }
        encoder->width = frame->width = options.width;
        encoder->height = frame->height = options.height;
        frame->format = encoder->pix_fmt = setup.format;
        encoder->time_base = stream->time_base = {1, options.fps};
        encoder->framerate = stream->avg_frame_rate = {options.fps, 1};
        encoder->gop_size = options.keyframeInterval;
        encoder->max_b_frames = setup.maxBFrames;
        encoder->thread_count = 1;
        if (codec == ClipCodec::kH264) {
            av_opt_set(encoder->priv_data, "preset", "veryfast", 0);
        } else {
            encoder->flags |= AV_CODEC_FLAG_QSCALE;
            encoder->global_quality = FF_QP2LAMBDA * 3;
        }
        converter.reset(sws_getContext(options.width, options.height, AV_PIX_FMT_RGB24,
                                       options.width, options.height, setup.format, SWS_BILINEAR,
                                       nullptr, nullptr, nullptr));
        return converter != nullptr && avcodec_open2(encoder.get(), codecInfo, nullptr) >= 0 &&
               avcodec_parameters_from_context(stream->codecpar, encoder.get()) >= 0 &&
               av_frame_get_buffer(frame.get(), 0) >= 0 &&
               avio_open(&muxer->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0 &&
               avformat_write_header(muxer.get(), nullptr) >= 0;
    }

    // Frame `number` shows bit b of the number as white or black vertical band b.
    bool writeFrame(int number) {
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(frame->width) * frame->height * 3);
        for (std::size_t i = 0; i < rgb.size(); ++i) {
            rgb[i] = (number >> (i / 3 % frame->width * kBandCount / frame->width)) & 1 ? 255 : 0;
        }
        const std::uint8_t* source[4] = {rgb.data()};
        const int sourceStride[4] = {frame->width * 3};
        if (av_frame_make_writable(frame.get()) < 0) {
            return false;
        }
        sws_scale(converter.get(), source, sourceStride, 0, frame->height, frame->data,
                  frame->linesize);
        frame->pts = number;
        frame->quality = encoder->global_quality;
        return send(frame.get());
    }

    // Sends a frame (nullptr: the end) and writes the packets the encoder has ready.
    bool send(const AVFrame* f) {
        if (avcodec_send_frame(encoder.get(), f) < 0) {
            return false;
        }
        int received;
        while ((received = avcodec_receive_packet(encoder.get(), packet.get())) >= 0) {
            av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            if (av_interleaved_write_frame(muxer.get(), packet.get()) < 0) {
                return false;
            }
        }
        return received == AVERROR(EAGAIN) || received == AVERROR_EOF;
    }
};

}  // namespace

const char* codecName(ClipCodec codec) {
    return kCodecs[static_cast<int>(codec)].name;
}

bool writeClip(const std::string& path, ClipCodec codec, const ClipOptions& options) {
    ClipWriter writer;
    bool ok =
        options.frames >= 1 && options.frames <= kMaxFrames && writer.open(path, codec, options);
    for (int i = 0; ok && i < options.frames; ++i) {
        ok = writer.writeFrame(i);
    }
    return ok && writer.send(nullptr) && av_write_trailer(writer.muxer.get()) >= 0;
}

int frameNumberOf(const imaging::Picture& picture) {
    int number = picture.isEmpty() ? -1 : 0;
    for (int band = 0; number >= 0 && band < kBandCount; ++band) {
        const int x = (2 * band + 1) * picture.width() / (2 * kBandCount);
        number |= (imaging::greenOf(picture.colourAt(x, picture.height() / 2)) >= 128) << band;
    }
    return number;
}

}  // namespace testsupport
