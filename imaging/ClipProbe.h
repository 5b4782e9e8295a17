#pragma once

#include <QString>

struct AVInputFormat;

namespace imaging {

// Decides the container of a clip from the file's content only. Gives kOk with *format set,
// kFileNotFound, kCorruptData for an empty file, or kUnknownFormat when the content is no clip
// (not recognised with confidence, or a still-image or text demuxer).
int probeClipFormat(const QString& file, const AVInputFormat** format);

}  // namespace imaging
