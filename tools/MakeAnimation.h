#pragma once

#include <QString>
#include <vector>

#include "imaging/Picture.h"
#include "tools/MakeArgs.h"

namespace tools {

// Loads the start file, and the end file when it is another one behind it, into an input frame
// store as the window does, crops the start and end and generates the run into fresh output
// lists; *frames receives the panel list's frames. Returns kToolOk; kUsageError for a frame
// beyond its file; kCannotOpen when an input cannot be read or the frames cannot be made from
// it; *error says which.
int makeAnimation(const MakeRequest& request, std::vector<imaging::Picture>* frames,
                  QString* error);

}  // namespace tools
