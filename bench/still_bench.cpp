// Peak memory of loading a still the way the imaging control does: one reader opened for the
// page count and dropped, a second opened and its page read. Target: the peak stays within
// the decoded QImage (4 bytes a pixel) plus the 24-bit picture (3 bytes a pixel), with 1 MiB
// for the decoders' row buffers; nothing else of full size.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "imaging/PictureFile.h"
#include "imaging/Status.h"

namespace {

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

// A field of /proc/self/status in bytes; -1 when it cannot be read.
double statusBytes(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':')) {
            return line.mid(field.size() + 1).trimmed().split(' ').first().toDouble() * 1024.0;
        }
    }
    return -1;
}

// Lets the peak resident size start again from the present one.
bool resetPeakResidentSize() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
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

void BM_LargeStillPeakMemory(benchmark::State& state) {
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small.jpg"));
    const QString file = dir.filePath(QStringLiteral("large.jpg"));
    const QByteArray jpeg = lyingJpeg();
    std::vector<imaging::Picture> warmUp;
    // Qt's image plugins load on the first read; their pages are not the decoder's to count.
    if (!writeFile(small, smallJpeg()) || !writeFile(file, jpeg) ||
        !loadLikeTheControl(small, &warmUp)) {
        state.SkipWithError("cannot write or read the JPEGs");
        return;
    }
    double peak = 0;
    state.SetLabel("peak_MiB <= target_MiB");
    for (auto _ : state) {
        const bool reset = resetPeakResidentSize();
        const double before = statusBytes("VmRSS");
        if (!reset || before < 0) {
            state.SkipWithError("the peak resident size cannot be measured");
            return;
        }
        std::vector<imaging::Picture> pages;
        if (!loadLikeTheControl(file, &pages) || pages.front().width() != kClaimedWidth) {
            state.SkipWithError("the JPEG did not load");
            return;
        }
        peak = std::max(peak, statusBytes("VmHWM") - before);
    }
    const double pixels = double{kClaimedWidth} * kClaimedHeight;
    state.counters["file_bytes"] = static_cast<double>(jpeg.size());
    state.counters["peak_MiB"] = peak / kMiB;
    state.counters["target_MiB"] = pixels * (4 + 3) / kMiB + kRowBuffersMiB;
    state.counters["picture_MiB"] = pixels * 3 / kMiB;
}

}  // namespace

BENCHMARK(BM_LargeStillPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(3);
