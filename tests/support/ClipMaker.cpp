#include "tests/support/ClipMaker.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <vector>

#include "imaging/FfmpegPointers.h"

namespace testsupport {

namespace {

struct EncoderSetup {
    const char* encoder;
    AVPixelFormat format;
    int maxBFrames;
};

EncoderSetup setupOf(ClipCodec codec) {
    switch (codec) {
        case ClipCodec::kMjpeg:
            return {"mjpeg", AV_PIX_FMT_YUVJ420P, 0};
        case ClipCodec::kMpeg4:
            return {"mpeg4", AV_PIX_FMT_YUV420P, 0};
        case ClipCodec::kMpeg4BFrames:
            return {"mpeg4", AV_PIX_FMT_YUV420P, 2};
        case ClipCodec::kH264:
            return {"libx264", AV_PIX_FMT_YUV420P, -1};
        case ClipCodec::kRawBgr24:
            return {"rawvideo", AV_PIX_FMT_BGR24, 0};
        case ClipCodec::kHuffyuv:
            return {"huffyuv", AV_PIX_FMT_YUV422P, 0};
    }
    return {"", AV_PIX_FMT_NONE, 0};
}

// RGB24 pixels of frame `number`: its bits as white or black vertical bands.
std::vector<std::uint8_t> bandPixels(int number, int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int band = x * kBandCount / width;
            const std::uint8_t v = (number >> band) & 1 ? 255 : 0;
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            p[0] = p[1] = p[2] = v;
        }
    }
    return rgb;
}

// Owns the muxer, encoder and converter of one clip being written.
class ClipWriter {
  public:
    bool open(const std::string& path, ClipCodec codec, const ClipOptions& options);
    bool writeFrame(int number);
    bool finish();

  private:
    bool openEncoder(ClipCodec codec, const ClipOptions& options);
    bool drainPackets();

    imaging::ffmpeg::OutputContextPtr muxer_;
    imaging::ffmpeg::CodecContextPtr encoder_;
    AVStream* stream_ = nullptr;
    imaging::ffmpeg::FramePtr frame_;
    imaging::ffmpeg::PacketPtr packet_;
    imaging::ffmpeg::ScalerPtr converter_;
};

bool ClipWriter::openEncoder(ClipCodec codec, const ClipOptions& options) {
    const EncoderSetup setup = setupOf(codec);
    const AVCodec* encoder = avcodec_find_encoder_by_name(setup.encoder);
    encoder_.reset(encoder != nullptr ? avcodec_alloc_context3(encoder) : nullptr);
    if (encoder_ == nullptr) {
        return false;
    }
    encoder_->width = options.width;
    encoder_->height = options.height;
    encoder_->pix_fmt = setup.format;
    encoder_->time_base = {1, options.fps};
    encoder_->framerate = {options.fps, 1};
    encoder_->gop_size = options.keyframeInterval;
    encoder_->thread_count = 1;
    if (setup.maxBFrames >= 0) {
        encoder_->max_b_frames = setup.maxBFrames;
    }
    if (codec == ClipCodec::kH264) {
        av_opt_set(encoder_->priv_data, "preset", "veryfast", 0);
    } else {
        encoder_->flags |= AV_CODEC_FLAG_QSCALE;
        encoder_->global_quality = FF_QP2LAMBDA * 3;
    }
    return avcodec_open2(encoder_.get(), encoder, nullptr) >= 0;
}

bool ClipWriter::open(const std::string& path, ClipCodec codec, const ClipOptions& options) {
    AVFormatContext* muxer = nullptr;
    if (avformat_alloc_output_context2(&muxer, nullptr, "avi", path.c_str()) < 0) {
        return false;
    }
    muxer_.reset(muxer);
    if (!openEncoder(codec, options)) {
        return false;
    }
    stream_ = avformat_new_stream(muxer_.get(), nullptr);
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    if (stream_ == nullptr || frame_ == nullptr || packet_ == nullptr ||
        avcodec_parameters_from_context(stream_->codecpar, encoder_.get()) < 0) {
        return false;
    }
    stream_->time_base = encoder_->time_base;
    stream_->avg_frame_rate = encoder_->framerate;
    frame_->format = encoder_->pix_fmt;
    frame_->width = options.width;
    frame_->height = options.height;
    converter_.reset(sws_getContext(options.width, options.height, AV_PIX_FMT_RGB24, options.width,
                                    options.height, encoder_->pix_fmt, SWS_BILINEAR, nullptr,
                                    nullptr, nullptr));
    return converter_ != nullptr && av_frame_get_buffer(frame_.get(), 0) >= 0 &&
           avio_open(&muxer_->pb, path.c_str(), AVIO_FLAG_WRITE) >= 0 &&
           avformat_write_header(muxer_.get(), nullptr) >= 0;
}

bool ClipWriter::drainPackets() {
    for (;;) {
        const int received = avcodec_receive_packet(encoder_.get(), packet_.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return true;
        }
        if (received < 0) {
            return false;
        }
        av_packet_rescale_ts(packet_.get(), encoder_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        if (av_interleaved_write_frame(muxer_.get(), packet_.get()) < 0) {
            return false;
        }
    }
}

bool ClipWriter::writeFrame(int number) {
    if (av_frame_make_writable(frame_.get()) < 0) {
        return false;
    }
    const std::vector<std::uint8_t> rgb = bandPixels(number, frame_->width, frame_->height);
    const std::uint8_t* source[4] = {rgb.data(), nullptr, nullptr, nullptr};
    const int sourceStride[4] = {frame_->width * 3, 0, 0, 0};
    sws_scale(converter_.get(), source, sourceStride, 0, frame_->height, frame_->data,
              frame_->linesize);
    frame_->pts = number;
    frame_->quality = encoder_->global_quality;
    return avcodec_send_frame(encoder_.get(), frame_.get()) >= 0 && drainPackets();
}

bool ClipWriter::finish() {
    return avcodec_send_frame(encoder_.get(), nullptr) >= 0 && drainPackets() &&
           av_write_trailer(muxer_.get()) >= 0;
}

}  // namespace

const char* codecName(ClipCodec codec) {
    switch (codec) {
        case ClipCodec::kMjpeg:
            return "Mjpeg";
        case ClipCodec::kMpeg4:
            return "Mpeg4";
        case ClipCodec::kMpeg4BFrames:
            return "Mpeg4BFrames";
        case ClipCodec::kH264:
            return "H264";
        case ClipCodec::kRawBgr24:
            return "RawBgr24";
        case ClipCodec::kHuffyuv:
            return "Huffyuv";
    }
    return "";
}

bool writeClip(const std::string& path, ClipCodec codec, const ClipOptions& options) {
    if (options.frames < 1 || options.frames > kMaxFrames) {
        return false;
    }
    ClipWriter writer;
    if (!writer.open(path, codec, options)) {
        return false;
    }
    for (int i = 0; i < options.frames; ++i) {
        if (!writer.writeFrame(i)) {
            return false;
        }
    }
    return writer.finish();
}

int frameNumberOf(const imaging::Picture& picture) {
    if (picture.isEmpty()) {
        return -1;
    }
    const int y = picture.height() / 2;
    int number = 0;
    for (int band = 0; band < kBandCount; ++band) {
        const int x = (2 * band + 1) * picture.width() / (2 * kBandCount);
        if (imaging::greenOf(picture.colourAt(x, y)) >= 128) {
            number |= 1 << band;
        }
    }
    return number;
}

}  // namespace testsupport
