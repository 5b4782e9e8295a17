// Random runs of 10 pages from an open clip: our reader against a minimal implementation of
// the measured seeking recipe, which it should stay within 1.2x of.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <map>
#include <random>

#include "imaging/FfmpegPointers.h"
#include "imaging/PictureFile.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"

namespace {

using testsupport::ClipCodec;

constexpr int kFrames = 200;
constexpr int kRun = 10;
constexpr unsigned kSeed = 20240611;

// Clips are written once per process into a directory removed at exit.
QString clipPath(ClipCodec codec) {
    static QTemporaryDir dir;
    static std::map<ClipCodec, QString> made;
    auto found = made.find(codec);
    if (found == made.end()) {
        const QString path = dir.filePath(QString(testsupport::codecName(codec)) + ".avi");
        const testsupport::ClipOptions options{
            .frames = kFrames, .width = 320, .height = 240, .keyframeInterval = 50};
        if (!testsupport::writeClip(path.toStdString(), codec, options)) {
            return {};
        }
        found = made.emplace(codec, path).first;
    }
    return found->second;
}

// The recipe, minimally: seek to N - OFF, decode forward keeping timestamps from N + OFF,
// re-seek before the first packet read when the first kept frame is late.
class ReferenceReader {
  public:
    bool open(const QString& path) {
        AVFormatContext* format = nullptr;
        const int opened =
            avformat_open_input(&format, path.toUtf8().constData(), nullptr, nullptr);
        format_.reset(format);
        if (opened < 0 || avformat_find_stream_info(format_.get(), nullptr) < 0) {
            return false;
        }
        stream_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        const AVCodecParameters* parameters = format_->streams[stream_]->codecpar;
        const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
        decoder_.reset(avcodec_alloc_context3(codec));
        avcodec_parameters_to_context(decoder_.get(), parameters);
        decoder_->thread_count = 1;
        packet_.reset(av_packet_alloc());
        frame_.reset(av_frame_alloc());
        if (avcodec_open2(decoder_.get(), codec, nullptr) < 0 || !nextFrame()) {
            return false;
        }
        off_ = frame_->best_effort_timestamp;
        return true;
    }

    bool readRun(int firstPage, int count, std::vector<imaging::Picture>* out) {
        out->clear();
        const std::int64_t n = firstPage - 1;
        std::int64_t target = std::max<std::int64_t>(n - off_, 0);
        for (;;) {
            av_seek_frame(format_.get(), stream_, target, AVSEEK_FLAG_BACKWARD);
            avcodec_flush_buffers(decoder_.get());
            firstDts_ = AV_NOPTS_VALUE;
            bool late = false;
            while (static_cast<int>(out->size()) < count && nextFrame()) {
                const std::int64_t ts = frame_->best_effort_timestamp;
                if (ts == AV_NOPTS_VALUE && !out->empty()) {
                    out->push_back(toPicture());  // drained at the end
                } else if (ts >= n + off_) {
                    late = out->empty() && ts > n + off_;
                    if (late) {
                        break;
                    }
                    out->push_back(toPicture());
                }
            }
            if (!late || target == 0) {
                return !out->empty();
            }
            target = std::max<std::int64_t>(firstDts_ - 1, 0);
        }
    }

  private:
    bool nextFrame() {
        for (;;) {
            const int received = avcodec_receive_frame(decoder_.get(), frame_.get());
            if (received != AVERROR(EAGAIN)) {
                return received == 0;
            }
            if (!readPacket()) {
                avcodec_send_packet(decoder_.get(), nullptr);
                continue;
            }
            avcodec_send_packet(decoder_.get(), packet_.get());
            av_packet_unref(packet_.get());
        }
    }

    bool readPacket() {
        while (av_read_frame(format_.get(), packet_.get()) >= 0) {
            if (packet_->stream_index == stream_) {
                if (firstDts_ == AV_NOPTS_VALUE) {
                    firstDts_ = packet_->dts;
                }
                return true;
            }
            av_packet_unref(packet_.get());
        }
        return false;
    }

    imaging::Picture toPicture() {
        if (scaler_ == nullptr) {  // the clips keep one size and format
            scaler_.reset(sws_getContext(frame_->width, frame_->height,
                                         static_cast<AVPixelFormat>(frame_->format), frame_->width,
                                         frame_->height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr,
                                         nullptr, nullptr));
        }
        imaging::Picture picture(frame_->width, frame_->height, 24);
        std::uint8_t* planes[4] = {picture.pixels().data(), nullptr, nullptr, nullptr};
        const int strides[4] = {picture.stride(), 0, 0, 0};
        sws_scale(scaler_.get(), frame_->data, frame_->linesize, 0, frame_->height, planes,
                  strides);
        return picture;
    }

    imaging::ffmpeg::InputContextPtr format_;
    imaging::ffmpeg::CodecContextPtr decoder_;
    imaging::ffmpeg::PacketPtr packet_;
    imaging::ffmpeg::FramePtr frame_;
    imaging::ffmpeg::ScalerPtr scaler_;
    int stream_ = -1;
    std::int64_t off_ = 0;
    std::int64_t firstDts_ = AV_NOPTS_VALUE;
};

// Target: within 1.2 times the minimal reader's time on the same runs.
void BM_OurReaderRandomRun(benchmark::State& state, ClipCodec codec, const char* reference) {
    state.SetLabel(std::string("<= 1.2x ") + reference);
    imaging::PictureFileReader reader;
    if (reader.open(clipPath(codec)) != imaging::kOk) {
        state.SkipWithError("cannot open the clip");
        return;
    }
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> start(1, kFrames - kRun + 1);
    std::vector<imaging::Picture> pages;
    for (auto _ : state) {
        if (reader.readPages(start(random), kRun, &pages) != imaging::kOk) {
            state.SkipWithError("run failed");
            return;
        }
        benchmark::DoNotOptimize(pages.data());
    }
}

void BM_ReferenceRandomRun(benchmark::State& state, ClipCodec codec) {
    ReferenceReader reader;
    if (!reader.open(clipPath(codec))) {
        state.SkipWithError("cannot open the clip");
        return;
    }
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> start(1, kFrames - kRun + 1);
    std::vector<imaging::Picture> pages;
    for (auto _ : state) {
        if (!reader.readRun(start(random), kRun, &pages)) {
            state.SkipWithError("run failed");
            return;
        }
        benchmark::DoNotOptimize(pages.data());
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_OurReaderRandomRun, Mjpeg, ClipCodec::kMjpeg, "BM_ReferenceRandomRun/Mjpeg")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReferenceRandomRun, Mjpeg, ClipCodec::kMjpeg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OurReaderRandomRun, Mpeg4BFrames, ClipCodec::kMpeg4BFrames,
                  "BM_ReferenceRandomRun/Mpeg4BFrames")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReferenceRandomRun, Mpeg4BFrames, ClipCodec::kMpeg4BFrames)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OurReaderRandomRun, H264, ClipCodec::kH264, "BM_ReferenceRandomRun/H264")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReferenceRandomRun, H264, ClipCodec::kH264)->Unit(benchmark::kMillisecond);
