#pragma once

#include <QString>
#include <vector>

namespace tools {

// What one record header of a panel file says about its frame.
struct FrameHeader {
    int width = 0;
    int height = 0;
    int bits = 0;
    int code = 0;  // the frame's background colour code

    friend bool operator==(const FrameHeader&, const FrameHeader&) = default;
};

// Reads every record header of a .zml (one record) or .zma ("za", big-endian frame count,
// records) without reading pixels: each record must be wholly inside the file. Returns a
// ToolStatus; *headers is replaced only on success. Check bytes are not verified here.
int readFrameHeaders(const QString& fileName, std::vector<FrameHeader>* headers);

}  // namespace tools
