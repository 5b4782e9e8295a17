// pixmora-tool: panel file commands without the window.
#include <QApplication>
#include <QTextStream>
#include <cstdio>

#include "tools/CfilePanelFiles.h"
#include "tools/ToolCommands.h"

int main(int argc, char** argv) {
    // The imaging control is a widget; the tool never shows one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    tools::CfilePanelFiles files;
    return tools::runTool(args, files, out, err);
}
