#pragma once

#include <string>

#include "imaging/Picture.h"

namespace testsupport {

enum class ClipCodec { kMjpeg, kMpeg4, kMpeg4BFrames, kH264, kRawBgr24, kHuffyuv };

const char* codecName(ClipCodec codec);

struct ClipOptions {
    int frames = 60, fps = 25;
    int width = 160, height = 120;
    int keyframeInterval = 12;
};

// Frame numbers a clip can show: one bit per vertical band.
inline constexpr int kBandCount = 8;
inline constexpr int kMaxFrames = 1 << kBandCount;

// Writes an AVI clip whose frame i shows i in kBandCount vertical bands (band b white when
// bit b of i is set, black otherwise), which survives lossy coding. False on any failure.
bool writeClip(const std::string& path, ClipCodec codec, const ClipOptions& options);

// The frame number the bands of a decoded picture show; -1 for an empty picture.
int frameNumberOf(const imaging::Picture& picture);

}  // namespace testsupport
