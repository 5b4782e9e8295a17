#include "files/Cfilectl.h"

#include <QFile>
#include <algorithm>
#include <array>

#include "files/PanelName.h"
#include "files/PanelRecord.h"
#include "imaging/Dither.h"
#include "imaging/LeadModel.h"
#include "platform/SaveFile.h"

using namespace files;
using imaging::LeadModel;
using imaging::Picture;

namespace {

constexpr int kFileHeaderSize = 4;
constexpr int kMaxFrameCount = 0xFFFF;  // the header holds the count in 16 bits
constexpr int kMaxBits = 8;

int kindOf(const QString& name) {
    const QString extension = extensionOf(name);
    if (extension.compare(QLatin1String("zml"), Qt::CaseInsensitive) == 0) {
        return CustumFileControl::kImage;
    }
    if (extension.compare(QLatin1String("zma"), Qt::CaseInsensitive) == 0) {
        return CustumFileControl::kAnimation;
    }
    return CustumFileControl::kOther;
}

// Releases the record buffer and work picture and forgets the handle when a Load or Save
// returns, on every path.
class Workspace {
  public:
    explicit Workspace(CustumFileControl& owner) : owner_(owner) {}
    ~Workspace() {
        std::vector<std::uint8_t>().swap(owner_.Buffer);
        owner_.WorkBitmap.reset();
        owner_.FileHandle = -1;
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

  private:
    CustumFileControl& owner_;
};

bool readExactly(QIODevice& file, std::uint8_t* data, qint64 size) {
    return file.read(reinterpret_cast<char*>(data), size) == size;
}

// The frame count from a ".zma" header, or -1 when the header is short or its magic wrong.
int readFrameCount(QIODevice& file) {
    std::array<std::uint8_t, kFileHeaderSize> header{};
    if (!readExactly(file, header.data(), kFileHeaderSize) || header[0] != kFileMagic0 ||
        header[1] != kFileMagic1) {
        return -1;
    }
    return header[2] * 256 + header[3];
}

std::vector<imaging::Colour> panelGreys(int bits) {
    std::vector<imaging::Colour> greys(std::size_t{1} << bits);
    for (std::size_t level = 0; level < greys.size(); ++level) {
        greys[level] =
            imaging::greyColour(CustumFileControl::LevelToGrey(static_cast<int>(level), bits));
    }
    return greys;
}

// A picture of `bits` depth over the panel greys, so that its palette indices are levels.
Picture levelPicture(int width, int height, int bits) {
    Picture picture(width, height, bits);
    picture.palette() = panelGreys(bits);
    return picture;
}

// Appends the decoded frame to the list after converting it, in the work model, onto a user
// palette of the panel greys. The conversion and the append cannot fail: the picture is
// non-empty and its depth is a panel depth.
void appendFrame(const Picture& levels, LeadModel& list, LeadModel& work) {
    const int bits = levels.bits();
    const std::vector<imaging::Colour> greys = panelGreys(bits);
    work.setBitmap(levels);
    for (std::size_t level = 0; level < greys.size(); ++level) {
        work.Set_UserPalette(static_cast<int>(level), greys[level]);
    }
    work.ColorRes(bits, imaging::kPaletteUser, imaging::kDitherNone, 1 << bits);
    list.InsertBitmapListItem(-1, *work.picture());
    work.releaseBitmap();
}

// The level at `bits` of each palette index of a frame: GreyToLevel of the blue component of
// its colour. Indices beyond the palette are black, as in the frame's 24-bit form.
LevelTable levelTable(const Picture& frame, int bits) {
    LevelTable levelOfIndex{};
    const std::size_t colours = std::min<std::size_t>(frame.palette().size(), 256);
    for (std::size_t i = 0; i < colours; ++i) {
        levelOfIndex[i] = static_cast<std::uint8_t>(
            CustumFileControl::GreyToLevel(imaging::blueOf(frame.palette()[i]), bits));
    }
    return levelOfIndex;
}

bool fitsPanel(const Picture* frame, int width, int height, int bits) {
    return frame != nullptr && frame->width() == width && frame->height() == height &&
           frame->bits() == bits;
}

bool sizeFits(int count, int width, int height, int bits) {
    return isPanelDepth(bits) && width >= 1 && height >= 1 && width <= kMaxPanelSide &&
           height <= kMaxPanelSide && count <= kMaxFrameCount;
}

int saveStatus(int status) {
    if (status == platform::kSaveOk) {
        return CustumFileControl::kOk;
    }
    return status == platform::kSaveOpenFailed ? CustumFileControl::kCannotOpen
                                               : CustumFileControl::kShortWrite;
}

}  // namespace

CustumFileControl::CustumFileControl() = default;

int CustumFileControl::SetFileName(const QString& name) {
    const int kind = kindOf(name);
    if (kind != kOther) {
        FileName = withShortBaseName(name, kMaxBaseNameBytes);
    }
    return kind;
}

int CustumFileControl::GetFrameCount() {
    const int kind = kindOf(FileName);
    if (kind != kAnimation) {
        return kind == kImage ? 1 : 0;
    }
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    return std::max(readFrameCount(file), 0);
}

int CustumFileControl::Load(LeadModel& list, LeadModel& work) {
    list.clearBitmapList();
    FrameColorCodes.clear();
    return ReadFrames(true, [&](const FrameHeader& header, const Picture* levels) {
        FrameColorCodes.push_back(static_cast<std::uint8_t>(header.code));
        appendFrame(*levels, list, work);
        return kOk;
    });
}

int CustumFileControl::ReadFrames(bool decode, const FrameVisitor& visit) {
    Workspace workspace(*this);
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return kCannotOpen;
    }
    FileHandle = file.handle();
    // A pipe or device has no length; reading one could also never end.
    if (file.isSequential()) {
        return kNoLength;
    }
    const int kind = kindOf(FileName);
    if (kind == kOther) {
        return kCannotOpen;
    }
    const int count = kind == kAnimation ? readFrameCount(file) : 1;
    if (count < 0) {
        return kTruncated;
    }
    WorkBitmap.emplace();
    for (int i = 0; i < count; ++i) {
        const int status = LoadFrame(file, decode, visit);
        if (status != kOk) {
            return status;
        }
    }
    return kOk;
}

int CustumFileControl::LoadFrame(QIODevice& file, bool decode, const FrameVisitor& visit) {
    Buffer.resize(kRecordHeaderSize);
    if (!readExactly(file, Buffer.data(), kRecordHeaderSize) ||
        Buffer[kFieldMagic0] != kRecordMagic0 || Buffer[kFieldMagic1] != kRecordMagic1 ||
        Buffer[kFieldDataOffset] < kRecordHeaderSize) {
        return kTruncated;
    }
    Width = Buffer[kFieldWidth] + 1;
    Height = Buffer[kFieldHeight] + 1;
    Bits = BitsForLevels(Buffer[kFieldLevels] + 1);
    BackColorCode = Buffer[kFieldColour];
    if (!isPanelDepth(Bits)) {
        return kBadDepth;
    }
    // One byte each for width, height and levels bounds the record to kMaxRecordSize.
    DataSize = pixelDataSize(Width, Height, Bits);
    Buffer.resize(kRecordHeaderSize + DataSize);
    if (!readExactly(file, Buffer.data() + kRecordHeaderSize, DataSize)) {
        return kTruncated;
    }
    if (xorOf(Buffer.data(), Buffer.size()) != kRecordXor) {
        return kBadCheck;
    }
    const FrameHeader header{Width, Height, Bits, BackColorCode};
    if (!decode) {
        return visit(header, nullptr);
    }
    if (!fitsPanel(&*WorkBitmap, Width, Height, Bits)) {
        WorkBitmap = levelPicture(Width, Height, Bits);
    }
    // The record's length never depends on the data offset, so data past the header is
    // always read from offset 9, whatever larger offset the header names.
    unpackLevels(Buffer.data() + kRecordHeaderSize, Width, Height, Bits,
                 WorkBitmap->pixels().data());
    return visit(header, &*WorkBitmap);
}

int CustumFileControl::Save(const LeadModel& list) {
    const int count = kindOf(FileName) == kAnimation ? list.frameCount() : 1;
    const Picture* current = list.picture();
    if (current == nullptr) {
        return kindOf(FileName) == kOther ? kCannotOpen : kBadDepth;
    }
    return SaveFrames(count, current->width(), current->height(), current->bits(),
                      [&list](int i) { return &list.frame(i); });
}

int CustumFileControl::SaveFrames(int count, int width, int height, int bits,
                                  const std::function<const Picture*(int)>& frameAt) {
    const int kind = kindOf(FileName);
    if (kind == kOther) {
        return kCannotOpen;
    }
    Width = width;
    Height = height;
    Bits = bits;
    if (!sizeFits(count, Width, Height, Bits)) {
        return kBadDepth;
    }
    // Frames of another panel depth are written at this one, through their palettes.
    for (int i = 0; i < count; ++i) {
        const Picture* frame = frameAt(i);
        if (frame == nullptr || frame->width() != Width || frame->height() != Height ||
            !isPanelDepth(frame->bits())) {
            return kBadDepth;
        }
    }
    Workspace workspace(*this);
    platform::SafeFileWriter file(FileName);
    if (file.open() != platform::kSaveOk) {
        return kCannotOpen;
    }
    const std::array<std::uint8_t, kFileHeaderSize> header{kFileMagic0, kFileMagic1,
                                                           static_cast<std::uint8_t>(count >> 8),
                                                           static_cast<std::uint8_t>(count & 0xFF)};
    if (kind == kAnimation) {
        file.write(reinterpret_cast<const char*>(header.data()), kFileHeaderSize);
    }
    DataSize = pixelDataSize(Width, Height, Bits);
    Buffer.assign(kRecordHeaderSize + DataSize, 0);
    for (int i = 0; i < count; ++i) {
        SaveFrame(*frameAt(i));
        if (!file.write(reinterpret_cast<const char*>(Buffer.data()),
                        static_cast<qint64>(Buffer.size()))) {
            return kShortWrite;
        }
    }
    return saveStatus(file.commit());
}

// Fills Buffer with the record of one frame.
void CustumFileControl::SaveFrame(const Picture& frame) {
    const auto low = [](int value) { return static_cast<std::uint8_t>(value & 0xFF); };
    Buffer[kFieldMagic0] = kRecordMagic0;
    Buffer[kFieldMagic1] = kRecordMagic1;
    Buffer[kFieldDataOffset] = kRecordHeaderSize;
    Buffer[kFieldCheck] = 0;
    Buffer[kFieldColourCopy] = low(BackColorCode);
    Buffer[kFieldWidth] = low(Width - 1);
    Buffer[kFieldHeight] = low(Height - 1);
    Buffer[kFieldLevels] = low((1 << Bits) - 1);
    Buffer[kFieldColour] = low(BackColorCode);
    packLevels(frame.pixels().data(), levelTable(frame, Bits), Width, Height, Bits,
               Buffer.data() + kRecordHeaderSize);
    Buffer[kFieldCheck] = static_cast<std::uint8_t>(~xorOf(Buffer.data(), Buffer.size()));
}

int CustumFileControl::BitsForLevels(int levels) {
    if (levels < 2 || levels > (1 << kMaxBits)) {
        return 0;
    }
    int bits = 1;
    while ((1 << bits) < levels) {
        ++bits;
    }
    return bits;
}

int CustumFileControl::LevelToGrey(int level, int bits) {
    if (bits < 1 || bits > kMaxBits) {
        return 0;
    }
    return level * (255 / ((1 << bits) - 1));
}

int CustumFileControl::GreyToLevel(int grey, int bits) {
    if (bits < 1 || bits > kMaxBits) {
        return 0;
    }
    return std::clamp(grey, 0, 255) >> (kMaxBits - bits);
}
