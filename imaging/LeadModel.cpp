#include "imaging/LeadModel.h"

#include <algorithm>

#include "imaging/Combine.h"
#include "imaging/DecoderLimit.h"
#include "imaging/Dither.h"
#include "imaging/PictureFile.h"
#include "imaging/QtImage.h"
#include "imaging/Resample.h"
#include "imaging/Status.h"

namespace imaging {

namespace {

int validCreateSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return kInvalidArgument;
    }
    return exceedsDecoderLimit(width, height) ? kTooLarge : kOk;
}

// The outline of a rectangle `penWidth` pixels thick, inside its edges, drawn into the pixels.
void drawOutlineInto(Picture& p, const QRect& r, int penWidth, Colour colour) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const bool edge = x - r.left() < penWidth || r.right() - x < penWidth ||
                              y - r.top() < penWidth || r.bottom() - y < penWidth;
            if (edge) {
                p.setColourAt(x, y, colour);
            }
        }
    }
}

}  // namespace

LeadModel::LeadModel() : userPalette_(256, 0) {}

LeadModel::~LeadModel() = default;

LeadModel::LeadModel(const LeadModel& other)
    : items_(other.items_),
      listMode_(other.listMode_),
      index_(other.index_),
      userPalette_(other.userPalette_),
      separated_(other.separated_),
      separationFlags_(other.separationFlags_),
      planes_(other.planes_),
      infoTotalPages_(other.infoTotalPages_),
      bitmapDelay_(other.bitmapDelay_) {}

LeadModel& LeadModel::operator=(const LeadModel& other) {
    if (this != &other) {
        items_ = other.items_;
        listMode_ = other.listMode_;
        index_ = other.index_;
        userPalette_ = other.userPalette_;
        separated_ = other.separated_;
        separationFlags_ = other.separationFlags_;
        planes_ = other.planes_;
        drawingImage_.reset();
        infoTotalPages_ = other.infoTotalPages_;
        bitmapDelay_ = other.bitmapDelay_;
        changed();
    }
    return *this;
}

void LeadModel::setChangeListener(std::function<void()> listener) {
    listener_ = std::move(listener);
}

void LeadModel::changed() {
    if (listener_) {
        listener_();
    }
}

// --- The current picture ---

void LeadModel::setBitmap(const Picture& picture) {
    setBitmap(Picture(picture));
}

void LeadModel::setBitmap(Picture&& picture) {
    if (picture.isEmpty()) {
        releaseBitmap();
        return;
    }
    if (hasBitmap()) {
        items_[index_] = std::move(picture);
    } else {
        items_.clear();
        items_.push_back(std::move(picture));
        index_ = 0;
    }
    changed();
}

void LeadModel::setBitmapFrom(const LeadModel& other) {
    if (other.hasBitmap()) {
        setBitmap(*other.picture());
    } else {
        releaseBitmap();
    }
}

void LeadModel::releaseBitmap() {
    if (!hasBitmap()) {
        return;
    }
    items_.erase(items_.begin() + index_);
    if (items_.empty()) {
        listMode_ = false;
        index_ = 0;
    } else {
        index_ = std::min(index_, static_cast<int>(items_.size()) - 1);
    }
    changed();
}

int LeadModel::replaceCurrent(Picture picture) {
    items_[index_] = std::move(picture);
    changed();
    return kOk;
}

// --- The bitmap list ---

void LeadModel::clearBitmapList() {
    items_.clear();
    listMode_ = false;
    index_ = 0;
    changed();
}

int LeadModel::setBitmapListIndex(int index) {
    if (!listMode_ || index < 0 || index >= static_cast<int>(items_.size())) {
        return kInvalidArgument;
    }
    if (index != index_) {
        index_ = index;
        changed();
    }
    return kOk;
}

int LeadModel::InsertBitmapListItem(int position, const Picture& picture) {
    return InsertBitmapListItem(position, Picture(picture));
}

int LeadModel::InsertBitmapListItem(int position, Picture&& picture) {
    if (picture.isEmpty()) {
        return kNoBitmap;
    }
    if (!listMode_) {
        items_.clear();
        items_.push_back(std::move(picture));
        listMode_ = true;
        index_ = 0;
        changed();
        return kOk;
    }
    const int count = static_cast<int>(items_.size());
    const int at = position < 0 || position > count ? count : position;
    items_.insert(items_.begin() + at, std::move(picture));
    if (at <= index_ && count > 0) {
        ++index_;
    }
    return kOk;
}

// --- Picture operations ---

int LeadModel::CreateBitmap(int width, int height, int bits) {
    const int status = validCreateSize(width, height);
    if (status != kOk) {
        releaseBitmap();
        return status;
    }
    setBitmap(Picture(width, height, bits));
    return kOk;
}

int LeadModel::Fill(Colour colour) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    if (p->isTrueColour()) {
        std::vector<std::uint8_t>& px = p->pixels();
        for (std::size_t i = 0; i < px.size(); i += 3) {
            px[i] = static_cast<std::uint8_t>(redOf(colour));
            px[i + 1] = static_cast<std::uint8_t>(greenOf(colour));
            px[i + 2] = static_cast<std::uint8_t>(blueOf(colour));
        }
    } else {
        const auto index = static_cast<std::uint8_t>(nearestPaletteIndex(p->palette(), colour));
        std::fill(p->pixels().begin(), p->pixels().end(), index);
    }
    changed();
    return kOk;
}

int LeadModel::Size(int width, int height, int) {
    if (!hasBitmap()) {
        return kNoBitmap;
    }
    Picture resized;
    const int status = imaging::resize(*picture(), width, height, &resized);
    return status == kOk ? replaceCurrent(std::move(resized)) : status;
}

int LeadModel::Combine(int left, int top, int width, int height, const Picture& source,
                       int sourceLeft, int sourceTop, int flags) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    const int status = combine(*p, left, top, width, height, source, sourceLeft, sourceTop, flags);
    changed();
    return status;
}

int LeadModel::ColorRes(int bits, int paletteFlags, int dither, int colours) {
    if (!hasBitmap()) {
        return kNoBitmap;
    }
    Picture out;
    const int status =
        changeColourResolution(*picture(), bits, paletteFlags, dither, colours, userPalette_, &out);
    return status == kOk ? replaceCurrent(std::move(out)) : status;
}

int LeadModel::Set_UserPalette(int index, Colour colour) {
    if (index < 0 || index >= static_cast<int>(userPalette_.size())) {
        return kInvalidArgument;
    }
    userPalette_[index] = colour;
    return kOk;
}

int LeadModel::Set_BitmapPalette(int index, Colour colour) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    if (index < 0 || index >= static_cast<int>(p->palette().size())) {
        return kInvalidArgument;
    }
    p->palette()[index] = colour;
    changed();
    return kOk;
}

Colour LeadModel::Get_Pixel(int x, int y) const {
    return hasBitmap() ? picture()->colourAt(x, y) : 0;
}

int LeadModel::Set_Pixel(int x, int y, Colour colour) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    if (!p->contains(x, y)) {
        return kInvalidArgument;
    }
    p->setColourAt(x, y, colour);
    changed();
    return kOk;
}

QImage* LeadModel::GetBitmapDC() {
    if (!hasBitmap()) {
        return nullptr;
    }
    drawingImage_ = toQImage(toTrueColour(*picture()));
    return &*drawingImage_;
}

int LeadModel::ReleaseBitmapDC() {
    if (!drawingImage_ || !hasBitmap()) {
        drawingImage_.reset();
        return kNoBitmap;
    }
    const Picture drawn = fromQImage(*drawingImage_);
    drawingImage_.reset();
    Picture* p = current();
    if (p->isTrueColour()) {
        return replaceCurrent(drawn);
    }
    for (int y = 0; y < p->height(); ++y) {
        for (int x = 0; x < p->width(); ++x) {
            p->setColourAt(x, y, drawn.colourAt(x, y));
        }
    }
    changed();
    return kOk;
}

int LeadModel::drawOutline(const QRect& rectangle, int penWidth, Colour colour) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    if (rectangle.width() <= 0 || rectangle.height() <= 0) {
        return kInvalidArgument;
    }
    drawOutlineInto(*p, rectangle, std::max(1, penWidth), colour);
    changed();
    return kOk;
}

}  // namespace imaging
