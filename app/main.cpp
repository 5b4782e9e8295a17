#include <QGuiApplication>
#include <exception>

#include "app/PicMUnit1.h"
#include "app/PixmoraApplication.h"

int main(int argc, char** argv) {
    PixmoraApplication app(argc, argv);
    try {
        TForm1 window(app::basePathOf(QCoreApplication::applicationFilePath()));
        window.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        PixmoraApplication::showEscapedException(e.what());
    } catch (...) {
        PixmoraApplication::showEscapedException("Unknown error");
    }
    return PixmoraApplication::kCrashExitCode;
}
