// Feeds arbitrary bytes, as a profile file, through the readers of the settings file and the
// message catalogue, then writes the settings read and checks that they read back the same.
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "app/SettingsFile.h"
#include "platform/Profile.h"
#include "texts/GetMes.h"

namespace {

// One folder per process holding the input and the saved settings, rewritten for every input.
const QString& workFolder() {
    static const QString path =
        QDir::temp().filePath(QString("pixmora-profile-fuzz-%1").arg(QString::number(getpid())));
    return path;
}

QString inputFile() {
    return QDir(workFolder()).filePath("in.INI");
}

QString savedFile() {
    return QDir(workFolder()).filePath("saved.INI");
}

const app::Defaults kDefaults{"/opt/pixmora", "https://panel.example/", "https://anime.example/"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QDir().mkpath(workFolder());
    std::atexit([] { QDir(workFolder()).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QFile file(inputFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    texts::readCatalogue(inputFile());

    platform::Profile profile(inputFile());
    app::Settings settings = app::readSettings(profile, kDefaults);
    app::writeSettings(profile, settings);
    if (profile.saveAs(savedFile()) != platform::kProfileOk) {
        return 0;
    }
    // Once written, the window's position is in the file.
    settings.window.positionSaved = true;
    if (!(app::readSettings(platform::Profile(savedFile()), kDefaults) == settings)) {
        std::abort();
    }
    return 0;
}
