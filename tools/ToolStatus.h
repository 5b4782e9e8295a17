#pragma once

#include <QString>

namespace tools {

// Exit statuses of the tool. 1..6 are the panel file library's statuses; 7 is the tool's own.
enum ToolStatus : int {
    kToolOk = 0,
    kCannotOpen = 1,   // cannot open or create, or not a .zml / .zma name
    kNoLength = 2,     // the file's length is unknown
    kBadCheck = 3,     // a frame fails its check byte
    kTruncated = 4,    // the file ends early or a magic is wrong
    kShortWrite = 5,   // fewer bytes written than requested
    kBadDepth = 6,     // bits not 1, 2, 4 or 8, or frames of different sizes
    kMissingFile = 7,  // no such file, or an animation announcing no frames
};

// Bad command lines exit with this (shared with kNoLength, as usage errors commonly use 2).
inline constexpr int kUsageError = 2;

// What a status means, for messages.
QString statusMessage(int status);

}  // namespace tools
