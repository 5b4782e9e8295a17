// Feeds arbitrary bytes, as a file, through the reader the imaging control uses.
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "imaging/PictureFile.h"
#include "imaging/Status.h"

namespace {

// One file per process, rewritten for every input.
const QString& inputPath() {
    static const QString path =
        QDir::temp().filePath(QString("pixmora-fuzz-%1.bin").arg(QString::number(getpid())));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    av_log_set_level(AV_LOG_QUIET);
    std::atexit([] { QFile::remove(inputPath()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QFile file(inputPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    imaging::PictureFileReader reader;
    if (reader.open(inputPath()) == imaging::kOk) {
        std::vector<imaging::Picture> pages;
        reader.readPages(1, 2, &pages);
    }
    return 0;
}
