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
    int frames = 60, fps = 25;
    int width = 160, height = 120;
    int keyframeInterval = 12;
    // Time slots that get no frame. In an AVI the muxer writes each one before a later frame
    // as an empty chunk ("repeat the previous frame"); slots after the last frame are not
    // written at all.
    std::vector<int> emptySlots = {};
    ClipContainer container = ClipContainer::kAvi;
};

// Frame numbers a clip can show: one bit per vertical band.
inline constexpr int kBandCount = 9;
inline constexpr int kMaxFrames = 1 << kBandCount;

// Writes a clip whose frame in time slot i shows i in kBandCount vertical bands (band b white
// when bit b of i is set, black otherwise), which survives lossy coding. False on any failure.
bool writeClip(const std::string& path, ClipCodec codec, const ClipOptions& options);

// Writes an AVI by hand, as capture programs do: uncompressed 24-bit frames of
// options.width x options.height showing their slot number as writeClip does, an empty chunk
// for each of options.emptySlots (the first slots too), and `headerFrames` as the frame count
// of its headers. keyframeInterval and container do not apply.
bool writeCapturedAvi(const std::string& path, const ClipOptions& options, int headerFrames);

// The AVI `avi` with `count` as the frame count of every header that states one.
QByteArray withHeaderFrameCount(QByteArray avi, quint32 count);

// The frame number the bands of a decoded picture show; -1 for an empty picture.
int frameNumberOf(const imaging::Picture& picture);

}  // namespace testsupport
