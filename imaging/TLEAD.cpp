#include "imaging/TLEAD.h"

#include <QPainter>
#include <algorithm>

#include "imaging/Combine.h"
#include "imaging/DecoderLimit.h"
#include "imaging/Dither.h"
#include "imaging/PictureFile.h"
#include "imaging/QtImage.h"
#include "imaging/Resample.h"
#include "imaging/Status.h"

using namespace imaging;

namespace {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 6400;

int validCreateSize(int width, int height) {
    if (width <= 0 || height <= 0) {
        return kInvalidArgument;
    }
    return exceedsDecoderLimit(width, height) ? kTooLarge : kOk;
}

// The outline of a rectangle `penWidth` pixels thick, inside its edges, drawn into the pixels.
void drawOutline(Picture& p, const QRect& r, int penWidth, Colour colour) {
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

TLEAD::TLEAD(QWidget* parent) : QWidget(parent), userPalette_(256, 0) {}

TLEAD::~TLEAD() = default;

// --- The current picture ---

bool TLEAD::hasBitmap() const {
    return !items_.empty();
}

const Picture* TLEAD::picture() const {
    return hasBitmap() ? &items_[index_] : nullptr;
}

Picture* TLEAD::current() {
    return hasBitmap() ? &items_[index_] : nullptr;
}

void TLEAD::setBitmap(const Picture& picture) {
    setBitmap(Picture(picture));
}

void TLEAD::setBitmap(Picture&& picture) {
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
    pictureChanged();
}

void TLEAD::setBitmapFrom(const TLEAD& other) {
    if (other.hasBitmap()) {
        setBitmap(*other.picture());
    } else {
        releaseBitmap();
    }
}

void TLEAD::releaseBitmap() {
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
    pictureChanged();
}

int TLEAD::BitmapWidth() const {
    return hasBitmap() ? picture()->width() : 0;
}

int TLEAD::BitmapHeight() const {
    return hasBitmap() ? picture()->height() : 0;
}

int TLEAD::BitmapBits() const {
    return hasBitmap() ? picture()->bits() : 0;
}

int TLEAD::replaceCurrent(Picture picture) {
    items_[index_] = std::move(picture);
    pictureChanged();
    return kOk;
}

// --- The bitmap list ---

void TLEAD::clearBitmapList() {
    items_.clear();
    listMode_ = false;
    index_ = 0;
    pictureChanged();
}

int TLEAD::BitmapListCount() const {
    return listMode_ ? static_cast<int>(items_.size()) : 0;
}

int TLEAD::setBitmapListIndex(int index) {
    if (!listMode_ || index < 0 || index >= static_cast<int>(items_.size())) {
        return kInvalidArgument;
    }
    if (index != index_) {
        index_ = index;
        pictureChanged();
    }
    return kOk;
}

int TLEAD::InsertBitmapListItem(int position, const Picture& picture) {
    if (picture.isEmpty()) {
        return kNoBitmap;
    }
    if (!listMode_) {
        items_.assign(1, picture);
        listMode_ = true;
        index_ = 0;
        pictureChanged();
        return kOk;
    }
    const int count = static_cast<int>(items_.size());
    const int at = position < 0 || position > count ? count : position;
    items_.insert(items_.begin() + at, picture);
    if (at <= index_ && count > 0) {
        ++index_;
    }
    return kOk;
}

// --- Picture operations ---

int TLEAD::CreateBitmap(int width, int height, int bits) {
    const int status = validCreateSize(width, height);
    if (status != kOk) {
        releaseBitmap();
        return status;
    }
    setBitmap(Picture(width, height, bits));
    return kOk;
}

int TLEAD::Fill(Colour colour) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    if (p->isTrueColour()) {
        for (std::size_t i = 0; i < p->pixels().size(); i += 3) {
            p->pixels()[i] = static_cast<std::uint8_t>(redOf(colour));
            p->pixels()[i + 1] = static_cast<std::uint8_t>(greenOf(colour));
            p->pixels()[i + 2] = static_cast<std::uint8_t>(blueOf(colour));
        }
    } else {
        const auto index = static_cast<std::uint8_t>(nearestPaletteIndex(p->palette(), colour));
        std::fill(p->pixels().begin(), p->pixels().end(), index);
    }
    pictureChanged();
    return kOk;
}

int TLEAD::Size(int width, int height, int) {
    if (!hasBitmap()) {
        return kNoBitmap;
    }
    Picture resized;
    const int status = imaging::resize(*picture(), width, height, &resized);
    return status == kOk ? replaceCurrent(std::move(resized)) : status;
}

int TLEAD::Combine(int left, int top, int width, int height, const Picture& source, int sourceLeft,
                   int sourceTop, int flags) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    const int status = combine(*p, left, top, width, height, source, sourceLeft, sourceTop, flags);
    pictureChanged();
    return status;
}

int TLEAD::ColorRes(int bits, int paletteFlags, int dither, int colours) {
    if (!hasBitmap()) {
        return kNoBitmap;
    }
    Picture out;
    const int status =
        changeColourResolution(*picture(), bits, paletteFlags, dither, colours, userPalette_, &out);
    return status == kOk ? replaceCurrent(std::move(out)) : status;
}

int TLEAD::Set_UserPalette(int index, Colour colour) {
    if (index < 0 || index >= static_cast<int>(userPalette_.size())) {
        return kInvalidArgument;
    }
    userPalette_[index] = colour;
    return kOk;
}

int TLEAD::Set_BitmapPalette(int index, Colour colour) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    if (index < 0 || index >= static_cast<int>(p->palette().size())) {
        return kInvalidArgument;
    }
    p->palette()[index] = colour;
    pictureChanged();
    return kOk;
}

Colour TLEAD::Get_Pixel(int x, int y) const {
    return hasBitmap() ? picture()->colourAt(x, y) : 0;
}

int TLEAD::Set_Pixel(int x, int y, Colour colour) {
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    if (!p->contains(x, y)) {
        return kInvalidArgument;
    }
    p->setColourAt(x, y, colour);
    pictureChanged();
    return kOk;
}

QImage* TLEAD::GetBitmapDC() {
    if (!hasBitmap()) {
        return nullptr;
    }
    drawingImage_ = toQImage(toTrueColour(*picture()));
    return &*drawingImage_;
}

int TLEAD::ReleaseBitmapDC() {
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
    pictureChanged();
    return kOk;
}

// --- Pen and outlines ---

int TLEAD::DrawRectangle(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0) {
        return kInvalidArgument;
    }
    const QRect r(left, top, width, height);
    if (drawMode_ == kDrawModeXorPen) {
        const auto found = std::find(overlay_.begin(), overlay_.end(), r);
        if (found != overlay_.end()) {
            overlay_.erase(found);
        } else {
            overlay_.push_back(r);
        }
        viewChanged();
        return kOk;
    }
    Picture* p = current();
    if (p == nullptr) {
        return kNoBitmap;
    }
    drawOutline(*p, r, penWidth_, penColour_);
    pictureChanged();
    return kOk;
}

// --- View ---

void TLEAD::setPaintSizeMode(int mode) {
    paintSizeMode_ = mode == kPaintSizeZoom ? kPaintSizeZoom : kPaintSizeFit;
    viewChanged();
}

void TLEAD::setPaintZoomFactor(int percent) {
    zoom_ = std::clamp(percent, kMinZoom, kMaxZoom);
    viewChanged();
}

int TLEAD::DstWidth() const {
    if (paintSizeMode_ == kPaintSizeFit) {
        return width();
    }
    return static_cast<int>(static_cast<long long>(BitmapWidth()) * zoom_ / 100);
}

int TLEAD::DstHeight() const {
    if (paintSizeMode_ == kPaintSizeFit) {
        return height();
    }
    return static_cast<int>(static_cast<long long>(BitmapHeight()) * zoom_ / 100);
}

void TLEAD::setDstLeft(int left) {
    dstLeft_ = left;
    viewChanged();
}

void TLEAD::setDstTop(int top) {
    dstTop_ = top;
    viewChanged();
}

void TLEAD::setDstClipLeft(int left) {
    clipLeft_ = left;
    viewChanged();
}

void TLEAD::setDstClipTop(int top) {
    clipTop_ = top;
    viewChanged();
}

void TLEAD::setAutoRepaint(bool on) {
    autoRepaint_ = on;
    if (on) {
        update();
    }
}

const QImage& TLEAD::displayImage() const {
    if (!displayImage_) {
        displayImage_ = hasBitmap() ? toQImage(*picture()) : QImage();
    }
    return *displayImage_;
}

void TLEAD::pictureChanged() {
    displayImage_.reset();
    viewChanged();
}

void TLEAD::viewChanged() {
    if (autoRepaint_) {
        update();
    }
}

void TLEAD::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (hasBitmap()) {
        const QRect target(dstLeft_, dstTop_, DstWidth(), DstHeight());
        painter.save();
        painter.setClipRect(QRect(clipLeft_, clipTop_, target.width(), target.height()) & rect());
        painter.drawImage(target, displayImage());
        painter.restore();
    }
    if (!overlay_.empty()) {
        QPen pen(toQRgb(penColour_));
        pen.setWidth(penWidth_);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        for (const QRect& r : overlay_) {
            painter.drawRect(r);
        }
    }
}
