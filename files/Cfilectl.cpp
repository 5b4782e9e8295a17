#include "files/Cfilectl.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <array>

#include "files/PanelName.h"
#include "files/PanelRecord.h"
#include "imaging/Dither.h"
#include "imaging/TLEAD.h"

using namespace files;
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

bool writeExactly(QIODevice& file, const std::uint8_t* data, qint64 size) {
    return file.write(reinterpret_cast<const char*>(data), size) == size;
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

// Appends the decoded frame to the list after converting it, in the work control, onto a user
// palette of the panel greys. The conversion and the append cannot fail: the picture is
// non-empty and its depth is a panel depth.
void appendFrame(const Picture& levels, TLEAD& list, TLEAD& work) {
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

const Picture* frameAt(const TLEAD& list, int index) {
    return list.hasBitmapList() ? &list.bitmapListItem(index) : list.picture();
}

bool fitsPanel(const Picture& frame, int width, int height) {
    return frame.width() == width && frame.height() == height && isPanelDepth(frame.bits());
}

// Whether the format can carry all `count` frames at the given size and depth.
bool framesFit(const TLEAD& list, int count, int width, int height, int bits) {
    if (!isPanelDepth(bits) || width < 1 || height < 1 || width > kMaxPanelSide ||
        height > kMaxPanelSide || count > kMaxFrameCount) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const Picture* frame = frameAt(list, i);
        if (frame == nullptr || !fitsPanel(*frame, width, height)) {
            return false;
        }
    }
    return true;
}

void selectFrame(TLEAD& list, int index) {
    if (list.hasBitmapList()) {
        list.setBitmapListIndex(index);
    }
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

int CustumFileControl::Load(TLEAD& list, TLEAD& work) {
    list.clearBitmapList();
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
        const int status = LoadFrame(file, list, work);
        if (status != kOk) {
            return status;
        }
    }
    return kOk;
}

int CustumFileControl::LoadFrame(QIODevice& file, TLEAD& list, TLEAD& work) {
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
    if (WorkBitmap->width() != Width || WorkBitmap->height() != Height ||
        WorkBitmap->bits() != Bits) {
        WorkBitmap = levelPicture(Width, Height, Bits);
    }
    // The record's length never depends on the data offset, so data past the header is
    // always read from offset 9, whatever larger offset the header names.
    unpackLevels(Buffer.data() + kRecordHeaderSize, Width, Height, Bits,
                 WorkBitmap->pixels().data());
    appendFrame(*WorkBitmap, list, work);
    return kOk;
}

int CustumFileControl::Save(TLEAD& list) {
    const int kind = kindOf(FileName);
    if (kind == kOther) {
        return kCannotOpen;
    }
    const int count = kind == kAnimation ? list.BitmapListCount() : 1;
    Width = list.BitmapWidth();
    Height = list.BitmapHeight();
    Bits = list.BitmapBits();
    if (!framesFit(list, count, Width, Height, Bits)) {
        return kBadDepth;
    }
    Workspace workspace(*this);
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly)) {
        return kCannotOpen;
    }
    FileHandle = file.handle();
    const std::array<std::uint8_t, kFileHeaderSize> header{kFileMagic0, kFileMagic1,
                                                           static_cast<std::uint8_t>(count >> 8),
                                                           static_cast<std::uint8_t>(count & 0xFF)};
    if (kind == kAnimation && !writeExactly(file, header.data(), kFileHeaderSize)) {
        return kShortWrite;
    }
    DataSize = pixelDataSize(Width, Height, Bits);
    Buffer.assign(kRecordHeaderSize + DataSize, 0);
    const int remembered = list.BitmapListIndex();
    int status = kOk;
    for (int i = 0; i < count && status == kOk; ++i) {
        selectFrame(list, i);
        status = SaveFrame(file, list);
    }
    selectFrame(list, remembered);
    if (status != kOk) {
        return status;
    }
    return file.commit() ? kOk : kShortWrite;
}

int CustumFileControl::SaveFrame(QIODevice& file, TLEAD& list) {
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
    const Picture& frame = *list.picture();
    packLevels(frame.pixels().data(), levelTable(frame, Bits), Width, Height, Bits,
               Buffer.data() + kRecordHeaderSize);
    Buffer[kFieldCheck] = static_cast<std::uint8_t>(~xorOf(Buffer.data(), Buffer.size()));
    return writeExactly(file, Buffer.data(), static_cast<qint64>(Buffer.size())) ? kOk
                                                                                 : kShortWrite;
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
