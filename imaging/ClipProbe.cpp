#include "imaging/ClipProbe.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>

extern "C" {
#include <libavformat/avformat.h>
}

#include "imaging/Status.h"

namespace imaging {

namespace {

constexpr qint64 kProbeBytes = 1 << 20;

// Demuxers that accept content which is not a clip, or that open further files named inside
// the content.
bool isRefusedDemuxer(const char* names) {
    static const QByteArrayList kRefused = {"tty",  "image2", "image2pipe", "hls",
                                            "dash", "concat", "mpjpeg"};
    for (const QByteArray& name : QByteArray(names).split(',')) {
        if (kRefused.contains(name) || name.endsWith("_pipe")) {
            return true;
        }
    }
    return false;
}

}  // namespace

int probeClipFormat(const QString& file, const AVInputFormat** format) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return kFileNotFound;
    }
    QByteArray buffer = in.read(kProbeBytes);
    if (buffer.isEmpty()) {
        return kCorruptData;
    }
    const int size = static_cast<int>(buffer.size());
    buffer.append(AVPROBE_PADDING_SIZE, '\0');
    AVProbeData probe{};
    probe.filename = "";
    probe.buf = reinterpret_cast<unsigned char*>(buffer.data());
    probe.buf_size = size;
    int score = 0;
    const AVInputFormat* found = av_probe_input_format3(&probe, 1, &score);
    if (found == nullptr || score <= AVPROBE_SCORE_EXTENSION || isRefusedDemuxer(found->name)) {
        return kUnknownFormat;
    }
    *format = found;
    return kOk;
}

}  // namespace imaging
