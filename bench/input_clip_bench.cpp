// Clips as the input frame store reads them: a window of ten pages loaded into a model at a
// time (the list emptied, then Load), the current page selected and copied as the viewer does.
// The clips are made once per process in a folder removed at exit. Freed picture memory is
// kept for reuse as the window keeps it; each peak measurement first returns it to the system.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <map>

#include "bench/PeakMemory.h"
#include "imaging/FfmpegPointers.h"
#include "imaging/LeadModel.h"
#include "imaging/MemoryReuse.h"
#include "imaging/Status.h"
#include "tests/support/ClipMaker.h"

namespace {

using testsupport::ClipCodec;

constexpr int kFrames = 300;
constexpr int kWindow = 10;
constexpr double kMiB = 1024.0 * 1024.0;

// The window's setting, made before any benchmark runs.
const bool kMemoryReused = (imaging::reuseFreedPictureMemory(), true);

struct ClipKind {
    ClipCodec codec;
    int width;
    int height;
};

constexpr ClipKind kSmallMpeg4{ClipCodec::kMpeg4, 640, 480};
constexpr ClipKind kFullHdH264{ClipCodec::kH264, 1920, 1080};

// A keyframe every two seconds, as capture programs and encoders commonly write.
QString clipPath(const ClipKind& kind) {
    static QTemporaryDir dir;
    static std::map<int, QString> made;
    const int key = kind.width;
    auto found = made.find(key);
    if (found == made.end()) {
        const QString path = dir.filePath(QStringLiteral("clip-%1.avi").arg(key));
        const testsupport::ClipOptions options{
            .frames = kFrames, .width = kind.width, .height = kind.height, .keyframeInterval = 50};
        if (!testsupport::writeClip(path.toStdString(), kind.codec, options)) {
            return {};
        }
        found = made.emplace(key, path).first;
    }
    return found->second;
}

// The store's step to 0-based `frame`: a new window when the frame is outside the one held,
// then the frame selected and copied for the viewer. The store empties the list before
// loading the next window; `clearFirst` false loads over the full list instead.
bool showFrame(imaging::LeadModel& model, const QString& file, int frame, int* windowStart,
               imaging::Picture* shown, bool clearFirst = true) {
    const int start = frame / kWindow * kWindow;
    if (start != *windowStart || !model.hasBitmapList()) {
        if (clearFirst) {
            model.clearBitmapList();
        }
        if (model.Load(file, 24, start + 1, kWindow) != imaging::kOk) {
            return false;
        }
        *windowStart = start;
    }
    if (model.setBitmapListIndex(frame - start) != imaging::kOk) {
        return false;
    }
    *shown = *model.picture();
    return true;
}

void BM_InputPlayerStepsThroughMpeg4(benchmark::State& state) {
    state.SetLabel("<= 3 ms");
    const QString file = clipPath(kSmallMpeg4);
    imaging::LeadModel model;
    if (file.isEmpty() || model.GetFileInfo(file) != imaging::kOk ||
        model.InfoTotalPages() != kFrames) {
        state.SkipWithError("cannot make or open the clip");
        return;
    }
    int frame = 0;
    int windowStart = -1;
    imaging::Picture shown;
    for (auto _ : state) {
        if (!showFrame(model, file, frame, &windowStart, &shown)) {
            state.SkipWithError("a frame did not load");
            return;
        }
        benchmark::DoNotOptimize(shown.pixels().data());
        frame = (frame + 1) % kFrames;
    }
}

// As the open dialog and the store do it: the page count and page 1 for a preview, then the
// window of frame 150.
void BM_OpenFullHdClipAndShowFrame150(benchmark::State& state) {
    state.SetLabel("<= 150 ms");
    const QString file = clipPath(kFullHdH264);
    if (file.isEmpty()) {
        state.SkipWithError("cannot make the clip");
        return;
    }
    for (auto _ : state) {
        imaging::LeadModel model;
        const bool shown = model.GetFileInfo(file) == imaging::kOk &&
                           model.InfoTotalPages() == kFrames &&
                           model.Load(file, 24, 1, 1) == imaging::kOk;
        model.clearBitmapList();
        if (!shown || model.Load(file, 24, 141, kWindow) != imaging::kOk ||
            model.setBitmapListIndex(9) != imaging::kOk) {
            state.SkipWithError("frame 150 did not load");
            return;
        }
        benchmark::DoNotOptimize(model.picture());
    }
}

// The least a reader can do: decode every frame in order, convert each to a 24-bit picture and
// keep the last ten.
bool walkWithPlainReader(const QString& file) {
    using namespace imaging::ffmpeg;
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, QFile::encodeName(file).constData(), nullptr, nullptr) < 0) {
        return false;
    }
    InputContextPtr format(opened);
    const int index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (avformat_find_stream_info(format.get(), nullptr) < 0 || index < 0) {
        return false;
    }
    const AVCodecParameters* parameters = format->streams[index]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    CodecContextPtr decoder(avcodec_alloc_context3(codec));
    PacketPtr packet(av_packet_alloc());
    FramePtr frame(av_frame_alloc());
    ScalerPtr scaler;
    if (avcodec_parameters_to_context(decoder.get(), parameters) < 0) {
        return false;
    }
    decoder->thread_count = 1;  // as the model's reader: frame threads would hold more frames
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) {
        return false;
    }
    std::deque<imaging::Picture> kept;
    const auto keep = [&]() {
        if (scaler == nullptr) {
            scaler.reset(sws_getContext(frame->width, frame->height,
                                        static_cast<AVPixelFormat>(frame->format), frame->width,
                                        frame->height, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr,
                                        nullptr, nullptr));
        }
        if (kept.size() == kWindow) {
            kept.pop_front();
        }
        imaging::Picture picture(frame->width, frame->height, 24);
        std::uint8_t* planes[4] = {picture.pixels().data(), nullptr, nullptr, nullptr};
        const int strides[4] = {picture.stride(), 0, 0, 0};
        sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
        kept.push_back(std::move(picture));
    };
    int frames = 0;
    bool reading = true;
    while (reading) {
        reading = av_read_frame(format.get(), packet.get()) >= 0;
        if (reading && packet->stream_index != index) {
            av_packet_unref(packet.get());
            continue;
        }
        avcodec_send_packet(decoder.get(), reading ? packet.get() : nullptr);
        av_packet_unref(packet.get());
        while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
            keep();
            ++frames;
        }
    }
    return frames == kFrames;
}

bool walkThroughModel(const QString& file, bool clearFirst) {
    imaging::LeadModel model;
    if (model.GetFileInfo(file) != imaging::kOk || model.InfoTotalPages() != kFrames) {
        return false;
    }
    int windowStart = -1;
    imaging::Picture shown;
    for (int frame = 0; frame < kFrames; ++frame) {
        if (!showFrame(model, file, frame, &windowStart, &shown, clearFirst)) {
            return false;
        }
    }
    return true;
}

// Target: the model's peak stays within 1.2 times the plain reader's.
void BM_PeakMemoryWalkingFullHdClip(benchmark::State& state, bool clearFirst) {
    state.SetLabel("peak_MiB <= limit_MiB");
    const QString file = clipPath(kFullHdH264);
    double model = 0;
    double plain = 0;
    for (auto _ : state) {
        plain = std::max(plain, bench::peakGrowth([&] { return walkWithPlainReader(file); }));
        model =
            std::max(model, bench::peakGrowth([&] { return walkThroughModel(file, clearFirst); }));
        if (file.isEmpty() || plain <= 0 || model <= 0) {
            state.SkipWithError("the walk failed or its peak cannot be measured");
            return;
        }
    }
    state.counters["peak_MiB"] = model / kMiB;
    state.counters["reference_MiB"] = plain / kMiB;
    state.counters["limit_MiB"] = 1.2 * plain / kMiB;
    state.counters["picture_MiB"] = 1920.0 * 1080 * 3 / kMiB;
}

}  // namespace

BENCHMARK(BM_InputPlayerStepsThroughMpeg4)->Unit(benchmark::kMillisecond)->Iterations(2 * kFrames);
BENCHMARK(BM_OpenFullHdClipAndShowFrame150)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PeakMemoryWalkingFullHdClip, ListEmptiedFirst, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_PeakMemoryWalkingFullHdClip, LoadOverTheList, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
