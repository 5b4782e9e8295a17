#include "app/PixmoraApplication.h"

#include <exception>

#include "imaging/MemoryReuse.h"
#include "platform/DialogSeam.h"

PixmoraApplication::PixmoraApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Pixmora"));
    setApplicationDisplayName(QStringLiteral("Pixmora"));
    imaging::reuseFreedPictureMemory();
}

void PixmoraApplication::showEscapedException(const char* what) {
    platform::dialogSeam().messageBox(nullptr, QString::fromLocal8Bit(what),
                                      QStringLiteral("Pixmora"), platform::kMbIconWarning);
}

bool PixmoraApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showEscapedException(e.what());
    } catch (...) {
        showEscapedException("Unknown error");
    }
    exit(kCrashExitCode);
    return false;
}
