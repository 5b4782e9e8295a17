#pragma once

#include <QString>
#include <QStringList>

#include "produce/PicMCutGenerate.h"
#include "tools/ArgValues.h"

namespace tools {

// What `make` is asked for. The crops' frame numbers are settled once the input is loaded.
struct MakeRequest {
    bool help = false;
    // The start and end input files; numbers hold the file's 1-based frame when one is named.
    // Without --end the end is the start.
    FileSelection start;
    FileSelection end;
    // Crop edges, zoom, method, frame count, panel size and dithering, as the window sends them.
    produce::GenerationRequest generation;
    int code = 63;
    QString output;  // ends in .zma or .zml
};

// Reads make's arguments. Returns kToolOk, or kUsageError with *error saying what is wrong;
// --help or -h is not an error.
int parseMakeArgs(const QStringList& args, MakeRequest* request, QString* error);

// The frame of the file a selection names: its number, or 1.
int selectedFrame(const FileSelection& selection);

}  // namespace tools
