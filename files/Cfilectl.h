#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "imaging/Picture.h"

class QIODevice;

namespace imaging {
class LeadModel;
}

// Reads and writes panel files: ".zml" holds one frame record, ".zma" a 4-byte header (magic
// and big-endian frame count) followed by the records of every frame. Each call opens the
// file, works and closes it again; failures are returned as a Status.
class CustumFileControl {
  public:
    enum Status : int {
        kOk = 0,
        kCannotOpen = 1,  // cannot open or create the file, or the extension is not a panel one
        kNoLength = 2,    // the length of the file cannot be determined
        kBadCheck = 3,    // a frame record fails its check byte
        kTruncated = 4,   // a header or record ends early or is malformed
        kShortWrite = 5,  // a write, or replacing the file, failed
        kBadDepth = 6,    // a depth or frame size the format cannot carry
    };
    enum Kind : int { kOther = 0, kImage = 1, kAnimation = 2 };  // .zml = 1, .zma = 2

    // What one frame record's header says.
    struct FrameHeader {
        int width = 0;
        int height = 0;
        int bits = 0;
        int code = 0;  // background colour code
    };
    // Receives each frame read in order: its header and, when decoding, a picture of `bits`
    // depth whose palette indices are its levels (palette: their greys). A non-zero result
    // stops the reading and is returned.
    using FrameVisitor = std::function<int(const FrameHeader&, const imaging::Picture* levels)>;

    CustumFileControl();

    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t Bits = 0;
    std::int32_t BackColorCode = 0;  // only its low byte is written
    std::int32_t DataSize = 0;
    QString FileName;
    std::int32_t FileHandle = -1;
    std::vector<std::uint8_t> Buffer;            // one frame record; only during Load/Save
    std::optional<imaging::Picture> WorkBitmap;  // the decoded frame; only during Load/Save
    // The background colour code of every frame the last Load read, in order.
    std::vector<std::uint8_t> FrameColorCodes;

    // Sets FileName for a ".zml" or ".zma" name (base name cut to 122 UTF-8 bytes) and returns
    // its Kind; any other name gives kOther and leaves FileName unchanged.
    int SetFileName(const QString& name);
    // 1 for ".zml" without opening it; the announced count of a ".zma" (0 when unreadable).
    int GetFrameCount();
    // Empties the list, then appends every frame of FileName at the file's depth.
    int Load(imaging::LeadModel& list, imaging::LeadModel& work);
    // Reads every frame record of FileName in order with the same checks as Load, handing each
    // to `visit`; decodes the pixels only when `decode` is true. One record is held at a time.
    int ReadFrames(bool decode, const FrameVisitor& visit);
    // Writes the list's frames at the size and depth of its current picture; the current
    // picture stays current. The file is replaced only when complete: on failure the previous
    // file stays as it was.
    int Save(const imaging::LeadModel& list);
    // The same for frames given one by one: `frameAt(i)` for i below `count`, all of `width` x
    // `height` at `bits`.
    int SaveFrames(int count, int width, int height, int bits,
                   const std::function<const imaging::Picture*(int)>& frameAt);

    static int BitsForLevels(int levels);
    static int LevelToGrey(int level, int bits);
    static int GreyToLevel(int grey, int bits);

  private:
    int LoadFrame(QIODevice& file, bool decode, const FrameVisitor& visit);
    void SaveFrame(const imaging::Picture& frame);
};
