#pragma once

#include <QString>
#include <QStringList>

#include "tools/ImportPicture.h"

namespace tools {

// Everything `import` was asked to do.
struct ImportRequest {
    ImportSettings settings;
    int code = 63;
    QString output;
    QStringList pictures;
};

// True when the arguments ask for help (--help or -h anywhere).
bool wantsHelp(const QStringList& args);

// True when the name ends in .suffix, ignoring case.
bool hasSuffix(const QString& fileName, const QString& suffix);

// Parses import's arguments: options (each followed by its value), then OUT and the pictures.
// Returns kToolOk, or kUsageError with *error saying what is wrong.
int parseImportArgs(const QStringList& args, ImportRequest* request, QString* error);

}  // namespace tools
