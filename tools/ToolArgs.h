#pragma once

#include <QString>
#include <QStringList>

#include "tools/ArgValues.h"
#include "tools/ImportPicture.h"

// Reading the tool's command line: one parser for the command, one for each command's
// arguments. Each returns kToolOk, or kUsageError with *error saying what is wrong; a request
// for help (--help or -h) is not an error.
namespace tools {

// The command and everything after it.
struct ToolRequest {
    bool help = false;
    QString command;
    QStringList arguments;
};

struct InfoRequest {
    bool help = false;
    QString file;
};

struct ExportRequest {
    bool help = false;
    QString file;
    QString output;  // ends in .png or .gif
};

struct ImportRequest {
    bool help = false;
    ImportSettings settings;
    int code = 63;
    QString output;  // ends in .zma or .zml
    // Pictures and clips; a clip's page range FROM-TO as numbers (every page without one).
    QList<FileSelection> inputs;
};

int parseToolArgs(const QStringList& args, ToolRequest* request, QString* error);
int parseInfoArgs(const QStringList& args, InfoRequest* request, QString* error);
int parseExportArgs(const QStringList& args, ExportRequest* request, QString* error);
int parseImportArgs(const QStringList& args, ImportRequest* request, QString* error);

// True when the name ends in .suffix, ignoring case.
bool hasSuffix(const QString& fileName, const QString& suffix);

}  // namespace tools
