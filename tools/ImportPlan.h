#pragma once

#include <QList>
#include <QString>
#include <vector>

#include "tools/ArgValues.h"

namespace tools {

// The pages one import input gives.
struct ImportPages {
    QString file;
    int firstPage = 1;
    int pageCount = 1;
};

// Opens every input for its page count and settles which pages it gives: its range, or every
// page. Nothing is decoded. Returns kToolOk; kCannotOpen when an input cannot be read,
// kUsageError for a range beyond its file, for more frames in all than the output store holds
// or, with `oneFrame`, for more than one; *error says which.
int planImport(const QList<FileSelection>& inputs, bool oneFrame, std::vector<ImportPages>* plan,
               QString* error);

}  // namespace tools
