// Feeds arbitrary bytes, as a panel file, through CustumFileControl::Load. The first input
// byte picks the name: odd gives a ".zml", even a ".zma"; the rest is the file.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdlib>

#include "files/Cfilectl.h"
#include "imaging/LeadModel.h"

namespace {

// One folder per process holding x.zml and x.zma, rewritten for every input.
const QString& inputFolder() {
    static const QString path =
        QDir::temp().filePath(QString("pixmora-panel-fuzz-%1").arg(QString::number(getpid())));
    return path;
}

QApplication& application() {
    static int argc = 1;
    static char name[] = "panel_file_fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application();
    QDir().mkpath(inputFolder());
    std::atexit([] { QDir(inputFolder()).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QString name = QDir(inputFolder()).filePath((data[0] & 1) != 0 ? "x.zml" : "x.zma");
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    file.close();
    static imaging::LeadModel list;
    static imaging::LeadModel work;
    CustumFileControl control;
    control.SetFileName(name);
    control.Load(list, work);
    return 0;
}
