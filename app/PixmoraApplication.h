#pragma once

#include <QApplication>

// The application object: its title is "Pixmora", and an exception escaping an event handler
// is shown in a message box and ends the process with a failure exit code, instead of
// unwinding through Qt's event loop.
class PixmoraApplication : public QApplication {
    Q_OBJECT

  public:
    static constexpr int kCrashExitCode = 3;

    PixmoraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of an escaped exception; used by notify() and by the entry.
    static void showEscapedException(const char* what);
};
