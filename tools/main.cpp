// pixmora-tool: panel file commands without the window.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/CfilePanelFiles.h"
#include "tools/ToolCommands.h"

namespace {

// The tool reports its own failures; Qt's notes about the session (no runtime folder, no
// display) would only clutter its output. Fatal messages still end the program.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietQtMessages);
    // Pictures and panel files need no windowing platform: the tool runs without a display.
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    tools::CfilePanelFiles files;
    return tools::runTool(args, files, out, err);
}
