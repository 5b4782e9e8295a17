#pragma once

#include <QByteArray>
#include <string>
#include <vector>

#include "imaging/Picture.h"

namespace testsupport {

enum class ClipCodec { kMjpeg, kMpeg4, kMpeg4BFrames, kH264, kRawBgr24, kHuffyuv };
enum class ClipContainer { kAvi, kMatroska };

const char* codecName(ClipCodec codec);

struct ClipOptions {
    int frames = 60, fps = 25;  // at most 512 frames
    int width = 160, height = 120;
    int keyframeInterval = 12;
    // Time slots that get no frame: in an AVI, an empty chunk before each later frame.
    std::vector<int> emptySlots = {};
    ClipContainer container = ClipContainer::kAvi;
};

// Writes a clip whose frame in slot i shows i in binary as vertical white (1) and black (0)
// bands, which survive lossy coding. False on any failure.
bool writeClip(const std::string& path, ClipCodec codec, const ClipOptions& options);

// Writes an AVI by hand, as capture programs do: 24-bit DIB frames showing their slot as
// writeClip does, an empty chunk for each empty slot (the first ones too) and `headerFrames` as
// the frame count of its headers. keyframeInterval and container do not apply.
bool writeCapturedAvi(const std::string& path, const ClipOptions& options, int headerFrames);

// The AVI `avi` with `count` as the frame count of every header that states one.
QByteArray withHeaderFrameCount(QByteArray avi, quint32 count);

// The number the bands of a decoded picture show; -1 for an empty picture.
int frameNumberOf(const imaging::Picture& picture);

}  // namespace testsupport
