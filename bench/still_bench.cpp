// Loading stills. A 4000 x 3000 JPEG loaded as an input frame is loaded (page count, then the
// page, by a work model handed over to the frame store's model, shown by a viewer's copy):
// target at most 1.2 times Qt's own decode of it, and a peak of at most 1.3 times the 24-bit
// picture. A few hundred bytes of JPEG claiming a large picture, read the way the imaging
// control reads: target a peak within the picture plus 1 MiB of row buffers.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "bench/PeakMemory.h"
#include "imaging/LeadModel.h"
#include "imaging/PictureFile.h"
#include "imaging/Status.h"
#include "store/Framectl.h"

namespace {

constexpr int kPhotoWidth = 4000;
constexpr int kPhotoHeight = 3000;
constexpr double kPhotoPeakRatio = 1.3;
constexpr int kClaimedWidth = 16384;
constexpr int kClaimedHeight = 4096;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kRowBuffersMiB = 1.0;

QByteArray smallJpeg() {
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(qRgb(200, 40, 90));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.write(small);
    return buffer.data();
}

// A few hundred bytes of JPEG whose frame header claims kClaimedWidth x kClaimedHeight: the
// decoder fills the missing rest, so it decodes to a whole picture of that size.
QByteArray lyingJpeg() {
    QByteArray bytes = smallJpeg();
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    if (frame < 0) {
        return {};
    }
    bytes[frame + 5] = static_cast<char>(kClaimedHeight >> 8);
    bytes[frame + 6] = static_cast<char>(kClaimedHeight & 0xFF);
    bytes[frame + 7] = static_cast<char>(kClaimedWidth >> 8);
    bytes[frame + 8] = static_cast<char>(kClaimedWidth & 0xFF);
    return bytes;
}

bool writeFile(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    return !bytes.isEmpty() && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

// The control's sequence: the page count from one reader, then the page from another.
bool loadLikeTheControl(const QString& file, std::vector<imaging::Picture>* pages) {
    {
        imaging::PictureFileReader info;
        if (info.open(file) != imaging::kOk || info.pageCount() != 1) {
            return false;
        }
    }
    imaging::PictureFileReader reader;
    return reader.open(file) == imaging::kOk && reader.readPages(1, 1, pages) == imaging::kOk;
}

// A photo-like picture: smooth colour fields with fine detail over them, at JPEG quality 90.
QByteArray photoJpeg() {
    QImage image(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    for (int y = 0; y < kPhotoHeight; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPhotoWidth; ++x) {
            const int detail = ((x * 7) ^ (y * 13)) & 31;
            row[x] = qRgb((x / 16 + detail) & 255, (y / 12 + 2 * detail) & 255,
                          static_cast<int>(127 + 120 * std::sin((x + y) / 90.0)));
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    return writer.write(image) ? buffer.data() : QByteArray();
}

// The photo written once for every benchmark that reads it; empty when it cannot be written.
const QString& photoFile() {
    static QTemporaryDir dir;
    static const QString file = [] {
        const QString path = dir.filePath(QStringLiteral("photo.jpg"));
        return dir.isValid() && writeFile(path, photoJpeg()) ? path : QString();
    }();
    return file;
}

// The input frame's way in, as the window takes it: a work model reads the page count and
// loads the page, the input frame store takes the model over, and *viewer shows the store's
// picture.
bool loadAsInputFrame(const QString& file, imaging::LeadModel* viewer) {
    auto work = std::make_unique<imaging::LeadModel>();
    if (work->GetFileInfo(file) != imaging::kOk || work->Load(file, 24, 0, 1) != imaging::kOk) {
        return false;
    }
    store::TFrameControl inputFrames;
    const imaging::LeadModel* shown =
        inputFrames.InsertBefore(file, std::move(work)) == imaging::kOk ? inputFrames.SelectFrame(0)
                                                                        : nullptr;
    if (shown == nullptr) {
        return false;
    }
    viewer->setBitmapFrom(*shown);
    return viewer->BitmapWidth() == kPhotoWidth && viewer->BitmapHeight() == kPhotoHeight;
}

void BM_QtReadsPhotoJpeg(benchmark::State& state) {
    if (photoFile().isEmpty()) {
        state.SkipWithError("cannot write the JPEG");
        return;
    }
    for (auto _ : state) {
        QImageReader reader(photoFile(), "jpeg");
        const QImage image = reader.read();
        if (image.width() != kPhotoWidth) {
            state.SkipWithError("Qt did not read the JPEG");
            return;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_PhotoJpegAsInputFrame(benchmark::State& state) {
    state.SetLabel("<= 1.2x BM_QtReadsPhotoJpeg");
    for (auto _ : state) {
        imaging::LeadModel viewer;
        if (photoFile().isEmpty() || !loadAsInputFrame(photoFile(), &viewer)) {
            state.SkipWithError("the JPEG did not load");
            return;
        }
        benchmark::DoNotOptimize(viewer.picture());
    }
}

void BM_PhotoJpegAsInputFramePeakMemory(benchmark::State& state) {
    imaging::LeadModel warmUp;
    if (photoFile().isEmpty() || !loadAsInputFrame(photoFile(), &warmUp)) {
        state.SkipWithError("the JPEG did not load");
        return;
    }
    warmUp.releaseBitmap();
    double peak = 0;
    state.SetLabel("peak_MiB <= target_MiB");
    for (auto _ : state) {
        imaging::LeadModel viewer;
        const double growth =
            bench::peakGrowth([&viewer] { return loadAsInputFrame(photoFile(), &viewer); });
        if (growth < 0) {
            state.SkipWithError("the JPEG did not load or the peak cannot be measured");
            return;
        }
        peak = std::max(peak, growth);
    }
    const double pictureBytes = double{kPhotoWidth} * kPhotoHeight * 3;
    state.counters["file_MiB"] = static_cast<double>(QFile(photoFile()).size()) / kMiB;
    state.counters["peak_MiB"] = peak / kMiB;
    state.counters["picture_MiB"] = pictureBytes / kMiB;
    state.counters["target_MiB"] = pictureBytes * kPhotoPeakRatio / kMiB;
}

void BM_LargeStillPeakMemory(benchmark::State& state) {
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small.jpg"));
    const QString file = dir.filePath(QStringLiteral("large.jpg"));
    const QByteArray jpeg = lyingJpeg();
    std::vector<imaging::Picture> warmUp;
    // The first read loads code and warms the heap; those pages are not the decoder's to count.
    if (!writeFile(small, smallJpeg()) || !writeFile(file, jpeg) ||
        !loadLikeTheControl(small, &warmUp)) {
        state.SkipWithError("cannot write or read the JPEGs");
        return;
    }
    double peak = 0;
    state.SetLabel("peak_MiB <= target_MiB");
    for (auto _ : state) {
        std::vector<imaging::Picture> pages;
        const double growth = bench::peakGrowth([&] {
            return loadLikeTheControl(file, &pages) && pages.front().width() == kClaimedWidth;
        });
        if (growth < 0) {
            state.SkipWithError("the JPEG did not load or the peak cannot be measured");
            return;
        }
        peak = std::max(peak, growth);
    }
    const double pixels = double{kClaimedWidth} * kClaimedHeight;
    state.counters["file_bytes"] = static_cast<double>(jpeg.size());
    state.counters["peak_MiB"] = peak / kMiB;
    state.counters["target_MiB"] = pixels * 3 / kMiB + kRowBuffersMiB;
    state.counters["picture_MiB"] = pixels * 3 / kMiB;
}

}  // namespace

BENCHMARK(BM_QtReadsPhotoJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotoJpegAsInputFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotoJpegAsInputFramePeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LargeStillPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
