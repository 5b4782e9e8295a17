#pragma once

#include <cstdint>

// A frame on the input viewer: the start or end crop, or the text placement frame. Edges are
// viewer pixels from the displayed picture's top-left corner at the current zoom.
struct CropFrame {
    enum Kind : std::int32_t { kStart = 0, kEnd = 1, kText = 2 };

    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    std::int32_t FrameNo = 1;  // 1-based input frame the frame belongs to
    bool Shown = false;        // drawn on the viewer while it is being edited
    std::int32_t Kind = kStart;

    std::int32_t width() const { return Right - Left; }
    std::int32_t height() const { return Bottom - Top; }
};
