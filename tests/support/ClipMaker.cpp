#include "tests/support/ClipMaker.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <QFile>
#include <QtEndian>
#include <algorithm>
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

// Slot `number` as RGB pixels: bit b of the number as a white or black vertical band b.
std::vector<std::uint8_t> bandPixels(int number, int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        rgb[i] = (number >> (i / 3 % width * kBandCount / width)) & 1 ? 255 : 0;
    }
    return rgb;
}

bool isEmptySlot(const ClipOptions& options, int slot) {
    return std::find(options.emptySlots.begin(), options.emptySlots.end(), slot) !=
           options.emptySlots.end();
}

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

namespace {

// Little-endian RIFF building blocks.
void put32(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void put16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

QByteArray chunk(const char* id, const QByteArray& data) {
    QByteArray out(id, 4);
    put32(out, static_cast<quint32>(data.size()));
    return out + data + (data.size() % 2 != 0 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray list(const char* type, const QByteArray& data) {
    return chunk("LIST", QByteArray(type, 4) + data);
}

// Bottom-up BGR rows padded to four bytes; the bands are black or white, so RGB order holds.
QByteArray dibFrame(int number, int width, int height) {
    const std::vector<std::uint8_t> rgb = bandPixels(number, width, height);
    const int rowBytes = width * 3;
    const int stride = (rowBytes + 3) / 4 * 4;
    QByteArray out(static_cast<qsizetype>(stride) * height, '\0');
    for (int y = 0; y < height; ++y) {
        std::copy_n(rgb.data() + static_cast<std::size_t>(height - 1 - y) * rowBytes, rowBytes,
                    out.data() + static_cast<qsizetype>(y) * stride);
    }
    return out;
}

QByteArray headerList(const ClipOptions& options, int headerFrames, quint32 frameBytes) {
    QByteArray avih;
    for (const quint32 v : {1000000u / options.fps, 0u, 0u, 0x10u, quint32(headerFrames), 0u, 1u,
                            frameBytes, quint32(options.width), quint32(options.height)}) {
        put32(avih, v);
    }
    avih.append(16, '\0');
    QByteArray strh("vidsDIB ", 8);
    for (const quint32 v : {0u, 0u, 0u, 1u, quint32(options.fps), 0u, quint32(headerFrames),
                            frameBytes, 0xFFFFFFFFu, 0u}) {
        put32(strh, v);
    }
    for (const int v : {0, 0, options.width, options.height}) {
        put16(strh, static_cast<quint16>(v));
    }
    QByteArray strf;
    for (const quint32 v : {40u, quint32(options.width), quint32(options.height)}) {
        put32(strf, v);
    }
    put16(strf, 1);
    put16(strf, 24);
    for (const quint32 v : {0u, frameBytes, 0u, 0u, 0u, 0u}) {
        put32(strf, v);
    }
    return list("hdrl",
                chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
}

}  // namespace

bool writeCapturedAvi(const std::string& path, const ClipOptions& options, int headerFrames) {
    if (options.frames < 1 || options.frames > kMaxFrames || options.width < 1 ||
        options.height < 1 || options.fps < 1) {
        return false;
    }
    QByteArray movi("movi", 4);
    QByteArray index;
    quint32 frameBytes = 0;
    for (int slot = 0; slot < options.frames; ++slot) {
        const bool empty = isEmptySlot(options, slot);
        const QByteArray data =
            empty ? QByteArray() : dibFrame(slot, options.width, options.height);
        frameBytes = std::max(frameBytes, static_cast<quint32>(data.size()));
        index.append("00db", 4);
        put32(index, empty ? 0u : 0x10u);  // non-empty frames are keyframes
        put32(index, static_cast<quint32>(movi.size()));
        put32(index, static_cast<quint32>(data.size()));
        movi += chunk("00db", data);
    }
    const QByteArray body = QByteArray("AVI ", 4) + headerList(options, headerFrames, frameBytes) +
                            chunk("LIST", movi) + chunk("idx1", index);
    QFile out(QString::fromStdString(path));
    return out.open(QIODevice::WriteOnly) && out.write(chunk("RIFF", body)) == body.size() + 8;
}

QByteArray withHeaderFrameCount(QByteArray avi, quint32 count) {
    char bytes[4];
    qToLittleEndian(count, bytes);
    // Offsets of the count in each header's data: avih dwTotalFrames, strh dwLength and the
    // extended header's dwTotalFrames.
    for (const auto& [tag, offset] :
         {std::pair{"avih", 16}, std::pair{"strh", 32}, std::pair{"dmlh", 0}}) {
        const qsizetype at = avi.indexOf(tag);
        if (at >= 0) {
            avi.replace(at + 8 + offset, 4, bytes, 4);
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
