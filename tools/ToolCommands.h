#pragma once

#include <QStringList>
#include <QTextStream>

#include "tools/PanelFiles.h"

// The tool's commands. Each takes its arguments (without the command name), writes results to
// `out` and messages to `err`, and returns the exit status.
namespace tools {

int runInfo(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err);
int runExport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err);
int runImport(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err);
int runMake(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err);

// The whole command line without the program name: a command and its arguments, or --help.
int runTool(const QStringList& args, PanelFiles& files, QTextStream& out, QTextStream& err);

}  // namespace tools
