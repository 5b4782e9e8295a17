#include "tests/support/ClipMaker.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <QDataStream>
#include <QFile>
#include <algorithm>

#include "imaging/FfmpegPointers.h"

namespace testsupport {

namespace {

using namespace imaging::ffmpeg;

constexpr int kBandCount = 9, kMaxFrames = 1 << kBandCount;

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

// Slot `number` as RGB pixels: bit b of the number as a white or black vertical band b.
std::vector<std::uint8_t> bandPixels(int number, int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = (number >> (i / 3 % width * kBandCount / width)) & 1 ? 255 : 0;
    }
    return rgb;
}

bool isEmptySlot(const ClipOptions& options, int slot) {
    return std::ranges::find(options.emptySlots, slot) != options.emptySlots.end();
}

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
        const char* container = options.container == ClipContainer::kAvi ? "avi" : "matroska";
        if (codecInfo == nullptr ||
            avformat_alloc_output_context2(&context, nullptr, container, path.c_str()) < 0) {
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
        if ((muxer->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
            encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
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

    bool writeFrame(int number) {
        const std::vector<std::uint8_t> rgb = bandPixels(number, frame->width, frame->height);
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

// Little-endian words, as RIFF chunks hold them.
template <typename... Words>
QByteArray words(Words... values) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    (stream << ... << values);
    return out;
}

QByteArray chunk(const char* id, const QByteArray& data) {
    return QByteArray(id, 4) + words(quint32(data.size())) + data +
           QByteArray(data.size() % 2, '\0');
}

QByteArray list(const char* type, const QByteArray& data) {
    return chunk("LIST", QByteArray(type, 4) + data);
}

QByteArray headerList(const ClipOptions& options, quint32 headerFrames, quint32 frameBytes) {
    const quint32 width = options.width, height = options.height, fps = options.fps;
    const QByteArray avih = words(1000000 / fps, 0u, 0u, 0x10u, headerFrames, 0u, 1u, frameBytes,
                                  width, height, quint64(0), quint64(0));
    const QByteArray strh = QByteArray("vidsDIB ", 8) +
                            words(0u, 0u, 0u, 1u, fps, 0u, headerFrames, frameBytes, 0xFFFFFFFFu,
                                  0u, quint16(0), quint16(0), quint16(width), quint16(height));
    const QByteArray strf =
        words(40u, width, height, quint16(1), quint16(24), 0u, frameBytes, 0u, 0u, 0u, 0u);
    return list("hdrl",
                chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
}

}  // namespace

const char* codecName(ClipCodec codec) {
    return kCodecs[static_cast<int>(codec)].name;
}

bool writeClip(const std::string& path, ClipCodec codec, const ClipOptions& options) {
    ClipWriter writer;
    bool ok =
        options.frames >= 1 && options.frames <= kMaxFrames && writer.open(path, codec, options);
    for (int i = 0; ok && i < options.frames; ++i) {
        ok = isEmptySlot(options, i) || writer.writeFrame(i);
    }
    return ok && writer.send(nullptr) && av_write_trailer(writer.muxer.get()) >= 0;
}

bool writeCapturedAvi(const std::string& path, const ClipOptions& options, int headerFrames) {
    if (options.frames < 1 || options.frames > kMaxFrames || options.fps < 1) {
        return false;
    }
    // The bands are vertical and black or white, so every row is the same and neither the
    // bottom-up row order nor BGR order changes anything. Rows are padded to four bytes.
    const int rowBytes = (options.width * 3 + 3) / 4 * 4;
    QByteArray movi("movi", 4), index;
    for (int slot = 0; slot < options.frames; ++slot) {
        const std::vector<std::uint8_t> row = bandPixels(slot, options.width, 1);
        const QByteArray data =
            isEmptySlot(options, slot)
                ? QByteArray()
                : QByteArray(reinterpret_cast<const char*>(row.data()), options.width * 3)
                      .leftJustified(rowBytes, '\0')
                      .repeated(options.height);
        // Non-empty frames are keyframes.
        index +=
            "00db" + words(data.isEmpty() ? 0u : 0x10u, quint32(movi.size()), quint32(data.size()));
        movi += chunk("00db", data);
    }
    const QByteArray body = QByteArray("AVI ", 4) +
                            headerList(options, headerFrames, rowBytes * options.height) +
                            chunk("LIST", movi) + chunk("idx1", index);
    QFile out(QString::fromStdString(path));
    return out.open(QIODevice::WriteOnly) && out.write(chunk("RIFF", body)) == body.size() + 8;
}

QByteArray withHeaderFrameCount(QByteArray avi, quint32 count) {
    // avih dwTotalFrames, strh dwLength and the extended header's dwTotalFrames.
    for (const auto& [tag, offset] : {std::pair{"avih", 16}, {"strh", 32}, {"dmlh", 0}}) {
        if (const qsizetype at = avi.indexOf(tag); at >= 0) {
            avi.replace(at + 8 + offset, 4, words(count));
        }
    }
    return avi;
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
